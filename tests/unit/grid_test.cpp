// The walk grid: steps between neighbours, ground points to tiles, tile anchors; the text
// dumps of grid state.
#include "world/grid_dumps.h"
#include "world_files.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <iostream>
#include <sstream>

TEST(Grid, AStepJoinsOnlyNeighbours) {
    // Tiles at the end of a row and the start of the next are numbered one apart, and are no
    // step; nor is a tile to itself.
    const int sizes[][2] = {{1, 1}, {5, 1}, {1, 4}, {4, 3}};
    for (auto [columns, rows] : sizes) {
        Board board;
        board.buildGrid(columns, rows);
        for (int from = 0; from < board.tileCount(); from++) {
            for (int to = 0; to < board.tileCount(); to++) {
                const int dc = std::abs(to % columns - from % columns);
                const int dr = std::abs(to / columns - from / columns);
                const double step = from == to || dc > 1 || dr > 1 ? NoStep
                                    : dc + dr == 2                 ? 14
                                                                   : 10;
                ASSERT_EQ(board.stepCost(from, to), step) << from << " to " << to;
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
        w.buildGrid(side, side);
        EXPECT_EQ(tileIndexAt(w.board, x, v), tile) << side << " at " << x << ", " << v;
        EXPECT_EQ(tileIndexOf(w.board, 3.9f, 2.0f), side * 2 + 3);
    }
    World w{std::string()};
    EXPECT_EQ(
        std::tuple(tileIndexOf(w.board, std::nanf(""), 0.0f), tileIndexOf(w.board, 1e30f, 0.0f)),
        std::tuple(-1, -1));
    // The anchor is the corner with the largest x and smallest z; a model is drawn 5 units in
    // from it, and that point must pick its tile.
    TempFolder folder;
    w = mapOf(folder, "7 7 7 7 7/7 7 7 7 7/7 7 7 7 7");
    for (int i = 0; i < w.board.tileCount(); i++) {
        const float* at = w.tileModels[i].position;
        EXPECT_EQ(std::tuple(at[0], at[1], at[2]),
                  std::tuple(10.0f * float(i % 5 - 1), 0.0f, 10.0f * float(i / 5 - 1)));
        EXPECT_EQ(tileIndexAt(w.board, int(at[0]) - 5, -int(at[2]) - 5), i);
    }
}

TEST(Diagnostics, DumpsTheirExactText) {
    TempFolder folder;
    World w = mapOf(folder, "0 0 2/3 7 0");
    std::ostringstream text;
    std::streambuf* before = std::cout.rdbuf(text.rdbuf());
    printHeuristics(w, w.walk.query); // no target yet
    // Counted from 1: the tile itself in the middle, NULL where no neighbour is.
    printTileCodes(w, 2, 2);
    printTileCodes(w, 1, 1);
    printTileCodes(w, 4, 1); // off the grid: nothing
    // From 0 the search opens 1, the water and 7, and sees the target from 7.
    w.clickTile(0);
    w.clickTile(5);
    printNeighbours(w, w.walk.query, 0);
    printHeuristics(w, w.walk.query); // 10 per row and column away from the target
    std::cout.rdbuf(before);
    EXPECT_EQ(text.str(), "0 0 0\n0 0 0\n"
                          "0 0 2 3 0 7 NULL NULL NULL "
                          "NULL NULL NULL NULL 0 0 NULL 3 7 "
                          "NULL \nNULL \nNULL \nNULL \nindex: 1 F: 30 G: 10 H: 20\n \nNULL \n"
                          "index: 3 F: 70 G: 50 H: 20\n \nindex: 4 F: 24 G: 14 H: 10\n \n"
                          "30 20 10\n20 10 0\n");
}
