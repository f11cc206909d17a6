// The only file that sees GLFW 3. It cannot see the version-2 header too (both define
// GLFW_KEY_* macros with other values), so version-2 key codes are written as numbers.
#include "platform/glfw3_backend.h"

#include <GLFW/glfw3.h>

#include <string>

namespace {

GLFWwindow* window = nullptr;
std::string errorText;
// The cursor as the events handled so far left it. On X11 glfwGetCursorPos asks the server
// where the pointer is now, which may be past a press still waiting in the queue.
double eventCursorX = 0.0;
double eventCursorY = 0.0;

void recordError(int, const char* description) {
    errorText = description;
}

// Version 2 numbered the special keys from 256 in an order of its own; printable keys
// have their ASCII codes in both versions. Keys version 2 did not know give -1.
int version2Key(int key) {
    constexpr int Special = 256;
    if (key >= GLFW_KEY_SPACE && key <= GLFW_KEY_GRAVE_ACCENT) {
        return key;
    }
    if (key >= GLFW_KEY_F1 && key <= GLFW_KEY_F25) {
        return Special + 2 + (key - GLFW_KEY_F1);
    }
    if (key >= GLFW_KEY_KP_0 && key <= GLFW_KEY_KP_9) {
        return Special + 46 + (key - GLFW_KEY_KP_0);
    }
    switch (key) {
    case GLFW_KEY_ESCAPE:
        return Special + 1;
    case GLFW_KEY_UP:
        return Special + 27;
    case GLFW_KEY_DOWN:
        return Special + 28;
    case GLFW_KEY_LEFT:
        return Special + 29;
    case GLFW_KEY_RIGHT:
        return Special + 30;
    case GLFW_KEY_LEFT_SHIFT:
        return Special + 31;
    case GLFW_KEY_RIGHT_SHIFT:
        return Special + 32;
    case GLFW_KEY_LEFT_CONTROL:
        return Special + 33;
    case GLFW_KEY_RIGHT_CONTROL:
        return Special + 34;
    case GLFW_KEY_LEFT_ALT:
        return Special + 35;
    case GLFW_KEY_RIGHT_ALT:
        return Special + 36;
    case GLFW_KEY_TAB:
        return Special + 37;
    case GLFW_KEY_ENTER:
        return Special + 38;
    case GLFW_KEY_BACKSPACE:
        return Special + 39;
    case GLFW_KEY_INSERT:
        return Special + 40;
    case GLFW_KEY_DELETE:
        return Special + 41;
    case GLFW_KEY_PAGE_UP:
        return Special + 42;
    case GLFW_KEY_PAGE_DOWN:
        return Special + 43;
    case GLFW_KEY_HOME:
        return Special + 44;
    case GLFW_KEY_END:
        return Special + 45;
    case GLFW_KEY_KP_DIVIDE:
        return Special + 56;
    case GLFW_KEY_KP_MULTIPLY:
        return Special + 57;
    case GLFW_KEY_KP_SUBTRACT:
        return Special + 58;
    case GLFW_KEY_KP_ADD:
        return Special + 59;
    case GLFW_KEY_KP_DECIMAL:
        return Special + 60;
    case GLFW_KEY_KP_EQUAL:
        return Special + 61;
    case GLFW_KEY_KP_ENTER:
        return Special + 62;
    case GLFW_KEY_NUM_LOCK:
        return Special + 63;
    case GLFW_KEY_CAPS_LOCK:
        return Special + 64;
    case GLFW_KEY_SCROLL_LOCK:
        return Special + 65;
    case GLFW_KEY_PAUSE:
        return Special + 66;
    case GLFW_KEY_LEFT_SUPER:
        return Special + 67;
    case GLFW_KEY_RIGHT_SUPER:
        return Special + 68;
    case GLFW_KEY_MENU:
        return Special + 69;
    default:
        return -1;
    }
}

void keyEvent(GLFWwindow*, int key, int, int action, int) {
    int code = version2Key(key);
    // Version 2 had key repeat off: a held key gives one press and one release.
    if (code < 0 || action == GLFW_REPEAT) {
        return;
    }
    onKeyEvent(code, action == GLFW_PRESS ? 1 : 0);
}

void cursorEvent(GLFWwindow*, double x, double y) {
    eventCursorX = x;
    eventCursorY = y;
}

void buttonEvent(GLFWwindow*, int button, int action, int) {
    onButtonEvent(button, action == GLFW_PRESS ? 1 : 0, eventCursorX, eventCursorY);
}

void scrollEvent(GLFWwindow*, double, double yOffset) {
    onScrollEvent(yOffset, eventCursorX, eventCursorY);
}

} // namespace

namespace glfw3 {

bool init() {
    glfwSetErrorCallback(recordError);
    return glfwInit() == GLFW_TRUE;
}

void terminate() {
    glfwTerminate();
    window = nullptr;
}

bool openWindow(int width, int height, int redBits, int greenBits, int blueBits, int alphaBits,
                int depthBits, int stencilBits) {
    if (window != nullptr) {
        errorText = "a window is already open";
        return false;
    }
    glfwDefaultWindowHints();
    // A context of version 1.x is a compatibility context: fixed function, immediate mode.
    glfwWindowHint(GLFW_CLIENT_API, GLFW_OPENGL_API);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 1);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 0);
    const int bits[][2] = {{GLFW_RED_BITS, redBits},     {GLFW_GREEN_BITS, greenBits},
                           {GLFW_BLUE_BITS, blueBits},   {GLFW_ALPHA_BITS, alphaBits},
                           {GLFW_DEPTH_BITS, depthBits}, {GLFW_STENCIL_BITS, stencilBits}};
    for (const auto& [hint, value] : bits) {
        if (value > 0 || hint == GLFW_STENCIL_BITS) {
            glfwWindowHint(hint, value);
        }
    }
    errorText.clear();
    window = glfwCreateWindow(width, height, "", nullptr, nullptr);
    if (window == nullptr) {
        if (errorText.empty()) {
            errorText = "no window could be created";
        }
        return false;
    }
    glfwMakeContextCurrent(window);
    // The program caps its own frame rate; waiting for the display would add a second cap.
    glfwSwapInterval(0);
    glfwSetKeyCallback(window, keyEvent);
    glfwGetCursorPos(window, &eventCursorX, &eventCursorY);
    glfwSetCursorPosCallback(window, cursorEvent);
    glfwSetMouseButtonCallback(window, buttonEvent);
    glfwSetScrollCallback(window, scrollEvent);
    return true;
}

const char* lastError() {
    return errorText.c_str();
}

bool windowOpen() {
    return window != nullptr && !glfwWindowShouldClose(window);
}

void setTitle(const char* title) {
    if (window != nullptr) {
        glfwSetWindowTitle(window, title);
    }
}

void framebufferSize(int* width, int* height) {
    *width = 0;
    *height = 0;
    if (window != nullptr) {
        glfwGetFramebufferSize(window, width, height);
    }
}

void windowSize(int* width, int* height) {
    *width = 0;
    *height = 0;
    if (window != nullptr) {
        glfwGetWindowSize(window, width, height);
    }
}

void pollEvents() {
    glfwPollEvents();
}

void swapBuffers() {
    if (window != nullptr) {
        glfwSwapBuffers(window);
    }
}

double time() {
    return glfwGetTime();
}

void cursorPos(double* x, double* y) {
    *x = 0.0;
    *y = 0.0;
    if (window != nullptr) {
        glfwGetCursorPos(window, x, y);
    }
}

} // namespace glfw3
