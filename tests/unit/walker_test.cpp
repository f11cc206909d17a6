// The monkey walker, one frame per call: glide, arrival, heading, bobbing and pace.
#include "world/world.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// A world with no tiles, walking `path` from (fromX, fromZ) at 10 frames a step.
World walkingWorld(float fromX, float fromZ, std::vector<Vec3> path) {
    World w{std::string()};
    w.stepFrames = 10;
    w.stepFrame = 0;
    w.walkFromX = fromX;
    w.walkFromZ = fromZ;
    w.path = std::move(path);
    w.walking = true;
    return w;
}

void writeFile(const std::filesystem::path& file, const std::string& text) {
    std::ofstream out(file);
    out << text;
}

// One row of four ground tiles with a flat model for every figure. Columns 4, rows 1:
// tile c covers x from 10 (c - 2) to 10 (c - 1) and z from 0 to 10; its anchor is
// (10 (c - 1), 0, 0).
std::filesystem::path writeRowMap() {
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("tanglor_walker_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string plate = "# plate\n#\n#\n"
                              "v -4 0 -4\nv -4 0 4\nv 4 0 4\nv 4 0 -4\n"
                              "s off\nusemtl none\n"
                              "f 1 2 3\nf 1 3 4\n";
    for (const char* name : {"ground3.obj", "monkey.obj", "banan.obj"}) {
        writeFile(dir / name, plate);
    }
    writeFile(dir / "map.txt", "0 0 0 0\n");
    return dir / "map.txt";
}

// A click at the centre of tile c of the row map, in the form the mouse hands it on.
void clickTile(World& w, int c) {
    w.requestPath(10 * (c - 2) + 5, -5);
}

} // namespace

TEST(WalkerGlide, OneWaypointTakesStepFramesAndStopsOneFrameShort) {
    World w = walkingWorld(20.0f, -10.0f, {{30.0, 0.0, -10.0}});
    for (int call = 1; call <= 10; ++call) {
        w.stepWalker();
        EXPECT_NEAR(w.monkey.position[0], 20.0f + float(call - 1), 1e-5) << "call " << call;
        EXPECT_FLOAT_EQ(w.monkey.position[2], -10.0f) << "call " << call;
        EXPECT_FLOAT_EQ(w.monkey.angle, 90.0f) << "call " << call;
        EXPECT_TRUE(w.walking);
    }
    const float x = w.monkey.position[0];
    const float y = w.monkey.position[1];

    w.stepWalker();
    EXPECT_TRUE(w.path.empty());
    EXPECT_FALSE(w.walking);
    EXPECT_EQ(w.monkey.position[0], x);
    EXPECT_EQ(w.monkey.position[1], y);
    EXPECT_FLOAT_EQ(w.monkey.angle, 90.0f);
}

TEST(WalkerGlide, ArrivalStandsExactlyOnTheWaypointFacingTheNext) {
    // The path is walked from the back: (30, -10) first, then (30, 0).
    World w = walkingWorld(20.0f, -10.0f, {{30.0, 0.0, 0.0}, {30.0, 0.0, -10.0}});
    for (int call = 1; call <= 11; ++call) {
        w.stepWalker();
    }
    EXPECT_EQ(w.monkey.position[0], 30.0f);
    EXPECT_EQ(w.monkey.position[2], -10.0f);
    EXPECT_FLOAT_EQ(w.monkey.angle, 0.0f);
    EXPECT_EQ(w.walkFromX, 30.0f);
    EXPECT_EQ(w.walkFromZ, -10.0f);
    EXPECT_EQ(w.path.size(), 1u);
    EXPECT_EQ(w.stepFrame, 1);
    EXPECT_TRUE(w.walking);
}

TEST(WalkerGlide, EmptyPathEndsOnTheFirstCallWithoutMoving) {
    World w = walkingWorld(0.0f, 0.0f, {});
    w.monkey.position[0] = 7.0f;
    w.monkey.position[1] = 1.0f;
    w.monkey.position[2] = -3.0f;
    w.monkey.angle = 45.0f;
    w.stepWalker();
    EXPECT_FALSE(w.walking);
    EXPECT_EQ(w.monkey.position[0], 7.0f);
    EXPECT_EQ(w.monkey.position[1], 1.0f);
    EXPECT_EQ(w.monkey.position[2], -3.0f);
    EXPECT_EQ(w.monkey.angle, 45.0f);
    EXPECT_EQ(w.stepFrame, 0);
}

TEST(WalkerGlide, RaisingStepFramesMidStepMovesTheMonkeyBack) {
    World w = walkingWorld(0.0f, 0.0f, {{10.0, 0.0, 0.0}});
    for (int call = 1; call <= 6; ++call) {
        w.stepWalker();
    }
    const float before = w.monkey.position[0]; // 5 of 10 frames into the step
    EXPECT_NEAR(before, 5.0f, 1e-5);
    w.stepFrames = 20; // the slower pace applies at once: 6 of 20 frames
    w.stepWalker();
    EXPECT_NEAR(w.monkey.position[0], 3.0f, 1e-5);
    EXPECT_LT(w.monkey.position[0], before);
}

TEST(WalkerHeading, FacesTheWayItWalks) {
    struct Case {
        Vec3 to;
        float heading;
    };
    const Case cases[] = {
        {{0.0, 0.0, 10.0}, 0.0f},    {{10.0, 0.0, 0.0}, 90.0f},  {{-10.0, 0.0, 0.0}, -90.0f},
        {{0.0, 0.0, -10.0}, 180.0f}, {{10.0, 0.0, 10.0}, 45.0f},
    };
    for (const Case& c : cases) {
        World w = walkingWorld(0.0f, 0.0f, {c.to});
        w.stepWalker();
        // Degrees from the fixed 3.14159265, so 180 comes out a hair above.
        EXPECT_NEAR(w.monkey.angle, c.heading, 1e-4) << c.to.x << ", " << c.to.z;
    }
}

TEST(WalkerBob, HeightStepsEveryFifthFrame) {
    // bobFrame grows before it is used, so these starts give n = 0, 1, 2, 3.
    const int starts[] = {0, 4, 9, 14};
    const double heights[] = {1.0, 1.841, 1.909, 1.141};
    for (int i = 0; i < 4; ++i) {
        World w = walkingWorld(0.0f, 0.0f, {{10.0, 0.0, 0.0}});
        w.bobFrame = starts[i];
        w.stepWalker();
        EXPECT_NEAR(w.monkey.position[1], heights[i], 1e-3) << "n = " << i;
    }
    World w = walkingWorld(0.0f, 0.0f, {{10.0, 0.0, 0.0}});
    w.bobFrame = 5;
    w.stepWalker(); // 6: still n = 1
    EXPECT_NEAR(w.monkey.position[1], 1.841, 1e-3);
}

TEST(WalkerBob, CounterWrapsAfter900) {
    World w = walkingWorld(0.0f, 0.0f, {{1000.0, 0.0, 0.0}});
    w.stepFrames = 1000;
    w.bobFrame = 900;
    w.stepWalker();
    EXPECT_EQ(w.bobFrame, 901);
    w.stepWalker();
    EXPECT_EQ(w.bobFrame, 1);
    EXPECT_EQ(w.monkey.position[1], 1.0f);
    // The counter runs on an empty path too.
    World idle = walkingWorld(0.0f, 0.0f, {});
    idle.stepWalker();
    EXPECT_EQ(idle.bobFrame, 1);
}

TEST(WalkerWalks, EveryWalkBeginsOnItsStartTileWithAFullStep) {
    World w{writeRowMap().string()};
    ASSERT_EQ(w.nodeCount, 4);
    w.stepFrames = 10;

    // Each walk: start tile, target tile, and whether it is cut short after three frames.
    struct Walk {
        int from;
        int to;
        bool interrupted;
    };
    const Walk walks[] = {{0, 2, false}, {3, 1, true}, {1, 3, false}, {2, 0, false}};
    for (const Walk& walk : walks) {
        clickTile(w, walk.from);
        clickTile(w, walk.to);
        ASSERT_TRUE(w.walking);
        const float startX = float(10 * (walk.from - 1));
        const float nextX = startX + (walk.to > walk.from ? 10.0f : -10.0f);

        w.stepWalker();
        EXPECT_EQ(w.monkey.position[0], startX) << "walk from " << walk.from;
        EXPECT_EQ(w.monkey.position[2], 0.0f);
        w.stepWalker();
        EXPECT_NEAR(w.monkey.position[0], startX + (nextX - startX) / 10.0f, 1e-5)
            << "walk from " << walk.from;

        int frames = 2;
        while (w.walking && !(walk.interrupted && frames == 3)) {
            w.stepWalker();
            ++frames;
        }
        if (!walk.interrupted) {
            // Two steps of ten frames each, plus the call that finds the path used up.
            EXPECT_EQ(frames, 21) << "walk from " << walk.from;
        }
    }
}
