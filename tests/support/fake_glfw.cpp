#include "tests/support/fake_glfw.h"

FakeGlfw fakeGlfw;

void fakeKey(int key, int action) {
    fakeGlfw.keys[key] = action;
    if (fakeGlfw.keyCallback != nullptr) {
        fakeGlfw.keyCallback(key, action);
    }
}

int glfwInit() {
    return 1;
}

void glfwTerminate() {
    record("glfwTerminate");
    fakeGlfw.opened = false;
}

int glfwOpenWindow(int w, int h, int r, int g, int b, int a, int depth, int stencil, int mode) {
    record("glfwOpenWindow", w, h, r, g, b, a, depth, stencil, mode);
    fakeGlfw.opened = fakeGlfw.openSucceeds;
    return fakeGlfw.opened ? 1 : 0;
}

void glfwSetWindowTitle(const char* title) {
    fakeGlfw.title = title;
}

void glfwGetWindowSize(int* width, int* height) {
    *width = fakeGlfw.width;
    *height = fakeGlfw.height;
}

int glfwGetWindowParam(int param) {
    return param == GLFW_OPENED && fakeGlfw.opened ? 1 : 0;
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

void glfwSleep(double time) {
    record("glfwSleep", time);
    fakeGlfw.time += time;
}

void glfwSetKeyCallback(GLFWkeyfun callback) {
    fakeGlfw.keyCallback = callback;
}

int glfwGetKey(int key) {
    return fakeGlfw.keys[key];
}

int glfwGetMouseButton(int button) {
    return fakeGlfw.buttons[button];
}

void glfwGetMousePos(int* x, int* y) {
    record("glfwGetMousePos");
    *x = fakeGlfw.mouseX;
    *y = fakeGlfw.mouseY;
}

int glfwGetMouseWheel() {
    record("glfwGetMouseWheel");
    return fakeGlfw.wheel;
}

void glfwSetMouseWheel(int pos) {
    fakeGlfw.wheel = pos;
}
