// The benchmark's movement rule: no diagonal step past a tree's or the board's corner, steps
// of 1 and √2, and every search under it held to a plain search written apart.
#include "linear_search.h"
#include "world_files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <queue>
#include <random>

namespace {

// The cheapest cost under the benchmark's rule, from the tile codes alone: a plain Dijkstra
// over coordinates, its corner rule and costs written without the program's tables.
double referenceCost(const MapBoard& map, int from, int to) {
    const Board& board = map.board;
    const int columns = board.columns, rows = board.rows;
    auto open = [&](int c, int r) {
        return c >= 0 && c < columns && r >= 0 && r < rows && board.passable(r * columns + c);
    };
    std::vector<double> best(map.tiles.size(), -1);
    using Entry = std::pair<double, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> todo;
    todo.push({0.0, from});
    while (!todo.empty()) {
        const auto [cost, tile] = todo.top();
        todo.pop();
        if (best[tile] >= 0) {
            continue;
        }
        best[tile] = cost;
        const int c = tile % columns, r = tile / columns;
        for (int dc = -1; dc <= 1; dc++) {
            for (int dr = -1; dr <= 1; dr++) {
                const bool diagonal = dc != 0 && dr != 0;
                if ((dc == 0 && dr == 0) || !open(c + dc, r + dr) ||
                    (diagonal && (!open(c + dc, r) || !open(c, r + dr)))) {
                    continue;
                }
                const int n = (r + dr) * columns + c + dc;
                const int code = map.tiles[n].kind;
                const double extra = code == StonesCode ? 2 : code == WaterCode ? 4 : 0;
                todo.push({cost + (diagonal ? std::sqrt(2.0) : 1.0) + extra, n});
            }
        }
    }
    return best[to];
}

World benchmarkWorld(const TempFolder& folder, const std::string& rows) {
    World w = mapOf(folder, rows);
    w.board.rule = MoveRule::Benchmark;
    return w;
}

} // namespace

TEST(MoveRule, CornersBlockOnlyUnderTheBenchmarkRuleAndCostsAreInItsUnit) {
    TempFolder folder;
    const double root2 = std::sqrt(2.0);
    // From the top-left tile to the bottom-right one of 2 x 2 boards, the top-right tile of
    // each kind: a tree, or a tile outside a benchmark map, blocks the corner.
    const struct {
        const char* rows;
        double cornersCut, benchmark;
    } corners[] = {
        {"0 1/0 0", 14, 2},     {"0 2/0 0", 14, root2}, {"0 3/0 0", 14, root2},
        {"0 0/0 0", 14, root2}, {"0 1/1 0", 14, -1}, // between two trees: no walk at all under it
    };
    for (const auto& c : corners) {
        SCOPED_TRACE(c.rows);
        World w = mapOf(folder, c.rows);
        EXPECT_EQ(cheapestRoute(w.board, 0, 3).cost, c.cornersCut);
        w.board.rule = MoveRule::Benchmark;
        EXPECT_NEAR(cheapestRoute(w.board, 0, 3).cost, c.benchmark, 1e-12);
        for (int k = 0; k < SearchKindCount; k++) {
            if (needsOneCost(static_cast<SearchKind>(k)) && !w.board.oneCost()) {
                continue;
            }
            GridSearch search;
            SearchRecord record;
            search.begin(w.board, static_cast<SearchKind>(k), 0, 3, record);
            search.advance(w.board, record, LLONG_MAX);
            EXPECT_EQ(record.found, c.benchmark >= 0) << searchName(static_cast<SearchKind>(k));
        }
    }
    // The board's edge: '@' outside a benchmark map blocks a corner as a tree does.
    World edge(folder.write("edge.map", "type octile\nheight 2\nwidth 2\nmap\n.@\n..\n"));
    EXPECT_EQ(cheapestRoute(edge.board, 0, 3).cost, 14);
    edge.board.rule = MoveRule::Benchmark;
    EXPECT_EQ(cheapestRoute(edge.board, 0, 3).cost, 2);
    // Entering stones and water adds 2 and 4 in the benchmark's unit, 20 and 40 in ours.
    World extra = benchmarkWorld(folder, "0 2 3");
    EXPECT_EQ(routeCost(extra.board, 0, {1, 2}), 1 + 2 + 1 + 4);
    EXPECT_EQ(costText(routeCost(extra.board, 0, {1, 2}), extra.board.rule, 2), "8.00");
    extra.board.rule = MoveRule::CornersCut;
    EXPECT_EQ(costText(routeCost(extra.board, 0, {1, 2}), extra.board.rule, 2), "80");
}

TEST(MoveRule, LongWalksComeToStraightPlusDiagonalStepsTimesRootTwo) {
    World w{std::string()};
    w.buildGrid(1000, 600);
    w.board.rule = MoveRule::Benchmark;
    // 599 diagonal steps down and right, then 400 straight ones right.
    const double expected = 400 + 599 * std::sqrt(2.0);
    for (SearchKind kind : {SearchKind::AStar, SearchKind::Dijkstra}) {
        GridSearch search;
        SearchRecord record;
        search.begin(w.board, kind, 0, 600 * 1000 - 1, record);
        search.advance(w.board, record, LLONG_MAX);
        ASSERT_TRUE(record.found);
        EXPECT_NEAR(routeCost(w.board, 0, record.walk), expected, 1e-9) << searchName(kind);
        EXPECT_NEAR(search.costsOf(600 * 1000 - 1).g, expected, 1e-9) << searchName(kind);
    }
    // A zigzag down the left edge, a diagonal step and a straight one back for each row: the
    // walk's cost is its counts', not a long sum's rounding.
    std::vector<int> zigzag;
    for (int row = 1; row < 600; row++) {
        zigzag.push_back(row * 1000 + 1);
        zigzag.push_back(row * 1000);
    }
    EXPECT_NEAR(routeCost(w.board, 0, zigzag), 599 + 599 * std::sqrt(2.0), 1e-9);
}

TEST(MoveRule, EverySearchKeepsItsPromiseUnderTheBenchmarkRuleOnRandomMaps) {
    std::mt19937 rng(29);
    int walks = 0;
    for (int map = 0; map < 300; ++map) {
        World w = randomMap(rng, 2 + int(rng() % 40), 2 + int(rng() % 40), {55, 25, 12, 8});
        w.board.rule = MoveRule::Benchmark;
        const int from = int(rng() % w.tiles.size()), to = int(rng() % w.tiles.size());
        if (!w.board.passable(from) || !w.board.passable(to) || from == to) {
            continue;
        }
        const double least = referenceCost(w, from, to);
        walks += least >= 0;
        EXPECT_NEAR(cheapestRoute(w.board, from, to).cost, least, 1e-9) << "map " << map;
        for (int k = 0; k < SearchKindCount; ++k) {
            const SearchKind kind = static_cast<SearchKind>(k);
            SCOPED_TRACE(std::string(searchName(kind)) + " on map " + std::to_string(map));
            if (needsOneCost(kind) || anyAngle(kind)) {
                continue; // held to their own promises on boards of one cost
            }
            GridSearch search;
            SearchRecord record;
            search.begin(w.board, kind, from, to, record);
            search.advance(w.board, record, LLONG_MAX);
            ASSERT_EQ(record.found, least >= 0);
            if (!record.found) {
                continue;
            }
            // A walk under the rule (no corner cut), never cheaper than the cheapest.
            const double cost = routeCost(w.board, from, record.walk);
            ASSERT_GE(cost, least - 1e-9);
            if (promisesCheapest(kind)) {
                ASSERT_NEAR(cost, least, 1e-9);
            }
        }
    }
    EXPECT_GT(walks, 120);
}
