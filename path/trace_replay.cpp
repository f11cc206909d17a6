// A trace's events put into a search and its record, as if the search had run here.
#include "path/search_trace.h"

#include <climits>
#include <cstdlib>
#include <unordered_set>

namespace {

// The first tile given by an event of `type`, else of `instead`; -1 for none.
int firstTile(const SearchTrace& trace, TraceEventType type, TraceEventType instead) {
    for (TraceEventType t : {type, instead}) {
        for (const TraceEvent& e : trace.events) {
            if (e.type == t) {
                return e.tile;
            }
        }
    }
    return -1;
}

struct Replayer {
    GridSearch& s;
    SearchRecord& record;

    bool known(int tile) const { return s.frontier.known(s.cellOf(tile)); }

    void join(const TraceEvent& e) {
        Frontier& f = s.frontier;
        const int cell = s.cellOf(e.tile);
        // The search's root: taken before any tile joined (the start, or from the target the
        // target); it never joins the open list.
        const bool root = record.opened.empty() && f.closed == 0;
        f.cells[cell] = SearchCell{0, -1, root ? -1 : f.joined++};
        f.states[cell] = CellState{f.stamp, -1};
        if (!root) {
            record.opened.push_back(e.tile);
            record.openedAt.push_back(static_cast<int>(record.closed.size()));
        }
    }
    void take(const TraceEvent& e) {
        SearchCell& c = s.frontier.cells[s.cellOf(e.tile)];
        if (!std::isnan(e.g)) {
            c.g = e.g;
        }
        if (e.parent >= 0) {
            c.parent = s.cellOf(e.parent);
        }
        if (!std::isnan(e.g) || !std::isnan(e.h) || !std::isnan(e.f) || e.parent >= 0) {
            TileCosts& costs = record.traced.costs[static_cast<std::size_t>(e.tile)];
            costs.g = std::isnan(e.g) ? costs.g : e.g;
            costs.h = !std::isnan(e.h)                       ? e.h
                      : !std::isnan(e.f) && !std::isnan(e.g) ? e.f - e.g
                                                             : costs.h;
            costs.f = !std::isnan(e.f)                       ? e.f
                      : !std::isnan(e.g) && !std::isnan(e.h) ? e.g + e.h
                                                             : costs.f;
            costs.from = e.parent >= 0 ? e.parent : costs.from;
        }
    }
    void play(const TraceEvent& e) {
        switch (e.type) {
        case TraceEventType::Generating:
        case TraceEventType::Updating:
            if (e.type == TraceEventType::Generating && std::isnan(e.g)) {
                record.scanned.push_back(e.tile); // looked at on a jump's way, never open
                record.scannedAt.push_back(static_cast<int>(record.closed.size()));
                return;
            }
            break;
        case TraceEventType::Expanding:
            if (!known(e.tile)) {
                join(e);
            }
            // Taken again (a foreign search may take a tile twice): closed at its latest.
            s.frontier.states[s.cellOf(e.tile)].closedAt = s.frontier.closed++;
            record.closed.push_back(e.tile);
            take(e);
            return;
        case TraceEventType::Closing:
            if (known(e.tile)) {
                take(e);
            }
            return;
        case TraceEventType::End:
            record.traced.walkCost = e.g;
            return;
        case TraceEventType::Source:
        case TraceEventType::Destination:
            return;
        }
        if (!known(e.tile)) {
            join(e);
        }
        take(e);
    }
};

// Parents back from the target to the start, as tiles from the first after the start to the
// target; empty when they do not lead there.
std::vector<int> parentChain(const GridSearch& s, int start, int target) {
    std::vector<int> chain;
    std::unordered_set<int> seen;
    for (int t = target; t != start;) {
        if (!s.frontier.known(s.cellOf(t)) || !seen.insert(t).second) {
            return {};
        }
        chain.push_back(t);
        const int parent = s.frontier.cells[s.cellOf(t)].parent;
        if (parent < 0) {
            return {};
        }
        t = s.tileOf(parent);
    }
    return {chain.rbegin(), chain.rend()};
}

// Each straight or diagonal run of the chain a step at a time; false when a link is neither
// (the walk is any-angle segments, kept as they are).
bool fillRuns(const Board& board, int start, std::vector<int>& walk) {
    std::vector<int> steps;
    int from = start;
    for (int to : walk) {
        const int dc = to % board.columns - from % board.columns;
        const int dr = to / board.columns - from / board.columns;
        if (dc != 0 && dr != 0 && std::abs(dc) != std::abs(dr)) {
            return false;
        }
        const int step = (dr > 0) - (dr < 0);
        const int stepC = (dc > 0) - (dc < 0);
        for (int t = from; t != to;) {
            t += step * board.columns + stepC;
            steps.push_back(t);
        }
        from = to;
    }
    walk = steps;
    return true;
}

} // namespace

void replayTrace(const Board& board, const SearchTrace& trace, GridSearch& s,
                 SearchRecord& record) {
    const int start = firstTile(trace, TraceEventType::Source, TraceEventType::Expanding);
    const int target = firstTile(trace, TraceEventType::Destination, TraceEventType::End);
    s = GridSearch();
    s.begin(board, SearchKind::AStar, std::max(start, 0), std::max(target, 0));
    s.frontier.reset(board.extra.size());
    s.next = -1;
    s.found = false;
    record = SearchRecord();
    record.serial = nextSerial();
    record.kind = SearchKind::AStar;
    record.start = start;
    record.target = target;
    record.traced.fromFile = true;
    record.traced.costs.assign(static_cast<std::size_t>(board.tileCount()),
                               TileCosts{NAN, NAN, NAN, -1});
    Replayer replay{s, record};
    for (const TraceEvent& e : trace.events) {
        replay.play(e);
    }
    for (int tile : record.opened) {
        record.traced.open += s.frontier.states[s.cellOf(tile)].closedAt < 0;
    }
    if (start < 0 || target < 0) {
        return;
    }
    std::vector<int> walk = start == target ? std::vector<int>{} : parentChain(s, start, target);
    record.found = start == target || !walk.empty();
    if (!fillRuns(board, start, walk)) {
        record.kind = SearchKind::ThetaStar;
    }
    s.found = record.found;
    record.walk = walk;
    record.targetFrom = walk.size() > 1 ? walk[walk.size() - 2] : walk.empty() ? -1 : start;
}
