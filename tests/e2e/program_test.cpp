// The real program, driven by real X events and checked on its window's pixels: whole walks
// (the window, its frame-rate title, the monkey, the lit path, keypad minus slowing the
// next walk down, Escape), and the reasons it gives when it cannot start.
#include "platform/glfw2.h"
#include "tools/xdriver/x_driver.h"
#include "view/search_view.h"
#include "world/world.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <utility>

namespace {

// Trees wall off the left and a pond lies across the middle, so the path has a shape.
const char* MapText = "0 0 0 0 0 0 0 0\n0 0 0 1 0 0 0 0\n0 0 0 1 0 3 3 0\n0 0 0 1 0 3 3 0\n"
                      "0 0 0 1 0 0 0 0\n0 0 0 0 0 0 1 0\n0 0 0 0 0 0 1 0\n0 0 0 0 0 0 0 0\n";

// The pixel `dx`, `dz` units from the centre of tile `index`.
std::pair<int, int> tilePixel(const World& map, int index, double dx = 0.0, double dz = 0.0) {
    const Vec3 centre = tileCentre(map.board, index);
    return startCameraPixel(centre.x + dx, centre.z + dz);
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

// The frames of a walk, bounded on both sides: `least` counts only frames surely inside it,
// `most` every frame that may be.
struct WalkFrames {
    bool arrived = false;
    double least = 0.0, most = 0.0;
};

// Clicks tile `to` and counts the frames until the monkey stands there. Each new title gives
// the mean rate over the half second that just ended, so that rate times the time since the
// title before counts that interval's frames, however a busy machine spread them. Only the
// intervals at the walk's two ends are in doubt: `least` leaves out the one holding the
// click and those after the first look that finds the monkey there, `most` counts from the
// last title before the click to the first after that look.
WalkFrames walkFrames(XDriver& x, const World& map, int to) {
    const std::string prefix = "Tanglor pathfinding - fps: ";
    WalkFrames walk;
    std::string title = windowTitle(x);
    const std::string before = title;
    if (!waitUntil([&] { return (title = windowTitle(x)) != before; }, 30.0)) {
        return walk;
    }
    auto since = std::chrono::steady_clock::now();
    click(x, tilePixel(map, to));
    const std::string atClick = windowTitle(x); // later titles come after the click
    bool intervalAfterClick = false, seen = false;
    walk.arrived = waitUntil(
        [&] {
            const std::string last = std::exchange(title, windowTitle(x));
            if (title == last) {
                return false;
            }
            // A rate that a busy machine may bring below the cap of 70 a second, but nothing
            // above it.
            const bool titled = title.rfind(prefix, 0) == 0 && title.size() > prefix.size();
            char* end = nullptr;
            const double rate = titled ? std::strtod(title.c_str() + prefix.size(), &end) : 0.0;
            EXPECT_TRUE(titled && *end == '\0' && rate > 0.0 && rate <= 71.0) << title;
            const auto now = std::chrono::steady_clock::now();
            const double frames =
                rate * std::chrono::duration<double>(now - std::exchange(since, now)).count();
            walk.most += frames;
            if (seen) {
                return true;
            }
            seen = monkeyOn(grabWindow(x), map, to);
            walk.least += intervalAfterClick && !seen ? frames : 0.0;
            intervalAfterClick = title != atClick;
            return false;
        },
        240.0);
    return walk;
}

TEST(Walk, ClicksWalkTheMonkeyAlongTheLitPathAndKeypadMinusSlowsItDown) {
    SceneFolder folder(MapText);
    ASSERT_TRUE(folder.made);
    const World map((folder.dir / "map.txt").string()); // where the tiles lie
    const int start = 2 * 8 + 1, target = 3 * 8 + 7;

    XDriver x;
    RunningProgram program(TANGLOR_EXE, folder.dir.string());
    ASSERT_NE(findWindow(x, program.pid, 30.0), 0u) << program.errorText();
    EXPECT_EQ(grabWindow(x).rgb.size(), 1280u * 720u * 3u);
    ASSERT_TRUE(settle(x)); // the frame-rate title is up
    click(x, tilePixel(map, start));
    ASSERT_TRUE(waitUntil([&] { return monkeyOn(grabWindow(x), map, start); }, 30.0));

    const WalkFrames normal = walkFrames(x, map, target);
    ASSERT_TRUE(normal.arrived);
    const Picture arrived = grabWindow(x);
    // The path's tiles lit, both ends too: it goes round the trees' top end.
    EXPECT_TRUE(tileLit(arrived, map, start) && tileLit(arrived, map, 1 * 8 + 4) &&
                tileLit(arrived, map, target) && !tileLit(arrived, map, 4 * 8 + 4));

    // Eight keystrokes (press and release each add 5) take the pace from 10 to 90 frames a
    // step; the same walk again. Its seven steps, 630 frames, leave room for the half seconds
    // in doubt at both ends.
    for (int i = 0; i < 8; ++i) {
        tapKey(x, XK_KP_Subtract);
    }
    click(x, tilePixel(map, start));
    ASSERT_TRUE(waitUntil([&] { return monkeyOn(grabWindow(x), map, start); }, 30.0));
    const WalkFrames slow = walkFrames(x, map, target);
    ASSERT_TRUE(slow.arrived);
    EXPECT_GT(slow.least, 2.5 * normal.most)
        << normal.least << " to " << normal.most << " frames, then " << slow.least << " to "
        << slow.most;
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
        {empty, "a b c", 2,
         "usage: tanglor [FOLDER | MAPFILE [SCENFILE]] [--fog R] [--trace FILE]\n"},
        {empty, "none", 2,
         "tanglor: none: no such folder (usage: tanglor [FOLDER | MAPFILE [SCENFILE]] [--fog "
         "R] [--trace FILE])\n"},
        // A trace that cannot be played is refused in one line before any window.
        {assets, empty + "/good.map --trace " + empty + "/v2.yaml", 1,
         "tanglor: " + empty +
             "/v2.yaml: not a search trace of format 1.x (its version is "
             "\"2.1\")\n"},
        {assets, empty + "/good.map --trace " + empty + "/off.json", 1,
         "tanglor: " + empty + "/off.json: event 2: its tile is off the map (3 x 2 tiles)\n"},
        // A benchmark map with no models beside it takes the shipped ones; a broken one is
        // refused, line by line, before any window.
        {assets, empty + "/good.map", 1, "tanglor: cannot open the window: X11: The DISPLAY"},
        {assets, empty + "/bad.map", 1,
         "tanglor: " + empty +
             "/bad.map:6: 2 characters, the header says 3\n"
             "tanglor: " +
             empty + "/bad.map:7: 'x' (column 0) is not a map character\n"},
    };
    std::ofstream(empty + "/good.map") << "type octile\nheight 2\nwidth 3\nmap\n.@T\nSW.\n";
    std::ofstream(empty + "/bad.map") << "type octile\nheight 3\nwidth 3\nmap\n...\n..\nx..\n";
    std::ofstream(empty + "/v2.yaml") << "version: 2.1\nevents: []\n";
    std::ofstream(empty + "/off.json")
        << R"({"version": "1.4.0", "events": [{"type": "source", "x": 0, "y": 0},)"
        << R"( {"type": "expanding", "x": 3, "y": 0}]})";
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
    std::filesystem::remove_all(empty);
}

// The search view in the window: O, then two clicks, and the title gives the search's
// figures, as the program's own logic works them out for the same clicks.
TEST(SearchView, OThenTwoClicksPutTheSearchsFiguresInTheTitle) {
    SceneFolder folder(MapText);
    ASSERT_TRUE(folder.made);
    World map((folder.dir / "map.txt").string());
    const int start = 2 * 8 + 1, target = 3 * 8 + 7;
    map.clickTile(start);
    map.clickTile(target);
    cycleSearchView(map);
    const std::string figures = searchViewTitle(map);
    ASSERT_EQ(figures.rfind(" | closed ", 0), 0u) << figures;

    XDriver x;
    RunningProgram program(TANGLOR_EXE, folder.dir.string());
    ASSERT_NE(findWindow(x, program.pid, 30.0), 0u) << program.errorText();
    ASSERT_TRUE(settle(x));
    tapKey(x, XK_o);
    ASSERT_TRUE(
        waitUntil([&] { return windowTitle(x).ends_with(" | closed 0, open 0, no walk"); }, 30.0))
        << windowTitle(x);
    click(x, tilePixel(map, start));
    ASSERT_TRUE(waitUntil([&] { return monkeyOn(grabWindow(x), map, start); }, 30.0));
    click(x, tilePixel(map, target));
    EXPECT_TRUE(waitUntil([&] { return windowTitle(x).ends_with(figures); }, 30.0))
        << windowTitle(x) << " against " << figures;
    tapKey(x, XK_Escape);
    EXPECT_EQ(program.exitStatus(30.0), 0);
    EXPECT_EQ(program.errorText(), "");
}

// Shift and a left click paint a tile of the walk stones: the walk goes round it.
TEST(Paint, AShiftClickOnTheWalkTurnsItToStonesAndTheWalkGoesRound) {
    SceneFolder folder(MapText);
    ASSERT_TRUE(folder.made);
    const World map((folder.dir / "map.txt").string());
    const int start = 2 * 8 + 1, target = 3 * 8 + 7, painted = 1 * 8 + 4;

    XDriver x;
    RunningProgram program(TANGLOR_EXE, folder.dir.string());
    ASSERT_NE(findWindow(x, program.pid, 30.0), 0u) << program.errorText();
    ASSERT_TRUE(settle(x));
    // 110 frames a step: the monkey is still on its first step when the paint comes.
    for (int i = 0; i < 10; ++i) {
        tapKey(x, XK_KP_Subtract);
    }
    click(x, tilePixel(map, start));
    ASSERT_TRUE(waitUntil([&] { return monkeyOn(grabWindow(x), map, start); }, 30.0));
    click(x, tilePixel(map, target));
    ASSERT_TRUE(waitUntil([&] { return tileLit(grabWindow(x), map, painted); }, 30.0));

    holdKey(x, XK_Shift_L, true);
    click(x, tilePixel(map, painted));
    holdKey(x, XK_Shift_L, false);
    // Stones, grey and unlit; from the start the walk goes under the trees, from its first
    // waypoint over them by the top row.
    const auto stones = [&](const Picture& p) {
        const unsigned char* c = p.at(tilePixel(map, painted, 0.0, 3.5));
        return c[0] > 60 && c[0] < 200 && std::abs(c[0] - c[1]) < 20 && std::abs(c[1] - c[2]) < 20;
    };
    Picture after;
    EXPECT_TRUE(waitUntil(
        [&] {
            after = grabWindow(x);
            return stones(after) && tileLit(after, map, target) &&
                   (tileLit(after, map, 5 * 8 + 3) || tileLit(after, map, 0 * 8 + 4));
        },
        30.0));
    tapKey(x, XK_Escape);
    EXPECT_EQ(program.exitStatus(30.0), 0);
    EXPECT_EQ(program.errorText(), "");
}

} // namespace
