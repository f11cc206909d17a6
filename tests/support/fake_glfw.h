// Scripted stand-ins for the platform layer and OpenGL: tests set the clock, keys, buttons,
// cursor, wheel, window state and picked point, and script what happens while events are
// processed. Calls that tests look at go into the call log.
#pragma once

#include "app/app.h"
#include "platform/glfw2.h"
#include "tests/support/call_log.h"
#include "ui/panel.h"
#include "view/camera.h"
#include "view/mouse.h"

#include <functional>
#include <string>

// The OpenGL stand-ins' one answer: unprojection (tests/support/fake_gl.cpp).
struct FakeGl {
    bool unProjectOk = true;
    double unProjected[3] = {0.0, 0.0, 0.0};
};

struct FakeGlfw {
    bool openSucceeds = true, opened = false;
    int width = 1280, height = 720;
    // Each glfwGetTime returns `time`, then adds `timePerRead` to it.
    double time = 0.0, timePerRead = 0.0;
    int keys[GLFW_KEY_LAST + 1] = {};
    int buttons[3] = {};
    int mouseX = 0, mouseY = 0, wheel = 0, swaps = 0;
    int pressX = 0, pressY = 0; // the cursor at the latest press, whichever button
    int pressShift = 0;         // Shift held at the latest press
    int wheelArea[4] = {};      // where the wheel scrolls the panel
    std::string title;
    GLFWkeyfun keyCallback = nullptr;
    // Runs inside glfwSwapBuffers, where the real layer processes window events; its
    // argument is the number of swaps before this one.
    std::function<void(int)> onEvents;
};

extern FakeGl fakeGl;
extern FakeGlfw fakeGlfw;

// Delivers a key event the way event processing does: state first, then the callback.
void fakeKey(int key, int action);

// The stand-ins, the log and the shell's, camera's and mouse's state back to their start.
inline void resetFakes() {
    fakeGlfw = FakeGlfw{};
    fakeGl = FakeGl{};
    calls.clear();
    logging = true;
    running = true;
    escapeRequested = false;
    frameClock = FrameClock{};
    camera = Camera{};
    mouse = Mouse{};
    // The board on its own, as with H pressed; the panel's tests show it.
    panel = Panel{};
    panel.shown = false;
}
