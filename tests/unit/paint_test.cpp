// Painting tiles while the program runs, the walk that follows, and the map written back and
// read again.
#include "app/app.h"
#include "linear_search.h"
#include "tests/support/fake_glfw.h"
#include "world/map_file.h"
#include "world_files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <set>

#include <sys/resource.h>

namespace {

std::set<int> litTiles(const World& w) {
    std::set<int> lit;
    for (int i = 0; i < w.board.tileCount(); i++) {
        if (w.walk.lit(i)) {
            lit.insert(i);
        }
    }
    return lit;
}

std::string fileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// A fresh world with the tiles of `painted`, clicked from `from` to `to`: its path, the
// target first.
std::vector<int> freshWalk(const World& painted, int from, int to) {
    World fresh(painted.mapFileName);
    for (int i = 0; i < fresh.board.tileCount(); ++i) {
        fresh.paintTile(i, painted.tiles[i].kind);
    }
    fresh.clickTile(from);
    fresh.clickTile(to);
    return pathTiles(fresh);
}

struct ConstantDraw : testing::Test {
    TempFolder folder;
    void SetUp() override {
        writeModels(folder);
        randomDraw = [] { return 16383; }; // the palm, turned half round
    }
    void TearDown() override { randomDraw = defaultRandomDraw; }
};

} // namespace

TEST_F(ConstantDraw, PaintCyclesKindsAsTheMapWouldHaveThemAndNeverPutsATreeUnderAFigure) {
    World w = mapOf(folder, "0 2 3 1 7 9/3 3 3 3 3 3");
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(w.paintTile(i, w.paintCycle(i)), "");
    }
    World read = mapOf(folder, "2 3 1 0 0 9/3 3 3 3 3 3");
    EXPECT_EQ(looksOf(w), looksOf(read));
    EXPECT_TRUE(w.unsavedPaints && !read.unsavedPaints);

    // The monkey's tile, the tile it steps onto and the banana's skip the tree.
    w.clickTile(6);
    w.clickTile(9);
    w.stepFrames = 10;
    w.stepWalker(w.walk);
    const int steppingOnto = tileOfWaypoint(w.board, w.walk.path.back());
    for (int tile : {6, steppingOnto, 9}) {
        EXPECT_EQ(w.paintCycle(tile), 0) << tile;
        EXPECT_EQ(w.paintTile(tile, TreeCode), "");
        EXPECT_EQ(w.tiles[tile].kind, 3) << "a dragged tree skips it too";
    }
    EXPECT_EQ(w.paintCycle(11), 1);

    // A model no tile needed yet is read when first painted; if it cannot be, the tile
    // stays as it was.
    std::filesystem::remove(folder.path("tree3.obj"));
    World trees = mapOf(folder, "0 0");
    EXPECT_EQ(trees.paintTile(1, TreeCode), folder.path("tree3.obj") + ": cannot be opened");
    EXPECT_EQ(looksOf(trees), looksOf(mapOf(folder, "0 0")));
}

TEST(Paint, TheWalkFollowsAFreshSearchFromTheMonkeysWaypointAndAStartOverClearsIt) {
    World w(std::string(TANGLOR_ASSETS_DIR) + "/map.txt");
    const int start = 9 * 16 + 7, target = 1 * 16 + 9; // the walk goes 8,8, 9,7, 8,6 ...
    w.clickTile(start);
    w.clickTile(target);
    w.stepFrames = 10;
    for (int frame = 0; frame < 15; ++frame) {
        w.stepWalker(w.walk); // on the way from 8,8 to 9,7
    }
    const int waypoint = 7 * 16 + 9;
    const float at[2] = {w.walk.monkey.position[0], w.walk.monkey.position[2]};

    // Mid-step: the monkey finishes its step, then walks the new path.
    EXPECT_EQ(w.paintTile(6 * 16 + 8, StonesCode), "");
    std::vector<int> expected = freshWalk(w, waypoint, target);
    expected.push_back(waypoint);
    EXPECT_EQ(pathTiles(w), expected);
    EXPECT_EQ(litTiles(w), std::set<int>(expected.begin(), expected.end()));
    w.stepWalker(w.walk);
    EXPECT_LT(std::hypot(w.walk.monkey.position[0] - at[0], w.walk.monkey.position[2] - at[1]),
              2.0);

    // Closed off: it stops at the waypoint, start and target lit.
    for (int s = 0; s < 8; s++) {
        if (const int n = neighbourOf(w.board, target, s); n >= 0) {
            EXPECT_EQ(w.paintTile(n, TreeCode), "");
        }
    }
    for (int frame = 0; frame < 30; ++frame) {
        w.stepWalker(w.walk);
    }
    EXPECT_EQ(std::tuple(w.walk.walking, w.monkeyTile(w.walk), litTiles(w)),
              std::tuple(false, waypoint, std::set<int>{waypoint, target}));

    // Opened again: it goes on from there.
    EXPECT_EQ(w.paintTile(8, GroundCode), "");
    EXPECT_EQ(pathTiles(w), freshWalk(w, waypoint, target));
    EXPECT_TRUE(w.walk.walking);
    w.stepWalker(w.walk); // from the waypoint, not a step further on
    const Vec3 from = tileAnchor(w.board, waypoint);
    EXPECT_LT(std::hypot(w.walk.monkey.position[0] - from.x, w.walk.monkey.position[2] - from.z),
              2.0);

    // Arrived: a paint plans nothing more.
    for (int frame = 0; frame < 200; ++frame) {
        w.stepWalker(w.walk);
    }
    EXPECT_EQ(w.paintTile(0, StonesCode), "");
    EXPECT_EQ(std::tuple(w.monkeyTile(w.walk), pathTiles(w).size()), std::tuple(target, 0u));

    // A start over leaves only the new start lit.
    w.clickTile(0);
    EXPECT_EQ(litTiles(w), std::set<int>{0});
}

TEST_F(ConstantDraw, SaveWritesTheMapKeepsTheOldOneAndFailsWithoutTouchingIt) {
    const std::string original = "+7 0\n0  2\r\n";
    World w(folder.write("map.txt", original));
    EXPECT_EQ(w.paintTile(1, WaterCode), "");
    EXPECT_EQ(writeMap(w.mapFileName, w), "");
    EXPECT_EQ(fileText(w.mapFileName), "7 3\n0 2\n");
    EXPECT_EQ(fileText(w.mapFileName + ".bak"), original);
    EXPECT_EQ(looksOf(World(w.mapFileName)), looksOf(w));

    // A file size limit holds for root too: the new map cannot be written whole.
    EXPECT_EQ(w.paintTile(0, TreeCode), "");
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{4, limit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    const std::string problem = writeMap(w.mapFileName, w);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(problem, "cannot write the new map: File too large");
    EXPECT_EQ(fileText(w.mapFileName), "7 3\n0 2\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.dir), {}), 10)
        << "the map, its .bak and the eight models: no half-written file left";
}

TEST_F(ConstantDraw, AFailedReloadKeepsTheWorldAndUnsavedPaintsAskForASecondR) {
    resetFakes();
    world = mapOf(folder, "0 0 0/0 0 0");
    world.clickTile(0);
    world.clickTile(5);
    world.stepFrames = 30;
    world.paintTile(2, world.paintCycle(2));
    const std::string before = looksOf(world);
    const std::set<int> lit = litTiles(world);

    reloadMap(1.0);
    const auto notice = [] { return fakeGlfw.title.substr(fakeGlfw.title.find(" | ")); };
    EXPECT_EQ(notice(), " | unsaved paints: press R again to reload");
    folder.write("map.txt", "0 0 0\n0 x 0\n");
    reloadMap(2.0);
    EXPECT_EQ(notice(), " | map.txt not reloaded: " + folder.path("map.txt") +
                            ":2: \"x\" is not a tile code");
    EXPECT_EQ(std::tuple(looksOf(world), litTiles(world), world.walk.monkey.visible,
                         world.banana.visible),
              std::tuple(before, lit, true, true));

    folder.write("map.txt", "3 3\n3 3\n");
    reloadMap(9.0); // the warning was long ago: warned again
    reloadMap(10.0);
    EXPECT_EQ(std::tuple(world.board.tileCount(), world.tiles[0].kind, world.walk.monkey.visible,
                         world.clickPhase, world.stepFrames, world.unsavedPaints),
              std::tuple(4, 3, false, 0, 30, false));
    world = World(std::string());
}
