// The shipped map shows every rule of the search on a walk a user is likely to click.
#include "world_files.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(ShippedMap, EachRuleShowsOnAWalk) {
    World w(std::string(TANGLOR_ASSETS_DIR) + "/map.txt");
    ASSERT_TRUE(w.problems.empty());
    const struct {
        const char* what;
        int start, target, via; // tiles (row x 16 + column); via: one the path passes, or -1
        int avoided;            // a kind no tile of the path has, or -1
        bool walks;
    } rows[] = {
        // The straight line runs through the stones; the walk goes round them instead.
        {"bends round the stones field", 176, 182, 146, 2, true},
        {"crosses the stones band between river and woods", 92, 188, 140, 3, true},
        {"goes up the bank to the ford", 102, 124, 73, 3, true},
        {"goes through the gap in the tree wall", 82, 150, 116, 3, true},
        // Trees close the clearing on every side and every corner.
        {"finds no way into the clearing in the woods", 70, 51, -1, -1, false},
    };
    for (const auto& row : rows) {
        clickTile(w, row.start);
        clickTile(w, row.target);
        const std::vector<int> path = pathTiles(w);
        const bool passes = row.via < 0 || std::ranges::count(path, row.via) == 1;
        const bool avoids =
            std::ranges::none_of(path, [&](int t) { return w.nodes[t].kind == row.avoided; });
        EXPECT_EQ(std::tuple(w.walking, passes, avoids), std::tuple(row.walks, true, true))
            << row.what << ": " << ::testing::PrintToString(path);
    }
}
