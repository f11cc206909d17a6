// The real program in a real window: it opens, shows its frame rate, and ends on Escape.
#include "tests/support/x_driver.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

const std::string Prefix = "Tanglor pathfinding - fps: ";

TEST(Window, OpensShowsTheFrameRateAndEndsOnEscape) {
    XDriver x;
    ASSERT_TRUE(openDisplay(x)) << "these tests need an X display (scripts/test starts Xvfb)";
    RunningProgram program = startProgram(TANGLOR_EXE, TANGLOR_ASSETS_DIR);
    ASSERT_NE(findWindow(x, program.pid, 5.0), 0u) << readFile(program.stderrPath);

    EXPECT_EQ(waitForTitle(x, "GLFW Application", 0.4), "GLFW Application");
    int width = 0;
    int height = 0;
    windowSize(x, &width, &height);
    EXPECT_EQ(width, 1280);
    EXPECT_EQ(height, 720);

    // The first rate counts from start-up, window creation included; the next ones are
    // the frame loop's own pace, capped at 70.
    std::string title = waitForTitle(x, Prefix, 1.0);
    ASSERT_EQ(title.rfind(Prefix, 0), 0u) << title;
    double best = 0.0;
    for (int update = 0; update < 3; ++update) {
        std::string previous = title;
        for (int tries = 0; tries < 100 && title == previous; ++tries) {
            pause(0.01);
            title = windowTitle(x);
        }
        best = std::max(best, std::atof(title.substr(Prefix.size()).c_str()));
    }
    EXPECT_GE(best, 60.0) << title;
    EXPECT_LE(best, 71.0) << title;

    tapKey(x, XK_Escape);
    EXPECT_EQ(waitForExit(program, 5.0), 0);
    EXPECT_EQ(readFile(program.stderrPath), "");
    closeDisplay(x);
}

TEST(Window, WithoutADisplaySaysWhyAndFails) {
    RunningProgram program = startProgram(TANGLOR_EXE, TANGLOR_ASSETS_DIR, false);
    EXPECT_EQ(waitForExit(program, 10.0), 1);
    std::string text = readFile(program.stderrPath);
    EXPECT_EQ(text.rfind("tanglor: cannot open the window: ", 0), 0u) << text;
    EXPECT_NE(text.find("DISPLAY"), std::string::npos) << text;
    EXPECT_EQ(text.find('\n'), text.size() - 1) << "one line: " << text;
}

} // namespace
