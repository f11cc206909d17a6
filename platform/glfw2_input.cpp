// The version-2 layer's input: version-2 key codes with no key repeat, the buttons with a
// press kept until the next poll, the cursor in framebuffer pixels, and an integer wheel
// position. Events arrive from GLFW 3 while glfw3::pollEvents runs inside glfwSwapBuffers.
#include "platform/glfw3_backend.h"
#include "platform/layer_state.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace layer {

State state;

// A scaled display has more framebuffer pixels than window coordinates, per axis. A
// minimised window has size 0 and keeps the coordinate as it is.
static int toPixels(double coordinate, int window, int frame) {
    if (window > 0) {
        coordinate = coordinate * frame / window;
    }
    return static_cast<int>(std::clamp(coordinate, -InputLimit, InputLimit));
}

void readPixels(double x, double y, int* xpos, int* ypos) {
    *xpos = toPixels(x, state.windowWidth, state.frameWidth);
    *ypos = toPixels(y, state.windowHeight, state.frameHeight);
}

void clearInput() {
    std::fill(std::begin(state.keyDown), std::end(state.keyDown), false);
    std::fill(std::begin(state.buttonDown), std::end(state.buttonDown), false);
    std::fill(std::begin(state.pressX), std::end(state.pressX), 0.0);
    std::fill(std::begin(state.pressY), std::end(state.pressY), 0.0);
    std::fill(std::begin(state.pressShift), std::end(state.pressShift), false);
    std::fill(std::begin(state.pressedInPoll), std::end(state.pressedInPoll), false);
    std::fill(std::begin(state.wheelArea), std::end(state.wheelArea), 0);
    state.areaScroll = 0.0;
    glfwSetMouseWheel(0);
}

void takeCursorAndSize() {
    glfw3::cursorPos(&state.cursorX, &state.cursorY);
    glfw3::windowSize(&state.windowWidth, &state.windowHeight);
    glfw3::framebufferSize(&state.frameWidth, &state.frameHeight);
}

} // namespace layer

using layer::state;

void onKeyEvent(int key, int action) {
    if (key < 0 || key > GLFW_KEY_LAST) {
        return;
    }
    state.keyDown[key] = action == GLFW_PRESS;
    if (state.keyCallback != nullptr) {
        state.keyCallback(key, action);
    }
}

void onButtonEvent(int button, int action, double x, double y) {
    if (button < 0 || button >= layer::ButtonCount) {
        return;
    }
    state.buttonDown[button] = action == GLFW_PRESS;
    if (action == GLFW_PRESS) {
        state.pressX[button] = x;
        state.pressY[button] = y;
        state.pressShift[button] = state.keyDown[GLFW_KEY_LSHIFT] || state.keyDown[GLFW_KEY_RSHIFT];
        if (button == GLFW_MOUSE_BUTTON_LEFT || button == GLFW_MOUSE_BUTTON_MIDDLE) {
            state.pressedInPoll[button == GLFW_MOUSE_BUTTON_MIDDLE] = true;
        }
    }
}

// One notch is one position; touchpads send fractions, which add up to whole notches. Over
// the wheel area the turn scrolls what lies there instead.
void onScrollEvent(double offset, double x, double y) {
    if (!std::isfinite(offset)) {
        return;
    }
    offset = std::clamp(offset, -layer::InputLimit, layer::InputLimit);
    int px = 0;
    int py = 0;
    layer::readPixels(x, y, &px, &py);
    const int* area = state.wheelArea;
    if (px >= area[0] && px < area[2] && py >= area[1] && py < area[3]) {
        state.areaScroll =
            std::clamp(state.areaScroll + offset, -layer::InputLimit, layer::InputLimit);
        return;
    }
    state.wheelRest += offset;
    double whole = std::trunc(state.wheelRest);
    state.wheel =
        static_cast<int>(std::clamp(state.wheel + whole, -layer::InputLimit, layer::InputLimit));
    state.wheelRest -= whole;
}

void glfwSetKeyCallback(GLFWkeyfun callback) {
    state.keyCallback = callback;
}

int glfwGetKey(int key) {
    return key >= 0 && key <= GLFW_KEY_LAST && state.keyDown[key] ? GLFW_PRESS : GLFW_RELEASE;
}

int glfwGetMouseButton(int button) {
    if (button < 0 || button >= layer::ButtonCount) {
        return GLFW_RELEASE;
    }
    const bool latched = (button == GLFW_MOUSE_BUTTON_LEFT && state.pressedInPoll[0]) ||
                         (button == GLFW_MOUSE_BUTTON_MIDDLE && state.pressedInPoll[1]);
    return state.buttonDown[button] || latched ? GLFW_PRESS : GLFW_RELEASE;
}

void glfwGetMousePos(int* xpos, int* ypos) {
    layer::readPixels(state.cursorX, state.cursorY, xpos, ypos);
}

int glfwGetMousePressShift(int button) {
    return button >= 0 && button < layer::ButtonCount && state.pressShift[button] ? 1 : 0;
}

void glfwGetMousePressPos(int button, int* xpos, int* ypos) {
    bool known = button >= 0 && button < layer::ButtonCount;
    layer::readPixels(known ? state.pressX[button] : 0.0, known ? state.pressY[button] : 0.0, xpos,
                      ypos);
}

int glfwGetMouseWheel() {
    return state.wheel;
}

void glfwSetMouseWheel(int pos) {
    state.wheel = pos;
    state.wheelRest = 0.0;
}

void glfwSetWheelArea(int left, int top, int right, int bottom) {
    state.wheelArea[0] = left;
    state.wheelArea[1] = top;
    state.wheelArea[2] = right;
    state.wheelArea[3] = bottom;
}
