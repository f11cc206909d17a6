// The text dumps of grid state, captured from std::cout.
#include "world_files.h"

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

TEST(Diagnostics, DumpsTheirExactText) {
    TempFolder folder;
    World w = mapOf(folder, "0 0 2/3 7 0");
    std::tie(w.nodes[1].f, w.nodes[1].g, w.nodes[1].h) = std::tuple(30, 10, 20);
    std::ostringstream text;
    std::streambuf* before = std::cout.rdbuf(text.rdbuf());
    w.nodes[0].printNeighbours();
    // Counted from 1: the tile itself in the middle, NULL where no neighbour is.
    w.printTileCodes(2, 2);
    w.printTileCodes(1, 1);
    w.printTileCodes(4, 1); // off the grid: nothing
    clickTile(w, 5);
    clickTile(w, 0); // the heuristic: 10 per row and column away from the target
    w.printHeuristics();
    std::cout.rdbuf(before);
    EXPECT_EQ(text.str(), "NULL \nNULL \nNULL \nNULL \nindex: 1 F: 30 G: 10 H: 20\n \nNULL \n"
                          "index: 3 F: 0 G: 0 H: 0\n \nindex: 4 F: 0 G: 0 H: 0\n \n"
                          "0 0 2 3 0 7 NULL NULL NULL "
                          "NULL NULL NULL NULL 0 0 NULL 3 7 "
                          "0 10 20\n10 20 30\n");
}
