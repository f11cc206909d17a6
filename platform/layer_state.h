// What the version-2 layer knows between two event processings, shared by its files: the
// window part (platform/glfw2_window.cpp), the input part (platform/glfw2_input.cpp) and the
// panel's input feed (platform/panel_input.cpp). Not for the program: it reads the
// version-2 functions.
#pragma once

#include "platform/glfw2.h"

namespace layer {

constexpr int ButtonCount = 8;
// Far beyond any real position, so that no conversion to int and no sum can overflow.
constexpr double InputLimit = 1.0e6;

struct State {
    bool initialised = false;
    GLFWkeyfun keyCallback = nullptr;
    bool keyDown[GLFW_KEY_LAST + 1] = {};
    bool buttonDown[ButtonCount] = {};
    // A left or middle press seen in the latest event processing. A click whose press and
    // release fall into one poll (a touchpad tap, automated input) then still reads as
    // pressed until the next poll, so the frame's mouse step picks or paints it instead of
    // losing it. Not the right button: a right tap read as held would turn the scene by a
    // one-frame drag.
    bool pressedInPoll[2] = {};
    int wheel = 0;
    double wheelRest = 0.0;
    // The wheel turned over the wheel area in the latest event processing: it scrolls what
    // lies there (the panel), not the wheel position. The area is in framebuffer pixels.
    double areaScroll = 0.0;
    int wheelArea[4] = {};
    // The cursor, and where each button last went down, in window coordinates as GLFW 3
    // gives them; read in framebuffer pixels, which picking and the viewport use.
    double cursorX = 0.0;
    double cursorY = 0.0;
    double pressX[ButtonCount] = {};
    double pressY[ButtonCount] = {};
    // Whether Shift was down when each button last went down, in event order: a Shift let go
    // in the same event processing as the click still counts.
    bool pressShift[ButtonCount] = {};
    int windowWidth = 0;
    int windowHeight = 0;
    int frameWidth = 0;
    int frameHeight = 0;
};

extern State state;

// Window coordinates to framebuffer pixels, per axis.
void readPixels(double x, double y, int* xpos, int* ypos);
// Nothing held, pressed or turned: for a new window.
void clearInput();
// The cursor and the window and framebuffer sizes, as GLFW 3 has them now.
void takeCursorAndSize();

} // namespace layer
