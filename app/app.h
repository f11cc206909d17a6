// The application shell: start-up, the frame loop, the keyboard and the frame-rate title.
#pragma once

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

bool startUp();
void setupGlState();
void updateViewport();
void runFrame();
void runFrameLoop();
void updateTitle();
std::string rateText(double rate);
void keyCallback(int key, int action);
