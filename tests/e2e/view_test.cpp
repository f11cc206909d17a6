// The view of the real program, steered by real X events and checked on its pixels: the
// colours, the wheel, turning and tilting with the right button, Space, and closing.
#include "tests/support/x_driver.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// What the tests look at: the extent of everything drawn and the centre of the water, the
// only blue on the board.
struct Shape {
    int left = 1 << 20, right = -1, top = 1 << 20, bottom = -1;
    double markerX = 0.0, markerY = 0.0, markerPixels = 0.0;
    // Degrees from the window's right, anticlockwise on the screen.
    double markerAngle() const {
        return std::atan2(360.0 - markerY, markerX - 640.0) * 180.0 / M_PI;
    }
};

Shape shapeOf(const Picture& picture) {
    Shape shape;
    for (int py = 0; py < picture.height; ++py) {
        for (int px = 0; px < picture.width; ++px) {
            const unsigned char* p = picture.at(px, py);
            if (p[0] + p[1] + p[2] > 0) {
                shape.left = std::min(shape.left, px);
                shape.right = std::max(shape.right, px);
                shape.top = std::min(shape.top, py);
                shape.bottom = std::max(shape.bottom, py);
            }
            if (p[2] > p[1]) {
                shape.markerX += px;
                shape.markerY += py;
                shape.markerPixels += 1.0;
            }
        }
    }
    shape.markerX /= std::max(shape.markerPixels, 1.0);
    shape.markerY /= std::max(shape.markerPixels, 1.0);
    return shape;
}

// The picture once it no longer moves: the same before and after the program has run on.
Shape stillShape(XDriver& x) {
    Picture picture;
    waitUntil([&] { return picture = grabWindow(x), settle(x) && grabWindow(x) == picture; },
              120.0);
    return shapeOf(picture);
}

TEST(View, ColoursWheelTurnTiltSpaceAndClose) {
    // Two water tiles on the right, one either side of the x axis; nothing else on the board.
    SceneFolder folder("9 9 9 9 9 9 9 3\n9 9 9 9 9 9 9 3\n");
    XDriver x;
    ASSERT_NE(x.display, nullptr) << "these tests need an X display (scripts/test starts Xvfb)";
    RunningProgram program = startProgram(TANGLOR_EXE, folder.dir.string());
    ASSERT_NE(findWindow(x, program.pid, 30.0), 0u) << errorText(program);
    waitForTitle(x, "Tanglor pathfinding - fps: ", 30.0);
    movePointer(x, 640, 360); // where the drags begin, seen by the program before they do
    ASSERT_TRUE(settle(x));

    // Cleared to black around the 160-unit ground square; lit with the colour as ambient and
    // diffuse material, so the water (0, 0, 0.3) and the ground (0, 0.4, 0) stay pure.
    const Picture first = grabWindow(x);
    int px = 0, py = 0, outside = 0;
    for (int row = 0; row < 720; ++row) {
        for (int column : {0, 200, 299, 981, 1100, 1279}) {
            outside +=
                first.at(column, row)[0] + first.at(column, row)[1] + first.at(column, row)[2];
        }
    }
    EXPECT_EQ(outside, 0);
    startCameraPixel(35.0, 5.0, &px, &py);
    EXPECT_TRUE(first.at(px, py)[0] == 0 && first.at(px, py)[1] == 0 && first.at(px, py)[2] > 0);
    startCameraPixel(-35.0, 5.0, &px, &py);
    EXPECT_TRUE(first.at(px, py)[0] == 0 && first.at(px, py)[1] > 0 && first.at(px, py)[2] == 0);

    // A wheel notch up widens the field of view: the scene shrinks.
    button(x, 4, true);
    button(x, 4, false);
    ASSERT_TRUE(waitUntil([&] { return !(grabWindow(x) == first); }, 30.0));
    const Picture zoomed = grabWindow(x);
    const Shape wide = shapeOf(first), narrow = shapeOf(zoomed);
    EXPECT_LT(narrow.right - narrow.left, wide.right - wide.left);

    // Held right with the pointer 10 pixels right of the press, the scene turns on until
    // released. Seen from above (the eye looks down on the board) a turn to the right is
    // anticlockwise: the marker on the right goes up.
    button(x, 3, true);
    movePointer(x, 650, 360);
    ASSERT_TRUE(
        waitUntil([&] { return std::abs(shapeOf(grabWindow(x)).markerAngle()) >= 20.0; }, 60.0));
    button(x, 3, false);
    const Shape turned = stillShape(x);
    EXPECT_GT(turned.markerAngle(), 0.0);

    // Dragged down, the board tilts about the screen's horizontal line through its centre,
    // its lower edge towards the eye: the turned marker comes nearer the middle row, and the
    // near part, below the middle, looks larger than the far part above it.
    button(x, 3, true);
    movePointer(x, 650, 370);
    ASSERT_TRUE(waitUntil(
        [&] { return 360.0 - shapeOf(grabWindow(x)).markerY < 0.85 * (360.0 - turned.markerY); },
        60.0))
        << "the tilt does not move the turned marker";
    button(x, 3, false);
    const Shape tilted = stillShape(x);
    EXPECT_GT(tilted.bottom - 360, 360 - tilted.top + 10);

    // Space puts the view back, the zoom as the wheel left it.
    tapKey(x, XK_space);
    EXPECT_TRUE(waitUntil([&] { return grabWindow(x) == zoomed; }, 30.0));

    closeWindow(x);
    EXPECT_EQ(waitForExit(program, 30.0), 0);
    EXPECT_EQ(errorText(program), "");
}

} // namespace
