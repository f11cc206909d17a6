// What every scene of the demo works with: the X driver, the running program, the map, the
// window's latest picture and the frames folder; and how a scene waits on the window, clicks
// its tiles and saves what it shows. Waits look for what the window shows, never for a fixed
// time, so a slow or busy machine only makes the demo take longer.
#pragma once

#include "tools/xdriver/x_driver.h"
#include "world/world.h"

#include <chrono>
#include <functional>
#include <string>
#include <vector>

// How long the demo waits for anything the window should show: long enough for a busy
// machine's software OpenGL.
inline constexpr double Patience = 60.0;

struct Demo {
    XDriver& x;
    RunningProgram& running;
    World& map;         // the program's map, read here too: where tiles show, which walks to take
    std::string out;    // the screenshots' folder
    std::string frames; // the walk's frames' folder; empty for none
    // The first walk, the longest the map offers: its ends, and its tiles, the start first.
    int start = 0;
    int target = 0;
    std::vector<int> walk;
    Picture seen = {}; // the latest picture of the window
    // While recording, a picture about every 0.1 s goes to the frames folder, as walk-000.png
    // and on.
    bool recording = false;
    int framesSaved = 0;
    std::chrono::steady_clock::time_point lastFrame = std::chrono::steady_clock::now();
};

// Polls the window until it shows what `shown` looks for in its picture (kept in demo.seen),
// saving frames meanwhile while recording. A wait that runs out is told and the demo goes on;
// false once the program has ended.
bool waitFor(Demo& demo, const char* what, const std::function<bool()>& shown);

// For waitFor: whether the picture is the one seen at the title's change before: a whole
// frame has been drawn in between (the title changes at a frame's end) and nothing moved.
std::function<bool()> still(Demo& demo);

// Lets the program run whole frames for `span` (see settle).
void settleFor(Demo& demo, std::chrono::milliseconds span);

// Clicks the tile as the start camera shows it.
void clickTile(Demo& demo, int index);

// Saves demo.seen as `name` in the screenshots' folder, and tells so.
bool save(const Demo& demo, const std::string& name);

void printTitle(Demo& demo);
