// The search view's logic: taking up what the last search recorded, the playback and its
// keys, and the title text. Its drawing is in world/search_marks.cpp.
#include "view/search_view.h"

#include "platform/glfw2.h"

#include <algorithm>
#include <cmath>

SearchView searchView;
double searchPlaySeconds = 2.0;

namespace {

// The record's tiles by tile: where each stands in the closing order and when it joined
// the open list; and the walk found against the cheapest one.
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

// "tile 7,9: g 68, h 80, f 148, from 8,8" for a tile the last search touched, else "".
std::string hoverText(const World& w) {
    const int tile = searchView.hoverTile;
    const SearchRecord& record = w.search;
    if (tile < 0 || tile >= static_cast<int>(w.nodes.size()) || record.start < 0) {
        return "";
    }
    const GridNode& node = w.nodes[tile];
    const std::string name = "tile " + tileName(w, tile) + ": ";
    if (tile == record.start) {
        return name + "start";
    }
    if (tile == record.target) {
        // The search never sets the target's costs; only its parent, when it gets there.
        return record.found ? name + "target, from " + tileName(w, node.parent->index) : "";
    }
    if (searchView.closedRank[tile] < 0 && searchView.openedAt[tile] < 0) {
        return "";
    }
    return name + "g " + std::to_string(node.g) + ", h " + std::to_string(node.h) + ", f " +
           std::to_string(node.f) + ", from " + tileName(w, node.parent->index);
}

} // namespace

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
        if (searchView.mode == SearchViewMode::Off) {
            searchView.mode = SearchViewMode::Marks;
            takeUp(w, false); // a search made while it was off shows finished at once
        } else if (searchView.mode == SearchViewMode::Marks) {
            searchView.mode = SearchViewMode::Costs;
        } else {
            // Off ends a playback: the monkey sets off at once.
            searchView.mode = SearchViewMode::Off;
            searchView.playing = false;
        }
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
    if (searchView.mode == SearchViewMode::Off) {
        return;
    }
    if (w.search.serial != searchView.serial) {
        takeUp(w, true);
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
    const SearchRecord& record = w.search;
    const int closed = static_cast<int>(record.closed.size());
    // Every closed tile but the start left the open list for it.
    const int open = static_cast<int>(record.opened.size()) - std::max(closed - 1, 0);
    std::string text = " | closed " + std::to_string(closed) + ", open " + std::to_string(open);
    if (record.start >= 0 && record.found) {
        text += ", walk " + std::to_string(searchView.found.cost) + ", cheapest " +
                std::to_string(searchView.cheapest.cost);
    } else {
        text += ", no walk";
    }
    if (searchView.mode == SearchViewMode::Costs) {
        const std::string hover = hoverText(w);
        if (!hover.empty()) {
            text += " | " + hover;
        }
    }
    return text;
}
