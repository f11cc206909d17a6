// The shell, the camera and the title, driven through the scripted platform stand-in.
#include "app/app.h"
#include "platform/glfw2.h"
#include "tests/support/call_log.h"
#include "tests/support/fake_gl.h"
#include "tests/support/fake_glfw.h"
#include "view/camera.h"
#include "view/mouse.h"
#include "world/world.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>

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
        wheelPosition = 0;
        leftButtonHeld = false;
        world = World(std::string());
    }
};

// Position of the first call named `name` at or after `from`, or -1.
long firstCall(const std::vector<std::string>& names, const std::string& name, long from = 0) {
    auto it = std::find(names.begin() + from, names.end(), name);
    return it == names.end() ? -1 : it - names.begin();
}

const Call* lastCall(const std::string& name) {
    for (auto it = callLog().rbegin(); it != callLog().rend(); ++it) {
        if (it->name == name) {
            return &*it;
        }
    }
    return nullptr;
}

TEST(Title, RateUsesTheStreamsDefaultNumberFormat) {
    EXPECT_EQ(rateText(70.0), "70");
    EXPECT_EQ(rateText(69.93006993), "69.9301");
    EXPECT_EQ(rateText(142.857142), "142.857");
    EXPECT_EQ(rateText(1234567.0), "1.23457e+06");
}

TEST_F(Shell, TitleCapsTheFrameAndShowsTheRateAboutTwiceASecond) {
    // 5 ms of work sleeps the rest of a 1/70 s frame; no title before half a second.
    frameStartTime = 0.1;
    fakeGlfw.time = 0.105;
    framesThisInterval = 7;
    updateTitle();
    ASSERT_EQ(fakeGlfw.sleeps.size(), 1u);
    EXPECT_NEAR(fakeGlfw.sleeps[0], 1.0 / 70.0 - 0.005, 1e-12);
    EXPECT_NEAR(frameBusyTime, 0.005, 1e-12);
    EXPECT_EQ(fakeGlfw.title, "");
    EXPECT_EQ(framesThisInterval, 7);

    // 20 ms of work does not sleep; past half a second the mean rate goes into the title.
    frameStartTime = 0.73;
    fakeGlfw.time = 0.75;
    framesThisInterval = 49;
    updateTitle();
    EXPECT_EQ(fakeGlfw.sleeps.size(), 1u);
    EXPECT_EQ(fakeGlfw.title, "Tanglor pathfinding - fps: 65.3333");
    EXPECT_EQ(framesThisInterval, 0);
    EXPECT_EQ(fpsIntervalStart, 0.75);

    // Exactly half a second after the last update is not yet "more than half a second".
    frameStartTime = 1.23;
    fakeGlfw.time = 1.25;
    fakeGlfw.title.clear();
    updateTitle();
    EXPECT_EQ(fakeGlfw.title, "");
    EXPECT_EQ(framesThisInterval, 0);
}

TEST_F(Shell, WheelZoomFollowsTheTableAndKeepsItsBounds) {
    struct Row {
        int wheel;
        float zoom;
        int wheelAfter;
    };
    const Row rows[] = {{-4, 0.05f, 1},           {0, 0.05f, 1},           {1, 0.05f, 1},
                        {15, 0.75f, 15},          {20, 1.0f, 20},          {55, 2.75f, 55},
                        {56, 180.0f / 65.0f, 56}, {70, 180.0f / 65.0f, 70}};
    for (const Row& row : rows) {
        fakeGlfw.wheel = row.wheel;
        applyWheelZoom();
        EXPECT_FLOAT_EQ(zoom, row.zoom) << "wheel " << row.wheel;
        EXPECT_EQ(fakeGlfw.wheel, row.wheelAfter) << "wheel " << row.wheel;
        EXPECT_EQ(wheelPosition, row.wheelAfter);
    }
    EXPECT_EQ(zoom, static_cast<float>(180.0 / 65.0));
}

TEST_F(Shell, SpaceResetsTheViewButKeepsTheZoom) {
    startUp();
    fakeGlfw.wheel = 30;
    applyWheelZoom();
    yaw = 123.0f;
    pitch = 45.0f;
    yawVelocity = 2.0;
    pitchVelocity = -1.0;
    cameraX = 7.0f;
    fakeKey(GLFW_KEY_SPACE, GLFW_PRESS);
    EXPECT_EQ(yaw, 123.0f) << "the reset waits for the release";
    fakeKey(GLFW_KEY_SPACE, GLFW_RELEASE);
    EXPECT_EQ(yaw, 0.0f);
    EXPECT_EQ(pitch, 0.0f);
    EXPECT_EQ(yawVelocity, 0.0);
    EXPECT_EQ(pitchVelocity, 0.0);
    EXPECT_EQ(cameraX, 0.0f);
    EXPECT_EQ(cameraY, 200.0f);
    EXPECT_EQ(cameraZ, 0.0f);
    EXPECT_FLOAT_EQ(zoom, 1.5f);
}

TEST_F(Shell, KeypadKeysChangeThePaceOnPressAndReleaseAlike) {
    startUp();
    ASSERT_EQ(world.stepFrames, 10);
    world.stepFrame = 7;
    fakeKey(GLFW_KEY_KP_ADD, GLFW_PRESS);
    EXPECT_EQ(world.stepFrames, 5);
    EXPECT_EQ(world.stepFrame, 3);
    fakeKey(GLFW_KEY_KP_ADD, GLFW_RELEASE); // 5 is not above 6: nothing more
    EXPECT_EQ(world.stepFrames, 5);
    EXPECT_EQ(world.stepFrame, 3);

    world.stepFrames = 15;
    world.stepFrame = 15;
    fakeKey(GLFW_KEY_KP_ADD, GLFW_PRESS);
    EXPECT_EQ(world.stepFrames, 10);
    EXPECT_EQ(world.stepFrame, 10);

    world.stepFrames = 6;
    world.stepFrame = 4;
    fakeKey(GLFW_KEY_KP_ADD, GLFW_PRESS);
    EXPECT_EQ(world.stepFrames, 6);
    EXPECT_EQ(world.stepFrame, 4);

    world.stepFrames = 10;
    fakeKey(GLFW_KEY_KP_SUBTRACT, GLFW_PRESS);
    EXPECT_EQ(world.stepFrames, 15);
    fakeKey(GLFW_KEY_KP_SUBTRACT, GLFW_RELEASE);
    EXPECT_EQ(world.stepFrames, 20);
    EXPECT_EQ(world.stepFrame, 4);

    // The main keyboard's minus and plus are other keys.
    fakeKey('-', GLFW_PRESS);
    fakeKey('=', GLFW_PRESS);
    EXPECT_EQ(world.stepFrames, 20);
}

TEST_F(Shell, StartUpOpensTheWindowAndSetsTheFixedState) {
    world.stepFrames = 100;
    ASSERT_TRUE(startUp());
    const Call* open = lastCall("glfwOpenWindow");
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->args, (std::vector<double>{1280, 720, 0, 0, 0, 0, 16, 0, GLFW_WINDOW}));
    EXPECT_EQ(fakeGlfw.title, "GLFW Application");
    EXPECT_EQ(fakeGlfw.wheel, 15);
    EXPECT_NE(fakeGlfw.keyCallback, nullptr);
    EXPECT_EQ(world.stepFrames, 10);
    EXPECT_EQ(callNames("gl").back(), "glCullFace");
    EXPECT_EQ(firstCall(callNames(), "glfwInit"), 0);
}

TEST_F(Shell, StartUpFailsCleanlyWhenNoWindowOpens) {
    fakeGlfw.openSucceeds = false;
    EXPECT_FALSE(startUp());
    std::vector<std::string> names = callNames();
    EXPECT_EQ(names.back(), "glfwTerminate");
    EXPECT_EQ(firstCall(names, "glEnable"), -1) << "no OpenGL state without a context";
    EXPECT_STRNE(glfwGetOpenError(), "");
}

TEST_F(Shell, ViewportNeverGetsAZeroHeight) {
    fakeGlfw.width = 0;
    fakeGlfw.height = 0;
    updateViewport();
    EXPECT_EQ(windowWidth, 0);
    EXPECT_EQ(windowHeight, 1);
    EXPECT_EQ(lastCall("glViewport")->args, (std::vector<double>{0, 0, 0, 1}));
    applyCamera();
    EXPECT_EQ(lastCall("gluPerspective")->args[1], 0.0) << "width 0 gives aspect 0";
}

TEST_F(Shell, FrameRunsItsStepsInOrder) {
    ASSERT_TRUE(startUp());
    clearCalls();
    fakeGlfw.time = 1.0;
    fpsIntervalStart = 1.0;
    runFrame();
    std::vector<std::string> names = callNames();
    long previous = -1;
    for (const char* step : {"glfwGetTime", "glfwGetWindowSize", "glViewport", "gluPerspective",
                             "gluLookAt", "glClear", "glfwGetMousePos", "glfwSwapBuffers",
                             "glfwSleep", "glfwGetKey", "glfwGetWindowParam"}) {
        long at = firstCall(names, step, previous + 1);
        EXPECT_GT(at, previous) << step << " out of order";
        previous = at;
    }
    EXPECT_EQ(names.back(), "glfwGetWindowParam");
    EXPECT_EQ(framesThisInterval, 1);
    EXPECT_TRUE(running);
}

TEST_F(Shell, FirstFrameDrawsWithZoomOneThenTheWheelZoom) {
    ASSERT_TRUE(startUp());
    runFrame();
    EXPECT_DOUBLE_EQ(lastCall("gluPerspective")->args[0], 65.0);
    runFrame();
    EXPECT_DOUBLE_EQ(lastCall("gluPerspective")->args[0], 65.0 * 0.75f);
}

TEST_F(Shell, LoopStopsAtTheEndOfTheFrameInWhichEscapeIsDown) {
    ASSERT_TRUE(startUp());
    fakeGlfw.onEvents = [](int swap) {
        if (swap == 2) {
            fakeGlfw.keys[GLFW_KEY_ESC] = GLFW_PRESS; // held, its press seen earlier
        }
    };
    runFrameLoop();
    EXPECT_EQ(fakeGlfw.swaps, 3);
    EXPECT_EQ(callNames().back(), "glfwGetKey") << "the window is not asked once Escape is down";
}

TEST_F(Shell, LoopStopsWhenEscapeIsPressedAndReleasedInOnePoll) {
    ASSERT_TRUE(startUp());
    fakeGlfw.onEvents = [](int swap) {
        if (swap == 4) {
            fakeKey(GLFW_KEY_ESC, GLFW_PRESS);
            fakeKey(GLFW_KEY_ESC, GLFW_RELEASE);
        }
    };
    runFrameLoop();
    EXPECT_EQ(fakeGlfw.swaps, 5);
}

TEST_F(Shell, LoopStopsWhenTheWindowIsClosed) {
    ASSERT_TRUE(startUp());
    fakeGlfw.onEvents = [](int swap) {
        if (swap == 1) {
            fakeGlfw.opened = false;
        }
    };
    runFrameLoop();
    EXPECT_EQ(fakeGlfw.swaps, 2);
    EXPECT_EQ(callNames().back(), "glfwGetWindowParam");
}

} // namespace
