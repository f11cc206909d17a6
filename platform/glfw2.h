// The GLFW version-2 interface the program is written against, provided by our own layer
// over GLFW 3 (platform/glfw2_window.cpp, platform/glfw2_input.cpp). Only that layer sees
// GLFW 3's header.
//
// The functions have C++ linkage on purpose: GLFW 3 exports C functions with some of the
// same names (glfwInit, glfwGetTime, ...), and C++ linkage keeps the two sets apart.
#pragma once

#define GLFW_WINDOW 0x00010001
#define GLFW_OPENED 0x00020001

#define GLFW_RELEASE 0
#define GLFW_PRESS 1

#define GLFW_KEY_SPACE 32
#define GLFW_KEY_SPECIAL 256
#define GLFW_KEY_ESC (GLFW_KEY_SPECIAL + 1)
#define GLFW_KEY_F1 (GLFW_KEY_SPECIAL + 2)
#define GLFW_KEY_F25 (GLFW_KEY_SPECIAL + 26)
#define GLFW_KEY_UP (GLFW_KEY_SPECIAL + 27)
#define GLFW_KEY_DOWN (GLFW_KEY_SPECIAL + 28)
#define GLFW_KEY_LEFT (GLFW_KEY_SPECIAL + 29)
#define GLFW_KEY_RIGHT (GLFW_KEY_SPECIAL + 30)
#define GLFW_KEY_LSHIFT (GLFW_KEY_SPECIAL + 31)
#define GLFW_KEY_RSHIFT (GLFW_KEY_SPECIAL + 32)
#define GLFW_KEY_LCTRL (GLFW_KEY_SPECIAL + 33)
#define GLFW_KEY_RCTRL (GLFW_KEY_SPECIAL + 34)
#define GLFW_KEY_LALT (GLFW_KEY_SPECIAL + 35)
#define GLFW_KEY_RALT (GLFW_KEY_SPECIAL + 36)
#define GLFW_KEY_TAB (GLFW_KEY_SPECIAL + 37)
#define GLFW_KEY_ENTER (GLFW_KEY_SPECIAL + 38)
#define GLFW_KEY_BACKSPACE (GLFW_KEY_SPECIAL + 39)
#define GLFW_KEY_INSERT (GLFW_KEY_SPECIAL + 40)
#define GLFW_KEY_DEL (GLFW_KEY_SPECIAL + 41)
#define GLFW_KEY_PAGEUP (GLFW_KEY_SPECIAL + 42)
#define GLFW_KEY_PAGEDOWN (GLFW_KEY_SPECIAL + 43)
#define GLFW_KEY_HOME (GLFW_KEY_SPECIAL + 44)
#define GLFW_KEY_END (GLFW_KEY_SPECIAL + 45)
#define GLFW_KEY_KP_0 (GLFW_KEY_SPECIAL + 46)
#define GLFW_KEY_KP_9 (GLFW_KEY_SPECIAL + 55)
#define GLFW_KEY_KP_DIVIDE (GLFW_KEY_SPECIAL + 56)
#define GLFW_KEY_KP_MULTIPLY (GLFW_KEY_SPECIAL + 57)
#define GLFW_KEY_KP_SUBTRACT (GLFW_KEY_SPECIAL + 58)
#define GLFW_KEY_KP_ADD (GLFW_KEY_SPECIAL + 59)
#define GLFW_KEY_KP_DECIMAL (GLFW_KEY_SPECIAL + 60)
#define GLFW_KEY_KP_EQUAL (GLFW_KEY_SPECIAL + 61)
#define GLFW_KEY_KP_ENTER (GLFW_KEY_SPECIAL + 62)
#define GLFW_KEY_KP_NUM_LOCK (GLFW_KEY_SPECIAL + 63)
#define GLFW_KEY_CAPS_LOCK (GLFW_KEY_SPECIAL + 64)
#define GLFW_KEY_SCROLL_LOCK (GLFW_KEY_SPECIAL + 65)
#define GLFW_KEY_PAUSE (GLFW_KEY_SPECIAL + 66)
#define GLFW_KEY_LSUPER (GLFW_KEY_SPECIAL + 67)
#define GLFW_KEY_RSUPER (GLFW_KEY_SPECIAL + 68)
#define GLFW_KEY_MENU (GLFW_KEY_SPECIAL + 69)
#define GLFW_KEY_LAST GLFW_KEY_MENU

#define GLFW_MOUSE_BUTTON_LEFT 0
#define GLFW_MOUSE_BUTTON_RIGHT 1
#define GLFW_MOUSE_BUTTON_MIDDLE 2

typedef void (*GLFWkeyfun)(int key, int action);

int glfwInit();
void glfwTerminate();
int glfwOpenWindow(int width, int height, int redbits, int greenbits, int bluebits, int alphabits,
                   int depthbits, int stencilbits, int mode);
void glfwSetWindowTitle(const char* title);
void glfwGetWindowSize(int* width, int* height);
int glfwGetWindowParam(int param);
void glfwSwapBuffers();
double glfwGetTime();
void glfwSleep(double time);
void glfwSetKeyCallback(GLFWkeyfun callback);
int glfwGetKey(int key);
int glfwGetMouseButton(int button);
void glfwGetMousePos(int* xpos, int* ypos);
int glfwGetMouseWheel();
void glfwSetMouseWheel(int pos);

// Our additions. Why the last glfwOpenWindow failed ("" when nothing failed), so that the
// program can say what went wrong instead of ending silently.
const char* glfwGetOpenError();
// Where the cursor was when `button` last went down, in the same pixels as glfwGetMousePos:
// a drag starts there, not at a cursor that moved on within the same event processing.
void glfwGetMousePressPos(int button, int* xpos, int* ypos);
// Whether Shift was held when `button` last went down (1) or not (0).
int glfwGetMousePressShift(int button);
// The wheel turned with the cursor over this area (framebuffer pixels, right and bottom
// excluded) scrolls what lies there, the panel, and leaves the wheel position alone. An
// empty area (left >= right) takes nothing.
void glfwSetWheelArea(int left, int top, int right, int bottom);
