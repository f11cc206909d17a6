// A scripted stand-in for the platform layer: tests set the clock, keys, buttons, cursor,
// wheel and window state, and script what happens while events are processed.
#pragma once

#include "platform/glfw2.h"

#include <functional>
#include <string>
#include <vector>

struct FakeGlfw {
    bool openSucceeds = true;
    std::string openError = "cannot open display";
    bool opened = false;
    int width = 1280;
    int height = 720;
    // The clock: each glfwGetTime call returns `time`, then adds `timePerRead` to it.
    double time = 0.0;
    double timePerRead = 0.0;
    int keys[GLFW_KEY_LAST + 1] = {};
    int buttons[3] = {};
    int mouseX = 0;
    int mouseY = 0;
    int wheel = 0;
    std::string title;
    GLFWkeyfun keyCallback = nullptr;
    int swaps = 0;
    std::vector<double> sleeps;
    // Called inside glfwSwapBuffers, before the swap counts: the place where the real
    // layer processes window events. Its argument is the number of swaps before this one.
    std::function<void(int)> onEvents;
};

extern FakeGlfw fakeGlfw;
void resetFakeGlfw();
// Delivers a key event the way event processing does: state first, then the callback.
void fakeKey(int key, int action);
