// The mouse step, driven through the scripted platform layer and the recording OpenGL:
// right-button turning with inertia, the pitch clamp, the wheel, and left-button picks
// that become path requests on release.
#include "app/app.h"
#include "tests/support/call_log.h"
#include "tests/support/fake_gl.h"
#include "tests/support/fake_glfw.h"
#include "view/camera.h"
#include "view/mouse.h"
#include "world/world.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// 2 x 2 ground tiles. tileIndexAt(x, v): column (10 + x) / 10, row (10 - v) / 10, so
// column 0 is x in [-10, 0), column 1 x in [0, 10); row 0 is z in [-10, 0), row 1 z in
// [0, 10); tile = row * 2 + column.
std::string writeSquareMap() {
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("tanglor_mouse_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string plate = "# plate\n#\n#\n"
                              "v -4 0 -4\nv -4 0 4\nv 4 0 4\nv 4 0 -4\n"
                              "s off\nusemtl none\n"
                              "f 1 2 3\nf 1 3 4\n";
    for (const char* name : {"ground3.obj", "monkey.obj", "banan.obj"}) {
        std::ofstream(dir / name) << plate;
    }
    std::ofstream(dir / "map.txt") << "0 0\n0 0\n";
    return (dir / "map.txt").string();
}

int count(const std::string& name) {
    return int(callNames(name).size());
}

class MouseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resetFakeGl();
        resetFakeGlfw();
        clearCalls();
        world = World(writeSquareMap());
        pitch = 45.0f;
        yaw = 0.0f;
        pitchVelocity = 0.0;
        yawVelocity = 0.0;
        zoom = 1.0f;
        fakeGlfw.wheel = 20;
        lastMouseX = 640;
        lastMouseY = 360;
        leftButtonHeld = false;
        frameBusyTime = 0.0;
    }
    void TearDown() override { world = World(std::string()); }

    // One frame whose left button is held over the world point (x, z).
    void heldOver(double x, double z) {
        fakeGlfw.buttons[GLFW_MOUSE_BUTTON_LEFT] = GLFW_PRESS;
        fakeGl.unProjected[0] = x;
        fakeGl.unProjected[1] = 1.0;
        fakeGl.unProjected[2] = z;
        handleMouse();
    }
    void released() {
        fakeGlfw.buttons[GLFW_MOUSE_BUTTON_LEFT] = GLFW_RELEASE;
        handleMouse();
    }
    int startTile() const {
        return world.startNode == nullptr ? -1 : int(world.startNode - world.nodes.data());
    }
};

using MouseDrag = MouseTest;
using MouseClick = MouseTest;

} // namespace

TEST_F(MouseDrag, VelocityGrowsByCursorMoveTimesBusyTimeTimesGain) {
    fakeGlfw.buttons[GLFW_MOUSE_BUTTON_RIGHT] = GLFW_PRESS;
    // First frame: no busy time measured yet, so the move from (640, 360) does nothing.
    fakeGlfw.mouseX = 700;
    fakeGlfw.mouseY = 400;
    handleMouse();
    EXPECT_EQ(yawVelocity, 0.0);
    EXPECT_EQ(pitchVelocity, 0.0);
    EXPECT_EQ(yaw, 0.0f);
    EXPECT_EQ(pitch, 45.0f);

    // Moves are measured from the previous frame's cursor, scaled by 0.02 s x 3.
    frameBusyTime = 0.02;
    fakeGlfw.mouseX = 710;
    fakeGlfw.mouseY = 395;
    handleMouse();
    EXPECT_NEAR(yawVelocity, 0.6, 1e-12);
    EXPECT_NEAR(pitchVelocity, -0.3, 1e-12);
    EXPECT_NEAR(yaw, 0.6f, 1e-6);
    EXPECT_NEAR(pitch, 44.7f, 1e-5);

    // Held still: no damping while the button is down.
    handleMouse();
    EXPECT_NEAR(yawVelocity, 0.6, 1e-12);
    EXPECT_NEAR(yaw, 1.2f, 1e-6);

    frameBusyTime = 0.01;
    fakeGlfw.mouseX = 700;
    handleMouse();
    EXPECT_NEAR(yawVelocity, 0.3, 1e-12);
}

TEST_F(MouseDrag, CoastsAfterReleaseAndStartsWithoutAJump) {
    yawVelocity = 1.0;
    pitchVelocity = -2.0;
    fakeGlfw.mouseX = 900; // moves without a button set nothing but the last position
    fakeGlfw.mouseY = 100;
    handleMouse();
    EXPECT_DOUBLE_EQ(yawVelocity, 0.9);
    EXPECT_DOUBLE_EQ(pitchVelocity, -1.8);
    handleMouse();
    EXPECT_DOUBLE_EQ(yawVelocity, 0.81);
    EXPECT_NEAR(yaw, 1.71f, 1e-5);
    EXPECT_NEAR(pitch, 41.58f, 1e-5);

    // The drag begins where the cursor was last frame, not where the last drag ended.
    frameBusyTime = 0.02;
    fakeGlfw.buttons[GLFW_MOUSE_BUTTON_RIGHT] = GLFW_PRESS;
    handleMouse();
    EXPECT_DOUBLE_EQ(yawVelocity, 0.81);
}

TEST_F(MouseDrag, PitchIsClampedButItsVelocityIsNot) {
    pitch = 89.0f;
    pitchVelocity = 5.0;
    handleMouse();
    EXPECT_EQ(pitch, 90.0f);
    EXPECT_DOUBLE_EQ(pitchVelocity, 4.5);
    handleMouse();
    EXPECT_EQ(pitch, 90.0f);
    EXPECT_DOUBLE_EQ(pitchVelocity, 4.05);

    // Held at the clamp during a drag: the velocity keeps its full value.
    fakeGlfw.buttons[GLFW_MOUSE_BUTTON_RIGHT] = GLFW_PRESS;
    fakeGlfw.mouseX = lastMouseX;
    fakeGlfw.mouseY = lastMouseY;
    handleMouse();
    EXPECT_DOUBLE_EQ(pitchVelocity, 4.05);

    fakeGlfw.buttons[GLFW_MOUSE_BUTTON_RIGHT] = GLFW_RELEASE;
    pitch = 1.0f;
    pitchVelocity = -5.0;
    yaw = 359.0f;
    yawVelocity = 10.0;
    handleMouse();
    EXPECT_EQ(pitch, 0.0f);
    EXPECT_DOUBLE_EQ(pitchVelocity, -4.5);
    EXPECT_EQ(yaw, 368.0f); // the turn is not limited
}

TEST_F(MouseDrag, WheelIsReadOnlyWhileTheRightButtonIsUp) {
    fakeGlfw.buttons[GLFW_MOUSE_BUTTON_RIGHT] = GLFW_PRESS;
    zoom = 0.5f;
    handleMouse();
    EXPECT_EQ(count("glfwGetMouseWheel"), 0);
    EXPECT_EQ(zoom, 0.5f);

    fakeGlfw.buttons[GLFW_MOUSE_BUTTON_RIGHT] = GLFW_RELEASE;
    handleMouse();
    EXPECT_EQ(count("glfwGetMouseWheel"), 1);
    EXPECT_EQ(zoom, 1.0f); // wheel 20
}

TEST_F(MouseClick, RequestsOnceOnReleaseForTheLastHeldPick) {
    heldOver(-5.0, -5.0); // tile 0
    heldOver(5.0, 5.0);   // the cursor moved on to tile 3
    EXPECT_EQ(count("glReadPixels"), 2);
    EXPECT_FALSE(world.monkey.visible) << "no request while the button is held";
    EXPECT_TRUE(leftButtonHeld);

    released();
    EXPECT_EQ(count("glReadPixels"), 2) << "no pick once released";
    EXPECT_FALSE(leftButtonHeld);
    EXPECT_EQ(startTile(), 3);
    EXPECT_EQ(world.clickPhase, 1);

    released(); // a second request would choose a target
    EXPECT_EQ(world.clickPhase, 1);
    EXPECT_FALSE(world.banana.visible);
}

TEST_F(MouseClick, TruncatesTowardZeroAndNegatesZ) {
    struct Case {
        double x, z; // world point under the cursor
        int tile;    // the tile the request names
    };
    const Case cases[] = {
        {3.7, -3.7, 1}, // (3, 3)
        {-3.7, 3.7, 2}, // (-3, -3)
        {-0.7, 0.7, 3}, // (0, 0); rounding down would give (-1, -1), tile 2
        {9.7, 9.7, 3},  // (9, -9); rounding to nearest would give (10, -10), off the grid
        {5.0, -5.0, 1}, // z handed on negated: v = 5 is row 0; -5 would be row 1
        {-5.0, 5.0, 2},
    };
    for (const Case& c : cases) {
        world = World(writeSquareMap());
        heldOver(c.x, c.z);
        released();
        EXPECT_EQ(startTile(), c.tile) << c.x << ", " << c.z;
    }
}

TEST_F(MouseClick, FailedUnprojectionRequestsNothing) {
    fakeGl.unProjectOk = false;
    heldOver(5.0, 5.0);
    released();
    EXPECT_FALSE(world.monkey.visible);
    EXPECT_EQ(world.clickPhase, 0);

    // Only the last held frame counts: a good pick before a failed one is dropped too.
    fakeGl.unProjectOk = true;
    heldOver(5.0, 5.0);
    fakeGl.unProjectOk = false;
    heldOver(5.0, 5.0);
    released();
    EXPECT_FALSE(world.monkey.visible);

    // The next press picks and requests as usual.
    fakeGl.unProjectOk = true;
    heldOver(-5.0, -5.0);
    released();
    EXPECT_EQ(startTile(), 0);
}

TEST_F(MouseClick, PointBeyondIntRangeRequestsNothing) {
    heldOver(1.0e12, 5.0);
    released();
    EXPECT_FALSE(world.monkey.visible);
    heldOver(5.0, -1.0e12);
    released();
    EXPECT_FALSE(world.monkey.visible);
}

TEST(MousePick, ReadsDepthAtTheFlippedRowAndUnprojectsIt) {
    resetFakeGl();
    clearCalls();
    fakeGl.viewport[2] = 800;
    fakeGl.viewport[3] = 600;
    fakeGl.depth = 0.25f;
    fakeGl.unProjected[0] = 12.5;
    fakeGl.unProjected[1] = 1.0;
    fakeGl.unProjected[2] = -30.25;
    bool ok = false;
    Vec3 point = pickGround(100, 200, &ok);

    EXPECT_TRUE(ok);
    EXPECT_EQ(point.x, 12.5);
    EXPECT_EQ(point.y, 1.0);
    EXPECT_EQ(point.z, 30.25);
    const std::vector<std::string> order = {"glGetIntegerv", "glGetDoublev", "glGetDoublev",
                                            "glReadPixels", "gluUnProject"};
    EXPECT_EQ(callNames(), order);
    EXPECT_EQ(callLog()[0].args, std::vector<double>{GL_VIEWPORT});
    EXPECT_EQ(callLog()[1].args, std::vector<double>{GL_MODELVIEW_MATRIX});
    EXPECT_EQ(callLog()[2].args, std::vector<double>{GL_PROJECTION_MATRIX});
    EXPECT_EQ(callLog()[3].args,
              (std::vector<double>{100, 400, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT}));
    EXPECT_EQ(callLog()[4].args, (std::vector<double>{100, 400, 0.25}));
}

TEST(MousePick, FailedUnprojectionHandsOnNothing) {
    resetFakeGl();
    fakeGl.unProjectOk = false;
    bool ok = true;
    Vec3 point = pickGround(100, 200, &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(point.x, 0.0);
    EXPECT_EQ(point.y, 0.0);
    EXPECT_EQ(point.z, 0.0);
    pickGround(100, 200); // without a flag to set
}
