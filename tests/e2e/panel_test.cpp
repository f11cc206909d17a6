// The panel in the real window, through real X events: it covers no board pixel, H hides it,
// its controls act, and the mouse over it never reaches the board.
#include "tools/xdriver/x_driver.h"
#include "ui/panel.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Where the panel puts its search view's `marks` choice in a 1280 x 720 window.
constexpr std::pair<int, int> MarksChoice{1085, 361};

// Whether the two pictures agree left of the panel.
bool sameBoard(const Picture& a, const Picture& b) {
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width - PanelWidth; ++x) {
            if (std::memcmp(a.at(x, y), b.at(x, y), 3) != 0) {
                return false;
            }
        }
    }
    return true;
}

// How many pixels of the panel's strip are not black.
int panelPixels(const Picture& p) {
    int lit = 0;
    for (int i = 0; i < p.width * p.height; ++i) {
        lit += i % p.width >= p.width - PanelWidth && p.rgb[i * 3] + p.rgb[i * 3 + 1] > 0;
    }
    return lit;
}

bool titleEndsWith(XDriver& x, const std::string& end) {
    const std::string title = windowTitle(x);
    return title.size() >= end.size() &&
           title.compare(title.size() - end.size(), end.size(), end) == 0;
}

void wheel(XDriver& x, int notches) {
    for (int i = 0; i < std::abs(notches); ++i) {
        button(x, notches > 0 ? 4 : 5, true);
        button(x, notches > 0 ? 4 : 5, false);
    }
}

TEST(Panel, CoversNoBoardPixelItsControlsActAndTheMouseOverItStaysThere) {
    std::string rows;
    for (int row = 0; row < 8; ++row) {
        rows += "0 0 0 0 0 0 0 0\n"; // open ground
    }
    SceneFolder folder(rows);
    ASSERT_TRUE(folder.made);
    XDriver x;
    RunningProgram program(TANGLOR_EXE, folder.dir.string());
    ASSERT_NE(findWindow(x, program.pid, 30.0), 0u) << program.errorText();
    movePointer(x, 640, 360);
    ASSERT_TRUE(settle(x));

    // Shown, it lies beside the board; hidden, its strip is black and the board the same.
    Picture shown, hidden;
    ASSERT_TRUE(waitStill(x, &shown, 60.0));
    EXPECT_GT(panelPixels(shown), 10000);
    EXPECT_EQ(shown.at(2, 717)[0] + shown.at(2, 717)[1] + shown.at(2, 717)[2], 0)
        << "beside the panel the background stays black";
    tapKey(x, XK_h);
    ASSERT_TRUE(waitUntil([&] { return panelPixels(grabWindow(x)) == 0; }, 30.0));
    ASSERT_TRUE(waitStill(x, &hidden, 60.0));
    EXPECT_TRUE(sameBoard(shown, hidden));
    tapKey(x, XK_h);
    ASSERT_TRUE(waitUntil([&] { return panelPixels(grabWindow(x)) > 10000; }, 30.0));

    // Its `marks` choice turns the search view on, as O does: the title shows the figures.
    click(x, MarksChoice);
    EXPECT_TRUE(waitUntil([&] { return titleEndsWith(x, " | closed 0, open 0, no walk"); }, 30.0))
        << windowTitle(x);

    // The wheel over the panel leaves the zoom alone; over the board it zooms in, until the
    // board reaches under the panel.
    movePointer(x, 1100, 600);
    wheel(x, -10);
    ASSERT_TRUE(settle(x));
    Picture still;
    ASSERT_TRUE(waitStill(x, &still, 60.0));
    EXPECT_TRUE(sameBoard(still, shown));
    movePointer(x, 640, 360);
    wheel(x, -10);
    ASSERT_TRUE(waitUntil([&] { return !sameBoard(grabWindow(x), shown); }, 30.0));
    ASSERT_TRUE(waitStill(x, &still, 60.0));

    // A click on the panel over a tile is no click on the board: the next click places the
    // monkey (the record is cleared, no search yet), the one after makes the walk.
    click(x, {1100, 360});
    ASSERT_TRUE(settle(x));
    click(x, {640, 360});
    ASSERT_TRUE(settle(x));
    EXPECT_TRUE(titleEndsWith(x, " | closed 0, open 0, no walk")) << windowTitle(x);
    click(x, {400, 200});
    EXPECT_TRUE(
        waitUntil([&] { return windowTitle(x).find(", walk ") != std::string::npos; }, 30.0))
        << windowTitle(x);

    tapKey(x, XK_Escape);
    EXPECT_EQ(program.exitStatus(30.0), 0);
    EXPECT_EQ(program.errorText(), "");
}

} // namespace
