// What the search view says: a walk's figures, what its search knows of a tile, and the
// title's part, each for the walk it is handed.
#include "view/race.h"
#include "view/search_view.h"

#include <cmath>
#include <cstdio>

namespace {

std::string tileName(const Board& board, int tile) {
    return std::to_string(tile % board.columns) + "," + std::to_string(tile / board.columns);
}

// A trace's cost as it gave it, whatever the rule it was written under: whole, or to two
// decimals.
std::string tracedCost(double cost) {
    char text[32];
    std::snprintf(text, sizeof text, cost == std::floor(cost) ? "%.0f" : "%.2f", cost);
    return text;
}

// What a trace file gave of the tile, as far as it gave it.
void writeTracedFigures(const Board& board, const SearchRecord& record, int tile, char* out,
                        size_t size) {
    const TileCosts& c = record.traced.costs[static_cast<std::size_t>(tile)];
    std::string text;
    for (const auto& [word, value] : {std::pair{"g ", c.g}, {"h ", c.h}, {"f ", c.f}}) {
        if (!std::isnan(value)) {
            text += (text.empty() ? "" : ", ") + std::string(word) + tracedCost(value);
        }
    }
    if (c.from >= 0) {
        text += (text.empty() ? "from " : ", from ") + tileName(board, c.from);
    }
    std::snprintf(out, size, "%s", text.c_str());
}

} // namespace

std::string withCommas(long long n) {
    std::string digits = std::to_string(n);
    for (int at = static_cast<int>(digits.size()) - 3; at > (n < 0 ? 1 : 0); at -= 3) {
        digits.insert(static_cast<std::size_t>(at), ",");
    }
    return digits;
}

void writeSearchFigures(const Board& board, const Walk& walk, char* out, size_t size, bool named) {
    const SearchRecord& record = walk.search;
    char name[32] = "";
    if (named && record.kind != SearchKind::FirstSightAStar) {
        std::snprintf(name, sizeof name, "%s: ", searchName(record.kind));
    }
    // D* Lite's plan under way keeps its closings until it ends.
    const bool dstar = walk.dstarBegun && walk.planning == Planning::Walk;
    const int closed =
        static_cast<int>(dstar ? walk.dstar.closedLastPlan().size() : record.closed.size());
    const int open = record.stillOpen();
    if (record.traced.fromFile) {
        // Played from a trace file: its own counts, and the cost its end gives.
        const double cost = record.traced.walkCost;
        std::snprintf(out, size, "trace: closed %d, open %d, %s%s", closed, record.traced.open,
                      std::isnan(cost) ? "no walk" : "walk ",
                      std::isnan(cost) ? "" : tracedCost(cost).c_str());
    } else if (walk.searching()) {
        std::snprintf(out, size, "searching: %s of %s tiles", withCommas(closed).c_str(),
                      withCommas(board.tileCount()).c_str());
    } else if (record.start >= 0 && record.found && walk.newSearchClosed >= 0) {
        // D* Lite repaired its last search: what that closed, beside a search from nothing.
        std::snprintf(out, size, "%srepaired: closed %s (a new search: %s), walk %s, cheapest %s",
                      name, withCommas(closed).c_str(), withCommas(walk.newSearchClosed).c_str(),
                      costText(walk.found.cost, board.rule, walk.kind).c_str(),
                      costText(walk.cheapest.cost, board.rule).c_str());
    } else if (record.start >= 0 && record.found) {
        std::snprintf(out, size, "%sclosed %d, open %d, walk %s, cheapest %s", name, closed, open,
                      costText(walk.found.cost, board.rule, walk.kind).c_str(),
                      costText(walk.cheapest.cost, board.rule).c_str());
    } else {
        std::snprintf(out, size, "%sclosed %d, open %d, no walk", name, closed, open);
    }
}

void writeHoverFigures(const Board& board, const Walk& walk, int tile, char* out, size_t size) {
    out[0] = '\0';
    const SearchRecord& record = walk.search;
    if (walk.planning == Planning::Walk || record.start < 0 || tile < 0 ||
        tile >= board.tileCount()) {
        return;
    }
    if (record.traced.fromFile) {
        writeTracedFigures(board, record, tile, out, size);
    } else if (tile == record.start) {
        std::snprintf(out, size, "start");
    } else if (tile == record.target) {
        // The program's search never sets the target's costs; only where it came from.
        if (record.found) {
            std::snprintf(out, size, "target, from %s", tileName(board, record.targetFrom).c_str());
        }
    } else if (walk.query.joinedAt(tile) >= 0) {
        // Every tile the search touched but the start joined the open list.
        const TileCosts c = walk.query.costsOf(tile);
        const SearchKind kind = record.kind;
        std::snprintf(out, size, "g %s, h %s, f %s, from %s",
                      costText(c.g, board.rule, kind).c_str(),
                      costText(c.h, board.rule, kind).c_str(),
                      costText(c.f, board.rule, kind).c_str(), tileName(board, c.from).c_str());
    }
}

std::string searchViewTitle(const World& w) {
    if (raceOn(w)) {
        return raceTitle(w);
    }
    if (w.session.view.mode == SearchViewMode::Off) {
        return "";
    }
    char figures[FiguresLength];
    writeSearchFigures(w.board, w.walk, figures, sizeof figures);
    std::string text = std::string(" | ") + figures;
    const int tile = w.session.view.hoverTile;
    char hover[FiguresLength] = "";
    if (w.session.view.mode == SearchViewMode::Costs) {
        writeHoverFigures(w.board, w.walk, tile, hover, sizeof hover);
    }
    if (hover[0] != '\0') {
        text += " | tile " + tileName(w.board, tile) + ": " + hover;
    }
    return text;
}
