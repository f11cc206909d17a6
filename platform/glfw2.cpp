// The GLFW version-2 interface over GLFW 3: version-2 key codes, no key repeat, an integer
// wheel position, and event processing inside glfwSwapBuffers only. Every input read,
// cursor and window size included, returns what the latest event processing left, so all
// reads between two swaps see one and the same state.
#include "platform/glfw2.h"
#include "platform/glfw3_backend.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <thread>

namespace {

constexpr int ButtonCount = 8;

bool initialised = false;
std::string openError;
GLFWkeyfun keyCallback = nullptr;
bool keyDown[GLFW_KEY_LAST + 1] = {};
bool buttonDown[ButtonCount] = {};
// A left or middle press seen in the latest event processing. A click whose press and
// release fall into one poll (a touchpad tap, automated input) then still reads as pressed
// until the next poll, so the frame's mouse step picks or paints it instead of losing it.
// Not the right button: a right tap read as held would turn the scene by a one-frame drag.
bool pressedInPoll[2] = {};
int wheel = 0;
double wheelRest = 0.0;
// Far beyond any real position, so that no conversion to int and no sum can overflow.
constexpr double InputLimit = 1.0e6;
// The cursor, and where each button last went down, in window coordinates as GLFW 3 gives
// them; read in framebuffer pixels, which picking and the viewport use.
double cursorX = 0.0;
double cursorY = 0.0;
double pressX[ButtonCount] = {};
double pressY[ButtonCount] = {};
// Whether Shift was down when each button last went down, in event order: a Shift let go in
// the same event processing as the click still counts.
bool pressShift[ButtonCount] = {};
int windowWidth = 0;
int windowHeight = 0;
int frameWidth = 0;
int frameHeight = 0;

void takeCursorAndSize() {
    glfw3::cursorPos(&cursorX, &cursorY);
    glfw3::windowSize(&windowWidth, &windowHeight);
    glfw3::framebufferSize(&frameWidth, &frameHeight);
}

// A scaled display has more framebuffer pixels than window coordinates, per axis. A
// minimised window has size 0 and keeps the coordinate as it is.
int toPixels(double coordinate, int window, int frame) {
    if (window > 0) {
        coordinate = coordinate * frame / window;
    }
    return static_cast<int>(std::clamp(coordinate, -InputLimit, InputLimit));
}

void readPixels(double x, double y, int* xpos, int* ypos) {
    *xpos = toPixels(x, windowWidth, frameWidth);
    *ypos = toPixels(y, windowHeight, frameHeight);
}

} // namespace

void onKeyEvent(int key, int action) {
    if (key < 0 || key > GLFW_KEY_LAST) {
        return;
    }
    keyDown[key] = action == GLFW_PRESS;
    if (keyCallback != nullptr) {
        keyCallback(key, action);
    }
}

void onButtonEvent(int button, int action, double x, double y) {
    if (button < 0 || button >= ButtonCount) {
        return;
    }
    buttonDown[button] = action == GLFW_PRESS;
    if (action == GLFW_PRESS) {
        pressX[button] = x;
        pressY[button] = y;
        pressShift[button] = keyDown[GLFW_KEY_LSHIFT] || keyDown[GLFW_KEY_RSHIFT];
        if (button == GLFW_MOUSE_BUTTON_LEFT || button == GLFW_MOUSE_BUTTON_MIDDLE) {
            pressedInPoll[button == GLFW_MOUSE_BUTTON_MIDDLE] = true;
        }
    }
}

// One notch is one position; touchpads send fractions, which add up to whole notches.
void onScrollEvent(double offset) {
    if (!std::isfinite(offset)) {
        return;
    }
    wheelRest += std::clamp(offset, -InputLimit, InputLimit);
    double whole = std::trunc(wheelRest);
    wheel = static_cast<int>(std::clamp(wheel + whole, -InputLimit, InputLimit));
    wheelRest -= whole;
}

int glfwInit() {
    initialised = glfw3::init();
    return initialised ? 1 : 0;
}

void glfwTerminate() {
    glfw3::terminate();
    initialised = false;
}

int glfwOpenWindow(int width, int height, int redbits, int greenbits, int bluebits, int alphabits,
                   int depthbits, int stencilbits, int mode) {
    if (mode != GLFW_WINDOW) {
        openError = "only a window (not full screen) is supported";
        return 0;
    }
    if (!initialised) {
        // GLFW 3 says why its initialisation failed, e.g. that no display could be opened.
        openError = *glfw3::lastError() ? glfw3::lastError() : "GLFW could not be initialised";
        return 0;
    }
    if (!glfw3::openWindow(width, height, redbits, greenbits, bluebits, alphabits, depthbits,
                           stencilbits)) {
        openError = glfw3::lastError();
        return 0;
    }
    openError.clear();
    // Nothing held, pressed or turned in an earlier window carries over into this one.
    std::fill(std::begin(keyDown), std::end(keyDown), false);
    std::fill(std::begin(buttonDown), std::end(buttonDown), false);
    std::fill(std::begin(pressX), std::end(pressX), 0.0);
    std::fill(std::begin(pressY), std::end(pressY), 0.0);
    std::fill(std::begin(pressShift), std::end(pressShift), false);
    std::fill(std::begin(pressedInPoll), std::end(pressedInPoll), false);
    glfwSetMouseWheel(0);
    takeCursorAndSize();
    return 1;
}

const char* glfwGetOpenError() {
    return openError.c_str();
}

void glfwSetWindowTitle(const char* title) {
    glfw3::setTitle(title);
}

void glfwGetWindowSize(int* width, int* height) {
    *width = frameWidth;
    *height = frameHeight;
}

int glfwGetWindowParam(int param) {
    if (param == GLFW_OPENED) {
        return glfw3::windowOpen() ? 1 : 0;
    }
    return 0;
}

void glfwSwapBuffers() {
    std::fill(std::begin(pressedInPoll), std::end(pressedInPoll), false);
    glfw3::pollEvents();
    takeCursorAndSize();
    glfw3::swapBuffers();
}

double glfwGetTime() {
    return glfw3::time();
}

void glfwSleep(double time) {
    if (time > 0.0) {
        std::this_thread::sleep_for(std::chrono::duration<double>(time));
    }
}

void glfwSetKeyCallback(GLFWkeyfun callback) {
    keyCallback = callback;
}

int glfwGetKey(int key) {
    return key >= 0 && key <= GLFW_KEY_LAST && keyDown[key] ? GLFW_PRESS : GLFW_RELEASE;
}

int glfwGetMouseButton(int button) {
    if (button < 0 || button >= ButtonCount) {
        return GLFW_RELEASE;
    }
    const bool latched = (button == GLFW_MOUSE_BUTTON_LEFT && pressedInPoll[0]) ||
                         (button == GLFW_MOUSE_BUTTON_MIDDLE && pressedInPoll[1]);
    return buttonDown[button] || latched ? GLFW_PRESS : GLFW_RELEASE;
}

void glfwGetMousePos(int* xpos, int* ypos) {
    readPixels(cursorX, cursorY, xpos, ypos);
}

int glfwGetMousePressShift(int button) {
    return button >= 0 && button < ButtonCount && pressShift[button] ? 1 : 0;
}

void glfwGetMousePressPos(int button, int* xpos, int* ypos) {
    bool known = button >= 0 && button < ButtonCount;
    readPixels(known ? pressX[button] : 0.0, known ? pressY[button] : 0.0, xpos, ypos);
}

int glfwGetMouseWheel() {
    return wheel;
}

void glfwSetMouseWheel(int pos) {
    wheel = pos;
    wheelRest = 0.0;
}
