// The race: four searches side by side on the same board, each in a quarter of the board's
// part of the window, with its own marks, lit walk and monkey, all from the same camera and
// to the same banana. C starts and ends it.
//
// Each racer keeps what is its own of a walk. To plan, draw or ask about it, the racer is
// swapped into the world for a moment (swapRacer), so that the world's own search, walker,
// drawing and search view serve it unchanged, and swapped out again; between those moments
// the world holds its own walk, the one of the search chosen with the keys 1 to 5, which
// goes on under the race and shows again when it ends.
#pragma once

#include "view/search_view.h"
#include "world/world.h"

#include <string>
#include <vector>

constexpr int RacerCount = 4;

struct Racer {
    // The racer's search, and the walk as the world holds it while the racer is swapped in.
    SearchKind kind = SearchKind::FirstSightAStar;
    bool walking = false;
    int stepFrame = 0;
    std::vector<Vec3> path;
    float walkFromX = 0.0f;
    float walkFromZ = 0.0f;
    int bobFrame = 0;
    float monkeyPosition[3] = {0.0f, 0.0f, 0.0f};
    float monkeyAngle = 0.0f;
    GridNode* startNode = nullptr;
    SearchRecord search;
    ShownSearch shown;
};

// A racer that has not set off yet, racing with `kind`.
inline Racer racerFor(SearchKind kind) {
    Racer r;
    r.kind = kind;
    return r;
}

struct Race {
    bool on = false;
    // By viewport: top left, top right, bottom left, bottom right.
    Racer racers[RacerCount] = {racerFor(SearchKind::FirstSightAStar), racerFor(SearchKind::AStar),
                                racerFor(SearchKind::Dijkstra), racerFor(SearchKind::Greedy)};
};

extern Race race;

bool raceOn();
// Exchanges what is the racer's own of a walk with what the world holds; twice undoes it.
void swapRacer(World& w, Racer& racer);
// Starts the race on the world's walk (C or the panel) or ends it.
void setRace(World& w, bool on);
// The world's walk was started over or searched (a click), or its map painted or read
// again: the racers follow.
void raceFollowClick(World& w);
void raceFollowPaint(World& w);
void raceFollowReload(World& w);
// Viewport `index` races with `kind` from now on, planned again from where its monkey is.
void setRacer(World& w, int index, SearchKind kind);
// Whether a racer's monkey stands on `tile` or steps onto it: no tree is painted there.
bool raceFigureOn(World& w, int tile);
// The most tiles any racer closed: the race's playback steps.
int raceSteps();
// " | race: first-sight A* closed 23 walk 136; A* closed 22 walk 118; ..."
std::string raceTitle(const World& w);
// A racer's figures as the search view writes them, and what its search knows of `tile`.
void writeRacerFigures(World& w, int index, char* out, size_t size);
void writeRacerHover(World& w, int index, int tile, char* out, size_t size);

// Layout (view/board_draw.cpp). Viewport `index` of the race in window pixels, origin top
// left; the one under window pixel (x, y), or -1.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
PixelRect raceViewport(int index);
int raceViewportAt(int x, int y);
// The board, once a frame after the camera: one view, or the four of the race.
void drawBoard();
// Before a pick at window pixel (x, y): the viewport and camera of the view there.
void aimPickAt(int x, int y);
