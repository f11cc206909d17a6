// The text dumps of grid state, captured from std::cout.
#include "world_files.h"

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

namespace {

// What `dump` writes to std::cout.
template <typename Dump> std::string captured(Dump dump) {
    std::ostringstream text;
    std::streambuf* before = std::cout.rdbuf(text.rdbuf());
    dump();
    std::cout.rdbuf(before);
    return text.str();
}

} // namespace

TEST(DiagNeighbours, CornerTileGivesThreePairsAndFiveNulls) {
    TempFolder folder;
    World w = worldFrom(folder, filledCodes(3, 2, 0));
    w.nodes[1].f = 30;
    w.nodes[1].g = 10;
    w.nodes[1].h = 20;
    std::string text = captured([&] { w.nodes[0].printNeighbours(); });
    EXPECT_EQ(text, "NULL \nNULL \nNULL \nNULL \n"
                    "index: 1 F: 30 G: 10 H: 20\n \n"
                    "NULL \n"
                    "index: 3 F: 0 G: 0 H: 0\n \n"
                    "index: 4 F: 0 G: 0 H: 0\n \n");
}

TEST(DiagHeuristics, TableOfRowsWithoutTrailingBlanks) {
    TempFolder folder;
    World w = worldFrom(folder, filledCodes(3, 2, 0));
    clickTile(w, 2, 1);
    clickTile(w, 0, 0);
    EXPECT_EQ(captured([&] { w.printHeuristics(); }), "0 10 20\n10 20 30\n");

    World one = worldFrom(folder, filledCodes(1, 3, 0));
    clickTile(one, 0, 0);
    clickTile(one, 0, 2);
    EXPECT_EQ(captured([&] { one.printHeuristics(); }), "20\n10\n0\n");
}

TEST(DiagTileCodes, NeighboursAroundTheTileItselfInSlotOrder) {
    TempFolder folder;
    Codes codes = filledCodes(4, 3, 0);
    World ground = worldFrom(folder, codes);
    EXPECT_EQ(captured([&] { ground.printTileCodes(2, 2); }), "0 0 0 0 0 0 0 0 0 ");
    EXPECT_EQ(captured([&] { ground.printTileCodes(1, 1); }), "NULL NULL NULL NULL 0 0 NULL 0 0 ");
    EXPECT_EQ(captured([&] { ground.printTileCodes(0, 1); }), "");
    EXPECT_EQ(captured([&] { ground.printTileCodes(5, 1); }), "");
    EXPECT_EQ(captured([&] { ground.printTileCodes(1, 4); }), "");

    codes[1][0] = 3; // left of the tile at column 2, row 2
    codes[0][2] = 2; // up-right
    codes[1][1] = 7; // the tile itself
    World mixed = worldFrom(folder, codes);
    EXPECT_EQ(captured([&] { mixed.printTileCodes(2, 2); }), "0 0 2 3 0 7 0 0 0 ");
}
