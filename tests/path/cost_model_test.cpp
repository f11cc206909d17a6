// What a step, a walk and an estimate cost under each movement rule.
#include "path/search.h"
#include "tests/path/board_maker.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Tile (c, r) of a board `columns` wide.
int at(const Board& b, int c, int r) {
    return r * b.columns + c;
}

const std::vector<std::string> Field = {
    "..T.",
    "s...",
    ".~..",
};

TEST(CostModel, StepsAndExtrasUnderEachRule) {
    const Board own = boardOf(Field, MoveRule::CornersCut);
    const Board bench = boardOf(Field, MoveRule::Benchmark);
    struct Step {
        int from, to;
        double own, bench;
    };
    const Step steps[] = {
        {at(own, 1, 1), at(own, 2, 1), 10, 1},                // straight
        {at(own, 1, 1), at(own, 2, 2), 14, Sqrt2},            // diagonal
        {at(own, 1, 1), at(own, 0, 1), 30, 3},                // into stones
        {at(own, 2, 2), at(own, 1, 2), 50, 5},                // into water
        {at(own, 1, 0), at(own, 0, 1), 34, Sqrt2 + 2},        // diagonal into stones
        {at(own, 1, 1), at(own, 2, 0), NoStep, NoStep},       // into a tree
        {at(own, 1, 0), at(own, 3, 0), NoStep, NoStep},       // not neighbours
        {at(own, 3, 0), at(own, 0, 1), NoStep, NoStep},       // the next row's first tile
        {at(own, 1, 0), at(own, 1, 0), NoStep, NoStep},       // no step at all
        {at(own, 2, 1), at(own, 3, 0), 14, NoStep},           // past the tree's corner
        {at(own, 1, 1), at(own, 1, 1) + 100, NoStep, NoStep}, // off the board
    };
    for (const Step& s : steps) {
        EXPECT_EQ(own.stepCost(s.from, s.to), s.own) << s.from << " to " << s.to;
        EXPECT_DOUBLE_EQ(bench.stepCost(s.from, s.to), s.bench) << s.from << " to " << s.to;
    }
    // A walk's cost is its steps' summed exactly: the same steps, the same cost, whatever
    // their order.
    const std::vector<int> walk = {at(own, 1, 1), at(own, 2, 2), at(own, 3, 1)};
    EXPECT_EQ(routeCost(own, at(own, 0, 0), walk), 14 + 14 + 14);
    EXPECT_EQ(routeCost(bench, at(own, 0, 0), walk), 3 * Sqrt2);
    EXPECT_EQ(routeCost(bench, at(own, 1, 1), {at(own, 3, 0)}), -1);
}

TEST(CostModel, EstimatesCountInTheRulesUnit) {
    for (MoveRule rule : {MoveRule::CornersCut, MoveRule::Benchmark}) {
        const CostModel& costs = costModel(rule);
        const double unit = rule == MoveRule::Benchmark ? 1 : 10;
        EXPECT_EQ(estimate(Heuristic::Zero, costs, 3, 4), 0);
        EXPECT_EQ(estimate(Heuristic::Manhattan, costs, 3, 4), 7 * unit);
        EXPECT_DOUBLE_EQ(estimate(Heuristic::Euclidean, costs, 3, 4), 5 * unit);
        // Octile: as many diagonal steps as the smaller distance, straight ones for the rest.
        EXPECT_DOUBLE_EQ(estimate(Heuristic::Octile, costs, 3, 4),
                         3 * costs.diagonal + 1 * costs.straight);
        EXPECT_DOUBLE_EQ(estimate(Heuristic::Octile, costs, 4, 3),
                         estimate(Heuristic::Octile, costs, 3, 4));
    }
    // The search's own estimate reads the same model.
    EXPECT_EQ(searchHeuristic(SearchKind::AStar, MoveRule::CornersCut, 10, 0, 23), 38);
    EXPECT_EQ(searchHeuristic(SearchKind::Dijkstra, MoveRule::CornersCut, 10, 0, 23), 0);
}

} // namespace
