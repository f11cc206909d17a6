// The shell, the camera, the keys and the title, driven through the scripted platform.
#include "app/app.h"
#include "platform/glfw2.h"
#include "tests/support/call_log.h"
#include "tests/support/fake_gl.h"
#include "tests/support/fake_glfw.h"
#include "view/camera.h"
#include "view/mouse.h"
#include "world/world.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

struct Shell : ::testing::Test {
    void SetUp() override {
        clearCalls();
        resetFakeGl();
        resetFakeGlfw();
        windowWidth = 1280;
        windowHeight = 720;
        running = true;
        escapeRequested = false;
        framesThisInterval = 0;
        fpsIntervalStart = 0.0;
        frameBusyTime = 0.0;
        zoom = 1.0f;
        leftButtonHeld = false;
        world = World(std::string());
    }
};

const Call& lastCall(const std::string& name) {
    return *std::find_if(callLog().rbegin(), callLog().rend(),
                         [&](const Call& call) { return call.name == name; });
}

TEST(Title, RateUsesTheStreamsDefaultNumberFormat) {
    EXPECT_EQ(rateText(70.0), "70");
    EXPECT_EQ(rateText(69.93006993), "69.9301");
    EXPECT_EQ(rateText(142.857142), "142.857");
}

TEST_F(Shell, TitleCapsTheFrameAndShowsTheRateAboutTwiceASecond) {
    struct Step {
        double frameStart, now;
        int frames;
        const char* title; // after the call; "" while the interval runs
    };
    // 5 ms of work sleeps the rest of a 1/70 s frame; 20 ms does not sleep; the rate goes
    // into the title only once more than half a second has passed since the last update.
    const Step steps[] = {{0.1, 0.105, 7, ""},
                          {0.73, 0.75, 49, "Tanglor pathfinding - fps: 65.3333"},
                          {1.23, 1.25, 3, ""}};
    for (const Step& step : steps) {
        fakeGlfw.title.clear();
        frameStartTime = step.frameStart;
        fakeGlfw.time = step.now;
        framesThisInterval = step.frames;
        updateTitle();
        EXPECT_EQ(fakeGlfw.title, step.title);
    }
    ASSERT_EQ(fakeGlfw.sleeps.size(), 1u);
    EXPECT_NEAR(fakeGlfw.sleeps[0], 1.0 / 70.0 - 0.005, 1e-12);
    EXPECT_EQ(fpsIntervalStart, 0.75);
    EXPECT_EQ(framesThisInterval, 3);
}

TEST_F(Shell, WheelZoomFollowsTheTableAndSpaceKeepsIt) {
    const float cap = 180.0f / 65.0f;
    const struct {
        int wheel;
        float zoom;
        int wheelAfter;
    } rows[] = {{-4, 0.05f, 1},  {1, 0.05f, 1}, {15, 0.75f, 15}, {20, 1.0f, 20},
                {55, 2.75f, 55}, {56, cap, 56}, {70, cap, 70}};
    for (const auto& row : rows) {
        fakeGlfw.wheel = row.wheel;
        applyWheelZoom();
        EXPECT_FLOAT_EQ(zoom, row.zoom) << "wheel " << row.wheel;
        EXPECT_EQ(fakeGlfw.wheel, row.wheelAfter) << "wheel " << row.wheel;
    }

    startUp();
    yaw = 123.0f;
    pitch = 45.0f;
    yawVelocity = pitchVelocity = 2.0;
    cameraX = 7.0f;
    fakeKey(GLFW_KEY_SPACE, GLFW_PRESS);
    EXPECT_EQ(yaw, 123.0f) << "the reset waits for the release";
    fakeKey(GLFW_KEY_SPACE, GLFW_RELEASE);
    EXPECT_EQ(
        std::vector<double>({yaw, pitch, yawVelocity, pitchVelocity, cameraX, cameraY, cameraZ}),
        std::vector<double>({0, 0, 0, 0, 0, 200, 0}));
    EXPECT_EQ(zoom, cap);
}

TEST_F(Shell, KeypadKeysChangeThePaceOnPressAndReleaseAlike) {
    startUp();
    const struct {
        int key, action, framesBefore, frameBefore, framesAfter, frameAfter;
    } rows[] = {{GLFW_KEY_KP_ADD, GLFW_PRESS, 10, 7, 5, 3},
                {GLFW_KEY_KP_ADD, GLFW_RELEASE, 5, 3, 5, 3},
                {GLFW_KEY_KP_ADD, GLFW_PRESS, 15, 15, 10, 10},
                {GLFW_KEY_KP_ADD, GLFW_RELEASE, 6, 4, 6, 4},
                {GLFW_KEY_KP_SUBTRACT, GLFW_PRESS, 10, 4, 15, 4},
                {GLFW_KEY_KP_SUBTRACT, GLFW_RELEASE, 15, 4, 20, 4},
                {'-', GLFW_PRESS, 10, 4, 10, 4},
                {'=', GLFW_PRESS, 10, 4, 10, 4}};
    for (const auto& row : rows) {
        world.stepFrames = row.framesBefore;
        world.stepFrame = row.frameBefore;
        fakeKey(row.key, row.action);
        EXPECT_EQ(world.stepFrames, row.framesAfter) << row.key << " from " << row.framesBefore;
        EXPECT_EQ(world.stepFrame, row.frameAfter) << row.key << " from " << row.framesBefore;
    }
}

TEST_F(Shell, StartUpOpensTheWindowOrFailsCleanly) {
    world.stepFrames = 100;
    ASSERT_TRUE(startUp());
    EXPECT_EQ(lastCall("glfwOpenWindow").args,
              (std::vector<double>{1280, 720, 0, 0, 0, 0, 16, 0, GLFW_WINDOW}));
    EXPECT_EQ(fakeGlfw.title, "GLFW Application");
    EXPECT_EQ(fakeGlfw.wheel, 15);
    EXPECT_NE(fakeGlfw.keyCallback, nullptr);
    EXPECT_EQ(world.stepFrames, 10);

    clearCalls();
    fakeGlfw.openSucceeds = false;
    EXPECT_FALSE(startUp());
    EXPECT_EQ(callNames().back(), "glfwTerminate");
    EXPECT_EQ(callNames("glfw").size(), callLog().size()) << "no OpenGL call without a window";
}

TEST_F(Shell, ViewportNeverGetsAZeroHeight) {
    fakeGlfw.width = 0;
    fakeGlfw.height = 0;
    updateViewport();
    EXPECT_EQ(windowHeight, 1);
    EXPECT_EQ(lastCall("glViewport").args, (std::vector<double>{0, 0, 0, 1}));
    applyCamera();
    EXPECT_EQ(lastCall("gluPerspective").args[1], 0.0) << "width 0 gives aspect 0";
}

TEST_F(Shell, FrameRunsItsStepsInOrderAndZoomsFromTheSecondFrame) {
    ASSERT_TRUE(startUp());
    clearCalls();
    fpsIntervalStart = 1.0;
    fakeGlfw.time = 1.0;
    runFrame();
    std::vector<std::string> names = callNames();
    auto at = names.begin();
    for (const char* step : {"glfwGetTime", "glfwGetWindowSize", "glViewport", "gluPerspective",
                             "gluLookAt", "glClear", "glfwGetMousePos", "glfwSwapBuffers",
                             "glfwSleep", "glfwGetKey", "glfwGetWindowParam"}) {
        at = std::find(at, names.end(), step);
        EXPECT_NE(at, names.end()) << step << " missing or out of order";
    }
    EXPECT_EQ(names.back(), "glfwGetWindowParam");
    EXPECT_EQ(framesThisInterval, 1);
    EXPECT_DOUBLE_EQ(lastCall("gluPerspective").args[0], 65.0);
    runFrame();
    EXPECT_DOUBLE_EQ(lastCall("gluPerspective").args[0], 65.0 * 0.75f);
}

TEST_F(Shell, LoopStopsAtTheEndOfTheFrameThatEndsIt) {
    const struct {
        const char* what;
        std::function<void()> event;
        const char* lastCall;
    } rows[] = {
        {"Escape held", [] { fakeGlfw.keys[GLFW_KEY_ESC] = GLFW_PRESS; }, "glfwGetKey"},
        {"Escape pressed and released in one poll",
         [] {
             fakeKey(GLFW_KEY_ESC, GLFW_PRESS);
             fakeKey(GLFW_KEY_ESC, GLFW_RELEASE);
         },
         "glfwGetTime"},
        {"window closed", [] { fakeGlfw.opened = false; }, "glfwGetWindowParam"},
    };
    for (const auto& row : rows) {
        SetUp();
        ASSERT_TRUE(startUp());
        fakeGlfw.onEvents = [&](int swap) {
            if (swap == 2) {
                row.event();
            }
        };
        runFrameLoop();
        EXPECT_EQ(fakeGlfw.swaps, 3) << row.what;
        EXPECT_EQ(callNames().back(), row.lastCall) << row.what;
    }
}

} // namespace
