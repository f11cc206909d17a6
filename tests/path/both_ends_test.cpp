// The searches from both ends, against Dijkstra from one: the same cheapest length under every
// rule, a walk that is a walk, and a record that counts each side's closings.
#include "path/search.h"
#include "tests/path/board_maker.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <set>

namespace {

struct Found {
    bool found = false;
    double cost = -1;
    std::vector<int> walk;
};

Found run(const Board& board, SearchKind kind, int from, int to, SearchSettings settings = {}) {
    GridSearch search;
    SearchRecord record;
    search.begin(board, kind, from, to, record, settings);
    search.advance(board, record, LLONG_MAX);
    Found out{record.found, -1, record.walk};
    if (record.found) {
        out.cost = routeCost(board, from, record.walk);
    }
    return out;
}

const MoveRule Rules[] = {MoveRule::CornersCut, MoveRule::Benchmark, MoveRule::FourWays};

TEST(BothEnds, LengthsMatchDijkstraOnRandomBoardsUnderEveryRule) {
    std::mt19937 random(20261208);
    int walks = 0;
    for (int round = 0; round < 300; round++) {
        const MoveRule rule = Rules[round % 3];
        const Board board =
            randomBoard(random, 3 + int(random() % 14), 3 + int(random() % 14), round % 2, rule);
        const int from = int(random() % unsigned(board.tileCount()));
        const int to = int(random() % unsigned(board.tileCount()));
        const Found least = run(board, SearchKind::Dijkstra, from, to);
        for (SearchKind kind :
             {SearchKind::BidirectionalDijkstra, SearchKind::BidirectionalAStar}) {
            const Found both = run(board, kind, from, to);
            const std::string what = std::string(searchName(kind)) + " round " +
                                     std::to_string(round) + " " + ruleName(rule);
            ASSERT_EQ(both.found, least.found) << what;
            // A walk whose every step is a step under the rule, as cheap as Dijkstra's.
            ASSERT_NEAR(both.cost, least.cost, 1e-9) << what;
            walks += both.found && from != to;
        }
        // Weighted, within its bound; with a heuristic that may overestimate, still a walk.
        const Found bounded = run(board, SearchKind::BidirectionalAStar, from, to,
                                  SearchSettings{true, Heuristic::Chebyshev, 3});
        const Found loose = run(board, SearchKind::BidirectionalAStar, from, to,
                                SearchSettings{true, Heuristic::Manhattan, 2});
        ASSERT_EQ(bounded.found, least.found) << round;
        ASSERT_EQ(loose.found, least.found) << round;
        if (least.found) {
            ASSERT_LE(bounded.cost, 3 * least.cost + 1e-9) << round;
            ASSERT_GE(loose.cost, least.cost) << round;
        }
    }
    EXPECT_GT(walks, 200); // enough of the boards had a walk to say something
}

TEST(BothEnds, RecordCountsEachSidesClosingsAndTheMeeting) {
    const Board board =
        boardOf({".........", ".TTTTTTT.", ".s.....~.", "........."}, MoveRule::CornersCut);
    for (SearchKind kind : {SearchKind::BidirectionalDijkstra, SearchKind::BidirectionalAStar}) {
        GridSearch search;
        SearchRecord record;
        search.begin(board, kind, 0, 35, record);
        search.advance(board, record, 3); // a slice at a time gives the same as one go
        while (!search.advance(board, record, 5)) {
        }
        ASSERT_TRUE(record.found);
        EXPECT_EQ(record.walk.back(), 35);
        EXPECT_EQ(record.closed[0], 0);
        EXPECT_EQ(record.closed[1], 35);
        ASSERT_EQ(record.fromTarget.size(), record.closed.size());
        EXPECT_EQ(static_cast<int>(record.closed.size()), search.closedCount());
        EXPECT_EQ(record.stillOpen(), search.stillOpen());
        int fromTarget = 0, twice = 0;
        for (std::size_t i = 0; i < record.closed.size(); i++) {
            const int tile = record.closed[i];
            fromTarget += record.fromTarget[i];
            EXPECT_LE(search.closedAt(tile), static_cast<int>(i)); // either side's first
            if (record.fromTarget[i]) {
                EXPECT_EQ(search.closedFromTargetAt(tile), static_cast<int>(i));
            }
            twice += search.closedAt(tile) >= 0 && search.closedFromTargetAt(tile) >= 0 &&
                     !record.fromTarget[i];
        }
        EXPECT_GT(fromTarget, 1);
        // A tile closed from both sides is counted twice.
        std::set<int> tiles(record.closed.begin(), record.closed.end());
        EXPECT_EQ(tiles.size() + std::size_t(twice), record.closed.size());
        ASSERT_GE(record.meeting, 0);
        EXPECT_NE(std::find(record.walk.begin(), record.walk.end(), record.meeting),
                  record.walk.end());
        EXPECT_EQ(record.targetFrom, record.walk[record.walk.size() - 2]);
    }
}

TEST(BothEnds, NoWalkToATreeOrAcrossAWall) {
    const Board board = boardOf({"..T..", "..T..", "..T.T"}, MoveRule::CornersCut);
    for (SearchKind kind : {SearchKind::BidirectionalDijkstra, SearchKind::BidirectionalAStar}) {
        EXPECT_FALSE(run(board, kind, 0, 4).found);  // walled off
        EXPECT_FALSE(run(board, kind, 3, 14).found); // the target a tree
        EXPECT_FALSE(run(board, kind, 3, 2).found);
        const Found here = run(board, kind, 3, 3);
        EXPECT_TRUE(here.found);
        EXPECT_TRUE(here.walk.empty());
    }
}

} // namespace
