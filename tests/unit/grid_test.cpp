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

TEST(Grid, SlotsAreEmptyExactlyOffTheGridAndLinksAreSymmetric) {
    for (auto [columns, rows] : {Tile{1, 1}, Tile{5, 1}, Tile{1, 4}, Tile{4, 3}}) {
        World w = gridOf(columns, rows);
        ASSERT_EQ(std::tuple(w.nodes.size(), w.nodeCount),
                  std::tuple(size_t(columns * rows), columns * rows));
        for (const GridNode& node : w.nodes) {
            int i = static_cast<int>(&node - w.nodes.data());
            EXPECT_EQ(node.index, i);
            for (int s = 0; s < 8; s++) {
                int k = s < 4 ? s : s + 1; // slots in reading order round the centre
                int c = i % columns + k % 3 - 1;
                int r = i / columns + k / 3 - 1;
                bool inside = c >= 0 && c < columns && r >= 0 && r < rows;
                ASSERT_EQ(node.neighbours[s], inside ? &w.nodes[r * columns + c] : nullptr)
                    << columns << " x " << rows << ", tile " << i << ", slot " << s;
                EXPECT_TRUE(!inside || node.neighbours[s]->neighbours[7 - s] == &node);
            }
        }
    }
}

TEST(Grid, TileIndexAtTruncatesTowardZeroAndTileIndexOfCountsRows) {
    // Columns, rows, x, v, tile. A point up to 9 units beyond a low edge still lands on the
    // first column or row.
    const int cases[][5] = {
        {16, 16, -80, 0, 128}, {16, 16, 79, 0, 143},     {16, 16, 80, 0, -1},
        {16, 16, -85, 0, 128}, {16, 16, -90, 0, -1},     {16, 16, 0, 89, 8},
        {16, 16, 0, 90, -1},   {16, 16, 0, -79, 248},    {16, 16, 0, -80, -1},
        {1, 1, -9, 9, 0},      {1, 1, 9, -9, 0},         {1, 1, 10, 0, -1},
        {1, 1, -10, 0, -1},    {1, 1, 0, 10, -1},        {1, 1, 0, -10, -1},
        {0, 0, 0, 0, -1},      {16, 16, INT_MIN, 0, -1}, {16, 16, INT_MAX, INT_MIN, -1},
    };
    for (auto [columns, rows, x, v, tile] : cases) {
        EXPECT_EQ(gridOf(columns, rows).tileIndexAt(x, v), tile)
            << columns << " x " << rows << " at " << x << ", " << v;
    }
    World w = gridOf(16, 16);
    EXPECT_EQ(std::tuple(w.tileIndexOf(3.0f, 2.0f), w.tileIndexOf(3.9f, 0.0f)), std::tuple(35, 3));
    EXPECT_EQ(std::tuple(w.tileIndexOf(std::nanf(""), 0.0f), w.tileIndexOf(1e30f, 0.0f)),
              std::tuple(-1, -1));
}

TEST(Grid, AnchorsLieAtTheCornerOfTheTileTheyPickFor) {
    // Columns, rows, anchor x by column, anchor z by row.
    using Case = std::tuple<int, int, std::vector<float>, std::vector<float>>;
    const Case cases[] = {
        {5, 3, {-10, 0, 10, 20, 30}, {-10, 0, 10}}, {2, 2, {0, 10}, {-10, 0}}, {1, 1, {10}, {0}}};
    TempFolder folder;
    for (const auto& [columns, rows, xs, zs] : cases) {
        World w = worldFrom(folder, filledCodes(columns, rows, 7));
        for (int i = 0; i < w.nodeCount; i++) {
            const float* at = w.nodes[i].mesh.position;
            EXPECT_EQ(std::tuple(at[0], at[1], at[2]),
                      std::tuple(xs[i % columns], 0.0f, zs[i / columns]));
            // A model is drawn 5 units in from its anchor: that point must pick its tile.
            EXPECT_EQ(w.tileIndexAt(static_cast<int>(at[0]) - 5, -static_cast<int>(at[2]) - 5), i)
                << columns << " x " << rows << ", tile " << i;
        }
    }
}
