// The race in the window: its four views' places, titles and labels, and its layout. The
// racers themselves, their walks and how they follow the world's, are the session's
// (world/session.h); each racer's walk is planned and drawn like the world's.
#pragma once

#include "view/board_sight.h"
#include "world/world.h"

#include <cstddef>
#include <string>

inline bool raceOn(const World& w) {
    return w.session.racing;
}
// Whether every racer's search has ended and its playback with it.
bool raceOver(const World& w);
// A racer's place by tiles closed, 1 to 4, ties sharing one.
int racePlace(const World& w, int index);
// " | race: first-sight A* closed 23 walk 136; A* closed 22 walk 118; ..."
std::string raceTitle(const World& w);
// A racer's label: its search's name and figures, and once the race is over its place and
// whether its walk is a cheapest, on a line of their own: "A*: closed 22, open 30, walk 118,
// cheapest 118\n1st, cheapest".
void writeRacerLabel(const World& w, int index, char* out, size_t size);

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
