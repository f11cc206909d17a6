// The text dumps of grid state, captured from std::cout.
#include "world_files.h"

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

TEST(Diagnostics, DumpsTheirExactText) {
    auto captured = [](auto dump) {
        std::ostringstream text;
        std::streambuf* before = std::cout.rdbuf(text.rdbuf());
        dump();
        std::cout.rdbuf(before);
        return text.str();
    };
    TempFolder folder;
    World w = mapOf(folder, "0 0 2/3 7 0");
    std::tie(w.nodes[1].f, w.nodes[1].g, w.nodes[1].h) = std::tuple(30, 10, 20);
    EXPECT_EQ(captured([&] { w.nodes[0].printNeighbours(); }),
              "NULL \nNULL \nNULL \nNULL \nindex: 1 F: 30 G: 10 H: 20\n \nNULL \n"
              "index: 3 F: 0 G: 0 H: 0\n \nindex: 4 F: 0 G: 0 H: 0\n \n");
    // Counted from 1: the tile itself in the middle, NULL where no neighbour is.
    EXPECT_EQ(captured([&] { w.printTileCodes(2, 2); }), "0 0 2 3 0 7 NULL NULL NULL ");
    EXPECT_EQ(captured([&] { w.printTileCodes(1, 1); }), "NULL NULL NULL NULL 0 0 NULL 3 7 ");
    EXPECT_EQ(captured([&] { w.printTileCodes(4, 1); }), "");
    // The heuristic a target sets: 10 per row and column away.
    clickTile(w, 5);
    clickTile(w, 0);
    EXPECT_EQ(captured([&] { w.printHeuristics(); }), "0 10 20\n10 20 30\n");
}
