// The view of the real program, steered by real X events and checked on its pixels: the
// colours, the wheel, turning and tilting with the right button, Space, and closing.
#include "tools/xdriver/x_driver.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <cmath>
#include <utility>

namespace {

// What the tests look at: the extent of everything drawn, and the centre of the water, the
// only blue on the board, with its angle in degrees from the window's right, anticlockwise.
struct Shape {
    int left = 1280, right = 0, top = 720, bottom = 0;
    double waterX = 0.0, waterY = 0.0, waterAngle = 0.0;
};

Shape shapeOf(const Picture& picture) {
    Shape s;
    double waterPixels = 0.0;
    for (int i = 0; i < picture.width * picture.height; ++i) {
        const int px = i % picture.width, py = i / picture.width;
        const unsigned char* p = picture.at(px, py);
        if (p[0] + p[1] + p[2] > 0) {
            s.left = std::min(s.left, px), s.right = std::max(s.right, px);
            s.top = std::min(s.top, py), s.bottom = std::max(s.bottom, py);
        }
        if (p[2] > p[1]) {
            s.waterX += px, s.waterY += py, waterPixels += 1.0;
        }
    }
    s.waterX /= waterPixels, s.waterY /= waterPixels;
    s.waterAngle = std::atan2(360.0 - s.waterY, s.waterX - 640.0) * 180.0 / M_PI;
    return s;
}

// The shape of the picture once it no longer moves; whether it stopped.
bool stillShape(XDriver& x, Shape* shape) {
    Picture picture;
    const bool still = waitStill(x, &picture, 120.0);
    *shape = shapeOf(picture);
    return still;
}

TEST(View, ColoursWheelTurnTiltSpaceAndClose) {
    // Two water tiles on the right, one either side of the x axis; nothing else on the board.
    SceneFolder folder("9 9 9 9 9 9 9 3\n9 9 9 9 9 9 9 3\n");
    ASSERT_TRUE(folder.made);
    XDriver x;
    RunningProgram program(TANGLOR_EXE, folder.dir.string());
    ASSERT_NE(findWindow(x, program.pid, 30.0), 0u) << program.errorText();
    movePointer(x, 640, 360); // where the drags begin, seen by the program before they do
    ASSERT_TRUE(settle(x));   // its keys are listened to: a busy machine takes a while
    tapKey(x, XK_h);          // the board alone, as the window was before it had a panel
    ASSERT_TRUE(settle(x));

    // Cleared to black around the 160-unit ground square; lit with the colour as ambient and
    // diffuse material, so the water (0, 0, 0.3) and the ground (0, 0.4, 0) stay pure.
    const Picture first = grabWindow(x);
    const Shape board = shapeOf(first);
    EXPECT_TRUE(board.left > 300 && board.right < 980) << "nothing but black around the board";
    for (const auto& [cx, cy] : {std::pair{2, 2}, {1277, 2}, {2, 717}, {1277, 717}}) {
        const unsigned char* corner = first.at(cx, cy);
        EXPECT_EQ(corner[0] + corner[1] + corner[2], 0) << "the background is black";
    }
    const auto [waterX, row] = startCameraPixel(35, 5);
    const unsigned char *water = first.at(waterX, row), *ground = first.at(1280 - waterX, row);
    EXPECT_TRUE(water[0] == 0 && water[1] == 0 && water[2] > 0 && ground[0] == 0 && ground[1] > 0 &&
                ground[2] == 0);

    // A wheel notch up widens the field of view: the scene shrinks.
    button(x, 4, true);
    button(x, 4, false);
    ASSERT_TRUE(waitUntil([&] { return !(grabWindow(x) == first); }, 30.0));
    const Picture zoomed = grabWindow(x);
    EXPECT_LT(shapeOf(zoomed).right - shapeOf(zoomed).left, board.right - board.left);

    // Dragged right, the scene turns. Seen from above (the eye looks down on the board) a
    // turn to the right is anticlockwise: the water on the right goes up. The drags move on
    // in small steps until the turn shows (see dragUntil): a fast machine needs many.
    std::pair<int, int> pointer{640, 360};
    ASSERT_TRUE(dragUntil(
        x, 3, pointer, {2, 0},
        [](const Picture& p) { return std::abs(shapeOf(p).waterAngle) >= 20; }, 60.0));
    Shape turned, tilted;
    ASSERT_TRUE(stillShape(x, &turned));
    EXPECT_GT(turned.waterAngle, 0.0);

    // Dragged down, the board tilts about the screen's horizontal line through its centre,
    // its lower edge towards the eye: the turned water comes nearer the middle row, and the
    // near part, below the middle, looks larger than the far part above it. The drag goes on
    // until both show, however far a frame's drag turns on this machine.
    const auto tiltShows = [&](const Shape& s) {
        return 360 - s.waterY < 0.85 * (360 - turned.waterY) && s.bottom - 360 > 360 - s.top + 10;
    };
    ASSERT_TRUE(dragUntil(
        x, 3, pointer, {0, 2}, [&](const Picture& p) { return tiltShows(shapeOf(p)); }, 60.0))
        << "the tilt does not move the turned water";
    ASSERT_TRUE(stillShape(x, &tilted));
    EXPECT_GT(tilted.bottom - 360, 360 - tilted.top + 10);

    // Space puts the view back, the zoom as the wheel left it.
    tapKey(x, XK_space);
    EXPECT_TRUE(waitUntil([&] { return grabWindow(x) == zoomed; }, 30.0));
    closeWindow(x);
    EXPECT_EQ(program.exitStatus(30.0), 0);
    EXPECT_EQ(program.errorText(), "");
}

} // namespace
