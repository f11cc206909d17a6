// Boards bigger than the shipped one: the start view fits them, a frame draws only what it
// sees (flat when the tiles are small), and a click's search spread over frames ends as the
// same search run at once.
#include "platform/glfw2.h"
#include "ui/panel.h"
#include "view/board_sight.h"
#include "view/camera.h"
#include "world_files.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

TEST(BigBoard, TheStartViewFitsTheBoardInThePartLeftOfThePanel) {
    glfwSetMouseWheel(15); // the start's zoom: a field of view of 48.75 degrees
    struct Case {
        int columns, rows, x, y, z;
    };
    // Up to 16 x 16 the fixed view; then the eye rises with the longer side, and moves right
    // so that the board's centre shows in the middle of the 1000 pixels left of the panel.
    for (const Case& c : {Case{16, 16, 0, 200, 0}, Case{3, 7, 0, 200, 0}, Case{64, 64, 0, 800, 0},
                          Case{1024, 1024, 0, 12800, 0}, Case{128, 33, 0, 1152, 5}}) {
        fitCameraStart(c.columns, c.rows, 1000, 1280, 720);
        EXPECT_EQ(std::tuple(camera.cameraStartY, camera.cameraStartZ), std::tuple(c.y, c.z))
            << c.columns;
        if (c.y > 200) {
            // 140 pixels, at the height's units per pixel: 2 y tan(fov / 2) / 720.
            EXPECT_NEAR(camera.cameraStartX, 140.0 * 2 * c.y * 0.4531 / 720, 0.01 * c.y)
                << c.columns;
        } else {
            EXPECT_EQ(camera.cameraStartX, 0);
        }
    }
    fitCameraStart(16, 16, 1000, 1280, 720);
    resetCamera();
}

TEST(BigBoard, AFrameDrawsTheTilesInViewAsModelsOnlyWhenTheyAreBigEnoughToSee) {
    World w{std::string()};
    w.buildGrid(1024, 1024);
    camera.zoom = 0.75f;
    fitCameraStart(1024, 1024, 1000, 1280, 720);
    resetCamera();
    DrawnTiles sight = boardSight(w.board, 1280, 720);
    EXPECT_FALSE(sight.models) << "a tile well under a pixel";
    EXPECT_TRUE(sight.column0 <= 0 && sight.column1 >= 1023 && sight.row0 <= 0 &&
                sight.row1 >= 1023);

    // Down to the shipped map's height over the middle: about 16 x 16 tiles in view.
    camera.cameraX = 0.0f, camera.cameraY = 200.0f, camera.cameraZ = 0.0f;
    sight = boardSight(w.board, 1280, 720);
    EXPECT_TRUE(sight.models);
    EXPECT_LT(sight.column1 - sight.column0, 48);
    EXPECT_LT(sight.row1 - sight.row0, 48);
    EXPECT_TRUE(sight.column0 < 512 && sight.column1 > 512 && sight.row0 < 512 && sight.row1 > 512);
    // Turned, the view round the same spot still holds it; tilted, every tile may show.
    camera.yaw = 45.0f;
    sight = boardSight(w.board, 1280, 720);
    EXPECT_TRUE(sight.column0 < 512 && sight.column1 > 512 && sight.row1 - sight.row0 < 60);
    camera.pitch = 30.0f;
    sight = boardSight(w.board, 1280, 720);
    EXPECT_TRUE(sight.column0 <= 0 && sight.column1 >= 1023);
    fitCameraStart(16, 16, 1000, 1280, 720);
    resetCamera();
}

TEST(BigBoard, ASearchCarriedOnOverFramesEndsAsTheSameSearchRunAtOnce) {
    std::mt19937 rng(5);
    for (int map = 0; map < 40; ++map) {
        World w = randomMap(rng, 8 + int(rng() % 50), 8 + int(rng() % 50), {60, 25, 10, 5});
        const int from = int(rng() % w.tiles.size()), to = int(rng() % w.tiles.size());
        if (!w.board.passable(from) || !w.board.passable(to)) {
            continue;
        }
        const SearchKind kind = static_cast<SearchKind>(map % SearchKindCount);
        w.walk.kind = kind;
        w.clickTile(from);
        w.clickTile(to);
        const SearchRecord once = w.walk.search;
        const std::vector<TileCosts> onceCosts = openedCosts(w.walk);
        const std::vector<Vec3> path = w.walk.path;

        w.searchSlice = 3; // a few tiles a frame
        w.clickTile(from);
        w.clickTile(to);
        int frames = 0;
        while (w.walk.planning == Planning::Walk) {
            EXPECT_FALSE(w.walk.walking) << "the monkey waits for the search";
            if (frames == 1) { // the start and two slices of three
                PanelText text;
                buildPanelText(w, -1, -1, text);
                // D* Lite's plan closes no start before its slices: 6.
                const char* soFar =
                    kind == SearchKind::DStarLite ? "searching: 6 of " : "searching: 7 of ";
                EXPECT_EQ(std::string(text.figures).rfind(soFar, 0), 0u) << text.figures;
            }
            w.advanceWalk(w.walk, 3);
            ++frames;
        }
        EXPECT_EQ(frames > 0, once.closed.size() > 3) << map;
        w.advanceWalk(w.walk, LLONG_MAX); // the cheapest walk, for the figures
        EXPECT_EQ(std::tuple(w.walk.search.closed, w.walk.search.opened, w.walk.search.openedAt,
                             w.walk.search.walk, w.walk.search.found, w.walk.walking,
                             w.walk.path.size()),
                  std::tuple(once.closed, once.opened, once.openedAt, once.walk, once.found,
                             once.found, path.size()))
            << searchName(kind) << " on map " << map;
        EXPECT_EQ(openedCosts(w.walk), onceCosts);
    }
}

TEST(BigBoard, APaintsReplanCarriedOnOverFramesLeavesTheMonkeyWhereAtOnceWould) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        World worlds[2] = {World{std::string()}, World{std::string()}};
        for (World& w : worlds) {
            std::mt19937 rng(seed);
            w = randomMap(rng, 30, 30, {70, 15, 10, 5});
            plant(w, 0, GroundCode);
            plant(w, 899, GroundCode);
            w.clickTile(0);
            w.clickTile(899);
            w.stepFrames = 10;
            for (int frame = 0; frame < 25; ++frame) {
                w.stepWalker(w.walk); // two and a half steps: caught mid-step
            }
        }
        worlds[1].searchSlice = 2;
        for (World& w : worlds) {
            w.paintTile(w.walk.search.walk.empty() ? 450 : w.walk.search.walk.back() - 1, TreeCode);
        }
        EXPECT_FALSE(worlds[1].walk.searching() && worlds[1].walk.walking) << "the monkey waits";
        while (worlds[1].walk.searching()) {
            worlds[1].advanceWalk(worlds[1].walk, 2);
        }
        EXPECT_EQ(pathTiles(worlds[1]), pathTiles(worlds[0])) << seed;
        EXPECT_EQ(std::tuple(worlds[1].walk.walking, worlds[1].walk.stepFrame,
                             worlds[1].walk.search.closed),
                  std::tuple(worlds[0].walk.walking, worlds[0].walk.stepFrame,
                             worlds[0].walk.search.closed));
    }
}
