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

// A user at random, acting while each frame's events are processed: busy stretches, and calm
// ones in which walks get to their end.
struct RandomUser {
    std::mt19937 rng{Seed};
    int tiles = 0;
    int nextIntent = Ignored; // what the next frame's pick names
    int lastTile = 0;         // the last tile a click took: users click the same tile again
    int stretch = 0;
    int heldKey = -1;
    bool tap = false;
    double clickRate = 0.0;

    double uniform(double a, double b) { return std::uniform_real_distribution<>(a, b)(rng); }
    bool chance(double p) { return uniform(0.0, 1.0) < p; }
    int any(int n) { return int(rng() % unsigned(n)); }
};

void pressOrRelease(RandomUser& user) {
    if (--user.stretch <= 0) {
        user.clickRate = user.chance(0.5) ? 0.08 : 0.004;
        user.stretch = user.clickRate > 0.01 ? 20 + user.any(200) : 50 + user.any(600);
    }
    int& left = fakeGlfw.buttons[GLFW_MOUSE_BUTTON_LEFT];
    if (user.tap || (left == GLFW_PRESS && user.chance(0.3))) {
        left = GLFW_RELEASE;
        user.tap = false;
    } else if (left == GLFW_RELEASE && user.chance(user.clickRate)) {
        left = GLFW_PRESS; // a tap within one poll reads pressed until the next poll
        user.tap = user.chance(0.5);
    }
}

// The next frame's pick: inside a tile (maybe the last clicked), off the grid (maybe beyond
// any int), or failed.
void pointSomewhere(RandomUser& user) {
    constexpr double extremes[] = {1e12, -1e15, INFINITY, -INFINITY, NAN};
    // Held down on a figure, the cursor stays on its tile: a move off it would drag the figure,
    // which is no click (tests/unit/drag_test.cpp).
    const bool onFigure = fakeGlfw.buttons[GLFW_MOUSE_BUTTON_LEFT] == GLFW_PRESS &&
                          mouse.leftButtonHeld && mouse.drag.figure != DraggedFigure::None;
    const int tile = onFigure            ? mouse.drag.pressTile
                     : user.chance(0.25) ? user.lastTile
                                         : user.any(user.tiles);
    user.nextIntent = world.board.passable(tile) ? tile : Ignored;
    double x = tileCentre(world.board, tile).x + user.uniform(-4.0, 4.0);
    double z = tileCentre(world.board, tile).z + user.uniform(-4.0, 4.0);
    if (!onFigure && user.chance(0.35)) {
        double& off = user.chance(0.5) ? x : z;
        off = user.chance(0.8) ? user.uniform(100.0, 1e4) * (user.chance(0.5) ? 1 : -1)
                               : extremes[user.any(5)];
        user.nextIntent = Ignored;
    }
    fakeGl.unProjectOk = !user.chance(0.08);
    user.nextIntent = fakeGl.unProjectOk ? user.nextIntent : Ignored;
    fakeGl.unProjected[0] = x;
    fakeGl.unProjected[2] = z;
}

// The right button, the cursor, the wheel, the keys and the clock.
void moveTheRest(RandomUser& user) {
    int& right = fakeGlfw.buttons[GLFW_MOUSE_BUTTON_RIGHT];
    right = user.chance(right == GLFW_PRESS ? 0.1 : 0.03) ? 1 - right : right;
    if (user.chance(0.5)) { // the real layer reports the cursor no further out than 1e6
        const double reach = user.chance(0.1) ? 1e6 : 1e3;
        fakeGlfw.mouseX = int(user.uniform(-reach, reach));
        fakeGlfw.mouseY = int(user.uniform(-reach, reach));
    }
    fakeGlfw.wheel += user.chance(0.05) ? int(user.uniform(-80.0, 80.0)) : 0;
    // A key tapped within one poll, or held until the next; mostly faster once slow, so that
    // most walks can end.
    if (user.heldKey >= 0) {
        fakeKey(std::exchange(user.heldKey, -1), GLFW_RELEASE);
    } else if (user.chance(0.03)) {
        const int key = user.chance(0.33)                                ? GLFW_KEY_SPACE
                        : user.chance(world.stepFrames > 20 ? 0.9 : 0.5) ? GLFW_KEY_KP_ADD
                                                                         : GLFW_KEY_KP_SUBTRACT;
        fakeKey(key, GLFW_PRESS);
        user.chance(0.5) ? fakeKey(key, GLFW_RELEASE) : void(user.heldKey = key);
    }
    fakeGlfw.timePerRead = user.chance(0.01) ? user.uniform(0.5, 3.0) : user.uniform(0.0, 0.01);
}

// What the frame before left for the next to go on from.
struct FrameStart {
    int phase, intent;
    bool wasWalking, held, pressed;
};

FrameStart frameStart(const RandomUser& user) {
    return {world.clickPhase, user.nextIntent, world.walk.walking, mouse.leftButtonHeld,
            fakeGlfw.buttons[GLFW_MOUSE_BUTTON_LEFT] == GLFW_PRESS};
}

// What the frames must show, kept from the last accepted click, and how far the run got.
struct Expected {
    // The walker takes points off the path but leaves their tiles highlighted.
    std::set<int> marked;
    int heldIntent = Ignored; // the tile the held left button was pressed on
    int searches = 0, walksDone = 0, walksCut = 0;
};

int shownStart() {
    return world.walk.monkey.visible ? world.walk.start : -1;
}
int shownTarget() {
    return world.banana.visible ? world.walk.target : -1;
}

// The clicks move on on a click on open ground only, and the highlights follow them.
void followClicks(const FrameStart& was, RandomUser& user, Expected& expected,
                  const std::string& at) {
    const int start = shownStart(), target = shownTarget();
    expected.heldIntent = was.pressed ? was.intent : expected.heldIntent;
    if (!was.held || was.pressed || expected.heldIntent == Ignored) {
        EXPECT_EQ(world.clickPhase, was.phase)
            << at << ": the clicks moved on without a click on a tile";
    } else {
        EXPECT_NE(world.clickPhase, was.phase) << at << ": a click on open ground was ignored";
        EXPECT_EQ(world.clickPhase == 1 ? start : target, expected.heldIntent) << at;
        user.lastTile = expected.heldIntent;
    }
    if (world.clickPhase != was.phase && world.clickPhase == 1) {
        expected.marked = {start};
        expected.walksCut += was.wasWalking;
    } else if (world.clickPhase != was.phase) {
        expected.marked = {start, target};
        ++expected.searches;
        for (const Vec3& point : world.walk.path) {
            expected.marked.insert(tileOfWaypoint(world.board, point));
        }
    } else {
        expected.walksDone += was.wasWalking && !world.walk.walking;
    }
}

// The highlights as expected; the walker's step, the camera and the monkey in range.
void checkFrame(const std::set<int>& marked, const std::string& at) {
    std::string wrong;
    for (int i = 0; i < int(world.tiles.size()); ++i) {
        wrong += world.walk.lit(i) != (marked.count(i) == 1) ? std::to_string(i) + " " : "";
    }
    EXPECT_EQ(wrong, "") << at << ": wrongly highlighted, start " << shownStart() << ", target "
                         << shownTarget();
    EXPECT_TRUE(world.walk.stepFrame >= 0 && world.walk.stepFrame <= world.stepFrames)
        << at << ": step " << world.walk.stepFrame << " of " << world.stepFrames;
    EXPECT_TRUE(camera.pitch >= 0.0f && camera.pitch <= 90.0f) << at << ": pitch " << camera.pitch;
    EXPECT_TRUE(camera.zoom >= 0.05f && camera.zoom <= float(180.0 / 65.0))
        << at << ": zoom " << camera.zoom;
    const float* place = world.walk.monkey.position;
    EXPECT_TRUE(std::isfinite(place[0] + place[1] + place[2] + world.walk.monkey.angle)) << at;
    EXPECT_TRUE(running) << at;
}

} // namespace

TEST(Soak, RandomInputKeepsEveryFrameInOrder) {
    resetFakes();
    logging = false;
    world = World(std::string(TANGLOR_ASSETS_DIR) + "/map.txt");
    ASSERT_TRUE(world.problems.empty());
    ASSERT_TRUE(startUp());
    RandomUser user;
    user.tiles = int(world.tiles.size());
    fakeGlfw.onEvents = [&](int) {
        pressOrRelease(user);
        pointSomewhere(user);
        moveTheRest(user);
    };

    Expected expected;
    for (int frame = 0; frame < Frames && !HasFailure(); ++frame) {
        const FrameStart was = frameStart(user);
        runFrame();
        const std::string at = "frame " + std::to_string(frame);
        followClicks(was, user, expected, at);
        checkFrame(expected.marked, at);
    }
    std::cout << "soak: seed " << Seed << ", " << Frames << " frames, " << expected.searches
              << " searches, " << expected.walksDone << " walks done, " << expected.walksCut
              << " cut short\n";
    // Only worth something if it got into every corner of the click cycle.
    EXPECT_GT(expected.searches, 50);
    EXPECT_GT(expected.walksDone, 5);
    EXPECT_GT(expected.walksCut, 20);
    resetFakes(); // the event script refers to this test's locals
    world = World(std::string());
}
