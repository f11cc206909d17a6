// The search view's logic: taking up what the last search recorded, the playback and its
// keys, and the title text. Its drawing is in world/search_marks.cpp.
#include "view/search_view.h"

#include "platform/glfw2.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

SearchView searchView;
double searchPlaySeconds = 2.0;

namespace {

// The record's tiles by tile: where each stands in the closing order and when it joined
// the open list; and the walk found against the cheapest one. Taken up for every search,
// the view on or off, so that the panel always has the figures.
void takeUp(const World& w, bool playBack) {
    const SearchRecord& record = w.search;
    searchView.serial = record.serial;
    searchView.closedRank.assign(w.nodes.size(), -1);
    searchView.openedAt.assign(w.nodes.size(), -1);
    for (size_t i = 0; i < record.closed.size(); i++) {
        searchView.closedRank[record.closed[i]] = static_cast<int>(i);
    }
    for (size_t i = 0; i < record.opened.size(); i++) {
        searchView.openedAt[record.opened[i]] = record.openedAt[i];
    }
    searchView.found = Walk();
    searchView.cheapest = Walk();
    if (record.start >= 0) {
        if (record.found) {
            searchView.found = Walk{record.walk, w.walkCost(record.start, record.walk)};
        }
        searchView.cheapest = w.cheapestWalk(record.start, record.target);
    }
    const int steps = static_cast<int>(record.closed.size());
    searchView.playing = playBack && steps > 0;
    searchView.paused = false;
    searchView.shown = searchView.playing ? 0.0 : steps;
}

std::string tileName(const World& w, int tile) {
    return std::to_string(tile % w.columns) + "," + std::to_string(tile / w.columns);
}

} // namespace

void syncSearchView(const World& w) {
    if (w.search.serial != searchView.serial) {
        takeUp(w, searchView.mode != SearchViewMode::Off);
    }
}

void forgetSearchView() {
    searchView.serial = -1;
    searchView.closedRank.clear();
    searchView.openedAt.clear();
    searchView.playing = false;
}

void writeHoverFigures(const World& w, int tile, char* out, size_t size) {
    syncSearchView(w);
    out[0] = '\0';
    const SearchRecord& record = w.search;
    if (tile < 0 || tile >= static_cast<int>(searchView.closedRank.size()) || record.start < 0) {
        return;
    }
    const GridNode& node = w.nodes[tile];
    const int fromColumn = node.parent ? node.parent->index % w.columns : 0;
    const int fromRow = node.parent ? node.parent->index / w.columns : 0;
    if (tile == record.start) {
        std::snprintf(out, size, "start");
    } else if (tile == record.target) {
        // The search never sets the target's costs; only its parent, when it gets there.
        if (record.found) {
            std::snprintf(out, size, "target, from %d,%d", fromColumn, fromRow);
        }
    } else if (searchView.closedRank[tile] >= 0 || searchView.openedAt[tile] >= 0) {
        std::snprintf(out, size, "g %d, h %d, f %d, from %d,%d", node.g, node.h, node.f, fromColumn,
                      fromRow);
    }
}

void writeSearchFigures(const World& w, char* out, size_t size) {
    syncSearchView(w);
    const SearchRecord& record = w.search;
    const int closed = static_cast<int>(record.closed.size());
    // Every closed tile but the start left the open list for it.
    const int open = static_cast<int>(record.opened.size()) - std::max(closed - 1, 0);
    if (record.start >= 0 && record.found) {
        std::snprintf(out, size, "closed %d, open %d, walk %d, cheapest %d", closed, open,
                      searchView.found.cost, searchView.cheapest.cost);
    } else {
        std::snprintf(out, size, "closed %d, open %d, no walk", closed, open);
    }
}

void setSearchViewMode(const World& w, SearchViewMode mode) {
    syncSearchView(w);
    if (searchView.mode == SearchViewMode::Off && mode != SearchViewMode::Off) {
        // A search made while it was off shows finished at once.
        searchView.playing = false;
        searchView.paused = false;
        searchView.shown = searchViewSteps(w);
    } else if (mode == SearchViewMode::Off) {
        // Off ends a playback: the monkey sets off at once.
        searchView.playing = false;
    }
    searchView.mode = mode;
}

int searchViewSteps(const World& w) {
    return static_cast<int>(w.search.closed.size());
}

int searchViewStep() {
    return static_cast<int>(searchView.shown);
}

void searchViewKey(const World& w, int key, int action) {
    if (action != GLFW_PRESS) {
        return;
    }
    if (key == 'O') {
        const SearchViewMode next = searchView.mode == SearchViewMode::Off ? SearchViewMode::Marks
                                    : searchView.mode == SearchViewMode::Marks
                                        ? SearchViewMode::Costs
                                        : SearchViewMode::Off;
        setSearchViewMode(w, next);
        return;
    }
    if (searchView.mode == SearchViewMode::Off) {
        return;
    }
    const int steps = searchViewSteps(w);
    if (key == 'P') {
        searchView.paused = !searchView.paused;
        if (!searchView.paused && searchView.shown >= steps) {
            searchView.playing = false;
        }
    } else if (key == GLFW_KEY_RIGHT && searchView.paused) {
        searchView.shown = std::min(std::floor(searchView.shown) + 1.0, double(steps));
    } else if (key == GLFW_KEY_LEFT && (searchView.paused || searchView.shown >= steps)) {
        // Back from the end pauses there; the walk, once under way, goes on.
        searchView.shown = std::max(std::ceil(searchView.shown) - 1.0, 0.0);
        searchView.paused = true;
    }
    if (searchView.shown >= steps) {
        searchView.playing = false;
    }
}

void advanceSearchView(const World& w, double now) {
    // A frame that stalled must not jump the playback on.
    const double elapsed =
        searchView.lastTime < 0.0 ? 0.0 : std::clamp(now - searchView.lastTime, 0.0, 0.1);
    searchView.lastTime = now;
    syncSearchView(w);
    if (searchView.mode == SearchViewMode::Off) {
        return;
    }
    const int steps = searchViewSteps(w);
    if (searchView.paused || searchView.shown >= steps) {
        return;
    }
    searchView.shown =
        std::min(searchView.shown + elapsed * steps / searchPlaySeconds, double(steps));
    if (searchView.shown >= steps) {
        searchView.playing = false;
    }
}

TileMark searchViewMark(int tile) {
    if (searchView.mode == SearchViewMode::Off || tile < 0 ||
        tile >= static_cast<int>(searchView.closedRank.size())) {
        return TileMark::None;
    }
    const int step = searchViewStep();
    const int rank = searchView.closedRank[tile];
    if (rank >= 0 && rank < step) {
        return TileMark::Closed;
    }
    const int joined = searchView.openedAt[tile];
    return joined >= 0 && joined <= step && step > 0 ? TileMark::Open : TileMark::None;
}

bool searchViewHoldsWalk() {
    return searchView.mode != SearchViewMode::Off && searchView.playing;
}

std::string searchViewTitle(const World& w) {
    if (searchView.mode == SearchViewMode::Off) {
        return "";
    }
    char figures[FiguresLength];
    writeSearchFigures(w, figures, sizeof figures);
    std::string text = std::string(" | ") + figures;
    const int tile = searchView.hoverTile;
    char hover[FiguresLength] = "";
    if (searchView.mode == SearchViewMode::Costs) {
        writeHoverFigures(w, tile, hover, sizeof hover);
    }
    if (hover[0] != '\0') {
        text += " | tile " + tileName(w, tile) + ": " + hover;
    }
    return text;
}
