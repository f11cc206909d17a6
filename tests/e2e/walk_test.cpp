// Whole walks in the real program, driven by real X events and checked on the window's
// pixels: the monkey, the banana, the lit path, a click on a tree, and keypad minus
// slowing the next walk down.
#include "tests/support/tile_clicks.h"
#include "tests/support/x_driver.h"
#include "world/world.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <string>

namespace {

// Trees wall off the left and a pond lies across the middle, so the path has a shape.
const char* MapText = "0 0 0 0 0 0 0 0\n0 0 0 1 0 0 0 0\n0 0 0 1 0 3 3 0\n0 0 0 1 0 3 3 0\n"
                      "0 0 0 1 0 0 0 0\n0 0 0 0 0 0 1 0\n0 0 0 0 0 0 1 0\n0 0 0 0 0 0 0 0\n";

const unsigned char* tileSample(const Picture& picture, const World& map, int index, double dx,
                                double dz) {
    const float* anchor = map.nodes[index].mesh.position;
    int px = 0;
    int py = 0;
    startCameraPixel(anchor[0] - 5.0 + dx, anchor[2] + 5.0 + dz, &px, &py);
    return picture.at(px, py);
}

bool isMonkey(const unsigned char* p) {
    return p[0] > 200 && p[1] > 120 && p[1] < 235 && p[2] < 140;
}
bool isBanana(const unsigned char* p) {
    return p[0] > 200 && p[1] > 235 && p[2] < 100;
}

// Some of the monkey within 3 units of the tile's centre.
bool monkeyOn(const Picture& picture, const World& map, int index) {
    for (double dx = -3.0; dx <= 3.0; dx += 0.25) {
        for (double dz = -3.0; dz <= 3.0; dz += 0.25) {
            if (isMonkey(tileSample(picture, map, index, dx, dz))) {
                return true;
            }
        }
    }
    return false;
}

// Lit when three of its four corners are (the monkey may cover one): a marked tile's colour
// is overdriven, green ground at full strength, water full blue.
bool tileLit(const Picture& picture, const World& map, int index) {
    int lit = 0;
    for (double dx : {-2.5, 2.5}) {
        for (double dz : {-2.5, 2.5}) {
            const unsigned char* p = tileSample(picture, map, index, dx, dz);
            lit += p[1] > 235 || p[2] > 235 ? 1 : 0;
        }
    }
    return lit >= 3;
}

void clickTile(XDriver& x, const World& map, int index) {
    const float* anchor = map.nodes[index].mesh.position;
    int px = 0;
    int py = 0;
    startCameraPixel(anchor[0] - 5.0, anchor[2] + 5.0, &px, &py);
    click(x, px, py);
}

// Frames the program shows until the monkey stands on `index`, counted from the rate its
// title gives, so that a slow machine counts as many as a fast one.
double framesUntilMonkeyOn(XDriver& x, const World& map, int index) {
    const std::string prefix = "Tanglor pathfinding - fps: ";
    double frames = 0.0;
    auto last = std::chrono::steady_clock::now();
    bool arrived = waitUntil(
        [&] {
            auto now = std::chrono::steady_clock::now();
            frames += std::stod(windowTitle(x).substr(prefix.size())) *
                      std::chrono::duration<double>(now - last).count();
            last = now;
            return monkeyOn(grabWindow(x), map, index);
        },
        120.0);
    return arrived ? frames : -1.0;
}

TEST(Walk, ClicksWalkTheMonkeyAlongTheLitPathAndKeypadMinusSlowsItDown) {
    SceneFolder folder(MapText);
    // The path the program's own search finds on this map, to compare with the picture.
    World map((folder.dir / "map.txt").string());
    const int start = 2 * 8 + 1, target = 3 * 8 + 7, tree = 3 * 8 + 3;
    clickTile(map, start);
    clickTile(map, target);
    ASSERT_TRUE(map.walking);
    std::set<int> lit = {start, target};
    for (const Vec3& point : map.path) {
        lit.insert(map.tileIndexAt(static_cast<int>(point.x) - 5, -static_cast<int>(point.z) - 5));
    }

    XDriver x;
    ASSERT_NE(x.display, nullptr) << "these tests need an X display (scripts/test starts Xvfb)";
    RunningProgram program = startProgram(TANGLOR_EXE, folder.dir.string());
    ASSERT_NE(findWindow(x, program.pid, 30.0), 0u) << errorText(program);
    waitForTitle(x, "Tanglor pathfinding - fps: ", 30.0);

    clickTile(x, map, start);
    ASSERT_TRUE(
        waitUntil([&] { return isMonkey(tileSample(grabWindow(x), map, start, 0, 0)); }, 30.0));
    const Picture afterStart = grabWindow(x);
    EXPECT_TRUE(tileLit(afterStart, map, start));
    clickTile(x, map, tree);
    ASSERT_TRUE(settle(x));
    EXPECT_TRUE(grabWindow(x) == afterStart) << "a click on a tree changes nothing";

    clickTile(x, map, target);
    const double normal = framesUntilMonkeyOn(x, map, target);
    const Picture arrived = grabWindow(x);
    EXPECT_TRUE(isBanana(tileSample(arrived, map, target, 0, 0)));
    for (int index = 0; index < map.nodeCount; ++index) {
        EXPECT_EQ(tileLit(arrived, map, index), lit.count(index) == 1) << "tile " << index;
    }

    // Three keystrokes take the pace from 10 to 40 frames a step; the same walk again.
    for (int i = 0; i < 3; ++i) {
        tapKey(x, XK_KP_Subtract);
    }
    clickTile(x, map, start);
    ASSERT_TRUE(waitUntil([&] { return monkeyOn(grabWindow(x), map, start); }, 30.0));
    clickTile(x, map, target);
    const double slow = framesUntilMonkeyOn(x, map, target);
    EXPECT_GT(normal, 0.0);
    EXPECT_GT(slow, 2.5 * normal) << "frames: " << normal << " at the start pace";

    tapKey(x, XK_Escape);
    EXPECT_EQ(waitForExit(program, 30.0), 0);
    EXPECT_EQ(errorText(program), "");
}

} // namespace
