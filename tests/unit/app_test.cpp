// The shell, the camera, the keys and the title, driven through the scripted platform.
#include "tests/support/fake_glfw.h"
#include "world/world.h"

#include <gtest/gtest.h>

#include <functional>
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
    const struct {
        double start, now;
        int frames;
        const char* title;
        double sleep;
    } steps[] = {{0.1, 0.105, 7, "", 1.0 / 70 - 0.005},
                 {0.73, 0.75, 49, "Tanglor pathfinding - fps: 65.3333", 0},
                 {1.23, 1.25, 3, "", 0}, // not more than half a second since the last
                 {1.7, 1.75, 70, "Tanglor pathfinding - fps: 70", 0}};
    for (const auto& step : steps) {
        calls.clear();
        fakeGlfw.title.clear();
        frameStartTime = step.start;
        fakeGlfw.time = step.now;
        framesThisInterval = step.frames;
        updateTitle();
        EXPECT_EQ(fakeGlfw.title, step.title) << step.now;
        const std::size_t sleep = callAt("glfwSleep");
        EXPECT_NEAR(sleep < calls.size() ? calls[sleep].args[0] : 0.0, step.sleep, 1e-12);
    }
}

TEST_F(Shell, WheelZoomFollowsTheTableAndSpaceResetsTheViewOnRelease) {
    const float cap = 180.0f / 65.0f;
    // Wheel position; the zoom, and the wheel position after (pulled back to 1 from below).
    const struct {
        int wheel;
        float zoom;
        int after;
    } rows[] = {{-4, 0.05f, 1},  {0, 0.05f, 1}, {2, 0.1f, 2}, {15, 0.75f, 15},
                {55, 2.75f, 55}, {56, cap, 56}, {70, cap, 70}};
    for (const auto& row : rows) {
        fakeGlfw.wheel = row.wheel;
        applyWheelZoom();
        EXPECT_FLOAT_EQ(zoom, row.zoom) << "wheel " << row.wheel;
        EXPECT_EQ(fakeGlfw.wheel, row.after) << "wheel " << row.wheel;
    }

    ASSERT_TRUE(startUp());
    yaw = pitch = 45.0f;
    yawVelocity = pitchVelocity = 2.0;
    cameraX = 7.0f;
    fakeKey(GLFW_KEY_SPACE, GLFW_PRESS);
    EXPECT_EQ(yaw, 45.0f) << "the reset waits for the release";
    fakeKey(GLFW_KEY_SPACE, GLFW_RELEASE);
    EXPECT_EQ(
        std::vector<double>({yaw, pitch, yawVelocity, pitchVelocity, cameraX, cameraY, cameraZ}),
        std::vector<double>({0, 0, 0, 0, 0, 200, 0}));
    EXPECT_EQ(zoom, cap);
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
        world.stepFrame = row[3];
        fakeKey(row[0], row[1]);
        EXPECT_EQ(world.stepFrames, row[4]) << row[0] << " from " << row[2];
        EXPECT_EQ(world.stepFrame, row[5]) << row[0] << " from " << row[2];
    }
}

TEST_F(Shell, StartUpOpensTheWindowOrEndsCleanly) {
    world.stepFrames = 100;
    ASSERT_TRUE(startUp());
    EXPECT_EQ(calls.at(callAt("glfwOpenWindow")).args,
              (std::vector<double>{1280, 720, 0, 0, 0, 0, 16, 0, GLFW_WINDOW}));
    EXPECT_EQ(fakeGlfw.title, "GLFW Application");
    EXPECT_EQ(fakeGlfw.wheel, 15);
    EXPECT_NE(fakeGlfw.keyCallback, nullptr);
    EXPECT_EQ(world.stepFrames, 10);

    resetFakes();
    fakeGlfw.openSucceeds = false;
    EXPECT_FALSE(startUp());
    EXPECT_EQ(callText(callAt("glfwTerminate")), "glfwTerminate() ");
    EXPECT_EQ(calls.size(), 2u) << "no OpenGL call without a window";
}

TEST_F(Shell, FrameRunsItsStepsInOrderAndZoomsFromTheSecondFrame) {
    ASSERT_TRUE(startUp());
    fakeGlfw.height = 0; // minimised: the aspect ratio must not divide by zero
    calls.clear();
    runFrame();
    // The mouse step reads the frame just drawn; events come in the swap, the title after.
    std::size_t at = 0;
    for (const char* step : {"glfwGetTime", "glViewport", "gluPerspective", "glClear",
                             "glfwGetMousePos", "glfwSwapBuffers", "glfwSleep"}) {
        at = callAt(step, at);
        EXPECT_LT(at, calls.size()) << step << " missing or out of order";
    }
    EXPECT_EQ(calls.at(callAt("glViewport")).args, (std::vector<double>{0, 0, 1280, 1}));
    EXPECT_EQ(calls.at(callAt("gluPerspective")).args, (std::vector<double>{65, 1280}));
    calls.clear();
    runFrame();
    EXPECT_DOUBLE_EQ(calls.at(callAt("gluPerspective")).args[0], 65.0 * 0.75);
}

TEST_F(Shell, LoopStopsAtTheEndOfTheFrameThatEndsIt) {
    const std::function<void()> events[] = {[] { fakeGlfw.keys[GLFW_KEY_ESC] = GLFW_PRESS; },
                                            [] { // pressed and released within one event poll
                                                fakeKey(GLFW_KEY_ESC, GLFW_PRESS);
                                                fakeKey(GLFW_KEY_ESC, GLFW_RELEASE);
                                            },
                                            [] { fakeGlfw.opened = false; }};
    for (const auto& event : events) {
        SetUp();
        ASSERT_TRUE(startUp());
        fakeGlfw.onEvents = [&](int swap) {
            if (swap == 2) {
                event();
            }
        };
        runFrameLoop();
        EXPECT_EQ(fakeGlfw.swaps, 3) << "event " << &event - events;
    }
    resetFakes(); // the event script refers to this test's locals
}

} // namespace
