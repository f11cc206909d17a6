// The shipped map shows every rule of the search on a walk a user is likely to click.
#include "world_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

TEST(ShippedMap, EachRuleShowsOnAWalk) {
    World w(std::string(TANGLOR_ASSETS_DIR) + "/map.txt");
    ASSERT_TRUE(w.problems.empty());
    const Tile none{-1, -1};
    struct Row {
        const char* what;
        Tile start, target; // column, row
        Tile via;           // a tile the path passes, or none
        int avoided;        // a kind no tile of the path has, or -1
        bool walks;
    };
    const Row rows[] = {
        // The straight line runs through the stones; the walk goes round them instead.
        {"bends round the stones field", {0, 11}, {6, 11}, {2, 9}, 2, true},
        {"crosses the stones band between river and woods", {12, 5}, {12, 11}, {12, 8}, 3, true},
        {"goes up the bank to the ford", {6, 6}, {12, 7}, {9, 4}, 3, true},
        {"goes through the gap in the tree wall", {2, 5}, {6, 9}, {4, 7}, 3, true},
        // Trees close the clearing on every side and every corner.
        {"finds no way into the clearing in the woods", {6, 4}, {3, 3}, none, -1, false},
    };
    for (const Row& row : rows) {
        clickTile(w, row.start.first, row.start.second);
        clickTile(w, row.target.first, row.target.second);
        const Tiles path = pathTiles(w);
        const bool passes =
            row.via == none || std::find(path.begin(), path.end(), row.via) != path.end();
        const bool avoids = std::none_of(path.begin(), path.end(), [&](const Tile& t) {
            return w.nodes[t.second * w.columns + t.first].kind == row.avoided;
        });
        EXPECT_EQ(std::tuple(w.walking, passes, avoids), std::tuple(row.walks, true, true))
            << row.what << ": " << ::testing::PrintToString(path);
    }
}
