// Whole frames on the shipped map with random input from a fixed seed. After every frame the
// clicks, the highlights, the walker's step, the camera angles and the zoom must be in order.
#include "tests/support/fake_glfw.h"
#include "world/world.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iostream>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr unsigned Seed = 7151; // fixed, so that a failure reproduces
constexpr int Frames = 20000;
// What a pick names when not a tile.
constexpr int Ignored = -1;

} // namespace

TEST(Soak, RandomInputKeepsEveryFrameInOrder) {
    resetFakes();
    logging = false;
    world = World(std::string(TANGLOR_ASSETS_DIR) + "/map.txt");
    ASSERT_TRUE(world.problems.empty());
    ASSERT_TRUE(startUp());
    std::mt19937 rng(Seed);
    auto uniform = [&](double a, double b) { return std::uniform_real_distribution<>(a, b)(rng); };
    auto chance = [&](double p) { return uniform(0.0, 1.0) < p; };
    auto any = [&](auto n) { return int(rng() % unsigned(n)); };
    const int tiles = int(world.board.nodes.size());
    const double extremes[] = {1e12, -1e15, INFINITY, -INFINITY, NAN};
    int nextIntent = Ignored, lastTile = 0, stretch = 0, heldKey = -1;
    bool tap = false;
    double clickRate = 0.0;
    fakeGlfw.onEvents = [&](int) {
        if (--stretch <= 0) { // busy stretches, and calm ones in which walks get to their end
            clickRate = chance(0.5) ? 0.08 : 0.004;
            stretch = clickRate > 0.01 ? 20 + any(200) : 50 + any(600);
        }
        int& left = fakeGlfw.buttons[GLFW_MOUSE_BUTTON_LEFT];
        if (tap || (left == GLFW_PRESS && chance(0.3))) {
            left = GLFW_RELEASE;
            tap = false;
        } else if (left == GLFW_RELEASE && chance(clickRate)) {
            left = GLFW_PRESS; // a tap within one poll reads pressed until the next poll
            tap = chance(0.5);
        }
        // The next frame's pick: inside a tile (maybe the last clicked), off the grid (maybe
        // beyond any int), or failed.
        const int tile = chance(0.25) ? lastTile : any(tiles);
        nextIntent = world.board.nodes[tile].passable() ? tile : Ignored;
        double x = world.board.tileCentre(tile).x + uniform(-4.0, 4.0);
        double z = world.board.tileCentre(tile).z + uniform(-4.0, 4.0);
        if (chance(0.35)) {
            double& off = chance(0.5) ? x : z;
            off = chance(0.8) ? uniform(100.0, 1e4) * (chance(0.5) ? 1 : -1) : extremes[any(5)];
            nextIntent = Ignored;
        }
        fakeGl.unProjectOk = !chance(0.08);
        nextIntent = fakeGl.unProjectOk ? nextIntent : Ignored;
        fakeGl.unProjected[0] = x;
        fakeGl.unProjected[2] = z;

        int& right = fakeGlfw.buttons[GLFW_MOUSE_BUTTON_RIGHT];
        right = chance(right == GLFW_PRESS ? 0.1 : 0.03) ? 1 - right : right;
        if (chance(0.5)) { // the real layer reports the cursor no further out than 1e6
            const double reach = chance(0.1) ? 1e6 : 1e3;
            fakeGlfw.mouseX = int(uniform(-reach, reach));
            fakeGlfw.mouseY = int(uniform(-reach, reach));
        }
        fakeGlfw.wheel += chance(0.05) ? int(uniform(-80.0, 80.0)) : 0;
        // A key tapped within one poll, or held until the next; mostly faster once slow, so
        // that most walks can end.
        if (heldKey >= 0) {
            fakeKey(std::exchange(heldKey, -1), GLFW_RELEASE);
        } else if (chance(0.03)) {
            const int key = chance(0.33)                                ? GLFW_KEY_SPACE
                            : chance(world.stepFrames > 20 ? 0.9 : 0.5) ? GLFW_KEY_KP_ADD
                                                                        : GLFW_KEY_KP_SUBTRACT;
            fakeKey(key, GLFW_PRESS);
            chance(0.5) ? fakeKey(key, GLFW_RELEASE) : void(heldKey = key);
        }
        fakeGlfw.timePerRead = chance(0.01) ? uniform(0.5, 3.0) : uniform(0.0, 0.01);
    };

    // The highlights as they must be, kept from the last accepted click: the walker takes
    // points off the path but leaves their tiles highlighted.
    std::set<int> marked;
    int heldIntent = Ignored, searches = 0, walksDone = 0, walksCut = 0;
    for (int frame = 0; frame < Frames && !HasFailure(); ++frame) {
        const int phase = world.clickPhase, intent = nextIntent;
        const bool wasWalking = world.walk.walking, held = mouse.leftButtonHeld;
        const bool pressed = fakeGlfw.buttons[GLFW_MOUSE_BUTTON_LEFT] == GLFW_PRESS;
        runFrame();

        const std::string at = "frame " + std::to_string(frame);
        const int start = world.walk.monkey.visible ? world.walk.start : -1;
        const int target = world.banana.visible ? world.walk.target : -1;
        heldIntent = pressed ? intent : heldIntent;
        if (!held || pressed || heldIntent == Ignored) {
            EXPECT_EQ(world.clickPhase, phase)
                << at << ": the clicks moved on without a click on a tile";
        } else {
            EXPECT_NE(world.clickPhase, phase) << at << ": a click on open ground was ignored";
            EXPECT_EQ(world.clickPhase == 1 ? start : target, heldIntent) << at;
            lastTile = heldIntent; // users click the same tile again
        }
        if (world.clickPhase != phase && world.clickPhase == 1) {
            marked = {start};
            walksCut += wasWalking;
        } else if (world.clickPhase != phase) {
            marked = {start, target};
            ++searches;
            for (const Vec3& point : world.walk.path) {
                marked.insert(world.board.tileOfWaypoint(point));
            }
        } else {
            walksDone += wasWalking && !world.walk.walking;
        }

        std::string wrong;
        for (int i = 0; i < tiles; ++i) {
            wrong += world.walk.lit(i) != (marked.count(i) == 1) ? std::to_string(i) + " " : "";
        }
        EXPECT_EQ(wrong, "") << at << ": wrongly highlighted, start " << start << ", target "
                             << target;
        EXPECT_TRUE(world.walk.stepFrame >= 0 && world.walk.stepFrame <= world.stepFrames)
            << at << ": step " << world.walk.stepFrame << " of " << world.stepFrames;
        EXPECT_TRUE(camera.pitch >= 0.0f && camera.pitch <= 90.0f)
            << at << ": pitch " << camera.pitch;
        EXPECT_TRUE(camera.zoom >= 0.05f && camera.zoom <= float(180.0 / 65.0))
            << at << ": zoom " << camera.zoom;
        const float* place = world.walk.monkey.position;
        EXPECT_TRUE(std::isfinite(place[0] + place[1] + place[2] + world.walk.monkey.angle)) << at;
        EXPECT_TRUE(running) << at;
    }
    std::cout << "soak: seed " << Seed << ", " << Frames << " frames, " << searches << " searches, "
              << walksDone << " walks done, " << walksCut << " cut short\n";
    // Only worth something if it got into every corner of the click cycle.
    EXPECT_GT(searches, 50);
    EXPECT_GT(walksDone, 5);
    EXPECT_GT(walksCut, 20);
    resetFakes(); // the event script refers to this test's locals
    world = World(std::string());
}
