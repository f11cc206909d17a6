// The version-2 layer's window: opening the one window, its title and size, the buffer swap
// that processes events, and the timer. Every input read, cursor and window size included,
// returns what the latest event processing left, so all reads between two swaps see one and
// the same state.
#include "platform/glfw3_backend.h"
#include "platform/layer_state.h"

#include <algorithm>
#include <chrono>
#include <iterator>
#include <string>
#include <thread>

using layer::state;

namespace {

std::string openError;

} // namespace

int glfwInit() {
    state.initialised = glfw3::init();
    return state.initialised ? 1 : 0;
}

void glfwTerminate() {
    glfw3::terminate();
    state.initialised = false;
}

int glfwOpenWindow(int width, int height, int redbits, int greenbits, int bluebits, int alphabits,
                   int depthbits, int stencilbits, int mode) {
    if (mode != GLFW_WINDOW) {
        openError = "only a window (not full screen) is supported";
        return 0;
    }
    if (!state.initialised) {
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
    layer::clearInput();
    layer::takeCursorAndSize();
    return 1;
}

const char* glfwGetOpenError() {
    return openError.c_str();
}

void glfwSetWindowTitle(const char* title) {
    glfw3::setTitle(title);
}

void glfwGetWindowSize(int* width, int* height) {
    *width = state.frameWidth;
    *height = state.frameHeight;
}

int glfwGetWindowParam(int param) {
    if (param == GLFW_OPENED) {
        return glfw3::windowOpen() ? 1 : 0;
    }
    return 0;
}

void glfwSwapBuffers() {
    std::fill(std::begin(state.pressedInPoll), std::end(state.pressedInPoll), false);
    state.areaScroll = 0.0;
    glfw3::pollEvents();
    layer::takeCursorAndSize();
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
