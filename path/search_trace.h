// A search told event by event, in the words search-trace viewers share: the start and the
// target, each tile taken from the open list (expanding), each neighbour reached (generating)
// or reached more cheaply (updating), each tile whose neighbours are done (closing), and the
// end with the walk's cost. Any search writes it through one listener; a trace read from a
// file is played back through the same record and frontier the searches fill.
#pragma once

#include "path/search.h"

#include <cmath>
#include <string>
#include <vector>

enum class TraceEventType : std::uint8_t {
    Source,
    Destination,
    Expanding,
    Generating,
    Updating,
    Closing,
    End
};
constexpr int TraceEventTypeCount = 7;

// "source", "destination", "expanding", "generating", "updating", "closing", "end".
const char* traceEventName(TraceEventType type);
bool traceEventNamed(const std::string& name, TraceEventType* type);

// A cost the event does not give is NaN.
struct TraceEvent {
    TraceEventType type = TraceEventType::Source;
    int tile = -1;   // row x width + column
    int parent = -1; // the tile it was reached from; -1: none given
    double g = NAN;
    double h = NAN;
    double f = NAN;
};

struct SearchTrace {
    int columns = 0;
    int rows = 0;
    std::vector<TraceEvent> events;
};

// The search of `kind` between two tiles, run to its end and told as events: JPS's scanned
// tiles as generating events without costs, Theta*'s tiles with their line-of-sight parents.
// A search from the target or from both ends then gives the walk's tiles their parents on
// the walk, so that parents lead from the target back to the start. Empty when the search
// may not run on the board.
SearchTrace traceSearch(const Board& board, SearchKind kind, int start, int target,
                        const SearchSettings& settings = {});

// What a trace shows, put where the window's search view reads a search: `search` as if it
// had run (the order tiles joined and were closed, each tile's g and parent), and `record`,
// its steps, with the trace's own figures. Playback, marks and the figures then show it as
// they show any search. The walk is the parents' chain back from the destination, a run of
// straight or diagonal steps filled in tile by tile; with any other step the walk is
// any-angle segments (the record's kind Theta*'s, else A*'s).
void replayTrace(const Board& board, const SearchTrace& trace, GridSearch& search,
                 SearchRecord& record);

// Follows the search's steps and writes them as events (path/search_trace.cpp).
struct Tracer {
    static constexpr bool hearsScans = true;
    SearchTrace& trace;
    const GridSearch* side = nullptr; // the tile being expanded, on its side of the search
    int cell = -1;
    bool closingDue = false;

    void joined(const GridSearch& s, int at) { costEvent(TraceEventType::Generating, s, at); }
    void lowered(const GridSearch& s, int at) { costEvent(TraceEventType::Updating, s, at); }
    void closed(const GridSearch& s, int at);
    void scannedRun(int from, int delta, int length, int closedCount);
    void scannedTile(int tile, int closedCount);
    void stepped(const GridSearch& s);
    // The first-sight search saw the target beside the tile it expands: reached at `g`.
    void sighted(const GridSearch& s, int at, int from, double g);
    void costEvent(TraceEventType type, const GridSearch& s, int at);
    void closeDue();
};
