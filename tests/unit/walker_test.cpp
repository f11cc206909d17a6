// The monkey walker, one call per frame: glide, arrival, heading, bobbing and pace.
#include "world/world.h"
#include "world_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A world without tiles walking `path` (taken from the back) at 10 frames a step.
World walking(std::vector<Vec3> path, float fromX = 0.0f, float fromZ = 0.0f) {
    World w{std::string()};
    w.stepFrames = 10;
    w.walkFromX = fromX;
    w.walkFromZ = fromZ;
    w.path = std::move(path);
    w.walking = true;
    return w;
}

void step(World& w, int calls) {
    for (int call = 0; call < calls; ++call) {
        w.stepWalker();
    }
}

} // namespace

TEST(Walker, GlidesAFrameACallAndArrivesOnTheWaypoint) {
    World one = walking({{30, 0, -10}}, 20.0f, -10.0f);
    for (int call = 1; call <= 10; ++call) {
        SCOPED_TRACE(call);
        one.stepWalker();
        EXPECT_NEAR(one.monkey.position[0], 19.0f + float(call), 1e-5);
        EXPECT_EQ(one.monkey.position[2], -10.0f);
        EXPECT_FLOAT_EQ(one.monkey.angle, 90.0f);
    }
    one.stepWalker(); // the last waypoint is used up: the monkey stays one glide short
    EXPECT_TRUE(one.path.empty());
    EXPECT_FALSE(one.walking);
    EXPECT_NEAR(one.monkey.position[0], 29.0f, 1e-5);

    // With a waypoint after it, call 11 stands exactly on the first, turned to the next.
    World two = walking({{30, 0, 0}, {30, 0, -10}}, 20.0f, -10.0f);
    step(two, 11);
    EXPECT_EQ(two.monkey.position[0], 30.0f);
    EXPECT_EQ(two.monkey.position[2], -10.0f);
    EXPECT_FLOAT_EQ(two.monkey.angle, 0.0f);
    EXPECT_TRUE(two.walking);
}

TEST(Walker, FacesWhereItGoesAndBobsEveryFifthFrame) {
    // The bob counter grows before use and starts over after 901; the rows also walk the
    // five directions in turn.
    const int counters[] = {0, 4, 5, 9, 14, 900, 901};
    const double heights[] = {1.0, 1.841, 1.841, 1.909, 1.141, 0.199, 1.0}; // sin(counter / 5) + 1
    const Vec3 targets[] = {{0, 0, 10}, {10, 0, 0}, {-10, 0, 0}, {0, 0, -10}, {10, 0, 10}};
    const float headings[] = {0.0f, 90.0f, -90.0f, 180.0f, 45.0f};
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        World w = walking({targets[i % 5]});
        w.bobFrame = counters[i];
        w.stepWalker();
        EXPECT_NEAR(w.monkey.angle, headings[i % 5], 1e-4);
        EXPECT_NEAR(w.monkey.position[1], heights[i], 1e-3);
        EXPECT_EQ(w.bobFrame, i == 6 ? 1 : counters[i] + 1);
    }
}

TEST(Walker, EmptyPathEndsOnTheFirstCallWithoutMoving) {
    World w = walking({}, 5.0f, 5.0f);
    w.stepWalker();
    EXPECT_FALSE(w.walking);
    EXPECT_EQ(w.monkey.position[0], 0.0f);
    EXPECT_EQ(w.monkey.position[1], 0.0f); // no bob either
}

TEST(Walker, RaisingStepFramesMidStepMovesTheMonkeyBack) {
    World w = walking({{10, 0, 0}});
    step(w, 6);        // 5 of 10 frames: x = 5
    w.stepFrames = 20; // read afresh: 6 of 20 frames
    w.stepWalker();
    EXPECT_NEAR(w.monkey.position[0], 3.0f, 1e-5);
}

TEST(Walker, EveryWalkBeginsOnItsStartTile) {
    TempFolder folder;
    World w{folder.write("map.txt", "0 0 0 0\n")}; // tile c's anchor: (10 (c - 1), 0)
    w.stepFrames = 10;
    // Start tile, target tile, frames walked: two steps and the ending call, or cut short.
    const int walks[][3] = {{0, 2, 21}, {3, 1, 3}, {1, 3, 21}};
    for (const auto& [from, to, frames] : walks) {
        SCOPED_TRACE(from);
        w.requestPath(10 * from - 15, 0);
        w.requestPath(10 * to - 15, 0);
        w.stepWalker();
        EXPECT_EQ(w.monkey.position[0], 10.0f * float(from - 1));
        step(w, frames - 1);
        EXPECT_EQ(w.walking, frames != 21);
    }
}
