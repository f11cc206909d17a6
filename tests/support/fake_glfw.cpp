#include "tests/support/fake_glfw.h"
#include "tests/support/call_log.h"

FakeGlfw fakeGlfw;

void resetFakeGlfw() {
    fakeGlfw = FakeGlfw{};
}

void fakeKey(int key, int action) {
    fakeGlfw.keys[key] = action;
    if (fakeGlfw.keyCallback != nullptr) {
        fakeGlfw.keyCallback(key, action);
    }
}

int glfwInit() {
    logCall("glfwInit");
    return 1;
}

void glfwTerminate() {
    logCall("glfwTerminate");
    fakeGlfw.opened = false;
}

int glfwOpenWindow(int width, int height, int r, int g, int b, int a, int depth, int stencil,
                   int mode) {
    logCall("glfwOpenWindow", {double(width), double(height), double(r), double(g), double(b),
                               double(a), double(depth), double(stencil), double(mode)});
    fakeGlfw.opened = fakeGlfw.openSucceeds;
    return fakeGlfw.openSucceeds ? 1 : 0;
}

const char* glfwGetOpenError() {
    return fakeGlfw.openSucceeds ? "" : fakeGlfw.openError.c_str();
}

void glfwSetWindowTitle(const char* title) {
    logCall("glfwSetWindowTitle");
    fakeGlfw.title = title;
}

void glfwGetWindowSize(int* width, int* height) {
    logCall("glfwGetWindowSize");
    *width = fakeGlfw.width;
    *height = fakeGlfw.height;
}

int glfwGetWindowParam(int param) {
    logCall("glfwGetWindowParam", {double(param)});
    return param == GLFW_OPENED && fakeGlfw.opened ? 1 : 0;
}

void glfwSwapBuffers() {
    logCall("glfwSwapBuffers");
    if (fakeGlfw.onEvents) {
        fakeGlfw.onEvents(fakeGlfw.swaps);
    }
    ++fakeGlfw.swaps;
}

double glfwGetTime() {
    logCall("glfwGetTime");
    double now = fakeGlfw.time;
    fakeGlfw.time += fakeGlfw.timePerRead;
    return now;
}

void glfwSleep(double time) {
    logCall("glfwSleep", {time});
    fakeGlfw.sleeps.push_back(time);
    fakeGlfw.time += time;
}

void glfwSetKeyCallback(GLFWkeyfun callback) {
    logCall("glfwSetKeyCallback");
    fakeGlfw.keyCallback = callback;
}

int glfwGetKey(int key) {
    logCall("glfwGetKey", {double(key)});
    return key >= 0 && key <= GLFW_KEY_LAST ? fakeGlfw.keys[key] : GLFW_RELEASE;
}

int glfwGetMouseButton(int button) {
    logCall("glfwGetMouseButton", {double(button)});
    return button >= 0 && button < 3 ? fakeGlfw.buttons[button] : GLFW_RELEASE;
}

void glfwGetMousePos(int* x, int* y) {
    logCall("glfwGetMousePos");
    *x = fakeGlfw.mouseX;
    *y = fakeGlfw.mouseY;
}

int glfwGetMouseWheel() {
    logCall("glfwGetMouseWheel");
    return fakeGlfw.wheel;
}

void glfwSetMouseWheel(int pos) {
    logCall("glfwSetMouseWheel", {double(pos)});
    fakeGlfw.wheel = pos;
}
