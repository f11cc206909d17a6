// The walk grid: links and numbering, ground points to tiles, tile anchors.
#include "world_files.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

World gridOf(int columns, int rows) {
    World w{std::string()};
    w.buildGrid(columns, rows);
    return w;
}

} // namespace

TEST(GridBuild, LinksFollowTheSlotTableAndAreSymmetric) {
    const int slotColumn[8] = {-1, 0, 1, -1, 1, -1, 0, 1};
    const int slotRow[8] = {-1, -1, -1, 0, 0, 1, 1, 1};
    const std::pair<int, int> sizes[] = {{1, 1}, {5, 1}, {1, 4}, {2, 2}, {5, 3}, {16, 16}};
    for (auto [columns, rows] : sizes) {
        SCOPED_TRACE(std::to_string(columns) + " x " + std::to_string(rows));
        World w = gridOf(columns, rows);
        ASSERT_EQ(w.nodeCount, columns * rows);
        ASSERT_EQ(w.nodes.size(), static_cast<size_t>(columns * rows));
        for (int i = 0; i < w.nodeCount; i++) {
            const GridNode& node = w.nodes[i];
            EXPECT_EQ(node.index, i);
            int c = i % columns;
            int r = i / columns;
            for (int s = 0; s < 8; s++) {
                int nc = c + slotColumn[s];
                int nr = r + slotRow[s];
                if (nc < 0 || nc >= columns || nr < 0 || nr >= rows) {
                    EXPECT_EQ(node.neighbours[s], nullptr) << "tile " << i << " slot " << s;
                } else {
                    ASSERT_EQ(node.neighbours[s], &w.nodes[nr * columns + nc])
                        << "tile " << i << " slot " << s;
                    EXPECT_EQ(node.neighbours[s]->neighbours[7 - s], &node);
                }
            }
        }
    }
}

TEST(GridBuild, CornerTilesHaveTheirOuterSlotsEmpty) {
    World w = gridOf(4, 3);
    auto emptySlots = [](const GridNode& node) {
        std::vector<int> slots;
        for (int s = 0; s < 8; s++) {
            if (!node.neighbours[s]) {
                slots.push_back(s);
            }
        }
        return slots;
    };
    EXPECT_EQ(emptySlots(w.nodes.front()), (std::vector<int>{0, 1, 2, 3, 5}));
    EXPECT_EQ(emptySlots(w.nodes.back()), (std::vector<int>{2, 4, 5, 6, 7}));
    EXPECT_EQ(emptySlots(gridOf(1, 1).nodes[0]).size(), 8u);
}

TEST(GridTileIndexAt, TruncationStripsOnA16By16Grid) {
    World w = gridOf(16, 16);
    // Columns, at v = 0 (row 8).
    EXPECT_EQ(w.tileIndexAt(-80, 0), 8 * 16 + 0);
    EXPECT_EQ(w.tileIndexAt(79, 0), 8 * 16 + 15);
    EXPECT_EQ(w.tileIndexAt(80, 0), -1);
    EXPECT_EQ(w.tileIndexAt(-85, 0), 8 * 16 + 0); // numerator -5 truncates to 0
    EXPECT_EQ(w.tileIndexAt(-89, 0), 8 * 16 + 0);
    EXPECT_EQ(w.tileIndexAt(-90, 0), -1);
    EXPECT_EQ(w.tileIndexAt(0, 0), 8 * 16 + 8);
    // Rows: v is the negated ground z, so row 0 lies at v from 80 down to 71.
    EXPECT_EQ(w.tileIndexAt(0, 80), 0 * 16 + 8);
    EXPECT_EQ(w.tileIndexAt(0, 89), 0 * 16 + 8);
    EXPECT_EQ(w.tileIndexAt(0, 90), -1);
    EXPECT_EQ(w.tileIndexAt(0, -79), 15 * 16 + 8);
    EXPECT_EQ(w.tileIndexAt(0, -80), -1);
    // Picks far out must not wrap around into the grid.
    for (int x : {INT_MIN, INT_MIN + 1, -1000000, 1000000, INT_MAX}) {
        for (int v : {INT_MIN, 0, INT_MAX}) {
            EXPECT_EQ(w.tileIndexAt(x, v), -1) << x << ", " << v;
        }
    }
}

TEST(GridTileIndexAt, SingleTileGrid) {
    World w = gridOf(1, 1);
    // The square covers x 0..10 and z 0..10 (v 0..-10).
    EXPECT_EQ(w.tileIndexAt(0, 0), 0);
    EXPECT_EQ(w.tileIndexAt(9, -9), 0);
    EXPECT_EQ(w.tileIndexAt(-9, 9), 0); // both strips
    EXPECT_EQ(w.tileIndexAt(10, 0), -1);
    EXPECT_EQ(w.tileIndexAt(-10, 0), -1);
    EXPECT_EQ(w.tileIndexAt(0, 10), -1);
    EXPECT_EQ(w.tileIndexAt(0, -10), -1);
}

TEST(GridTileIndexAt, NoTilesNoHit) {
    World w = gridOf(0, 0);
    EXPECT_TRUE(w.nodes.empty());
    EXPECT_EQ(w.tileIndexAt(0, 0), -1);
    EXPECT_EQ(w.tileIndexAt(-5, 5), -1);
}

TEST(GridAnchors, ModelsStandOnTheTileTheirPointsPickFor) {
    // Even and odd sizes: the anchor is the square's corner of largest x and smallest z,
    // and the model drawn 5 units in from it must be over the tile that picking returns.
    const std::pair<int, int> sizes[] = {{16, 16}, {5, 3}, {1, 1}, {2, 7}};
    for (auto [columns, rows] : sizes) {
        SCOPED_TRACE(std::to_string(columns) + " x " + std::to_string(rows));
        TempFolder folder;
        World w = worldFrom(folder, filledCodes(columns, rows, 7));
        for (int i = 0; i < w.nodeCount; i++) {
            int c = i % columns;
            int r = i / columns;
            const float* at = w.nodes[i].mesh.position;
            EXPECT_EQ(at[0], 10.0f * (c + 1 - columns / 2));
            EXPECT_EQ(at[1], 0.0f);
            EXPECT_EQ(at[2], 10.0f * (r - rows / 2));
            int centreX = static_cast<int>(at[0]) - 5;
            int centreZ = static_cast<int>(at[2]) + 5;
            EXPECT_EQ(w.tileIndexAt(centreX, -centreZ), i);
        }
    }
    TempFolder folder;
    World five = worldFrom(folder, filledCodes(5, 1, 7));
    EXPECT_EQ(five.nodes[0].mesh.position[0], -10.0f);
}

TEST(GridTileIndexOf, ColumnAndRowToIndex) {
    World w = gridOf(16, 16);
    EXPECT_EQ(w.tileIndexOf(3.0f, 2.0f), 35);
    EXPECT_EQ(w.tileIndexOf(15.0f, 15.0f), 255);
    EXPECT_EQ(w.tileIndexOf(3.9f, 0.0f), 3); // truncated, not rounded
    EXPECT_EQ(w.tileIndexOf(std::nanf(""), 0.0f), -1);
    EXPECT_EQ(w.tileIndexOf(1e30f, 0.0f), -1);
}
