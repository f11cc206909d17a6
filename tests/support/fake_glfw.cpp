#include "tests/support/fake_glfw.h"

FakeGlfw fakeGlfw;

void fakeKey(int key, int action) {
    fakeGlfw.keys[key] = action;
    if (fakeGlfw.keyCallback != nullptr) {
        fakeGlfw.keyCallback(key, action);
    }
}

// A stand-in whose body is one statement (or a few joined by commas).
#define FAKE(signature, ...)                                                                       \
    signature {                                                                                    \
        __VA_ARGS__;                                                                               \
    }

FAKE(int glfwInit(), return 1)
FAKE(void glfwSetWindowTitle(const char* title), fakeGlfw.title = title)
FAKE(int glfwGetWindowParam(int param), return param == GLFW_OPENED && fakeGlfw.opened)
FAKE(void glfwSetKeyCallback(GLFWkeyfun callback), fakeGlfw.keyCallback = callback)
FAKE(int glfwGetKey(int key), return fakeGlfw.keys[key])
FAKE(int glfwGetMouseButton(int button), return fakeGlfw.buttons[button])
FAKE(void glfwSetMouseWheel(int pos), fakeGlfw.wheel = pos)
FAKE(void glfwTerminate(), record("glfwTerminate"), fakeGlfw.opened = false)
FAKE(void glfwGetWindowSize(int* w, int* h), *w = fakeGlfw.width, *h = fakeGlfw.height)
FAKE(void glfwGetMousePos(int* x, int* y), *x = fakeGlfw.mouseX, *y = fakeGlfw.mouseY)
FAKE(void glfwGetMousePressPos(int, int* x, int* y), *x = fakeGlfw.pressX, *y = fakeGlfw.pressY)
FAKE(int glfwGetMousePressShift(int), return fakeGlfw.pressShift)
FAKE(void glfwSetWheelArea(int l, int t, int r, int b), fakeGlfw.wheelArea[0] = l,
     fakeGlfw.wheelArea[1] = t, fakeGlfw.wheelArea[2] = r, fakeGlfw.wheelArea[3] = b)
FAKE(void glfwSleep(double time), record("glfwSleep", time), fakeGlfw.time += time)

int glfwOpenWindow(int w, int h, int r, int g, int b, int a, int depth, int stencil, int mode) {
    record("glfwOpenWindow", w, h, r, g, b, a, depth, stencil, mode);
    return fakeGlfw.opened = fakeGlfw.openSucceeds;
}

void glfwSwapBuffers() {
    record("glfwSwapBuffers");
    if (fakeGlfw.onEvents) {
        fakeGlfw.onEvents(fakeGlfw.swaps);
    }
    ++fakeGlfw.swaps;
}

double glfwGetTime() {
    record("glfwGetTime");
    double now = fakeGlfw.time;
    fakeGlfw.time += fakeGlfw.timePerRead;
    return now;
}

int glfwGetMouseWheel() {
    record("glfwGetMouseWheel");
    return fakeGlfw.wheel;
}
