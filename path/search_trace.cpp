// A search written as events by the listener every search takes.
#include "path/search_trace.h"

#include <climits>
#include <unordered_map>

namespace {

constexpr const char* EventNames[TraceEventTypeCount] = {
    "source", "destination", "expanding", "generating", "updating", "closing", "end"};

// Parents as the events left them, so the walk's tiles whose parent leads elsewhere (toward
// the target, on a search grown from there) are told their parent on the walk, with their
// cost along it.
void parentsAlongWalk(SearchTrace& trace, const Board& board, SearchKind kind, int start,
                      int target, const std::vector<int>& walk) {
    std::unordered_map<int, int> parentOf;
    for (const TraceEvent& e : trace.events) {
        if (e.parent >= 0) {
            parentOf[e.tile] = e.parent;
        }
    }
    double g = 0;
    int before = start;
    for (int tile : walk) {
        g += walkCost(board, kind, before, {tile});
        const auto known = parentOf.find(tile);
        if (known == parentOf.end() || known->second != before) {
            const double h = searchHeuristic(kind, board.rule, board.columns, tile, target);
            trace.events.push_back(TraceEvent{TraceEventType::Updating, tile, before, g, h, g + h});
        }
        before = tile;
    }
}

} // namespace

const char* traceEventName(TraceEventType type) {
    return EventNames[static_cast<int>(type)];
}

bool traceEventNamed(const std::string& name, TraceEventType* type) {
    for (int t = 0; t < TraceEventTypeCount; t++) {
        if (name == EventNames[t]) {
            *type = static_cast<TraceEventType>(t);
            return true;
        }
    }
    return false;
}

void Tracer::costEvent(TraceEventType type, const GridSearch& s, int at) {
    const int tile = s.tileOf(at);
    const SearchCell& c = s.frontier.cells[at];
    const double h = s.heuristicAt(tile % s.columns, tile / s.columns);
    trace.events.push_back(
        TraceEvent{type, tile, c.parent < 0 ? -1 : s.tileOf(c.parent), c.g, h, c.g + s.weight * h});
}

void Tracer::closeDue() {
    if (closingDue) {
        costEvent(TraceEventType::Closing, *side, cell);
        closingDue = false;
    }
}

void Tracer::closed(const GridSearch& s, int at) {
    closeDue();
    side = &s;
    cell = at;
    costEvent(TraceEventType::Expanding, s, at);
    closingDue = true;
}

// A jump's scanned tiles: looked at, never on the open list; no cost.
void Tracer::scannedRun(int from, int delta, int length, int) {
    for (int k = 1; k <= length; k++) {
        trace.events.push_back(TraceEvent{TraceEventType::Generating, from + k * delta});
    }
}

void Tracer::scannedTile(int tile, int) {
    trace.events.push_back(TraceEvent{TraceEventType::Generating, tile});
}

void Tracer::stepped(const GridSearch&) {
    closeDue();
}

void Tracer::sighted(const GridSearch& s, int at, int from, double g) {
    trace.events.push_back(
        TraceEvent{TraceEventType::Generating, s.tileOf(at), s.tileOf(from), g, 0.0, g});
}

SearchTrace traceSearch(const Board& board, SearchKind kind, int start, int target,
                        const SearchSettings& settings) {
    SearchTrace trace;
    trace.columns = board.columns;
    trace.rows = board.rows;
    GridSearch s;
    s.begin(board, kind, start, target, settings);
    if (s.refused) {
        return trace;
    }
    trace.events.push_back(TraceEvent{TraceEventType::Source, start});
    trace.events.push_back(TraceEvent{TraceEventType::Destination, target});
    // The root was closed as the search began: the first tile taken.
    Tracer tracer{trace};
    tracer.closed(s, s.startCell);
    s.advance(board, tracer, LLONG_MAX);
    tracer.closeDue();
    const std::vector<int> walk = s.walkFound();
    if (s.found && (s.reversed || s.targetSide())) {
        parentsAlongWalk(trace, board, kind, start, target, walk);
    }
    TraceEvent end{TraceEventType::End, target};
    if (s.found) {
        end.g = walkCost(board, kind, start, walk);
    }
    trace.events.push_back(end);
    return trace;
}
