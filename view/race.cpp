// The race's logic: the racers' walks, planned and played back together; its drawing and
// layout are in view/board_draw.cpp.
#include "view/race.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <utility>

Race race;

namespace {

// The tiles a walk lights besides the banana's: its start and the tiles of its walk.
void lightWalk(World& w, bool on) {
    if (w.startNode && w.monkey.visible) {
        w.startNode->marked = on;
    }
    for (int tile : w.search.walk) {
        w.nodes[tile].marked = on;
    }
    if (w.targetNode && w.banana.visible) {
        w.targetNode->marked = true; // the banana's tile is every walk's
    }
}

// Each racer swapped in, `act` done on the world, swapped out; then the four taken up and
// played back together from the start.
template <typename Act> void eachRacer(World& w, Act act) {
    // The racers' searches run at once: only the world's own goes on over frames.
    const long long slice = w.searchSlice;
    w.searchSlice = LLONG_MAX;
    for (int i = 0; i < RacerCount; i++) {
        swapRacer(w, race.racers[i]);
        act(i);
        takeUpSearch(w);
        swapRacer(w, race.racers[i]);
    }
    w.searchSlice = slice;
    restartPlayback(raceSteps());
}

// The racer swapped in starts a new walk on `start`: the monkey there, and when the banana
// is out, its search to it.
void startOver(World& w, GridNode* start) {
    lightWalk(w, false);
    w.clearSearchRecord();
    w.path.clear();
    w.walking = false;
    w.stepFrame = 0;
    w.startNode = start;
    if (!start) {
        return;
    }
    w.walkFromX = start->mesh.position[0];
    w.walkFromZ = start->mesh.position[2];
    w.monkey.position[0] = w.walkFromX;
    w.monkey.position[1] = 1.0f;
    w.monkey.position[2] = w.walkFromZ;
    lightWalk(w, true);
    if (w.banana.visible && w.targetNode) {
        w.findPath();
    }
}

// The tile the world's walk started from: its search's start, or the monkey's tile.
GridNode* walkStart(World& w) {
    if (!w.monkey.visible) {
        return nullptr;
    }
    return w.search.start >= 0 ? &w.nodes[w.search.start] : w.startNode;
}

} // namespace

bool raceOn() {
    return race.on;
}

void swapRacer(World& w, Racer& r) {
    lightWalk(w, false);
    std::swap(w.walking, r.walking);
    std::swap(w.stepFrame, r.stepFrame);
    std::swap(w.path, r.path);
    std::swap(w.walkFromX, r.walkFromX);
    std::swap(w.walkFromZ, r.walkFromZ);
    std::swap(w.bobFrame, r.bobFrame);
    std::swap_ranges(w.monkey.position, w.monkey.position + 3, r.monkeyPosition);
    std::swap(w.monkey.angle, r.monkeyAngle);
    std::swap(w.startNode, r.startNode);
    std::swap(w.searchKind, r.kind);
    std::swap(w.search, r.search);
    std::swap(searchView.search, r.shown);
    lightWalk(w, true);
}

void setRace(World& w, bool on) {
    if (on == race.on) {
        return;
    }
    race.on = on;
    if (!on) {
        // The world's own walk shows again, as its search left it.
        searchView.playing = false;
        searchView.shown = searchViewSteps(w);
        return;
    }
    // The point of a race is to see the searches at work.
    if (searchView.mode == SearchViewMode::Off) {
        searchView.mode = SearchViewMode::Marks;
    }
    for (Racer& r : race.racers) {
        r = racerFor(r.kind);
    }
    GridNode* start = walkStart(w);
    eachRacer(w, [&](int) { startOver(w, start); });
}

void raceFollowClick(World& w) {
    if (!race.on) {
        return;
    }
    GridNode* start = walkStart(w);
    eachRacer(w, [&](int) { startOver(w, start); });
}

void raceFollowPaint(World& w) {
    if (!race.on || !w.banana.visible) {
        return;
    }
    eachRacer(w, [&](int) { w.replan(); });
}

void raceFollowReload(World& w) {
    if (race.on) {
        race.on = false;
        setRace(w, true);
    }
}

void setRacer(World& w, int index, SearchKind kind) {
    Racer& r = race.racers[index];
    r.kind = kind;
    if (!race.on) {
        return;
    }
    const long long slice = w.searchSlice;
    w.searchSlice = LLONG_MAX;
    swapRacer(w, r);
    if (w.banana.visible) {
        w.replan();
    }
    takeUpSearch(w);
    swapRacer(w, r);
    w.searchSlice = slice;
    restartPlayback(raceSteps());
}

bool raceFigureOn(World& w, int tile) {
    if (!race.on) {
        return false;
    }
    bool on = false;
    for (Racer& r : race.racers) {
        swapRacer(w, r);
        on = on || w.figureOn(tile);
        swapRacer(w, r);
    }
    return on;
}

int raceSteps() {
    int steps = 0;
    for (const Racer& r : race.racers) {
        steps = std::max(steps, static_cast<int>(r.search.closed.size()));
    }
    return steps;
}

std::string raceTitle(const World& w) {
    (void)w;
    std::string text = " | race: ";
    for (int i = 0; i < RacerCount; i++) {
        const SearchRecord& record = race.racers[i].search;
        char part[96];
        const int closed = static_cast<int>(record.closed.size());
        if (record.start >= 0 && record.found) {
            std::snprintf(part, sizeof part, "%s closed %d walk %d",
                          searchName(race.racers[i].kind), closed, race.racers[i].shown.found.cost);
        } else {
            std::snprintf(part, sizeof part, "%s closed %d no walk",
                          searchName(race.racers[i].kind), closed);
        }
        text += (i > 0 ? "; " : "") + std::string(part);
    }
    return text;
}

void writeRacerFigures(World& w, int index, char* out, size_t size) {
    Racer& r = race.racers[index];
    swapRacer(w, r);
    writeSearchFigures(w, out, size);
    swapRacer(w, r);
}

void writeRacerHover(World& w, int index, int tile, char* out, size_t size) {
    Racer& r = race.racers[index];
    swapRacer(w, r);
    writeHoverFigures(w, tile, out, size);
    swapRacer(w, r);
}
