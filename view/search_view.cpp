// The search view's logic: taking up what the last search recorded, the playback and its
// keys, and the title text. Its marks are drawn in view/search_marks.cpp.
#include "view/search_view.h"

#include "platform/glfw2.h"
#include "view/race.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

SearchView searchView;
double searchPlaySeconds = 2.0;

namespace {

std::string tileName(const World& w, int tile) {
    return std::to_string(tile % w.columns) + "," + std::to_string(tile / w.columns);
}

} // namespace

void takeUpSearch(const World& w) {
    const SearchRecord& record = w.search;
    ShownSearch& shown = searchView.search;
    shown.serial = record.serial;
    shown.closedRank.assign(w.nodes.size(), -1);
    shown.openedIndex.assign(w.nodes.size(), -1);
    for (size_t i = 0; i < record.closed.size(); i++) {
        shown.closedRank[record.closed[i]] = static_cast<int>(i);
    }
    for (size_t i = 0; i < record.opened.size(); i++) {
        shown.openedIndex[record.opened[i]] = static_cast<int>(i);
    }
    shown.found = Walk();
    shown.cheapest = Walk();
    if (record.start >= 0) {
        if (record.found) {
            shown.found = Walk{record.walk, w.walkCost(record.start, record.walk)};
        }
        shown.cheapest = w.cheapestWalk(record.start, record.target);
    }
}

void restartPlayback(int steps) {
    searchView.playing = searchView.mode != SearchViewMode::Off && steps > 0;
    searchView.paused = false;
    searchView.shown = searchView.playing ? 0.0 : steps;
}

void syncSearchView(const World& w) {
    // A search still going on over frames is taken up once it ends.
    if (w.search.serial != searchView.search.serial && !w.searchUnderWay()) {
        takeUpSearch(w);
        // A race takes up its four itself and plays them back together.
        if (!raceOn()) {
            restartPlayback(searchViewSteps(w));
        }
    }
}

void forgetSearchView() {
    searchView.search = ShownSearch();
    searchView.playing = false;
}

void writeHoverFigures(const World& w, int tile, char* out, size_t size) {
    syncSearchView(w);
    out[0] = '\0';
    const SearchRecord& record = w.search;
    const ShownSearch& shown = searchView.search;
    if (tile < 0 || tile >= static_cast<int>(shown.closedRank.size()) || record.start < 0) {
        return;
    }
    if (tile == record.start) {
        std::snprintf(out, size, "start");
    } else if (tile == record.target) {
        // The program's search never sets the target's costs; only where it came from.
        if (record.found) {
            std::snprintf(out, size, "target, from %d,%d", record.targetFrom % w.columns,
                          record.targetFrom / w.columns);
        }
    } else if (shown.openedIndex[tile] >= 0) {
        // Every tile the search touched but the start joined the open list.
        const TileCosts& c = record.openedCosts[shown.openedIndex[tile]];
        std::snprintf(out, size, "g %d, h %d, f %d, from %d,%d", c.g, c.h, c.f, c.from % w.columns,
                      c.from / w.columns);
    }
}

void writeSearchFigures(const World& w, char* out, size_t size) {
    syncSearchView(w);
    const SearchRecord& record = w.search;
    const int closed = static_cast<int>(record.closed.size());
    const int open = record.stillOpen();
    char name[32] = "";
    if (record.kind != SearchKind::FirstSightAStar) {
        std::snprintf(name, sizeof name, "%s: ", searchName(record.kind));
    }
    if (record.start >= 0 && record.found) {
        std::snprintf(out, size, "%sclosed %d, open %d, walk %d, cheapest %d", name, closed, open,
                      searchView.search.found.cost, searchView.search.cheapest.cost);
    } else {
        std::snprintf(out, size, "%sclosed %d, open %d, no walk", name, closed, open);
    }
}

void setSearchViewMode(const World& w, SearchViewMode mode) {
    syncSearchView(w);
    if (searchView.mode == SearchViewMode::Off && mode != SearchViewMode::Off) {
        // A search made while it was off shows finished at once.
        searchView.playing = false;
        searchView.paused = false;
        searchView.shown = playbackSteps(w);
    } else if (mode == SearchViewMode::Off) {
        // Off ends a playback: the monkey sets off at once.
        searchView.playing = false;
    }
    searchView.mode = mode;
}

int searchViewSteps(const World& w) {
    return static_cast<int>(w.search.closed.size());
}

int playbackSteps(const World& w) {
    return raceOn() ? raceSteps() : searchViewSteps(w);
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
    const int steps = playbackSteps(w);
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
    const int steps = playbackSteps(w);
    if (searchView.paused || searchView.shown >= steps) {
        return;
    }
    searchView.shown =
        std::min(searchView.shown + elapsed * steps / searchPlaySeconds, double(steps));
    if (searchView.shown >= steps) {
        searchView.playing = false;
    }
}

TileMark searchViewMark(const World& w, int tile) {
    const ShownSearch& shown = searchView.search;
    if (searchView.mode == SearchViewMode::Off || tile < 0 ||
        tile >= static_cast<int>(shown.closedRank.size())) {
        return TileMark::None;
    }
    const int step = searchViewStep();
    const int rank = shown.closedRank[tile];
    if (rank >= 0 && rank < step) {
        return TileMark::Closed;
    }
    const int opened = shown.openedIndex[tile];
    const int joined = opened >= 0 ? w.search.openedAt[opened] : -1;
    return joined >= 0 && joined <= step && step > 0 ? TileMark::Open : TileMark::None;
}

int closedCost(const World& w, int tile) {
    const int opened = searchView.search.openedIndex[tile];
    return opened >= 0 ? w.search.openedCosts[opened].g : 0; // the start: 0
}

bool searchViewHoldsWalk(const World& w) {
    return searchView.mode != SearchViewMode::Off && searchView.playing &&
           searchView.shown < searchViewSteps(w);
}

std::string searchViewTitle(const World& w) {
    if (raceOn()) {
        return raceTitle(w);
    }
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
