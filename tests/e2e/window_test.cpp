// The real program in a real window: it opens, shows its frame rate, and ends on Escape.
#include "tests/support/x_driver.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

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

TEST(Window, AMissingOrBrokenMapStopsBeforeAnyWindowOpens) {
    XDriver x;
    ASSERT_TRUE(openDisplay(x));
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tanglor_start_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);

    // Started from a folder without the map: it says where it looked.
    RunningProgram program = startProgram(TANGLOR_EXE, folder.string());
    EXPECT_EQ(waitForExit(program, 10.0), 1);
    std::string text = readFile(program.stderrPath);
    EXPECT_EQ(text.rfind("tanglor: map.txt: not found in " + folder.string() + "\n", 0), 0u)
        << text;

    // A bad token names its line; the models are all there, so that is the only line.
    std::ofstream(folder / "map.txt") << "0 0 0\n0 0 0\n0 x7 0\n";
    for (const char* model : {"ground3.obj", "tree.obj", "tree2.obj", "tree3.obj",
                              "ground_stones.obj", "water.obj", "monkey.obj", "banan.obj"}) {
        std::filesystem::copy_file(std::filesystem::path(TANGLOR_ASSETS_DIR) / model,
                                   folder / model);
    }
    program = startProgram(TANGLOR_EXE, folder.string());
    pid_t pid = program.pid;
    EXPECT_EQ(waitForExit(program, 10.0), 1);
    EXPECT_EQ(readFile(program.stderrPath), "tanglor: map.txt:3: \"x7\" is not a tile code\n");
    EXPECT_EQ(findWindow(x, pid, 0.2), 0u) << "no window was opened";

    std::filesystem::remove_all(folder);
    closeDisplay(x);
}

} // namespace
