// The application shell: start-up, the frame loop, the keyboard and the frame-rate title.
#pragma once

#include "world/world.h"

#include <string>

extern int windowWidth;
extern int windowHeight;
extern bool running;
extern double frameStartTime;
extern int framesThisInterval;
// Set by the key callback when Escape is pressed, so that a press and release that fall
// into one event poll still end the program at the end of that frame.
extern bool escapeRequested;

// Frame-rate cap and title (app/title.cpp)
extern double targetFrameRate;
extern double frameBusyTime;
extern double fpsIntervalStart;
extern std::string titlePrefix;

// A notice after the frame rate in the title, for NoticeSeconds ("" takes it away).
inline constexpr double NoticeSeconds = 5.0;
void showTitleNotice(const std::string& text, double now);
// The notice shown at `now`, "" when none; the panel shows it too.
const char* titleNotice(double now);

// The map edited while the program runs (app/map_edit.cpp).
void reloadMap(double now);
void saveMap(double now);
void paintTileNow(int index, int code, double now);
// A made map replaces the world, like a reload, as unsaved paints; G makes the next seed
// of the last recipe (at first a maze of the board's size, seed 1).
struct MapRecipe;
void makeNewMap(const MapRecipe& recipe, double now);
void makeNextMap(double now);
// The search the walk is planned with (the keys 1 to 5): the walk is planned again.
void chooseSearch(SearchKind kind);

// The start view for the board and the window as they are now (Space, start-up, a new
// board); panning by the held keys W, A, S and D over `seconds`.
void putViewBack();
void panWithKeys(double seconds);

bool startUp();
void setupGlState();
void updateViewport();
void runFrame();
void runFrameLoop();
void updateTitle();
std::string rateText(double rate);
void keyCallback(int key, int action);
