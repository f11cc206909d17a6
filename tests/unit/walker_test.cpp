// The monkey walker, one call per frame: glide, arrival, heading, bobbing and pace.
#include "world_files.h"

#include <gtest/gtest.h>

namespace {

// A world without tiles walking `path` (taken from the back) from x = 20 at 10 frames a step.
World walking(std::vector<Vec3> path) {
    World w{std::string()};
    std::tie(w.stepFrames, w.walk.walkFromX, w.walk.walking, w.walk.path) =
        std::tuple(10, 20.0f, true, path);
    return w;
}

} // namespace

TEST(Walker, GlidesTurnsAndBobsAFrameACall) {
    // Calls 1 to 10 glide a tenth of the step a call; call 11 ends a walk one glide short of
    // its last waypoint, or stands exactly on a waypoint that has a next, turned to it.
    World one = walking({{30, 0, 0}}), two = walking({{30, 0, 10}, {30, 0, 0}});
    for (int call = 1; call <= 11; ++call) {
        one.stepWalker(one.walk);
        two.stepWalker(two.walk);
        EXPECT_NEAR(one.walk.monkey.position[0], 19.0f + float(std::min(call, 10)), 1e-5) << call;
        EXPECT_EQ(std::tuple(one.walk.monkey.position[2], one.walk.monkey.angle, one.walk.walking),
                  std::tuple(0.0f, 90.0f, call < 11));
    }
    EXPECT_EQ(
        std::tuple(two.walk.monkey.position[0], two.walk.monkey.position[2], two.walk.monkey.angle),
        std::tuple(30.0f, 0.0f, 0.0f));

    // Bob counter before the call, sin(counter after / 5) + 1, and a heading per row.
    const int counters[] = {0, 4, 5, 9, 14, 900, 901};
    const double heights[] = {1.0, 1.841, 1.841, 1.909, 1.141, 0.199, 1.0};
    const Vec3 targets[] = {{20, 0, 10}, {30, 0, 0}, {10, 0, 0}, {20, 0, -10}, {30, 0, 10}};
    const float headings[] = {0.0f, 90.0f, -90.0f, 180.0f, 45.0f};
    for (int i = 0; i < 7; ++i) {
        World w = walking({targets[i % 5]});
        w.walk.bobFrame = counters[i];
        w.stepWalker(w.walk);
        EXPECT_NEAR(w.walk.monkey.angle, headings[i % 5], 1e-4) << i;
        EXPECT_NEAR(w.walk.monkey.position[1], heights[i], 1e-3) << i;
        EXPECT_EQ(w.walk.bobFrame, i == 6 ? 1 : counters[i] + 1) << i;
    }
    World still = walking({}); // an empty path ends at once, without a move
    still.stepWalker(still.walk);
    EXPECT_EQ(std::tuple(still.walk.walking, still.walk.monkey.position[0],
                         still.walk.monkey.position[1]),
              std::tuple(false, 0.0f, 0.0f));
}
