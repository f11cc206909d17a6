// One whole walk in the real program, driven by real X events and checked on the window's
// pixels: the monkey, the banana, the lit path, the walk, a click on a tree, turning the
// view and putting it back, and Escape.
#include "tests/support/tile_clicks.h"
#include "tests/support/x_driver.h"
#include "world/world.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

namespace {

// Flat squares in colours the program gives each kind, easy to tell apart from above.
std::string square(double half, double height) {
    std::string h = std::to_string(height);
    std::string a = std::to_string(-half);
    std::string b = std::to_string(half);
    return "# test model\n#\n#\nv " + a + " " + h + " " + a + "\nv " + b + " " + h + " " + a +
           "\nv " + b + " " + h + " " + b + "\nv " + a + " " + h + " " + b +
           "\n# 4 vertices\ns off\nf 1 4 3\nf 1 3 2\n";
}

// Trees wall off the left and a pond lies across the middle, so the path has a shape.
const char* MapText = "0 0 0 0 0 0 0 0\n"
                      "0 0 0 1 0 0 0 0\n"
                      "0 0 0 1 0 3 3 0\n"
                      "0 0 0 1 0 3 3 0\n"
                      "0 0 0 1 0 0 0 0\n"
                      "0 0 0 0 0 0 1 0\n"
                      "0 0 0 0 0 0 1 0\n"
                      "0 0 0 0 0 0 0 0\n";

struct Folder {
    std::filesystem::path dir;
    Folder() {
        dir =
            std::filesystem::temp_directory_path() / ("tanglor_walk_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        std::ofstream(dir / "map.txt") << MapText;
        for (const char* tile : {"ground3.obj", "tree.obj", "tree2.obj", "tree3.obj",
                                 "ground_stones.obj", "water.obj"}) {
            std::ofstream(dir / tile) << square(4.0, 0.0);
        }
        std::ofstream(dir / "monkey.obj") << square(2.0, 0.5);
        std::ofstream(dir / "banan.obj") << square(1.5, 0.6);
    }
    ~Folder() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
};

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
// A marked tile's colour is overdriven: green ground shows at full strength, water full blue.
bool isLit(const unsigned char* p) {
    return p[1] > 235 || p[2] > 235;
}

// A tile counts as lit when three of its four corners are: the monkey may cover one.
bool tileLit(const Picture& picture, const World& map, int index) {
    int lit = 0;
    // Inside the square at any turn: 2.5 x 1.41 is less than its half width of 4.
    for (double dx : {-2.5, 2.5}) {
        for (double dz : {-2.5, 2.5}) {
            lit += isLit(tileSample(picture, map, index, dx, dz)) ? 1 : 0;
        }
    }
    return lit >= 3;
}

bool samePicture(const Picture& a, const Picture& b) {
    return a.width == b.width && a.height == b.height && a.rgb == b.rgb;
}

void clickTile(XDriver& x, const World& map, int index) {
    const float* anchor = map.nodes[index].mesh.position;
    int px = 0;
    int py = 0;
    startCameraPixel(anchor[0] - 5.0, anchor[2] + 5.0, &px, &py);
    click(x, px, py);
    pause(0.3); // picked in one frame, requested in the next
}

TEST(Walk, ClicksWalkTheMonkeyAlongTheLitPath) {
    Folder folder;
    // The path the program's own search finds on this map, to compare with the picture.
    World map((folder.dir / "map.txt").string());
    ASSERT_TRUE(map.problems.empty());
    const int start = 2 * 8 + 1;
    const int target = 3 * 8 + 7;
    const int tree = 3 * 8 + 3;
    clickTile(map, start);
    clickTile(map, target);
    ASSERT_TRUE(map.walking);
    std::set<int> lit = {start, target};
    for (const Vec3& point : map.path) {
        lit.insert(map.tileIndexAt(static_cast<int>(point.x) - 5, -static_cast<int>(point.z) - 5));
    }
    size_t steps = map.path.size();

    XDriver x;
    ASSERT_TRUE(openDisplay(x)) << "these tests need an X display (scripts/test starts Xvfb)";
    RunningProgram program = startProgram(TANGLOR_EXE, folder.dir.string());
    ASSERT_NE(findWindow(x, program.pid, 5.0), 0u) << readFile(program.stderrPath);
    waitForTitle(x, "Tanglor pathfinding", 3.0);

    clickTile(x, map, start);
    Picture afterStart = grabWindow(x);
    EXPECT_TRUE(isMonkey(tileSample(afterStart, map, start, 0, 0)));
    EXPECT_TRUE(tileLit(afterStart, map, start));

    clickTile(x, map, tree);
    EXPECT_TRUE(samePicture(grabWindow(x), afterStart)) << "a click on a tree changes nothing";

    clickTile(x, map, target);
    Picture walking = grabWindow(x);
    EXPECT_TRUE(isBanana(tileSample(walking, map, target, 0, 0)));

    pause((static_cast<double>(steps) + 1.0) * 10.0 / 70.0 + 0.5);
    Picture arrived = grabWindow(x);
    for (int index = 0; index < map.nodeCount; ++index) {
        EXPECT_EQ(tileLit(arrived, map, index), lit.count(index) == 1) << "tile " << index;
    }
    // The monkey rests one frame's glide short of the banana's tile centre.
    EXPECT_FALSE(isMonkey(tileSample(arrived, map, start, 0, 0)));
    bool monkeyNearBanana = false;
    for (double d : {-1.5, -1.0, 1.0, 1.5}) {
        monkeyNearBanana |= isMonkey(tileSample(arrived, map, target, d, 0)) ||
                            isMonkey(tileSample(arrived, map, target, 0, d)) ||
                            isMonkey(tileSample(arrived, map, target, d, d)) ||
                            isMonkey(tileSample(arrived, map, target, d, -d));
    }
    EXPECT_TRUE(monkeyNearBanana);

    // A right-button drag turns the picture; Space brings the first one back.
    movePointer(x, 640, 360);
    pause(0.1);
    pressButton(x, 3);
    for (int i = 1; i <= 10; ++i) {
        movePointer(x, 640 + 8 * i, 360 + 4 * i);
        pause(0.03);
    }
    releaseButton(x, 3);
    pause(0.5);
    EXPECT_FALSE(samePicture(grabWindow(x), arrived));
    tapKey(x, XK_space);
    pause(0.3);
    EXPECT_TRUE(samePicture(grabWindow(x), arrived));

    tapKey(x, XK_Escape);
    EXPECT_EQ(waitForExit(program, 5.0), 0);
    closeDisplay(x);
}

} // namespace
