// The real program in a real window: its size, its frame-rate title under the cap, Escape;
// and the reasons it gives when it cannot start.
#include "tests/support/x_driver.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <string>

namespace {

const std::string Prefix = "Tanglor pathfinding - fps: ";

TEST(Window, OpensShowsTheFrameRateAndEndsOnEscape) {
    XDriver x;
    ASSERT_NE(x.display, nullptr) << "these tests need an X display (scripts/test starts Xvfb)";
    RunningProgram program = startProgram(TANGLOR_EXE, TANGLOR_ASSETS_DIR);
    ASSERT_NE(findWindow(x, program.pid, 30.0), 0u) << errorText(program);
    EXPECT_EQ(grabWindow(x).width, 1280);
    EXPECT_EQ(grabWindow(x).height, 720);

    // A busy machine may fall below the cap, never above it. The first rate counts from
    // start-up; the ones after it are the loop's own pace.
    std::string title = waitForTitle(x, Prefix, 30.0);
    for (int update = 0; update < 4; ++update) {
        const std::string previous = title;
        ASSERT_TRUE(waitUntil([&] { return (title = windowTitle(x)) != previous; }, 30.0));
        size_t length = 0;
        const double rate = std::stod(title.substr(Prefix.size()), &length);
        EXPECT_TRUE(title.rfind(Prefix, 0) == 0 && length == title.size() - Prefix.size() &&
                    rate > 0.0 && rate <= 71.0)
            << title;
    }

    tapKey(x, XK_Escape);
    EXPECT_EQ(waitForExit(program, 30.0), 0);
    EXPECT_EQ(errorText(program), "");
}

TEST(Window, WithoutADisplaySaysWhyAndFails) {
    RunningProgram program = startProgram(TANGLOR_EXE, TANGLOR_ASSETS_DIR, false);
    EXPECT_EQ(waitForExit(program, 30.0), 1);
    const std::string text = errorText(program);
    EXPECT_EQ(text.rfind("tanglor: cannot open the window: ", 0), 0u) << text;
    EXPECT_NE(text.find("DISPLAY"), std::string::npos) << text;
    EXPECT_EQ(text.find('\n'), text.size() - 1) << "one line: " << text;
}

TEST(Window, AMissingOrBrokenMapStopsBeforeAnyWindowOpens) {
    XDriver x;
    SceneFolder folder("0 0 0\n0 0 0\n0 x7 0\n");
    // A bad token names its line; the models are all there, so that is the only line.
    RunningProgram program = startProgram(TANGLOR_EXE, folder.dir.string());
    const pid_t pid = program.pid;
    EXPECT_EQ(waitForExit(program, 30.0), 1);
    EXPECT_EQ(errorText(program), "tanglor: map.txt:3: \"x7\" is not a tile code\n");
    EXPECT_EQ(findWindow(x, pid, 0.2), 0u) << "no window was opened";

    std::filesystem::remove(folder.dir / "map.txt");
    program = startProgram(TANGLOR_EXE, folder.dir.string());
    EXPECT_EQ(waitForExit(program, 30.0), 1);
    EXPECT_EQ(errorText(program).rfind("tanglor: map.txt: not found in " + folder.dir.string(), 0),
              0u)
        << errorText(program);
}

} // namespace
