// The click cycle and the A* search on small hand-made maps.
#include "world_files.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <set>

namespace {

using Tiles = std::vector<std::pair<int, int>>;
using TileSet = std::set<std::pair<int, int>>;

Tiles markedTiles(const World& w) {
    Tiles tiles;
    for (const GridNode& node : w.nodes) {
        if (node.marked) {
            tiles.push_back({node.index % w.columns, node.index / w.columns});
        }
    }
    return tiles;
}

// Everything a click may change, to show that an ignored one changes none of it.
struct Snapshot {
    int clickPhase;
    bool walking;
    bool monkeyVisible, bananaVisible;
    float monkeyX, monkeyZ, bananaX, bananaZ;
    Tiles path, marked;
    size_t open, closed;
    GridNode* start;
    GridNode* target;
    int stepFrame;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const World& w) {
    return {w.clickPhase,         w.walking,
            w.monkey.visible,     w.banana.visible,
            w.monkey.position[0], w.monkey.position[2],
            w.banana.position[0], w.banana.position[2],
            pathTiles(w),         markedTiles(w),
            w.openList.size(),    w.closedList.size(),
            w.startNode,          w.targetNode,
            w.stepFrame};
}

// A 10 x 10 map of ground with the given tiles changed.
World tenByTen(const TempFolder& folder, const std::vector<std::tuple<int, int, int>>& changes) {
    Codes codes = filledCodes(10, 10, 0);
    for (auto [c, r, code] : changes) {
        codes[r][c] = code;
    }
    return worldFrom(folder, codes);
}

// Trees all round tile (7, 7), diagonals included.
std::vector<std::tuple<int, int, int>> pocketAt77() {
    std::vector<std::tuple<int, int, int>> trees;
    for (int r = 6; r <= 8; r++) {
        for (int c = 6; c <= 8; c++) {
            if (c != 7 || r != 7) {
                trees.push_back({c, r, 1});
            }
        }
    }
    return trees;
}

} // namespace

TEST(SearchPath, StraightLine) {
    TempFolder folder;
    World w = tenByTen(folder, {});
    clickTile(w, 5, 5);
    EXPECT_EQ(w.clickPhase, 1);
    EXPECT_TRUE(w.monkey.visible);
    EXPECT_FALSE(w.banana.visible);
    EXPECT_EQ(w.monkey.position[0], 10.0f);
    EXPECT_EQ(w.monkey.position[1], 1.0f);
    EXPECT_EQ(w.monkey.position[2], 0.0f);
    EXPECT_EQ(w.walkFromX, 10.0f);
    EXPECT_EQ(w.walkFromZ, 0.0f);
    EXPECT_FALSE(w.walking);

    clickTile(w, 8, 5);
    EXPECT_EQ(pathTiles(w), (Tiles{{8, 5}, {7, 5}, {6, 5}}));
    EXPECT_EQ(w.path[0].x, 40.0);
    EXPECT_EQ(w.path[0].y, 0.0);
    EXPECT_EQ(w.path[0].z, 0.0);
    EXPECT_EQ(markedTiles(w), (Tiles{{5, 5}, {6, 5}, {7, 5}, {8, 5}}));
    EXPECT_TRUE(w.walking);
    EXPECT_EQ(w.clickPhase, 0);
    EXPECT_TRUE(w.banana.visible);
    EXPECT_EQ(w.banana.position[0], 40.0f);
    EXPECT_EQ(w.banana.position[1], 0.0f);
    EXPECT_EQ(w.banana.position[2], 0.0f);
    EXPECT_EQ(w.closedList.front(), &w.nodes[55]);
}

TEST(SearchPath, NeighbourTargetsGiveOneWaypoint) {
    TempFolder folder;
    World w = tenByTen(folder, {});
    for (auto [c, r] : Tiles{{6, 5}, {6, 6}, {4, 4}, {5, 4}}) {
        clickTile(w, 5, 5);
        clickTile(w, c, r);
        EXPECT_EQ(pathTiles(w), (Tiles{{c, r}}));
        EXPECT_EQ(w.closedList.size(), 1u);
    }
}

TEST(SearchPath, DiagonalAcross) {
    TempFolder folder;
    World w = tenByTen(folder, {});
    clickTile(w, 0, 0);
    clickTile(w, 9, 9);
    Tiles expected;
    for (int k = 9; k >= 1; k--) {
        expected.push_back({k, k});
    }
    EXPECT_EQ(pathTiles(w), expected);
}

TEST(SearchPath, WaterTieGoesToTheTileAddedFirst) {
    TempFolder folder;
    World w = tenByTen(folder, {{5, 6, 3}});
    clickTile(w, 5, 7);
    clickTile(w, 5, 5);
    // (4, 6) and (6, 6) tie at f = 34; (4, 6) was added first.
    EXPECT_EQ(w.nodes[6 * 10 + 4].f, 34);
    EXPECT_EQ(w.nodes[6 * 10 + 6].f, 34);
    EXPECT_EQ(pathTiles(w), (Tiles{{5, 5}, {4, 6}}));
}

TEST(SearchPath, HeuristicIsTenTimesTheManhattanDistance) {
    TempFolder folder;
    World w = tenByTen(folder, {{0, 0, 1}, {4, 7, 1}});
    clickTile(w, 9, 9);
    clickTile(w, 2, 3);
    EXPECT_EQ(w.nodes[0].h, 50);
    for (int i = 0; i < w.nodeCount; i++) {
        int c = i % 10;
        int r = i / 10;
        EXPECT_EQ(w.nodes[i].h, 10 * (std::abs(c - 2) + std::abs(r - 3))) << c << ", " << r;
    }
}

TEST(SearchPath, TargetOnTheStartTile) {
    TempFolder folder;
    World w = tenByTen(folder, {});
    clickTile(w, 3, 4);
    clickTile(w, 3, 4);
    EXPECT_TRUE(w.path.empty());
    EXPECT_TRUE(w.walking);
    EXPECT_TRUE(w.banana.visible);
    EXPECT_EQ(w.banana.position[0], w.monkey.position[0]);
    EXPECT_EQ(w.banana.position[2], w.monkey.position[2]);
    EXPECT_EQ(markedTiles(w), (Tiles{{3, 4}}));
    clickTile(w, 1, 1);
    EXPECT_EQ(markedTiles(w), (Tiles{{1, 1}}));
}

TEST(SearchClicks, TreesAndOffGridChangeNothingInAnyState) {
    TempFolder folder;
    World w = tenByTen(folder, pocketAt77());
    auto ignoredClicksChangeNothing = [&w](const char* state) {
        SCOPED_TRACE(state);
        Snapshot before = snapshot(w);
        clickTile(w, 6, 6);  // tree
        clickTile(w, 10, 3); // off the grid to the right
        clickTile(w, 3, -2); // off the grid at the top, beyond the strip
        w.requestPath(-60, 0);
        w.requestPath(INT_MIN, INT_MAX);
        EXPECT_TRUE(snapshot(w) == before);
    };
    ignoredClicksChangeNothing("idle");
    clickTile(w, 1, 1);
    ignoredClicksChangeNothing("start chosen");
    clickTile(w, 4, 2);
    ignoredClicksChangeNothing("walking");
    clickTile(w, 1, 1);
    clickTile(w, 7, 7);
    ignoredClicksChangeNothing("after a search without a path");
}

TEST(SearchClicks, ThirdClickStartsOver) {
    TempFolder folder;
    World w = tenByTen(folder, {{4, 4, 2}});
    clickTile(w, 1, 1);
    clickTile(w, 8, 6);
    ASSERT_TRUE(w.walking);
    w.path.pop_back(); // the walker is under way
    w.stepFrame = 7;
    clickTile(w, 2, 8);
    EXPECT_FALSE(w.walking);
    EXPECT_TRUE(w.path.empty());
    EXPECT_TRUE(w.openList.empty());
    EXPECT_TRUE(w.closedList.empty());
    EXPECT_FALSE(w.banana.visible);
    EXPECT_TRUE(w.monkey.visible);
    EXPECT_EQ(w.clickPhase, 1);
    EXPECT_EQ(w.stepFrame, 0);
    EXPECT_EQ(markedTiles(w), (Tiles{{2, 8}}));
    EXPECT_EQ(w.startNode, &w.nodes[82]);
    EXPECT_EQ(w.monkey.position[0], -20.0f);
    EXPECT_EQ(w.monkey.position[2], 30.0f);

    // The next walk starts from the new tile like the first one did.
    clickTile(w, 2, 5);
    EXPECT_EQ(pathTiles(w), (Tiles{{2, 5}, {2, 6}, {2, 7}}));
    EXPECT_EQ(w.walkFromX, -20.0f);
    EXPECT_EQ(w.walkFromZ, 30.0f);
}

TEST(SearchClicks, WalledInTargetGivesNoWalk) {
    TempFolder folder;
    World w = tenByTen(folder, pocketAt77());
    clickTile(w, 2, 2);
    clickTile(w, 7, 7);
    EXPECT_TRUE(w.path.empty());
    EXPECT_FALSE(w.walking);
    EXPECT_TRUE(w.banana.visible);
    EXPECT_EQ(w.banana.position[0], w.nodes[77].mesh.position[0]);
    EXPECT_EQ(w.clickPhase, 0);
    EXPECT_EQ(markedTiles(w), (Tiles{{2, 2}, {7, 7}}));
    EXPECT_TRUE(w.openList.empty());
    EXPECT_EQ(w.closedList.size(), 100u - 9u);

    // The next click starts over, though no parent chain leads back from the target.
    clickTile(w, 7, 7);
    EXPECT_FALSE(w.banana.visible);
    EXPECT_EQ(markedTiles(w), (Tiles{{7, 7}}));
    // Walled in from the inside too; then a normal walk again.
    clickTile(w, 0, 0);
    EXPECT_FALSE(w.walking);
    clickTile(w, 0, 0);
    clickTile(w, 2, 0);
    EXPECT_EQ(pathTiles(w), (Tiles{{2, 0}, {1, 0}}));
    EXPECT_TRUE(w.walking);
    clickTile(w, 5, 5);
    EXPECT_EQ(markedTiles(w), (Tiles{{5, 5}}));
}

TEST(SearchClicks, LongRandomClickSequenceKeepsHighlightsExact) {
    // Trees with a pocket, water and stones; clicks anywhere, also off the grid.
    TempFolder folder;
    Codes codes = filledCodes(12, 9, 0);
    for (int c = 0; c < 12; c++) {
        codes[4][c] = c == 9 ? 0 : 1;
    }
    for (int r = 0; r < 3; r++) {
        codes[r][3] = 3;
        codes[r + 5][6] = 2;
    }
    codes[7][1] = codes[7][2] = codes[7][3] = codes[8][1] = codes[8][3] = 1; // pocket (2, 8)
    World w = worldFrom(folder, codes);

    std::mt19937 random(4711);
    std::uniform_int_distribution<int> coordinate(-80, 80);
    int walks = 0, walledIn = 0;
    for (int click = 0; click < 4000; click++) {
        SCOPED_TRACE("click " + std::to_string(click));
        int phaseBefore = w.clickPhase;
        w.requestPath(coordinate(random), coordinate(random));
        if (phaseBefore == 1 && w.clickPhase == 0) {
            walks += w.walking;
            walledIn += !w.walking;
        }
        TileSet expected;
        auto add = [&](const GridNode* node) {
            expected.insert({node->index % w.columns, node->index / w.columns});
        };
        if (w.monkey.visible) {
            add(w.startNode);
        }
        if (w.banana.visible) {
            add(w.targetNode);
        }
        for (auto tile : pathTiles(w)) {
            expected.insert(tile);
        }
        Tiles marked = markedTiles(w);
        ASSERT_EQ(TileSet(marked.begin(), marked.end()), expected);
    }
    EXPECT_GT(walks, 300);
    EXPECT_GT(walledIn, 10);
}
