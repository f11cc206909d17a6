// Jump point search: held to Dijkstra's walk costs under both rules on random boards of
// ground and trees, and on small boards where pruning and forced neighbours decide, the jump
// points it closes and the tiles its runs look at, worked out by hand.
#include "view/board_sight.h"
#include "view/palette.h"
#include "view/search_view.h"
#include "world_files.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <random>

namespace {

// A board drawn in characters, a string a row: '.' ground, 'T' a tree, '@' outside the map.
World drawn(const std::vector<std::string>& rows, MoveRule rule) {
    World w{std::string()};
    w.buildGrid(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    w.board.rule = rule;
    for (int r = 0; r < w.board.rows; r++) {
        for (int c = 0; c < w.board.columns; c++) {
            const int tile = r * w.board.columns + c;
            if (rows[r][c] == 'T') {
                plant(w, tile, TreeCode);
            } else if (rows[r][c] == '@') {
                w.makeOutside(tile);
            }
        }
    }
    return w;
}

// A search run to its end, or a tile at a time.
SearchRecord run(const Board& board, SearchKind kind, int from, int to, GridSearch& search,
                 long long slice = LLONG_MAX) {
    SearchRecord record;
    search.begin(board, kind, from, to, record);
    while (!search.advance(board, record, slice)) {
    }
    return record;
}

SearchRecord run(const Board& board, SearchKind kind, int from, int to) {
    GridSearch search;
    return run(board, kind, from, to, search);
}

int at(const Board& board, int column, int row) {
    return row * board.columns + column;
}

} // namespace

TEST(Jps, FindsACheapestWalkWheneverDijkstraDoesOnRandomBoardsUnderBothRules) {
    std::mt19937 rng(61);
    const int densities[] = {0, 5, 10, 20, 30, 40, 50};
    int maps = 0, walks = 0, none = 0, outside = 0;
    for (int map = 0; map < 1200; ++map) {
        const int density = densities[rng() % 7];
        World w = randomMap(rng, 1 + int(rng() % 40), 1 + int(rng() % 40),
                            {100 - density, density, 0, 0});
        if (map % 3 == 0) {
            // Some tiles outside the map, as a benchmark map's '@'.
            for (int t = 0; t < w.board.tileCount(); t++) {
                if (rng() % 10 == 0) {
                    w.makeOutside(t);
                    outside++;
                }
            }
        }
        maps++;
        for (MoveRule rule : {MoveRule::CornersCut, MoveRule::Benchmark}) {
            w.board.rule = rule;
            for (int pair = 0; pair < 3; pair++) {
                const int from = int(rng() % w.tiles.size());
                const int to = int(rng() % w.tiles.size());
                if (!w.board.passable(from) || !w.board.passable(to)) {
                    continue;
                }
                SCOPED_TRACE("map " + std::to_string(map) + " " + ruleName(rule) + " from " +
                             std::to_string(from) + " to " + std::to_string(to));
                const SearchRecord dijkstra = run(w.board, SearchKind::Dijkstra, from, to);
                GridSearch search;
                const SearchRecord jps = run(w.board, SearchKind::JPS, from, to, search);
                ASSERT_FALSE(jps.refused);
                ASSERT_EQ(jps.found, dijkstra.found);
                if (!jps.found) {
                    none++;
                    continue;
                }
                walks++;
                // A walk under the rule (no corner cut under the benchmark's), step by step,
                // ending on the target, as cheap as Dijkstra's, and as the search counted it.
                const double least = routeCost(w.board, from, dijkstra.walk);
                const double cost = routeCost(w.board, from, jps.walk);
                ASSERT_GE(cost, 0);
                ASSERT_EQ(jps.walk.empty() ? from : jps.walk.back(), to);
                ASSERT_NEAR(cost, least, 1e-9);
                ASSERT_NEAR(search.costsOf(to).g, least, 1e-9);
                // Its runs' tiles: ground, each looked at while a tile was being expanded.
                ASSERT_EQ(jps.scanned.size(), jps.scannedAt.size());
                for (std::size_t k = 0; k < jps.scanned.size(); k++) {
                    ASSERT_TRUE(w.board.passable(jps.scanned[k]));
                    ASSERT_GE(jps.scannedAt[k], 1);
                    ASSERT_LE(jps.scannedAt[k], static_cast<int>(jps.closed.size()));
                    ASSERT_TRUE(k == 0 || jps.scannedAt[k - 1] <= jps.scannedAt[k]);
                }
                if (map % 10 == 0) {
                    // A tile a slice: the same search.
                    GridSearch sliced;
                    const SearchRecord bySlices =
                        run(w.board, SearchKind::JPS, from, to, sliced, 1);
                    EXPECT_EQ(bySlices.closed, jps.closed);
                    EXPECT_EQ(bySlices.walk, jps.walk);
                    EXPECT_EQ(bySlices.scanned, jps.scanned);
                    EXPECT_EQ(bySlices.scannedAt, jps.scannedAt);
                }
            }
        }
    }
    EXPECT_EQ(maps, 1200);
    EXPECT_GT(walks, 3000);
    EXPECT_GT(none, 300);
    EXPECT_GT(outside, 1000);
}

TEST(Jps, OnOpenGroundJumpsStraightToTheTurnUnderBothRules) {
    // Every tile between the start and the target is pruned: the diagonal run from the start
    // stops at (2,2), whose run east finds the target.
    for (MoveRule rule : {MoveRule::CornersCut, MoveRule::Benchmark}) {
        SCOPED_TRACE(ruleName(rule));
        World w = drawn({".....", ".....", ".....", ".....", "....."}, rule);
        const Board& b = w.board;
        GridSearch search;
        const SearchRecord r = run(b, SearchKind::JPS, at(b, 0, 0), at(b, 4, 2), search);
        EXPECT_EQ(r.closed, (std::vector<int>{at(b, 0, 0), at(b, 2, 2), at(b, 4, 2)}));
        EXPECT_EQ(search.costsOf(at(b, 2, 2)).from, at(b, 0, 0));
        EXPECT_EQ(r.walk, (std::vector<int>{at(b, 1, 1), at(b, 2, 2), at(b, 3, 2), at(b, 4, 2)}));
        EXPECT_NEAR(search.costsOf(at(b, 4, 2)).g,
                    rule == MoveRule::Benchmark ? 2 + 2 * std::sqrt(2.0) : 48, 1e-12);
    }
}

TEST(Jps, AStraightRunStopsWhereATreeForcesATurnEachRuleAtItsOwnTile) {
    // A corridor with a shelf of trees above its first four tiles. Cutting corners, the run
    // east stops at (3,1), the last tile under the shelf: (4,0) beyond the tree at (3,0) is
    // reached from there only. Under the benchmark's rule it stops a tile later, at (4,1),
    // where the tile above is open and the one behind it is a tree: from (4,1) on, up and up
    // the diagonal are new ways.
    const std::vector<std::string> rows = {"TTTT...", ".......", "TTTTTTT"};
    {
        World w = drawn(rows, MoveRule::CornersCut);
        const Board& b = w.board;
        const SearchRecord r = run(b, SearchKind::JPS, at(b, 0, 1), at(b, 6, 0));
        EXPECT_EQ(r.closed, (std::vector<int>{at(b, 0, 1), at(b, 3, 1), at(b, 4, 0), at(b, 6, 0)}));
        EXPECT_EQ(routeCost(b, at(b, 0, 1), r.walk), 64);
    }
    World w = drawn(rows, MoveRule::Benchmark);
    const Board& b = w.board;
    const SearchRecord r = run(b, SearchKind::JPS, at(b, 0, 1), at(b, 6, 0));
    EXPECT_EQ(r.closed, (std::vector<int>{at(b, 0, 1), at(b, 4, 1), at(b, 5, 0), at(b, 6, 0)}));
    EXPECT_NEAR(routeCost(b, at(b, 0, 1), r.walk), 5 + std::sqrt(2.0), 1e-12);
    // The tiles each expansion's runs stepped on, in order. From the start only the run east
    // goes anywhere (the diagonals would cut a tree's corner). From (4,1): east to the edge,
    // up to the edge, and up the diagonal to (5,0), whose run east finds the target. From
    // (5,0): east onto the target.
    EXPECT_EQ(r.scanned,
              (std::vector<int>{at(b, 1, 1), at(b, 2, 1), at(b, 3, 1), at(b, 4, 1), at(b, 5, 1),
                                at(b, 6, 1), at(b, 4, 0), at(b, 5, 0), at(b, 6, 0), at(b, 6, 0)}));
    EXPECT_EQ(r.scannedAt, (std::vector<int>{1, 1, 1, 1, 2, 2, 2, 2, 2, 3}));
}

TEST(Jps, ATreeBesideTheStartForcesADiagonalOrAStraightTurn) {
    // The start at the bottom left, a tree above it, the target in the top-left corner.
    const std::vector<std::string> rows = {"....", "....", "T...", "...."};
    {
        // Cutting corners: the diagonal run up and right stops at once, at (1,2): with the
        // tree at (0,2) behind it, (0,1) is reached best from there (a forced neighbour of a
        // diagonal move). The run up and left from (1,2) stops at (0,1), whose run up finds
        // the target.
        World w = drawn(rows, MoveRule::CornersCut);
        const Board& b = w.board;
        GridSearch search;
        const SearchRecord r = run(b, SearchKind::JPS, at(b, 0, 3), at(b, 0, 0), search);
        EXPECT_EQ(r.closed, (std::vector<int>{at(b, 0, 3), at(b, 1, 2), at(b, 0, 1), at(b, 0, 0)}));
        EXPECT_EQ(search.costsOf(at(b, 0, 1)).from, at(b, 1, 2));
        EXPECT_EQ(routeCost(b, at(b, 0, 3), r.walk), 38);
    }
    // Under the benchmark's rule no diagonal passes the tree's corner: the run east stops at
    // (1,3), the first tile with open ground above it and a tree behind that; the run up
    // from there at (1,1), the first with open ground to its left and a tree behind that;
    // from (1,1) the diagonal up and left reaches the target. A diagonal run has no forced
    // neighbours under this rule: the one up and right from (1,3) finds nothing.
    World w = drawn(rows, MoveRule::Benchmark);
    const Board& b = w.board;
    GridSearch search;
    const SearchRecord r = run(b, SearchKind::JPS, at(b, 0, 3), at(b, 0, 0), search);
    EXPECT_EQ(r.closed, (std::vector<int>{at(b, 0, 3), at(b, 1, 3), at(b, 1, 1), at(b, 0, 0)}));
    EXPECT_EQ(search.costsOf(at(b, 1, 1)).from, at(b, 1, 3));
    EXPECT_EQ(r.walk, (std::vector<int>{at(b, 1, 3), at(b, 1, 2), at(b, 1, 1), at(b, 0, 0)}));
    EXPECT_NEAR(routeCost(b, at(b, 0, 3), r.walk), 3 + std::sqrt(2.0), 1e-12);
    EXPECT_EQ(search.listOf(at(b, 2, 2)), NotListed); // looked at, never joined
    EXPECT_NE(std::find(r.scanned.begin(), r.scanned.end(), at(b, 2, 2)), r.scanned.end());
}

TEST(Jps, RefusesABoardWithStonesOrWaterAndStopsAtOnceOnTheStart) {
    TempFolder folder;
    World w = mapOf(folder, "0 0 2/0 0 0");
    GridSearch search;
    const SearchRecord r = run(w.board, SearchKind::JPS, 0, 5, search);
    EXPECT_TRUE(r.refused);
    EXPECT_FALSE(r.found);
    World open = mapOf(folder, "0 0 0/0 0 0");
    const SearchRecord same = run(open.board, SearchKind::JPS, 4, 4, search);
    EXPECT_TRUE(same.found);
    EXPECT_TRUE(same.walk.empty());
    EXPECT_TRUE(same.scanned.empty());
}

TEST(Jps, TheSearchViewShowsATilesScanFromItsStepUntilItJoinsAListOnModelsAndFlat) {
    // The corridor above, under the benchmark's rule: closed 7 (the start), 11, 5, 6; open
    // 11 from step 1, 5 from 2, 6 from 3; scanned 8 9 10 11 at step 1, 12 13 4 5 6 at 2.
    world = drawn({"TTTT...", ".......", "TTTTTTT"}, MoveRule::Benchmark);
    world.session.view = SearchView();
    setSearchViewMode(world, SearchViewMode::Marks);
    world.walk.kind = SearchKind::JPS;
    world.clickTile(7);
    world.clickTile(6);
    advanceSearchView(world, 0.0);
    pausePlayback(world);
    using Tiles = std::vector<int>;
    const Tiles scanned[5] = {
        {}, {8, 9, 10}, {4, 6, 8, 9, 10, 12, 13}, {4, 8, 9, 10, 12, 13}, {4, 8, 9, 10, 12, 13}};
    FlatBoard flat;
    for (int step = 0; step <= 4; step++) {
        SCOPED_TRACE("step " + std::to_string(step));
        ASSERT_EQ(playbackStep(world.walk), step);
        Tiles shown;
        for (int t = 0; t < world.board.tileCount(); t++) {
            if (searchViewMark(world.session.view, world.walk, t) == TileMark::Scanned) {
                shown.push_back(t);
            }
        }
        EXPECT_EQ(shown, scanned[step]);
        // The flat picture, stepped on and made anew: scanned tiles in their own colour.
        FlatBoard anew;
        for (FlatBoard* picture : {&flat, &anew}) {
            updateFlatBoard(world, world.session.view, world.walk, *picture);
            for (int t = 0; t < world.board.tileCount(); t++) {
                std::uint8_t rgb[3];
                flatColour(world, world.session.view, world.walk, t, rgb);
                const std::uint8_t* want =
                    std::count(shown.begin(), shown.end(), t) ? ScannedMark.shown : rgb;
                EXPECT_EQ(0, std::memcmp(want, &picture->texels[t * 4], 3)) << "tile " << t;
            }
        }
        stepPlayback(world, 1);
    }
    // Off: no marks at all.
    setSearchViewMode(world, SearchViewMode::Off);
    EXPECT_EQ(searchViewMark(world.session.view, world.walk, 8), TileMark::None);
    world = World(std::string());
    world.session.view = SearchView();
}
