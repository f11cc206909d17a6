// The version-2 layer over a scripted stand-in of GLFW 3, for what a real X display cannot
// show: a framebuffer larger than the window, absurd values, and a window opened after one
// that had input going on.
#include "platform/glfw2.h"
#include "platform/glfw3_backend.h"
#include "platform/layer_state.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <tuple>

namespace {

struct Script {
    int window[2] = {640, 360};
    int frame[2] = {1280, 720};
    double cursor[2] = {0.0, 0.0};
    std::function<void()> events; // what GLFW 3 delivers in the next poll
} script;

} // namespace

// A stand-in whose body is one statement (or a few joined by commas).
#define STUB(signature, ...)                                                                       \
    signature {                                                                                    \
        __VA_ARGS__;                                                                               \
    }

namespace glfw3 {
STUB(bool init(), return true)
STUB(void terminate())
STUB(bool openWindow(int, int, int, int, int, int, int, int), return true)
STUB(const char* lastError(), return "")
STUB(bool windowOpen(), return true)
STUB(void setTitle(const char*))
STUB(void framebufferSize(int* w, int* h), *w = script.frame[0], *h = script.frame[1])
STUB(void windowSize(int* w, int* h), *w = script.window[0], *h = script.window[1])
STUB(void pollEvents(), script.events ? script.events() : void())
STUB(void swapBuffers())
STUB(double time(), return 0.0)
STUB(void cursorPos(double* x, double* y), *x = script.cursor[0], *y = script.cursor[1])
} // namespace glfw3

namespace {

struct ScriptedLayer : testing::Test {
    void SetUp() override {
        script = Script{};
        glfwInit();
        ASSERT_TRUE(glfwOpenWindow(640, 360, 0, 0, 0, 0, 16, 0, GLFW_WINDOW));
    }
};

TEST_F(ScriptedLayer, CursorAndPressReadInFramebufferPixelsPerAxis) {
    // Window size, framebuffer size, the cursor and the press in window coordinates, and
    // both as read.
    const std::tuple<std::array<int, 4>, std::array<double, 2>, std::array<int, 2>> cases[] = {
        {{640, 360, 1280, 1080}, {100.5, 50.5}, {201, 151}}, // a scaled display: 2 and 3
        {{0, 0, 0, 0}, {100.5, 50.5}, {100, 50}},            // minimised: no division by 0
        {{640, 360, 1280, 720}, {1e300, -1e300}, {1000000, -1000000}},
    };
    for (const auto& [sizes, at, read] : cases) {
        script = {{sizes[0], sizes[1]}, {sizes[2], sizes[3]}, {at[0], at[1]}, [&] {
                      onButtonEvent(GLFW_MOUSE_BUTTON_RIGHT, GLFW_PRESS, at[0], at[1]);
                  }};
        glfwSwapBuffers();
        std::array<int, 4> got{};
        glfwGetMousePos(&got[0], &got[1]);
        glfwGetMousePressPos(GLFW_MOUSE_BUTTON_RIGHT, &got[2], &got[3]);
        EXPECT_EQ(got, (std::array{read[0], read[1], read[0], read[1]}));
    }
}

TEST_F(ScriptedLayer, WheelStaysAnIntForAnyOffset) {
    // Wheel position, offset, position after.
    const std::tuple<int, double, int> cases[] = {
        {0, 1e300, 1000000},
        {0, -1e300, -1000000},
        {2147483000, 1000.0, 1000000}, // the sum would overflow an int
        {3, 1.5, 4},
    };
    for (const auto& [before, offset, after] : cases) {
        glfwSetMouseWheel(before);
        onScrollEvent(offset, 0.0, 0.0);
        EXPECT_EQ(glfwGetMouseWheel(), after) << offset;
    }
}

TEST_F(ScriptedLayer, TheWheelOverTheAreaScrollsItInsteadForThatPollOnly) {
    // Framebuffer pixels are twice the window's: the area's x from 1000 is window x 500.
    glfwSetWheelArea(1000, 0, 1280, 720);
    glfwSetMouseWheel(15);
    script.events = [] {
        onScrollEvent(1.0, 499.0, 10.0); // just left of the area: the zoom's
        onScrollEvent(2.0, 500.0, 10.0);
        onScrollEvent(-0.5, 639.0, 359.0);
    };
    glfwSwapBuffers();
    EXPECT_EQ(glfwGetMouseWheel(), 16);
    EXPECT_EQ(layer::state.areaScroll, 1.5);
    script.events = nullptr;
    glfwSwapBuffers();
    EXPECT_EQ(layer::state.areaScroll, 0.0) << "each poll's own";
    glfwSetWheelArea(1280, 0, 1280, 720); // empty: the panel hidden
    onScrollEvent(1.0, 600.0, 10.0);
    EXPECT_EQ(glfwGetMouseWheel(), 17);
}

TEST_F(ScriptedLayer, ANewWindowStartsWithNothingHeldPressedOrTurned) {
    script.events = [] {
        onKeyEvent(GLFW_KEY_ESC, GLFW_PRESS);
        onButtonEvent(GLFW_MOUSE_BUTTON_RIGHT, GLFW_PRESS, 30, 40);
        onButtonEvent(GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS, 30, 40);
        onButtonEvent(GLFW_MOUSE_BUTTON_LEFT, GLFW_RELEASE, 30, 40); // latched until next poll
        onScrollEvent(2.5, 30, 40);
    };
    script.cursor[0] = 300;
    glfwSwapBuffers();
    glfwTerminate();
    script = Script{};
    glfwInit();
    ASSERT_TRUE(glfwOpenWindow(640, 360, 0, 0, 0, 0, 16, 0, GLFW_WINDOW));
    onScrollEvent(0.5, 0, 0); // a half notch left over would make this a whole one
    std::array<int, 8> read = {glfwGetKey(GLFW_KEY_ESC), glfwGetMouseButton(GLFW_MOUSE_BUTTON_LEFT),
                               glfwGetMouseButton(GLFW_MOUSE_BUTTON_RIGHT), glfwGetMouseWheel()};
    glfwGetMousePos(&read[4], &read[5]);
    glfwGetMousePressPos(GLFW_MOUSE_BUTTON_RIGHT, &read[6], &read[7]);
    EXPECT_EQ(read, (std::array<int, 8>{}));
}

} // namespace
