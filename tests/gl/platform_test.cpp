// The version-2 layer over real GLFW, fed real X events: input state changes only inside
// glfwSwapBuffers, and keys, buttons, the wheel and closing read as version 2 gave them.
#include "platform/glfw2.h"
#include "tools/xdriver/x_driver.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <array>
#include <unistd.h>

namespace {

std::vector<std::array<int, 2>> keys;

// Swaps until `done` holds: the layer may take a poll or two to get what X sent.
bool swapUntil(const std::function<bool()>& done) {
    return waitUntil([&] { return glfwSwapBuffers(), done(); }, 10.0);
}

std::array<int, 4> cursorAndSize() {
    std::array<int, 4> read{};
    glfwGetMousePos(&read[0], &read[1]);
    glfwGetWindowSize(&read[2], &read[3]);
    return read;
}

struct Layer : testing::Test {
    XDriver x;
    void SetUp() override {
        glfwInit();
        ASSERT_TRUE(glfwOpenWindow(640, 480, 0, 0, 0, 0, 16, 0, GLFW_WINDOW)) << glfwGetOpenError();
        ASSERT_NE(findWindow(x, getpid(), 10.0), 0u);
        keys.clear();
        glfwSetKeyCallback([](int key, int action) { keys.push_back({key, action}); });
        movePointer(x, 100, 50); // buttons and keys go to the window under the pointer
    }
    void TearDown() override { glfwTerminate(); }
};

TEST_F(Layer, CursorAndWindowSizeChangeOnlyInsideTheSwap) {
    EXPECT_EQ(cursorAndSize()[2], 640) << "the size at window open";
    ASSERT_TRUE(swapUntil([] { return cursorAndSize() == std::array{100, 50, 640, 480}; }));
    movePointer(x, 300, 200);
    resizeWindow(x, 500, 400);
    EXPECT_EQ(cursorAndSize(), (std::array{100, 50, 640, 480}));
    glfwSwapBuffers();
    EXPECT_EQ(cursorAndSize(), (std::array{300, 200, 500, 400}));
}

// Taps inside one poll: the left one still picks; the right one must not turn the scene.
TEST_F(Layer, ButtonTapsInOnePollAndAWheelNotchUp) {
    button(x, 3, true);
    button(x, 3, false);
    button(x, 4, true); // the wheel, one notch up
    button(x, 4, false);
    bool rightSeen = false;
    ASSERT_TRUE(swapUntil([&] {
        rightSeen |= glfwGetMouseButton(GLFW_MOUSE_BUTTON_RIGHT) == GLFW_PRESS;
        return glfwGetMouseWheel() != 0;
    }));
    EXPECT_FALSE(rightSeen);
    EXPECT_EQ(glfwGetMouseWheel(), 1);
    click(x, {100, 50});
    ASSERT_TRUE(swapUntil([] { return glfwGetMouseButton(GLFW_MOUSE_BUTTON_LEFT) == GLFW_PRESS; }));
    glfwSwapBuffers();
    EXPECT_EQ(glfwGetMouseButton(GLFW_MOUSE_BUTTON_LEFT), GLFW_RELEASE);
}

// A move, a press and a move sent before one swap: the press keeps where the cursor was.
TEST_F(Layer, PressPositionIsWhereTheButtonWentDown) {
    ASSERT_TRUE(swapUntil([] { return cursorAndSize()[0] == 100; }));
    movePointer(x, 200, 60);
    button(x, 3, true);
    movePointer(x, 260, 70);
    bool seen = swapUntil([] {
        return glfwGetMouseButton(GLFW_MOUSE_BUTTON_RIGHT) == GLFW_PRESS &&
               cursorAndSize()[0] == 260;
    });
    button(x, 3, false);
    ASSERT_TRUE(seen);
    std::array<int, 2> press{};
    glfwGetMousePressPos(GLFW_MOUSE_BUTTON_RIGHT, &press[0], &press[1]);
    EXPECT_EQ(press, (std::array{200, 60}));
}

TEST_F(Layer, KeypadCodesHeldKeysAndClosing) {
    tapKey(x, XK_KP_Subtract);
    ASSERT_TRUE(holdKeyUntilRepeated(x, XK_KP_Add, [] { glfwSwapBuffers(); }))
        << "the X server did not repeat the held key";
    swapUntil([] { return keys.size() >= 4; });
    EXPECT_EQ(glfwGetWindowParam(GLFW_OPENED), 1);
    closeWindow(x);
    EXPECT_TRUE(swapUntil([] { return glfwGetWindowParam(GLFW_OPENED) == 0; }));
    // A held key presses once; the repeats, had they come through, would show here.
    EXPECT_EQ(keys, (std::vector<std::array<int, 2>>{{GLFW_KEY_KP_SUBTRACT, GLFW_PRESS},
                                                     {GLFW_KEY_KP_SUBTRACT, GLFW_RELEASE},
                                                     {GLFW_KEY_KP_ADD, GLFW_PRESS},
                                                     {GLFW_KEY_KP_ADD, GLFW_RELEASE}}));
}

} // namespace
