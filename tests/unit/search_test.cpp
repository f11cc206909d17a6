// The A* search's exact walks, the click cycle around them, and the walks of the shipped
// map, which show every rule of the search where a user is likely to click.
#include "linear_search.h"
#include "world_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

TEST(Search, WalksExactly) {
    // A small field on which each walk changes if a step or terrain cost, the heuristic, the
    // stop at the first sight of the target, the slot order or a tie rule changes.
    const char* field = "2 0 1 2 3 0/3 2 2 0 3 3/2 3 3 3 2 0/3 0 2 0 3 2/0 1 0 3 2 3";
    const struct {
        const char* map;
        int from, to;
        std::vector<int> path; // tiles from the target back, the start left out
    } walks[] = {
        {field, 26, 8, {8, 14, 19}},
        {field, 0, 20, {20, 19, 12, 7}},
        {field, 12, 5, {5, 4, 9, 8, 7}},
        {"0 0 2 2 2/1 0 2 1 3/3 2 0 3 2/1 3 3 0 1", 0, 9, {9, 14, 18, 12, 6}},
        // An open tile takes a new parent only for a strictly lower cost.
        {"0 2 0 2/0 2 0 2", 7, 0, {0, 1, 2}},
        // Taking the chosen tile off the open list keeps the others in order.
        {"2 3 2 2/0 1 1 2/0 2 3 3", 7, 4, {4, 1, 2}},
        // The target's own cost never counts: water beside the start is a walk of one step.
        {"0 3 0", 0, 1, {1}},
        {"0 0 0/0 0 0", 4, 4, {}}, // the start again: a walk of no steps
        {"0 1 0/1 1 0", 0, 2, {}}, // walled in: no walk
    };
    TempFolder folder;
    for (const auto& walk : walks) {
        World w = mapOf(folder, walk.map);
        w.clickTile(walk.from);
        w.clickTile(walk.to);
        EXPECT_EQ(std::tuple(pathTiles(w), w.walk.walking),
                  std::tuple(walk.path, !walk.path.empty() || walk.from == walk.to))
            << walk.map << " from " << walk.from << " to " << walk.to;
    }
}

// On random maps the search finds a walk exactly when the exhaustive search does, and its
// walk, stopped early and never reopened, costs at most 10/7 of the cheapest.
TEST(Search, FindsAWalkWhenThereIsOneAndNeverDearerThanTenSeventhsOfTheCheapest) {
    std::mt19937 rng(1);
    int walks = 0, dearer = 0;
    for (int map = 0; map < 1500; ++map) {
        World w{std::string()};
        w.buildGrid(2 + int(rng() % 13), 2 + int(rng() % 13));
        for (int i = 0; i < w.board.tileCount(); i++) {
            plant(w, i, TileKinds[std::discrete_distribution<>{50, 15, 15, 20}(rng)].code);
        }
        const int start = int(rng() % w.tiles.size()), target = int(rng() % w.tiles.size());
        if (!w.board.passable(start) || !w.board.passable(target)) {
            continue;
        }
        w.clickTile(start);
        w.clickTile(target);
        std::vector<int> found = pathTiles(w);
        std::ranges::reverse(found);
        const Route cheapest = exhaustiveCheapest(w.board, start, target);
        const int cost = routeCost(w.board, start, found);
        ASSERT_EQ(routeCost(w.board, start, cheapest.tiles),
                  cheapest.cost >= 0 ? cheapest.cost : 0);
        ASSERT_EQ(w.walk.walking, cheapest.cost >= 0) << map;
        ASSERT_TRUE(!w.walk.walking || (cost >= cheapest.cost && cost * 7 <= cheapest.cost * 10))
            << map << ": " << cost << " against " << cheapest.cost;
        walks += w.walk.walking;
        dearer += w.walk.walking && cost > cheapest.cost;
    }
    EXPECT_GT(walks, 500); // the maps are not all walled in
    EXPECT_GT(dearer, 20); // and the bound is put to the test
}

// The heap-based search takes exactly the steps of the first one, with its plain lists:
// the same tiles closed in the same order, the same tiles joining the open list at the
// same steps with the same costs, the same walk; also when trees close the target off.
TEST(Search, TakesTheStepsOfThePlainListSearchOnRandomMaps) {
    std::mt19937 rng(7);
    int closedOff = 0;
    for (int map = 0; map < 300; ++map) {
        const int columns = 2 + int(rng() % 63), rows = 2 + int(rng() % 63);
        World w = randomMap(rng, columns, rows, {55, 15 + map % 3 * 5, 15, 15});
        const int start = int(rng() % w.tiles.size()), target = int(rng() % w.tiles.size());
        if (map % 4 == 0) { // a ring of trees round the target
            for (int s = 0; s < 8; s++) {
                const int n = neighbourOf(w.board, target, s);
                if (n >= 0 && n != start) {
                    plant(w, n, TreeCode);
                }
            }
        }
        if (!w.board.passable(start) || !w.board.passable(target)) {
            continue;
        }
        w.clickTile(start);
        w.clickTile(target);
        const LinearSearch linear = linearSearch(w.board, start, target);
        const SearchRecord& reference = linear.record;
        ASSERT_EQ(w.walk.search.closed, reference.closed) << map;
        ASSERT_EQ(w.walk.search.opened, reference.opened) << map;
        ASSERT_EQ(w.walk.search.openedAt, reference.openedAt) << map;
        ASSERT_EQ(openedCosts(w.walk), linear.openedCosts) << map;
        ASSERT_EQ(std::tuple(w.walk.search.walk, w.walk.search.found, w.walk.search.targetFrom),
                  std::tuple(reference.walk, reference.found, reference.targetFrom))
            << map;
        closedOff += !reference.found;
    }
    EXPECT_GT(closedOff, 40); // the whole reachable part searched, many times
}

TEST(Search, FiguresStandOnTheirTilesAndAThirdClickStartsOver) {
    TempFolder folder;
    World w = mapOf(folder, "0 0 0/0 1 0/0 0 0");
    for (int tile : {0, 8, 2, 6}) {
        w.walk.stepFrame = 7; // the walker is under way
        w.clickTile(tile);
        const float* at = w.tileModels[tile].position;
        const bool start = w.clickPhase == 1; // else the target was chosen and searched for
        const Mesh& figure = start ? w.walk.monkey : w.banana;
        EXPECT_EQ(std::tuple(figure.position[0], figure.position[1], figure.position[2],
                             w.walk.monkey.visible, w.banana.visible),
                  std::tuple(at[0], start ? 1.0f : 0.0f, at[2], true, !start));
        EXPECT_TRUE(!start || (w.walk.walkFromX == at[0] && w.walk.walkFromZ == at[2] &&
                               w.walk.stepFrame == 0 && !w.walk.walking &&
                               w.walk.path.size() + w.walk.search.opened.size() == 0));
    }
}

TEST(ShippedMap, EachRuleShowsOnAWalk) {
    World w(std::string(TANGLOR_ASSETS_DIR) + "/map.txt");
    ASSERT_TRUE(w.problems.empty());
    const struct {
        const char* what;
        int start, target, via; // tiles (row x 16 + column); via: one the path passes, or -1
        int avoided;            // a kind no tile of the path has; no via: no walk either
    } rows[] = {
        // The straight line runs through the stones; the walk goes round them instead.
        {"bends round the stones field", 176, 182, 146, 2},
        {"crosses the stones band between river and woods", 92, 188, 140, 3},
        {"goes up the bank to the ford", 102, 124, 73, 3},
        {"goes through the gap in the tree wall", 82, 150, 116, 3},
        // Trees close the clearing on every side and every corner.
        {"finds no way into the clearing in the woods", 70, 51, -1, -1},
    };
    for (const auto& row : rows) {
        w.clickTile(row.start);
        w.clickTile(row.target);
        const std::vector<int> path = pathTiles(w);
        const bool passes = row.via < 0 || std::ranges::count(path, row.via) == 1;
        const bool avoids =
            std::ranges::none_of(path, [&](int t) { return w.tiles[t].kind == row.avoided; });
        EXPECT_EQ(std::tuple(w.walk.walking, passes, avoids), std::tuple(row.via >= 0, true, true))
            << row.what << ": " << ::testing::PrintToString(path);
    }
}
