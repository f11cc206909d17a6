// The GLFW 3 calls the version-2 layer needs, under names of our own, so that GLFW 3's
// header and the version-2 declarations never meet in one translation unit.
#pragma once

namespace glfw3 {

bool init();
void terminate();
// Opens the one window with a compatibility (fixed-function) context made current.
// Bit counts of 0 leave the choice to GLFW. False, with lastError() set, on failure.
bool openWindow(int width, int height, int redBits, int greenBits, int blueBits, int alphaBits,
                int depthBits, int stencilBits);
const char* lastError();
bool windowOpen();
void setTitle(const char* title);
void framebufferSize(int* width, int* height);
// In window coordinates, which the cursor uses; more framebuffer pixels on a scaled display.
void windowSize(int* width, int* height);
// Processes pending events; they arrive through the three event functions below.
void pollEvents();
void swapBuffers();
double time();
void cursorPos(double* x, double* y);

} // namespace glfw3

// Implemented by the version-2 layer; called while glfw3::pollEvents runs, with key codes
// already translated to version-2 codes and key repeats dropped.
void onKeyEvent(int key, int action);
// (x, y): the cursor at the event, in window coordinates.
void onButtonEvent(int button, int action, double x, double y);
void onScrollEvent(double offset, double x, double y);
