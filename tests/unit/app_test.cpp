// The shell, the camera, the keys and the title, driven through the scripted platform.
#include "tests/support/fake_glfw.h"
#include "world/world.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

struct Shell : ::testing::Test {
    void SetUp() override {
        resetFakes();
        world = World(std::string());
    }
};

TEST_F(Shell, TitleCapsTheFrameAtSeventyAndShowsTheRateEveryHalfSecond) {
    // Frame start, timer now, frames counted; then the title set ("" for none) and the sleep.
    const std::tuple<double, double, int, const char*, double> steps[] = {
        {0.1, 0.105, 7, "", 1.0 / 70 - 0.005},
        {0.73, 0.75, 49, "Tanglor pathfinding - fps: 65.3333", 0},
        {1.23, 1.25, 3, "", 0}, // not more than half a second since the last
        {1.7, 1.75, 70, "Tanglor pathfinding - fps: 70", 0}};
    for (const auto& [start, now, frames, title, sleep] : steps) {
        calls.clear();
        fakeGlfw.title.clear();
        frameClock.frameStartTime = start;
        fakeGlfw.time = now;
        frameClock.framesThisInterval = frames;
        capFrameRate();
        updateTitle();
        EXPECT_EQ(fakeGlfw.title, title) << now;
        const std::size_t slept = callAt("glfwSleep");
        EXPECT_NEAR(slept < calls.size() ? calls[slept].args[0] : 0.0, sleep, 1e-12) << now;
    }
}

TEST_F(Shell, WheelZoomFollowsTheTableAndSpaceResetsTheViewOnRelease) {
    const float cap = 180.0f / 65.0f;
    // Wheel position; the zoom, and the wheel position after (pulled back to 1 from below).
    const std::tuple<int, float, int> rows[] = {{-4, 0.05f, 1},  {0, 0.05f, 1},   {2, 0.1f, 2},
                                                {15, 0.75f, 15}, {55, 2.75f, 55}, {56, cap, 56},
                                                {70, cap, 70}};
    for (const auto& [wheel, zoomed, after] : rows) {
        fakeGlfw.wheel = wheel;
        applyWheelZoom();
        EXPECT_FLOAT_EQ(camera.zoom, zoomed) << "wheel " << wheel;
        EXPECT_EQ(fakeGlfw.wheel, after) << "wheel " << wheel;
    }

    ASSERT_TRUE(startUp());
    camera.yaw = camera.pitch = 45.0f;
    fakeKey(GLFW_KEY_SPACE, GLFW_PRESS);
    EXPECT_EQ(camera.yaw, 45.0f) << "the reset waits for the release";
    fakeKey(GLFW_KEY_SPACE, GLFW_RELEASE);
    EXPECT_EQ(camera.yaw + camera.pitch, 0.0f);
    EXPECT_EQ(camera.zoom, cap) << "the zoom is the wheel's";
}

TEST_F(Shell, KeypadKeysChangeThePaceOnPressAndReleaseAlike) {
    ASSERT_TRUE(startUp());
    // Key, action, stepFrames and stepFrame before, and after.
    const int rows[][6] = {{GLFW_KEY_KP_ADD, GLFW_PRESS, 10, 7, 5, 3}, // 7 x 0.5, truncated
                           {GLFW_KEY_KP_ADD, GLFW_RELEASE, 7, 0, 2, 0},
                           {GLFW_KEY_KP_ADD, GLFW_PRESS, 6, 4, 6, 4},
                           {GLFW_KEY_KP_ADD, GLFW_PRESS, 15, 15, 10, 10},
                           {GLFW_KEY_KP_SUBTRACT, GLFW_PRESS, 10, 4, 15, 4},
                           {GLFW_KEY_KP_SUBTRACT, GLFW_RELEASE, 15, 4, 20, 4},
                           {'-', GLFW_PRESS, 10, 4, 10, 4}};
    for (const auto& row : rows) {
        world.stepFrames = row[2];
        world.walk.stepFrame = row[3];
        fakeKey(row[0], row[1]);
        EXPECT_EQ(world.stepFrames, row[4]) << row[0] << " from " << row[2];
        EXPECT_EQ(world.walk.stepFrame, row[5]) << row[0] << " from " << row[2];
    }
}

TEST_F(Shell, StartUpOpensTheWindowOrEndsCleanly) {
    ASSERT_TRUE(startUp()); // over the world's own pace
    EXPECT_EQ(calls.at(callAt("glfwOpenWindow")).args,
              (std::vector<double>{1280, 720, 0, 0, 0, 0, 16, 0, GLFW_WINDOW}));
    EXPECT_EQ(fakeGlfw.title, "GLFW Application");
    EXPECT_EQ(fakeGlfw.wheel, 15);
    EXPECT_EQ(world.stepFrames, 10);

    resetFakes();
    fakeGlfw.openSucceeds = false;
    EXPECT_FALSE(startUp());
    EXPECT_EQ(calls.back().name, "glfwTerminate");
    EXPECT_EQ(calls.size(), 2u) << "no OpenGL call without a window";
}

TEST_F(Shell, FrameRunsItsStepsInOrderAndZoomsFromTheSecondFrame) {
    ASSERT_TRUE(startUp());
    fakeGlfw.height = 0; // minimised: the aspect ratio must not divide by zero
    runFrame();
    // The mouse step reads the frame just drawn; events come in the swap, the title after.
    std::size_t at = 0;
    for (const char* step : {"glfwGetTime", "glViewport", "gluPerspective", "glClear",
                             "glfwGetMouseWheel", "glfwSwapBuffers", "glfwSleep"}) {
        at = callAt(step, at);
        EXPECT_LT(at, calls.size()) << step << " missing or out of order";
    }
    // The first frame's zoom is 1; a height of 0 is taken as 1.
    EXPECT_EQ(calls.at(callAt("gluPerspective")).args, (std::vector<double>{65, 1280}));
    calls.clear();
    runFrame();
    EXPECT_DOUBLE_EQ(calls.at(callAt("gluPerspective")).args[0], 65.0 * 0.75);
}

TEST_F(Shell, TheFrameInWhichEscapeComesOrTheWindowClosesIsTheLast) {
    void (*const events[])() = {
        [] { fakeGlfw.keys[GLFW_KEY_ESC] = GLFW_PRESS; },
        [] { fakeKey(GLFW_KEY_ESC, GLFW_PRESS), fakeKey(GLFW_KEY_ESC, GLFW_RELEASE); }, // one poll
        [] { fakeGlfw.opened = false; }};
    for (auto event : events) {
        SetUp();
        ASSERT_TRUE(startUp());
        fakeGlfw.onEvents = [event](int) { event(); };
        runFrame();
        EXPECT_FALSE(running) << "event " << &event - events;
    }
}

} // namespace
