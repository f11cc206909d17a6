// The click cycle and the A* search on a small hand-made map.
#include "world_files.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// 10 x 10 ground with water at (5, 6) and trees walling (0, 8) and (0, 9) in.
World sampleWorld(const TempFolder& folder) {
    Codes codes = filledCodes(10, 10, 0);
    codes[6][5] = 3;
    codes[7][0] = codes[7][1] = codes[8][1] = codes[9][1] = 1;
    return worldFrom(folder, codes);
}

std::vector<bool> marks(const World& w) {
    std::vector<bool> marked;
    for (const GridNode& node : w.nodes) {
        marked.push_back(node.marked);
    }
    return marked;
}

// Everything a click may change.
auto state(const World& w) {
    return std::tuple(w.clickPhase, w.walking, w.monkey.visible, w.banana.visible,
                      w.monkey.position[0], w.monkey.position[2], w.banana.position[0],
                      w.banana.position[2], pathTiles(w), marks(w), w.openList.size(),
                      w.closedList.size(), w.startNode, w.targetNode, w.stepFrame);
}

// Clicks on a tile and checks what every click must leave: off the grid or on a tree
// nothing changes; otherwise the figure just placed stands on its tile, and exactly the
// start, the target while shown, and the path are lit. Column or row -1 would land on the
// grid's edge strip, so callers leave it out.
void click(World& w, Tile t) {
    auto before = state(w);
    bool inside = t.first >= 0 && t.first < w.columns && t.second >= 0 && t.second < w.rows;
    clickTile(w, t.first, t.second);
    if (!inside || w.nodes[t.second * w.columns + t.first].kind == 1) {
        EXPECT_EQ(state(w), before) << "click on " << t.first << ", " << t.second;
        return;
    }
    bool started = w.clickPhase == 1; // otherwise the target was chosen and searched for
    const Mesh& figure = started ? w.monkey : w.banana;
    const GridNode* tile = started ? w.startNode : w.targetNode;
    const float* at = tile->mesh.position;
    EXPECT_EQ(std::tuple(figure.position[0], figure.position[1], figure.position[2],
                         w.monkey.visible, w.banana.visible),
              std::tuple(at[0], started ? 1.0f : 0.0f, at[2], true, !started));
    if (started) { // nothing of the last walk is left
        EXPECT_EQ(std::tuple(w.walkFromX, w.walkFromZ, w.stepFrame, w.walking, w.path.size(),
                             w.openList.size() + w.closedList.size()),
                  std::tuple(at[0], at[2], 0, false, 0u, 0u));
    }
    std::vector<bool> lit(w.nodes.size());
    lit[w.startNode->index] = lit[tile->index] = true;
    for (auto [c, r] : pathTiles(w)) {
        lit[r * w.columns + c] = true;
    }
    EXPECT_EQ(marks(w), lit);
}

} // namespace

TEST(Search, ClickCycleOnTheSampleMap) {
    using Walk = std::tuple<Tile, Tile, Tiles>; // from, to, path from the target back
    const Walk walks[] = {
        {{5, 5}, {8, 5}, {{8, 5}, {7, 5}, {6, 5}}},
        {{5, 5}, {6, 6}, {{6, 6}}},
        {{0, 0}, {9, 9}, {{9, 9}, {8, 8}, {7, 7}, {6, 6}, {5, 5}, {4, 4}, {3, 3}, {2, 2}, {1, 1}}},
        // (4, 6) and (6, 6) tie round the water; the one added first wins.
        {{5, 7}, {5, 5}, {{5, 5}, {4, 6}}},
        {{2, 5}, {2, 3}, {{2, 3}, {2, 4}}},
        {{3, 4}, {3, 4}, {}}, // the target is the start: a walk of no steps
        {{2, 2}, {0, 9}, {}}, // walled in: no walk, but both figures shown
        {{0, 9}, {0, 0}, {}}, // starts over though no chain leads back; walled in from inside
        {{0, 9}, {0, 8}, {{0, 8}}},
    };
    TempFolder folder;
    World w = sampleWorld(folder);
    for (const auto& [from, to, path] : walks) {
        SCOPED_TRACE(::testing::Message() << "walk to " << to.first << ", " << to.second);
        for (Tile tile : {Tile{1, 8}, Tile{10, 3}, from, Tile{1, 8}, Tile{-2, 0}, to}) {
            click(w, tile); // (1, 8) is a tree, (10, 3) and (-2, 0) lie off the grid
        }
        EXPECT_EQ(std::tuple(w.clickPhase, w.walking, pathTiles(w)),
                  std::tuple(0, !path.empty() || from == to, path));
        for (const GridNode& node : w.nodes) {
            int manhattan =
                std::abs(node.index % 10 - to.first) + std::abs(node.index / 10 - to.second);
            ASSERT_EQ(node.h, 10 * manhattan) << "tile " << node.index;
        }
        w.stepFrame = 7; // the walker is under way
    }
}

TEST(Search, LongRandomClickSequence) {
    TempFolder folder;
    World w = sampleWorld(folder);
    std::mt19937 random(4711);
    std::uniform_int_distribution<int> anywhere(0, 13); // also off the grid
    int walks = 0, walledIn = 0;
    for (int n = 0; n < 4000 && !::testing::Test::HasFailure(); n++) {
        SCOPED_TRACE("click " + std::to_string(n));
        int phase = w.clickPhase;
        click(w, {anywhere(random), anywhere(random)});
        if (phase == 1 && w.clickPhase == 0) {
            (w.walking ? walks : walledIn)++;
        }
        w.stepFrame = w.walking ? 7 : w.stepFrame; // the walker is under way
    }
    EXPECT_GT(walks, 600);
    EXPECT_GT(walledIn, 20);
}
