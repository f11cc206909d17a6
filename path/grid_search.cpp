// Beginning, advancing and finishing a search: its row of the table chooses its parts, and
// one loop runs them, compiled for each way of expanding a tile and each listener.
#include "path/search_loop.h"

#include <algorithm>
#include <cmath>

void (*searchStepWatcher)(const GridSearch&, const SearchRecord&) = nullptr;

namespace {

// Closes at most `tiles` more tiles: each step expands the tile taken last and takes the
// next. True once the search has ended.
template <Expansion Way, typename Listener>
bool runSlice(GridSearch& s, const Board& board, Listener& listen, long long tiles) {
    Frontier& f = s.frontier;
    for (; s.next >= 0 && tiles > 0; tiles--) {
        const bool sighted = Way == Expansion::Jumps ? expandJumps(s, board, listen, s.next)
                             : Way == Expansion::SightParents
                                 ? expandNeighbours<true>(s, board, listen, s.next)
                                 : expandNeighbours<false>(s, board, listen, s.next);
        listen.stepped(s);
        if (sighted) {
            s.found = true;
            break;
        }
        const int taken = s.queued ? f.takeQueued() : f.takeCheapest();
        if (taken < 0) {
            // Nothing left to try: trees part the start from the target (either may be the
            // one walled in). No walk.
            break;
        }
        closeCell(s, listen, taken);
        s.next = taken;
        if (taken == s.targetCell) {
            listen.stepped(s); // closing the target is the last step
            s.found = true;
            break;
        }
    }
    if (!s.found && s.next >= 0 && tiles == 0) {
        return false;
    }
    s.next = -1;
    return true;
}

template <typename Listener>
bool run(GridSearch& s, const Board& board, Listener& listen, long long tiles) {
    if (s.next < 0) {
        return true; // ended already
    }
    if (s.bothEnds) {
        return runBothEnds(s, board, listen, tiles);
    }
    switch (s.expansion) {
    case Expansion::Jumps:
        return runSlice<Expansion::Jumps>(s, board, listen, tiles);
    case Expansion::SightParents:
        return runSlice<Expansion::SightParents>(s, board, listen, tiles);
    case Expansion::Neighbours:
        break;
    }
    return runSlice<Expansion::Neighbours>(s, board, listen, tiles);
}

// The record emptied but its lists' room kept: searches run one after another reuse it.
void restartRecord(SearchRecord& record, const GridSearch& s, int start, int target) {
    for (std::vector<int>* list : {&record.closed, &record.opened, &record.openedAt, &record.walk,
                                   &record.scanned, &record.scannedAt}) {
        list->clear();
    }
    record.fromTarget.clear();
    record.meeting = -1;
    record.serial = nextSerial();
    record.kind = s.kind;
    record.start = start;
    record.target = target;
    record.found = false;
    record.targetFrom = -1;
    record.refused = s.refused;
    record.traced = TracedFigures();
}

void endRecord(SearchRecord& record, const GridSearch& s) {
    record.found = s.found;
    if (s.found && s.startCell != s.targetCell) {
        record.walk = s.walkFound();
        record.targetFrom =
            record.walk.size() > 1 ? record.walk[record.walk.size() - 2] : record.start;
        record.meeting = s.meetingTile();
    }
}

} // namespace

void prepareSearch(const Board& board, SearchKind kind) {
    if (searchRow(kind).expansion == Expansion::Jumps && costModel(board.rule).diagonals) {
        runsOf(board, costModel(board.rule).cornersGuarded);
    }
}

bool GridSearch::start(const Board& board, SearchKind searchKind, int from, int to,
                       const SearchSettings& settings, bool fromTarget) {
    const SearchRow& parts = searchRow(searchKind);
    kind = searchKind;
    rule = board.rule;
    costs = costModel(rule);
    expansion = parts.expansion;
    heuristic = heuristicOf(searchKind, settings, rule);
    weight = weightOf(searchKind, settings);
    keyHasG = parts.order == Order::GPlusH || parts.order == Order::G;
    keyHasH = parts.order == Order::GPlusH || parts.order == Order::H;
    queued = parts.order == Order::Joining;
    updates = parts.updates;
    stopsAtSight = parts.stop == Stop::AtSight;
    columns = board.columns;
    rows = board.rows;
    stride = board.stride;
    rowMagic = board.extra.size() < (std::size_t{1} << 23) && stride < (1 << 17)
                   ? (std::uint64_t{1} << 40) / static_cast<std::uint64_t>(stride) + 1
                   : 0;
    for (int s = 0; s < 8; s++) {
        // An any-angle search's step is a segment too: as long as the line between centres.
        stepLengths[s] = parts.anyAngle ? costs.tileLength *
                                              std::hypot(double(SlotColumn[s]), double(SlotRow[s]))
                                        : costs.step(s);
        cellOffsets[s] = SlotRow[s] * stride + SlotColumn[s];
    }
    startCell = cellOf(from);
    targetCell = cellOf(to);
    targetColumn = to % columns;
    targetRow = to / columns;
    frontier.reset(board.extra.size());
    found = false;
    bothEnds = fromTarget; // the start's side, once the target's has begun
    reversed = fromTarget;
    refused = !searchRunsOn(searchKind, board); // it would not keep its promise here
    next = -1;
    if (refused) {
        return false;
    }
    frontier.cells[startCell] = SearchCell{0, -1, -1};
    frontier.states[startCell] = CellState{frontier.stamp, 0};
    frontier.closed = 1;
    found = startCell == targetCell;
    next = found ? -1 : startCell;
    if (parts.bothEnds && !fromTarget && next >= 0 && !beginTargetSide(board, settings)) {
        next = -1; // no walk
    }
    return true;
}

// A search from the target is the same search with its ends swapped, each step costing the
// extra of the tile it leaves (the walk enters that one); from a tree it finds no walk.
bool GridSearch::startEither(const Board& board, SearchKind searchKind, int from, int to,
                             const SearchSettings& settings) {
    const bool back = searchRow(searchKind).fromTarget;
    const bool started = start(board, searchKind, back ? to : from, back ? from : to, settings);
    if (back) {
        reversed = true;
        next = board.cellEnterable(startCell) ? next : -1;
    }
    return started;
}

void GridSearch::begin(const Board& board, SearchKind searchKind, int from, int to,
                       SearchRecord& record, const SearchSettings& settings) {
    const bool started = startEither(board, searchKind, from, to, settings);
    restartRecord(record, *this, from, to);
    if (started) {
        record.closed.push_back(tileOf(startCell));
    }
    if (bothEnds) {
        record.fromTarget = {false};
    }
    if (expansion == Expansion::Jumps && record.scanned.capacity() == 0) {
        // Room for a usual search's scans (thousands on a board of some hundreds of tiles a
        // side), so that the lists seldom move as they grow. Under 64 KiB a list: the two
        // then fit in what the C library keeps at hand between searches.
        const std::size_t room =
            std::min<std::size_t>(static_cast<std::size_t>(tileCount()), 12288);
        record.scanned.reserve(room);
        record.scannedAt.reserve(room);
    }
    if (next < 0) {
        endRecord(record, *this);
    }
}

void GridSearch::begin(const Board& board, SearchKind searchKind, int from, int to,
                       const SearchSettings& settings) {
    startEither(board, searchKind, from, to, settings);
}

bool GridSearch::advance(const Board& board, SearchRecord& record, long long tiles) {
    const bool wasUnderWay = next >= 0;
    Recorder listen{record};
    const bool ended = run(*this, board, listen, tiles);
    if (ended && wasUnderWay) {
        endRecord(record, *this);
    }
    return ended;
}

bool GridSearch::advance(const Board& board, Tracer& tracer, long long tiles) {
    return run(*this, board, tracer, tiles);
}

bool GridSearch::advance(const Board& board, long long tiles) {
    Unheard nobody;
    return run(*this, board, nobody, tiles);
}
