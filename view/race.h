// The race: four searches side by side on the same board, each in a quarter of the board's
// part of the window, with its own walk (its marks, lit walk and monkey), all from the same
// camera and to the same banana. C starts and ends it. Each racer's walk is a value of its
// own, planned and drawn like the world's; the world's own walk goes on under the race and
// shows again when it ends.
#pragma once

#include "view/board_sight.h"
#include "world/world.h"

#include <cstddef>
#include <string>

constexpr int RacerCount = 4;

struct Racer {
    Walk walk;
    FlatBoard flat; // the view's picture of the board drawn flat
};

struct Race {
    bool on = false;
    // By viewport: top left, top right, bottom left, bottom right.
    Racer racers[RacerCount];
    Race();
};

extern Race race;

bool raceOn();
// Starts the race on the world's walk (C or the panel) or ends it.
void setRace(World& w, bool on);
// The world's walk was started over or searched (a click), or its map painted or read
// again: the racers follow.
void raceFollowClick(World& w);
// A figure of the world's walk was dragged onto another tile: the racers start over on the
// world's start and, with the banana out, are planned to it, as after a click. While the
// monkey is dragged, each racer's monkey waits on that start (`holdRacersMonkeys`, every
// frame) until it is let go.
void raceFollowDrag(World& w);
void holdRacersMonkeys(const World& w);
void raceFollowPaint(World& w);
void raceFollowReload(World& w);
// Viewport `index` races with `kind` from now on, planned again from where its monkey is.
void setRacer(World& w, int index, SearchKind kind);
// The heuristic and weight a view's racer counts with, where its search takes them.
void setRacerSettings(World& w, int index, const SearchSettings& settings);
// Whether a racer's monkey stands on `tile` or steps onto it: no tree is painted there.
bool raceFigureOn(const World& w, int tile);
// The racers' searches under way, carried on by `tiles` each, one racer after another;
// whether any is still under way.
bool advanceRace(World& w, long long tiles);
// Whether every racer's search has ended and its playback with it.
bool raceOver();
// A racer's place by tiles closed, 1 to 4, ties sharing one.
int racePlace(int index);
// " | race: first-sight A* closed 23 walk 136; A* closed 22 walk 118; ..."
std::string raceTitle(const Board& board);
// A racer's label: its search's name and figures, and once the race is over its place and
// whether its walk is a cheapest, on a line of their own: "A*: closed 22, open 30, walk 118,
// cheapest 118\n1st, cheapest".
void writeRacerLabel(const Board& board, int index, char* out, size_t size);

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
void drawBoard(World& w);
// Before a pick at window pixel (x, y): the viewport and camera of the view there.
void aimPickAt(int x, int y);
