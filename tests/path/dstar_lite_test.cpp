// D* Lite against A* from nothing: after every change of tiles and every move of the walker,
// its repaired plan costs what a new A* search finds, under every rule; and a walk under fog
// never enters a tree.
#include "path/fogged_walk.h"
#include "tests/path/board_maker.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>

namespace {

double aStarCost(const Board& board, int from, int to) {
    GridSearch search;
    search.begin(board, SearchKind::AStar, from, to);
    search.advance(board, LLONG_MAX);
    return search.found ? routeCost(board, from, search.walkFound()) : HUGE_VAL;
}

// Equal within a relative 1e-9, or both none.
bool same(double a, double b) {
    return a == b || std::abs(a - b) <= 1e-9 * std::max(1.0, std::abs(b));
}

const MoveRule Rules[] = {MoveRule::CornersCut, MoveRule::Benchmark, MoveRule::FourWays};
const int Extras[] = {0, 0, 20, 40, ImpassableCost};

} // namespace

TEST(DStarLite, RepairsCostWhatANewSearchFindsAfterPaintsAndMoves) {
    std::mt19937 random(35);
    int plans = 0;
    for (int round = 0; round < 150; round++) {
        const MoveRule rule = Rules[round % 3];
        Board board = randomBoard(random, 4 + int(random() % 14), 4 + int(random() % 14),
                                  round % 2 == 0, rule);
        int at = int(random() % unsigned(board.tileCount()));
        const int goal = int(random() % unsigned(board.tileCount()));
        board.setExtraCost(at, 0);
        DStarLite dstar;
        dstar.begin(board, at, goal);
        for (int plan = 0; plan < 12; plan++) {
            dstar.plan(board);
            const std::string what = std::string(ruleName(rule)) + " round " +
                                     std::to_string(round) + " plan " + std::to_string(plan);
            const double least = aStarCost(board, at, goal);
            ASSERT_TRUE(same(dstar.cost(), least)) << what << ": " << dstar.cost() << " " << least;
            plans++;
            if (dstar.found()) {
                const std::vector<int> walk = dstar.walk(board);
                ASSERT_TRUE(same(routeCost(board, at, walk), least)) << what;
                // A step or two along it, then some tiles painted, never where it stands.
                for (std::size_t s = 0; s < walk.size() && s < random() % 3; s++) {
                    at = walk[s];
                }
                dstar.moveTo(board, at);
            }
            for (int paints = 1 + int(random() % 4); paints > 0; paints--) {
                const int tile = int(random() % unsigned(board.tileCount()));
                if (tile != at) {
                    board.setExtraCost(tile, Extras[random() % 5]);
                    dstar.tileChanged(board, tile);
                }
            }
        }
    }
    EXPECT_EQ(plans, 150 * 12);
}

TEST(DStarLite, AFoggedWalkNeverEntersATreeAndReachesWhatCanBeReached) {
    std::mt19937 random(8);
    int reached = 0;
    for (int round = 0; round < 120; round++) {
        const MoveRule rule = Rules[round % 3];
        Board truth = randomBoard(random, 6 + int(random() % 20), 6 + int(random() % 20),
                                  round % 2 == 0, rule);
        const int start = int(random() % unsigned(truth.tileCount()));
        const int goal = int(random() % unsigned(truth.tileCount()));
        truth.setExtraCost(start, 0);
        const double least = aStarCost(truth, start, goal);
        for (SearchKind kind : {SearchKind::DStarLite, SearchKind::AStar}) {
            const FoggedWalk walk = walkUnderFog(truth, start, goal, 1 + round % 4, kind);
            const std::string what =
                std::string(searchName(kind)) + " round " + std::to_string(round);
            ASSERT_FALSE(walk.intoTree || walk.gaveUp) << what;
            EXPECT_EQ(walk.reached, least < HUGE_VAL) << what;
            for (std::size_t i = 1; i < walk.stood.size(); i++) {
                ASSERT_TRUE(truth.passable(walk.stood[i])) << what;
                ASSERT_NE(truth.stepCost(walk.stood[i - 1], walk.stood[i]), NoStep) << what;
            }
            for (const FoggedPlan& plan : walk.plans) {
                ASSERT_TRUE(same(plan.cost, plan.scratchCost))
                    << what << ": " << plan.cost << " " << plan.scratchCost;
            }
            if (walk.reached) {
                // Never shorter than the shortest walk on the whole known board.
                std::vector<int> steps(walk.stood.begin() + 1, walk.stood.end());
                EXPECT_GE(routeCost(truth, start, steps), least - 1e-9) << what;
                reached += kind == SearchKind::DStarLite;
            }
        }
    }
    EXPECT_GT(reached, 40);
}
