// A search from both ends: one frontier grows from the start toward the target, one from the
// target toward the start, each its own search of the same row, taking turns a tile at a time.
// Whenever either reaches a tile the other has reached, the walk through it is a candidate;
// the search stops once neither side can still find a cheaper one.
#include "path/search_loop.h"

namespace {

// Hears one side's steps: passes them on, and keeps the cheapest walk through a tile both
// sides have reached.
template <typename Listener> struct Meeting {
    static constexpr bool hearsScans = Listener::hearsScans;
    Listener& inner;
    GridSearch& both; // the start's side, which keeps the cheapest walk
    const GridSearch& other;

    void joined(const GridSearch& s, int cell) {
        inner.joined(s, cell);
        meet(s, cell);
    }
    void lowered(const GridSearch& s, int cell) {
        inner.lowered(s, cell);
        meet(s, cell);
    }
    void closed(const GridSearch& s, int cell) { inner.closed(s, cell); }
    void scannedRun(int, int, int, int) {}
    void scannedTile(int, int) {}
    void stepped(const GridSearch&) {}
    void sighted(const GridSearch&, int, int, double) {}

    void meet(const GridSearch& s, int cell) {
        if (!other.frontier.known(cell)) {
            return;
        }
        const double through = s.frontier.cells[cell].g + other.frontier.cells[cell].g;
        if (through < both.best) {
            both.best = through;
            both.meetCell = cell;
        }
    }
};

// Whether a walk cheaper than the best so far may remain. With a heuristic that never
// overestimates, each side's smallest key bounds every walk through its open tiles (with a
// weight, the weight times it); with none, the two smallest costs together bound it.
bool cheaperMayRemain(GridSearch& s, GridSearch& back) {
    const double fromStart = s.frontier.cheapestKey();
    const double fromTarget = back.frontier.cheapestKey();
    if (fromStart >= s.best || fromTarget >= s.best) {
        return false;
    }
    return s.heuristic != Heuristic::Zero || fromStart + fromTarget < s.best;
}

} // namespace

template <typename Listener>
bool runBothEnds(GridSearch& s, const Board& board, Listener& listen, long long tiles) {
    GridSearch& back = *s.back;
    while (tiles > 0) {
        // An empty side's key is infinite: with no meeting yet, no walk at all.
        if (s.rootsLeft == 0 && !cheaperMayRemain(s, back)) {
            s.found = s.meetCell >= 0;
            s.next = -1;
            return true;
        }
        GridSearch& side = s.startsTurn ? s : back;
        GridSearch& other = s.startsTurn ? back : s;
        // One count of joining and closing for both: the record's order, and the ties'.
        side.frontier.joined = std::max(side.frontier.joined, other.frontier.joined);
        side.frontier.closed = std::max(side.frontier.closed, other.frontier.closed);
        Meeting<Listener> meeting{listen, s, other};
        int cell = side.startCell; // the start was closed when the search began
        if (s.rootsLeft > 0) {
            s.rootsLeft--;
            if (side.reversed) { // the target, known from its side's first turn
                tiles--;
                side.frontier.states[cell].stamp = side.frontier.stamp;
                closeCell(side, meeting, cell);
                meeting.meet(side, cell); // the start's side may have reached it already
            }
        } else {
            tiles--;
            cell = side.frontier.takeCheapest();
            closeCell(side, meeting, cell);
        }
        expandNeighbours<false>(side, board, meeting, cell);
        listen.stepped(s);
        s.startsTurn = !s.startsTurn;
    }
    return false;
}

template bool runBothEnds<Unheard>(GridSearch&, const Board&, Unheard&, long long);
template bool runBothEnds<Recorder>(GridSearch&, const Board&, Recorder&, long long);
template bool runBothEnds<Tracer>(GridSearch&, const Board&, Tracer&, long long);

bool GridSearch::beginTargetSide(const Board& board, const SearchSettings& settings) {
    if (!board.cellEnterable(targetCell)) {
        return false; // a walk never enters a tree: nothing to grow from
    }
    if (!back) {
        back = std::make_unique<GridSearch>();
    }
    back->start(board, kind, tileOf(targetCell), tileOf(startCell), settings, true);
    // The target is closed on its side's first turn, in the order of closing; until then that
    // side knows nothing, and a walk to it is found through the tile before it.
    back->frontier.states[back->startCell].stamp = 0;
    back->frontier.closed = 0;
    best = HUGE_VAL;
    meetCell = -1;
    startsTurn = true;
    rootsLeft = 2;
    bothEnds = true;
    return true;
}
