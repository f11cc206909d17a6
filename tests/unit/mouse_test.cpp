// The mouse step through the scripted platform layer and the recording OpenGL: turning
// with inertia, the pitch clamp, the wheel, and picks that become requests on release.
#include "app/app.h"
#include "tests/support/call_log.h"
#include "tests/support/fake_gl.h"
#include "tests/support/fake_glfw.h"
#include "view/camera.h"
#include "view/mouse.h"
#include "world/world.h"
#include "world_files.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

TEST(Mouse, DragTurnsByMoveTimesBusyTimeTimesGainCoastsAndClampsThePitch) {
    // Right button, busy time, cursor; then yaw and pitch velocity, yaw and pitch after.
    const std::tuple<bool, double, int, int, double, double, float, float> frames[] = {
        {true, 0.0, 700, 400, 0.0, 0.0, 0.0f, 0.0f},       // no busy time measured yet
        {true, 0.02, 710, 1400, 0.6, 60.0, 0.6f, 60.0f},   // from the last frame's cursor
        {true, 0.02, 710, 1400, 0.6, 60.0, 1.2f, 90.0f},   // held still: kept; pitch clamped
        {false, 0.02, 900, 100, 0.54, 54.0, 1.74f, 90.0f}, // released: x 0.9 a frame
        {true, 0.02, 900, 100, 0.54, 54.0, 2.28f, 90.0f},  // a new drag starts without a jump
        {true, 0.02, 900, -2400, 0.54, -96.0, 2.82f, 0.0f},
        {false, 0.02, 900, -2400, 0.486, -86.4, 3.306f, 0.0f}, // the velocity is kept
    };
    resetFakeGlfw();
    resetCamera(); // no turn and no velocity; the first frame sets the last cursor
    for (const auto& frame : frames) {
        SCOPED_TRACE(&frame - frames);
        const auto& [right, busy, x, y, yawSpeed, pitchSpeed, yawAfter, pitchAfter] = frame;
        frameBusyTime = busy;
        fakeGlfw.buttons[GLFW_MOUSE_BUTTON_RIGHT] = right ? GLFW_PRESS : GLFW_RELEASE;
        fakeGlfw.mouseX = x;
        fakeGlfw.mouseY = y;
        clearCalls();
        handleMouse();
        EXPECT_NEAR(yawVelocity, yawSpeed, 1e-9);
        EXPECT_NEAR(pitchVelocity, pitchSpeed, 1e-9);
        EXPECT_NEAR(yaw, yawAfter, 1e-4);
        EXPECT_NEAR(pitch, pitchAfter, 1e-4);
        // The wheel is not even read while the right button is held.
        EXPECT_EQ(callNames("glfwGetMouseWheel").size(), right ? 0u : 1u);
    }
}

TEST(Mouse, ReleaseRequestsOnceForTheLastHeldPick) {
    TempFolder folder;
    // 2 x 2 tiles: column 0 is x in [-10, 0), row 0 is z in [-10, 0); tile = row * 2 + column.
    const std::string map = folder.write("map.txt", "0 0\n0 0\n");
    // The world points (x, z) under the cursor while held and whether they unproject; the
    // start tile the request names, -1 for none.
    const std::pair<std::vector<std::tuple<double, double, bool>>, int> cases[] = {
        {{{-5, -5, true}, {5, 5, true}}, 3}, // the cursor moved on while held
        {{{3.7, -3.7, true}}, 1},            // (3, 3): truncated, z negated
        {{{-3.7, 3.7, true}}, 2},            // (-3, -3)
        {{{-0.7, 0.7, true}}, 3},            // (0, 0); rounding down would name tile 2
        {{{9.7, 9.7, true}}, 3},             // (9, -9); rounding to nearest leaves the grid
        {{{5, -5, true}}, 1},                // z negated: -5 would be row 1
        {{{5, 5, true}, {5, 5, false}}, -1}, // the last pick does not unproject
        {{{1.0e12, 5, true}}, -1},           // beyond int range
        {{{5, -1.0e12, true}}, -1},
    };
    resetFakeGl();
    resetFakeGlfw();
    for (const auto& [held, tile] : cases) {
        SCOPED_TRACE(::testing::PrintToString(held));
        world = World(map);
        fakeGlfw.buttons[GLFW_MOUSE_BUTTON_LEFT] = GLFW_PRESS;
        for (const auto& [x, z, unprojects] : held) {
            fakeGl.unProjectOk = unprojects;
            fakeGl.unProjected[0] = x;
            fakeGl.unProjected[2] = z;
            handleMouse();
        }
        EXPECT_EQ(world.clickPhase, 0) << "no request while held";
        fakeGlfw.buttons[GLFW_MOUSE_BUTTON_LEFT] = GLFW_RELEASE;
        handleMouse();
        handleMouse(); // a second request would choose the target
        EXPECT_EQ(world.startNode ? world.startNode - world.nodes.data() : -1, tile);
        EXPECT_EQ(world.clickPhase, tile >= 0 ? 1 : 0);
    }
    world = World(std::string());
}
