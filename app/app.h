// The application shell: start-up, the frame loop, the keyboard and the frame-rate title.
#pragma once

#include "app/actions.h"
#include "world/world.h"

#include <string>

// The window's size at start; the drawing area's size as the frame loop last read it.
inline constexpr int StartWindowWidth = 1280;
inline constexpr int StartWindowHeight = 720;
extern int windowWidth;
extern int windowHeight;
extern bool running;
// Set by the key callback when Escape is pressed, so that a press and release that fall
// into one event poll still end the program at the end of that frame.
extern bool escapeRequested;

// The frame clock, one process-wide record: the timer at the frame's start, the frames
// since the last title, the work of the latest frame (without the cap's sleep), when the
// title's interval began, and the frame rate the cap aims at.
struct FrameClock {
    double frameStartTime = 0.0;
    int framesThisInterval = 0;
    double frameBusyTime = 0.0;
    double fpsIntervalStart = 0.0;
    double targetFrameRate = 70.0;
};
extern FrameClock frameClock;
extern std::string titlePrefix;

// A notice after the frame rate in the title, for NoticeSeconds ("" takes it away).
inline constexpr double NoticeSeconds = 5.0;
void showTitleNotice(const std::string& text, double now);
// The notice shown at `now`, "" when none; the panel shows it too.
const char* titleNotice(double now);

// A tile painted as the mouse or the brush asks (app/map_edit.cpp): the racers follow, and
// what goes wrong is told.
void paintTileNow(int index, int code, double now);
// Panning by the held keys W, A, S and D over `seconds`.
void panWithKeys(double seconds);

// " | problem 12 of 1000: listed 45.21" once a problem is gone to, else "".
std::string problemTitle(const World& w);

bool startUp();
void setupGlState();
void updateViewport();
void runFrame();
void runFrameLoop();
// The end of a frame: the cap's sleep, then about twice a second the frame rate in the title.
void capFrameRate();
void updateTitle();
std::string rateText(double rate);
void keyCallback(int key, int action);
