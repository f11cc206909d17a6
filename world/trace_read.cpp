// Search traces read from YAML or JSON, ours or another solver's: both parsers hand over
// plain events (world/trace_parse.cpp), checked against the board here, in one place.
#include "world/trace_file.h"

#include "world/trace_parse.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <unordered_map>

namespace {

bool whole(const std::optional<double>& v) {
    return v && std::floor(*v) == *v && std::abs(*v) < 1e9;
}

// The tile an event names by its column and row, else by a whole id (row x width + column);
// -2 when it names none, -3 when it is off the board.
int tileOf(const RawEvent& e, const Board& board) {
    std::optional<double> column = e.x, row = e.y;
    if (!column && !row && e.id) {
        char* end = nullptr;
        const double id = std::strtod(e.id->c_str(), &end);
        if (end && *end == '\0' && !e.id->empty()) {
            column = std::fmod(id, board.columns);
            row = std::floor(id / board.columns);
        }
    }
    if (!whole(column) || !whole(row)) {
        return -2;
    }
    if (*column < 0 || *row < 0 || *column >= board.columns || *row >= board.rows) {
        return -3;
    }
    return static_cast<int>(*row) * board.columns + static_cast<int>(*column);
}

// Each event checked and put on the board as it is read; the first fault found is kept (the
// version, which may come after the events, is checked once the whole file is read).
struct EventReader {
    const Board& board;
    SearchTrace& trace;
    std::string fault;
    std::size_t count = 0;
    // Ids that are not the tile's own number (row x width + column), and their tiles; a
    // parent is looked for here first, then read as a tile's number.
    std::unordered_map<std::string, int> tileOfId;

    void read(const RawEvent& e) {
        ++count;
        if (!fault.empty()) {
            return;
        }
        const std::string event = "event " + std::to_string(count) + ": ";
        TraceEvent out;
        if (!e.bad.empty()) {
            fault = event + e.bad;
        } else if (!traceEventNamed(e.type, &out.type)) {
            fault = event + "unknown type \"" + e.type + "\"";
        } else if ((out.tile = tileOf(e, board)) == -3) {
            fault = event + "its tile is off the map (" + std::to_string(board.columns) + " x " +
                    std::to_string(board.rows) + " tiles)";
        } else if (out.tile == -2 && out.type != TraceEventType::End) {
            fault = event + "names no tile (x and y, or a whole id)";
        }
        if (!fault.empty()) {
            return;
        }
        out.tile = std::max(out.tile, -1);
        out.g = e.g.value_or(NAN);
        out.h = e.h.value_or(NAN);
        out.f = e.f.value_or(NAN);
        if (e.id && out.tile >= 0 && *e.id != std::to_string(out.tile)) {
            tileOfId[*e.id] = out.tile;
        }
        if (e.parentId) {
            out.parent = parentTile(*e.parentId);
        }
        trace.events.push_back(out);
    }
    int parentTile(const std::string& id) const {
        if (const auto known = tileOfId.find(id); known != tileOfId.end()) {
            return known->second;
        }
        char* end = nullptr;
        const long n = std::strtol(id.c_str(), &end, 10);
        const bool number = !id.empty() && end == id.c_str() + id.size();
        return number && n >= 0 && n < board.tileCount() ? static_cast<int>(n) : -1;
    }
};

} // namespace

std::string readTraceFile(const std::string& path, const Board& board, SearchTrace& trace,
                          const std::string& shownAs) {
    const std::string& fileName = shownAs.empty() ? path : shownAs;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return fileName + ": cannot be read (no such file, or not readable)";
    }
    trace = SearchTrace{board.columns, board.rows, {}};
    EventReader events{board, trace, "", 0, {}};
    RawTrace raw;
    raw.onEvent = [&events](const RawEvent& e) { events.read(e); };
    if (const std::string why = parseTrace(in, traceFileIsJson(path), raw); !why.empty()) {
        return fileName + ": " + why;
    }
    if (!raw.version || (*raw.version != "1" && raw.version->rfind("1.", 0) != 0)) {
        return fileName + ": not a search trace of format 1.x (its version is " +
               (raw.version ? "\"" + *raw.version + "\"" : std::string("missing")) + ")";
    }
    if (!raw.hasEvents) {
        return fileName + ": not a search trace: it has no list of events";
    }
    return events.fault.empty() ? "" : fileName + ": " + events.fault;
}
