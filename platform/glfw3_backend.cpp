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
constexpr int Special = 256;
struct KeyPair {
    int version3;
    int version2;
};
constexpr KeyPair SpecialKeys[] = {
    {GLFW_KEY_ESCAPE, Special + 1},         {GLFW_KEY_UP, Special + 27},
    {GLFW_KEY_DOWN, Special + 28},          {GLFW_KEY_LEFT, Special + 29},
    {GLFW_KEY_RIGHT, Special + 30},         {GLFW_KEY_LEFT_SHIFT, Special + 31},
    {GLFW_KEY_RIGHT_SHIFT, Special + 32},   {GLFW_KEY_LEFT_CONTROL, Special + 33},
    {GLFW_KEY_RIGHT_CONTROL, Special + 34}, {GLFW_KEY_LEFT_ALT, Special + 35},
    {GLFW_KEY_RIGHT_ALT, Special + 36},     {GLFW_KEY_TAB, Special + 37},
    {GLFW_KEY_ENTER, Special + 38},         {GLFW_KEY_BACKSPACE, Special + 39},
    {GLFW_KEY_INSERT, Special + 40},        {GLFW_KEY_DELETE, Special + 41},
    {GLFW_KEY_PAGE_UP, Special + 42},       {GLFW_KEY_PAGE_DOWN, Special + 43},
    {GLFW_KEY_HOME, Special + 44},          {GLFW_KEY_END, Special + 45},
    {GLFW_KEY_KP_DIVIDE, Special + 56},     {GLFW_KEY_KP_MULTIPLY, Special + 57},
    {GLFW_KEY_KP_SUBTRACT, Special + 58},   {GLFW_KEY_KP_ADD, Special + 59},
    {GLFW_KEY_KP_DECIMAL, Special + 60},    {GLFW_KEY_KP_EQUAL, Special + 61},
    {GLFW_KEY_KP_ENTER, Special + 62},      {GLFW_KEY_NUM_LOCK, Special + 63},
    {GLFW_KEY_CAPS_LOCK, Special + 64},     {GLFW_KEY_SCROLL_LOCK, Special + 65},
    {GLFW_KEY_PAUSE, Special + 66},         {GLFW_KEY_LEFT_SUPER, Special + 67},
    {GLFW_KEY_RIGHT_SUPER, Special + 68},   {GLFW_KEY_MENU, Special + 69},
};

int version2Key(int key) {
    if (key >= GLFW_KEY_SPACE && key <= GLFW_KEY_GRAVE_ACCENT) {
        return key;
    }
    if (key >= GLFW_KEY_F1 && key <= GLFW_KEY_F25) {
        return Special + 2 + (key - GLFW_KEY_F1);
    }
    if (key >= GLFW_KEY_KP_0 && key <= GLFW_KEY_KP_9) {
        return Special + 46 + (key - GLFW_KEY_KP_0);
    }
    for (const KeyPair& pair : SpecialKeys) {
        if (pair.version3 == key) {
            return pair.version2;
        }
    }
    return -1;
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
