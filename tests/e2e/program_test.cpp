// The real program, driven by real X events and checked on its window's pixels: whole walks
// (the window, its frame-rate title, the monkey, the lit path, keypad minus slowing the
// next walk down, Escape), and the reasons it gives when it cannot start.
#include "tools/xdriver/x_driver.h"
#include "world/world.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <tuple>

namespace {

// Trees wall off the left and a pond lies across the middle, so the path has a shape.
const char* MapText = "0 0 0 0 0 0 0 0\n0 0 0 1 0 0 0 0\n0 0 0 1 0 3 3 0\n0 0 0 1 0 3 3 0\n"
                      "0 0 0 1 0 0 0 0\n0 0 0 0 0 0 1 0\n0 0 0 0 0 0 1 0\n0 0 0 0 0 0 0 0\n";

// The pixel `dx`, `dz` units from the centre of tile `index`.
std::pair<int, int> tilePixel(const World& map, int index, double dx = 0.0, double dz = 0.0) {
    const float* anchor = map.nodes[index].mesh.position;
    return startCameraPixel(anchor[0] - 5.0 + dx, anchor[2] + 5.0 + dz);
}

// Some of the monkey (lit orange) within 3 units of the tile's centre.
bool monkeyOn(const Picture& picture, const World& map, int index) {
    for (int i = 0; i < 25 * 25; ++i) {
        const unsigned char* p =
            picture.at(tilePixel(map, index, i % 25 / 4.0 - 3.0, i / 25 / 4.0 - 3.0));
        if (p[0] > 200 && p[1] > 120 && p[1] < 235 && p[2] < 140) {
            return true;
        }
    }
    return false;
}

// A marked tile's colour is overdriven: green ground shows at full strength, water full
// blue. Looked at on the south side, where the monkey resting on the target does not reach.
bool tileLit(const Picture& picture, const World& map, int index) {
    const unsigned char* p = picture.at(tilePixel(map, index, 0.0, 3.5));
    return p[1] > 235 || p[2] > 235;
}

// Frames the program shows until the monkey stands on tile `index`, counted from the rate
// its title gives, so that a slow machine counts as many as a fast one. The title is
// "Tanglor pathfinding - fps: " and a rate that a busy machine may bring below the cap of
// 70 a second, but nothing may bring above it.
double framesUntilMonkeyOn(XDriver& x, const World& map, int index) {
    double frames = 0.0;
    auto last = std::chrono::steady_clock::now();
    bool arrived = waitUntil(
        [&] {
            const std::string title = windowTitle(x);
            size_t length = 0;
            const double rate = std::stod(title.substr(27), &length);
            EXPECT_TRUE(title.rfind("Tanglor pathfinding - fps: ", 0) == 0 &&
                        27 + length == title.size() && rate > 0.0 && rate <= 71.0)
                << title;
            const auto now = std::chrono::steady_clock::now();
            frames += rate * std::chrono::duration<double>(now - std::exchange(last, now)).count();
            return monkeyOn(grabWindow(x), map, index);
        },
        120.0);
    return arrived ? frames : -1.0;
}

TEST(Walk, ClicksWalkTheMonkeyAlongTheLitPathAndKeypadMinusSlowsItDown) {
    SceneFolder folder(MapText);
    const World map((folder.dir / "map.txt").string()); // where the tiles lie
    const int start = 2 * 8 + 1, target = 3 * 8 + 7;

    XDriver x;
    RunningProgram program(TANGLOR_EXE, folder.dir.string());
    ASSERT_NE(findWindow(x, program.pid, 30.0), 0u) << program.errorText();
    EXPECT_EQ(grabWindow(x).rgb.size(), 1280u * 720u * 3u);
    ASSERT_TRUE(settle(x)); // the frame-rate title is up
    click(x, tilePixel(map, start));
    ASSERT_TRUE(waitUntil([&] { return monkeyOn(grabWindow(x), map, start); }, 30.0));

    click(x, tilePixel(map, target));
    const double normal = framesUntilMonkeyOn(x, map, target);
    const Picture arrived = grabWindow(x);
    // The path's tiles lit, both ends too: it goes round the trees' top end.
    EXPECT_TRUE(tileLit(arrived, map, start) && tileLit(arrived, map, 1 * 8 + 4) &&
                tileLit(arrived, map, target) && !tileLit(arrived, map, 4 * 8 + 4));

    // Three keystrokes take the pace from 10 to 40 frames a step; the same walk again.
    for (int i = 0; i < 3; ++i) {
        tapKey(x, XK_KP_Subtract);
    }
    click(x, tilePixel(map, start));
    ASSERT_TRUE(waitUntil([&] { return monkeyOn(grabWindow(x), map, start); }, 30.0));
    click(x, tilePixel(map, target));
    const double slow = framesUntilMonkeyOn(x, map, target);
    EXPECT_TRUE(normal > 0.0 && slow > 2.5 * normal) << normal << " frames, then " << slow;
    tapKey(x, XK_Escape);
    EXPECT_EQ(program.exitStatus(30.0), 0);
    EXPECT_EQ(program.errorText(), "");
}

// What went wrong comes first on its standard error; a wrong command line exits with 2,
// anything else with 1 (the map's own messages are tested with the map reader).
TEST(Window, WithoutADisplayOrAMapItSaysWhyAndFails) {
    std::string made = (std::filesystem::temp_directory_path() / "tanglor_XXXXXX").string();
    ASSERT_NE(mkdtemp(made.data()), nullptr);
    const std::string empty = std::filesystem::canonical(made), assets = TANGLOR_ASSETS_DIR;
    const std::string notFound = "tanglor: map.txt: not found in " + empty +
                                 " (give the folder that holds it: tanglor FOLDER)\n";
    // Where it starts, its arguments, its exit status and how its standard error begins.
    const std::tuple<std::string, std::string, int, std::string> cases[] = {
        {empty, "", 1, notFound},
        {assets, empty, 1, notFound},
        {empty, assets, 1, "tanglor: cannot open the window: X11: The DISPLAY environment"},
        {empty, "a b", 2, "usage: tanglor [FOLDER]\n"},
        {empty, "none", 2, "tanglor: none: no such folder (usage: tanglor [FOLDER])\n"},
    };
    for (const auto& [where, arguments, status, message] : cases) {
        FILE* run = popen(("cd '" + where + "' && timeout 60 env -u DISPLAY " TANGLOR_EXE " " +
                           arguments + " 2>&1 >/dev/null")
                              .c_str(),
                          "r");
        ASSERT_NE(run, nullptr);
        std::string text(4096, '\0');
        text.resize(std::fread(text.data(), 1, text.size(), run));
        const int ended = pclose(run);
        EXPECT_EQ(WIFEXITED(ended) ? WEXITSTATUS(ended) : -1, status) << arguments;
        EXPECT_EQ(text.substr(0, message.size()), message) << arguments;
    }
    std::filesystem::remove(empty);
}

} // namespace
