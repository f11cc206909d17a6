// Whole frames on the shipped map with random input from a fixed seed. After every frame the
// highlights, the walker's step, the camera angles and the zoom must be in order.
#include "app/app.h"
#include "platform/glfw2.h"
#include "tests/support/call_log.h"
#include "tests/support/fake_gl.h"
#include "tests/support/fake_glfw.h"
#include "view/camera.h"
#include "view/mouse.h"
#include "world/world.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr unsigned Seed = 7151; // fixed, so that a failure reproduces
constexpr int Frames = 20000;
// What a pick names when not a tile: nothing, or a point the test doesn't work out.
constexpr int Ignored = -1;
constexpr int Unknown = -2;

// The test's own flood over eight-way moves between non-tree tiles.
bool reachable(const World& w, int from, int to) {
    std::vector<bool> seen(w.nodes.size());
    for (std::vector<int> todo = {from}; !todo.empty();) {
        int i = todo.back();
        todo.pop_back();
        for (int d = 0; d < 9; ++d) {
            int c = i % w.columns + d % 3 - 1, r = i / w.columns + d / 3 - 1, n = r * w.columns + c;
            if (c >= 0 && c < w.columns && r >= 0 && r < w.rows && !seen[n] &&
                w.nodes[n].kind != 1) {
                seen[n] = true;
                todo.push_back(n);
            }
        }
    }
    return seen[to];
}

struct Soak : ::testing::Test {
    void SetUp() override {
        resetFakeGl();
        resetFakeGlfw();
        fakeGl.logging = false;
        running = true;
        escapeRequested = false;
        zoom = 1.0f;
        leftButtonHeld = false;
        resetCamera();
        world = World(std::string(TANGLOR_ASSETS_DIR) + "/map.txt");
    }
    void TearDown() override {
        resetFakeGlfw(); // its event script refers to the test's locals
        resetFakeGl();
        world = World(std::string());
    }
};

} // namespace

TEST_F(Soak, RandomInputKeepsEveryFrameInOrder) {
    std::cout << "soak: seed " << Seed << ", " << Frames << " frames\n";
    std::mt19937 rng(Seed);
    auto uniform = [&](double a, double b) { return std::uniform_real_distribution<>(a, b)(rng); };
    auto chance = [&](double p) { return uniform(0.0, 1.0) < p; };
    auto any = [&](auto n) { return int(rng() % unsigned(n)); };
    ASSERT_TRUE(world.problems.empty());
    ASSERT_TRUE(startUp());
    const int cols = world.columns, tiles = int(world.nodes.size());
    std::vector<int> trees, pockets; // pockets: open tiles that trees close off from tile 0
    for (int i = 0; i < tiles; ++i) {
        (world.nodes[i].kind == 1 ? trees : pockets).push_back(i);
    }
    std::erase_if(pockets, [&](int i) { return reachable(world, i, 0); });
    ASSERT_FALSE(pockets.empty());

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
        // The next frame's pick: on a tile (maybe the last clicked, a tree, a pocket),
        // near an edge, off the grid, beyond any int, or failed.
        double x = uniform(-95.0, 95.0), z = uniform(-95.0, 95.0), kind = uniform(0.0, 1.0);
        nextIntent = Unknown;
        if (kind < 0.6) {
            int tile = kind < 0.15   ? lastTile
                       : kind < 0.25 ? trees[any(trees.size())]
                       : kind < 0.3  ? pockets[any(pockets.size())]
                                     : any(tiles);
            x = 10 * (tile % cols) - 80 + uniform(1.0, 9.0);
            z = 10 * (tile / cols) - 80 + uniform(1.0, 9.0);
            nextIntent = world.nodes[tile].kind == 1 ? Ignored : tile;
        } else if (kind < 0.85) {
            x = kind < 0.8 ? uniform(100.0, 1e4) * (chance(0.5) ? 1 : -1)
                           : std::vector<double>{1e12, -1e15, INFINITY, -INFINITY, NAN}[any(5)];
            z = uniform(-1e4, 1e4);
            nextIntent = Ignored;
            if (chance(0.5)) {
                std::swap(x, z);
            }
        }
        fakeGl.unProjectOk = !chance(0.08);
        nextIntent = fakeGl.unProjectOk ? nextIntent : Ignored;
        fakeGl.unProjected[0] = x;
        fakeGl.unProjected[1] = uniform(-1.0, 3.0);
        fakeGl.unProjected[2] = z;
        fakeGl.depth = float(uniform(0.0, 1.0));

        int& right = fakeGlfw.buttons[GLFW_MOUSE_BUTTON_RIGHT];
        right = chance(right == GLFW_PRESS ? 0.1 : 0.03) ? 1 - right : right;
        if (chance(0.5)) { // the real layer reports the cursor no further out than 1e6
            bool far = chance(0.1);
            fakeGlfw.mouseX = int(far ? uniform(-1e6, 1e6) : uniform(0.0, windowWidth));
            fakeGlfw.mouseY = int(far ? uniform(-1e6, 1e6) : uniform(0.0, windowHeight));
        }
        fakeGlfw.wheel += chance(0.05) ? int(uniform(-80.0, 80.0)) : 0;
        if (heldKey >= 0) {
            fakeKey(heldKey, GLFW_RELEASE);
            heldKey = -1;
        } else if (chance(0.03)) {
            // Mostly faster once slow, so that most walks can end.
            heldKey = chance(0.33)                                ? GLFW_KEY_SPACE
                      : chance(world.stepFrames > 20 ? 0.9 : 0.5) ? GLFW_KEY_KP_ADD
                                                                  : GLFW_KEY_KP_SUBTRACT;
            fakeKey(heldKey, GLFW_PRESS);
            if (chance(0.5)) {
                fakeKey(heldKey, GLFW_RELEASE);
                heldKey = -1;
            }
        }
        if (chance(0.005)) {
            fakeGlfw.width = chance(0.3) ? 0 : any(3000);
            fakeGlfw.height = chance(0.3) ? 0 : any(2000);
            fakeGl.viewport[2] = fakeGlfw.width;
            fakeGl.viewport[3] = std::max(fakeGlfw.height, 1);
        }
        fakeGlfw.timePerRead = chance(0.01) ? uniform(0.5, 3.0) : uniform(0.0, 0.01);
    };

    // The highlights as they must be, kept from the last accepted click: the walker takes
    // points off the path but leaves their tiles highlighted.
    std::set<int> marked;
    int heldIntent = Ignored, searches = 0, walledIn = 0, walksDone = 0, walksCut = 0;
    for (int frame = 0; frame < Frames && !HasFailure(); ++frame) {
        const int phase = world.clickPhase, intent = nextIntent;
        const bool wasWalking = world.walking, held = leftButtonHeld;
        const bool pressed = fakeGlfw.buttons[GLFW_MOUSE_BUTTON_LEFT] == GLFW_PRESS;
        clearCalls(); // the platform stand-in still logs its few calls a frame
        runFrame();

        const std::string at = "frame " + std::to_string(frame);
        const int start = world.startNode ? int(world.startNode - world.nodes.data()) : -1;
        const int target = world.targetNode ? int(world.targetNode - world.nodes.data()) : -1;
        heldIntent = pressed ? intent : heldIntent;
        if (!held || pressed || heldIntent == Ignored) {
            EXPECT_EQ(world.clickPhase, phase)
                << at << ": the clicks moved on without a click on a tile";
        } else if (heldIntent != Unknown) {
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
            bool canReach = start != target && reachable(world, start, target);
            walledIn += start != target && !canReach;
            EXPECT_EQ(world.walking, canReach || start == target) << at;
            // Walked from the back, each point is one of the eight tiles around the last.
            int from = start;
            for (auto it = world.path.rbegin(); it != world.path.rend(); ++it) {
                int c = int(std::lround(it->x / 10)) - 1 + cols / 2;
                int r = int(std::lround(it->z / 10)) + world.rows / 2, tile = r * cols + c;
                ASSERT_TRUE(c >= 0 && c < cols && r >= 0 && r < world.rows) << at;
                EXPECT_TRUE(world.nodes[tile].kind != 1 && tile != from &&
                            std::abs(c - from % cols) <= 1 && std::abs(r - from / cols) <= 1)
                    << at << ": a step from tile " << from << " to " << tile;
                marked.insert(tile);
                from = tile;
            }
            EXPECT_EQ(from, canReach ? target : start) << at;
        } else {
            walksDone += wasWalking && !world.walking;
        }

        std::string wrong;
        for (int i = 0; i < tiles; ++i) {
            wrong += world.nodes[i].marked != (marked.count(i) == 1) ? std::to_string(i) + " " : "";
        }
        EXPECT_EQ(wrong, "") << at << ": wrongly highlighted, start " << start << ", target "
                             << target;
        EXPECT_TRUE(world.stepFrame >= 0 && world.stepFrame <= world.stepFrames)
            << at << ": step " << world.stepFrame << " of " << world.stepFrames;
        EXPECT_TRUE(pitch >= 0.0f && pitch <= 90.0f) << at << ": pitch " << pitch;
        EXPECT_TRUE(zoom >= 0.05f && zoom <= float(180.0 / 65.0)) << at << ": zoom " << zoom;
        for (float value : {world.monkey.position[0], world.monkey.position[1],
                            world.monkey.position[2], world.monkey.angle}) {
            EXPECT_TRUE(std::isfinite(value)) << at << ": monkey " << value;
        }
        EXPECT_TRUE(running) << at;
    }
    std::cout << "soak: " << searches << " searches, " << walledIn << " walled in, " << walksDone
              << " walks done, " << walksCut << " cut short\n";
    if (HasFailure()) {
        return;
    }
    // Only worth something if it got into every corner of the click cycle.
    EXPECT_GT(searches, 50);
    EXPECT_GT(walledIn, 5);
    EXPECT_GT(walksDone, 5);
    EXPECT_GT(walksCut, 20);
}
