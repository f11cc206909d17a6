// The walk grid: links and numbering, ground points to tiles, tile anchors; the text dumps
// of grid state.
#include "world_files.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <iostream>
#include <sstream>

TEST(Grid, SlotsLinkTheirNeighboursAndAreEmptyOffTheGrid) {
    const int sizes[][2] = {{1, 1}, {5, 1}, {1, 4}, {4, 3}};
    for (auto [columns, rows] : sizes) {
        World w{std::string()};
        w.board.buildGrid(columns, rows);
        ASSERT_EQ(std::tuple(int(w.board.nodes.size()), w.board.nodeCount),
                  std::tuple(columns * rows, columns * rows));
        for (int i = 0; i < w.board.nodeCount; i++) {
            EXPECT_EQ(w.board.nodes[i].index, i);
            for (int s = 0; s < 8; s++) {
                int k = s < 4 ? s : s + 1; // slots in reading order round the centre
                int c = i % columns + k % 3 - 1, r = i / columns + k / 3 - 1;
                bool inside = c >= 0 && c < columns && r >= 0 && r < rows;
                ASSERT_EQ(w.board.nodes[i].neighbours[s],
                          inside ? &w.board.nodes[r * columns + c] : nullptr)
                    << i << ", slot " << s;
            }
        }
    }
}

TEST(Grid, PointsAndAnchorsNameTheirTiles) {
    // Side of a square grid, x, v, tile. A point up to 9 units beyond a low edge still lands
    // on the first column or row.
    const int cases[][4] = {{16, -80, 0, 128}, {16, 79, 0, 143},     {16, 80, 0, -1},
                            {16, -85, 0, 128}, {16, -90, 0, -1},     {16, 0, 89, 8},
                            {16, 0, 90, -1},   {16, 0, -79, 248},    {16, 0, -80, -1},
                            {1, -9, 9, 0},     {1, 10, 0, -1},       {1, 0, -10, -1},
                            {0, 0, 0, -1},     {16, INT_MIN, 0, -1}, {16, INT_MAX, INT_MIN, -1}};
    for (auto [side, x, v, tile] : cases) {
        World w{std::string()};
        w.board.buildGrid(side, side);
        EXPECT_EQ(w.board.tileIndexAt(x, v), tile) << side << " at " << x << ", " << v;
        EXPECT_EQ(w.board.tileIndexOf(3.9f, 2.0f), side * 2 + 3);
    }
    World w{std::string()};
    EXPECT_EQ(
        std::tuple(w.board.tileIndexOf(std::nanf(""), 0.0f), w.board.tileIndexOf(1e30f, 0.0f)),
        std::tuple(-1, -1));
    // The anchor is the corner with the largest x and smallest z; a model is drawn 5 units in
    // from it, and that point must pick its tile.
    TempFolder folder;
    w = mapOf(folder, "7 7 7 7 7/7 7 7 7 7/7 7 7 7 7");
    for (int i = 0; i < w.board.nodeCount; i++) {
        const float* at = w.board.nodes[i].mesh.position;
        EXPECT_EQ(std::tuple(at[0], at[1], at[2]),
                  std::tuple(10.0f * float(i % 5 - 1), 0.0f, 10.0f * float(i / 5 - 1)));
        EXPECT_EQ(w.board.tileIndexAt(int(at[0]) - 5, -int(at[2]) - 5), i);
    }
}

TEST(Diagnostics, DumpsTheirExactText) {
    TempFolder folder;
    World w = mapOf(folder, "0 0 2/3 7 0");
    std::tie(w.board.nodes[1].f, w.board.nodes[1].g, w.board.nodes[1].h) = std::tuple(30, 10, 20);
    std::ostringstream text;
    std::streambuf* before = std::cout.rdbuf(text.rdbuf());
    w.board.nodes[0].printNeighbours();
    // Counted from 1: the tile itself in the middle, NULL where no neighbour is.
    w.board.printTileCodes(2, 2);
    w.board.printTileCodes(1, 1);
    w.board.printTileCodes(4, 1); // off the grid: nothing
    w.clickTile(5);
    w.clickTile(0); // the heuristic: 10 per row and column away from the target
    w.board.printHeuristics();
    std::cout.rdbuf(before);
    EXPECT_EQ(text.str(), "NULL \nNULL \nNULL \nNULL \nindex: 1 F: 30 G: 10 H: 20\n \nNULL \n"
                          "index: 3 F: 0 G: 0 H: 0\n \nindex: 4 F: 0 G: 0 H: 0\n \n"
                          "0 0 2 3 0 7 NULL NULL NULL "
                          "NULL NULL NULL NULL 0 0 NULL 3 7 "
                          "0 10 20\n10 20 30\n");
}
