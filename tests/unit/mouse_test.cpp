// The mouse step through the scripted platform layer: turning with inertia, the pitch
// clamp, the wheel, and picks that become requests on release.
#include "tests/support/fake_glfw.h"
#include "world/world.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

TEST(Mouse, DragTurnsByMoveTimesBusyTimeTimesGainCoastsAndClampsThePitch) {
    struct Frame {
        bool right;
        double busy;
        int x, y, pressX, pressY;    // the cursor, and where the right button went down
        double yawSpeed, pitchSpeed; // after the frame
        float yawAfter, pitchAfter;
    };
    const Frame frames[] = {
        {true, 0.0, 700, 400, 700, 400, 0.0, 0.0, 0.0f, 0.0f},       // no busy time measured yet
        {true, 0.02, 710, 1400, 700, 400, 0.6, 60.0, 0.6f, 60.0f},   // from the last frame's cursor
        {true, 0.02, 710, 1400, 700, 400, 0.6, 60.0, 1.2f, 90.0f},   // held still: kept; clamped
        {false, 0.02, 900, 100, 700, 400, 0.54, 54.0, 1.74f, 90.0f}, // released: x 0.9 a frame
        // Moved 100 before the press and 60 after it, in one poll: only the 60 turns.
        {true, 0.02, 1060, 100, 1000, 100, 4.14, 54.0, 5.88f, 90.0f},
        {true, 0.02, 1060, -2400, 1000, 100, 4.14, -96.0, 10.02f, 0.0f},
        {false, 0.02, 1060, -2400, 1000, 100, 3.726, -86.4, 13.746f, 0.0f}, // velocity kept
        {true, 0.02, 1060, 450, 1060, -2400, 3.726, 84.6, 17.472f, 84.6f},  // under 90: kept
    };
    resetFakes();
    for (const Frame& frame : frames) {
        SCOPED_TRACE(&frame - frames);
        frameClock.frameBusyTime = frame.busy;
        fakeGlfw.buttons[GLFW_MOUSE_BUTTON_RIGHT] = frame.right ? GLFW_PRESS : GLFW_RELEASE;
        fakeGlfw.mouseX = frame.x;
        fakeGlfw.mouseY = frame.y;
        fakeGlfw.pressX = frame.pressX;
        fakeGlfw.pressY = frame.pressY;
        calls.clear();
        handleMouse();
        EXPECT_NEAR(camera.yawVelocity, frame.yawSpeed, 1e-9);
        EXPECT_NEAR(camera.pitchVelocity, frame.pitchSpeed, 1e-9);
        EXPECT_NEAR(camera.yaw, frame.yawAfter, 1e-4);
        EXPECT_NEAR(camera.pitch, frame.pitchAfter, 1e-4);
        EXPECT_EQ(callAt("glfwGetMouseWheel") < calls.size(), !frame.right) << "the wheel waits";
    }
}

TEST(Mouse, ReleaseRequestsOnceForTheLastHeldPickTruncatedWithZNegated) {
    // The world points (x, z) under the cursor in the held frames, and the tile requested
    // of 2 x 2 (row x 2 + column; column 1 from x 0 on, row 1 from z 0 on).
    const std::pair<std::vector<std::pair<double, double>>, int> cases[] = {
        {{{-5, -5}, {5, 5}}, 3}, // the cursor moved on while held
        {{{3.7, -3.7}}, 1},      // (3, 3): z negated
        {{{-0.7, 0.7}}, 3},      // (0, 0); rounding down would name tile 2
        {{{9.7, 9.7}}, 3},       // (9, -9); rounding to nearest leaves the grid
    };
    resetFakes();
    for (const auto& [held, tile] : cases) {
        world = World(std::string());
        world.buildGrid(2, 2);
        fakeGlfw.buttons[GLFW_MOUSE_BUTTON_LEFT] = GLFW_PRESS;
        for (const auto& [x, z] : held) {
            fakeGl.unProjected[0] = x;
            fakeGl.unProjected[2] = z;
            handleMouse();
        }
        EXPECT_EQ(world.clickPhase, 0) << "no request while held";
        fakeGlfw.buttons[GLFW_MOUSE_BUTTON_LEFT] = GLFW_RELEASE;
        handleMouse();
        handleMouse(); // a second request would choose the target
        EXPECT_EQ(world.clickPhase, 1);
        EXPECT_EQ(world.walk.start, tile);
    }
    world = World(std::string());
}
