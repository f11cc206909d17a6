// A search's frontier is kept from one search to the next: whatever ran before, a search
// does exactly what it does on a fresh one, and listening to it changes nothing it finds.
#include "path/search.h"
#include "tests/path/board_maker.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

namespace {

struct Outcome {
    SearchRecord record;
    std::vector<TileCosts> costs;
    std::vector<int> closedAt;
};

Outcome run(GridSearch& search, const Board& board, SearchKind kind, int from, int to) {
    Outcome out;
    search.begin(board, kind, from, to, out.record);
    search.advance(board, out.record, LLONG_MAX);
    for (int t = 0; t < board.tileCount(); t++) {
        out.costs.push_back(search.costsOf(t));
        out.closedAt.push_back(search.closedAt(t));
    }
    return out;
}

void expectSame(const Outcome& a, const Outcome& b, const std::string& what) {
    EXPECT_EQ(a.record.closed, b.record.closed) << what;
    EXPECT_EQ(a.record.opened, b.record.opened) << what;
    EXPECT_EQ(a.record.openedAt, b.record.openedAt) << what;
    EXPECT_EQ(a.record.walk, b.record.walk) << what;
    EXPECT_EQ(a.record.scanned, b.record.scanned) << what;
    EXPECT_EQ(a.record.found, b.record.found) << what;
    EXPECT_EQ(a.record.refused, b.record.refused) << what;
    EXPECT_EQ(a.costs, b.costs) << what;
    EXPECT_EQ(a.closedAt, b.closedAt) << what;
}

TEST(Frontier, ASearchAfterOthersDoesWhatItDoesOnAFreshOne) {
    std::mt19937 random(7);
    GridSearch kept; // every search below runs on it, one after another
    // Near the end of the stamps, so that they run out and start over on the way; later on
    // the boards' sizes change too.
    kept.frontier.reset(static_cast<std::size_t>(8 * 7));
    kept.frontier.stamp = UINT32_MAX - 20;
    for (int round = 0; round < 60; round++) {
        const int columns = round < 30 ? 6 : 6 + round % 3 * 7;
        const int rows = round < 30 ? 5 : 5 + round % 4 * 3;
        const MoveRule rule = round % 2 ? MoveRule::Benchmark : MoveRule::CornersCut;
        const Board board = randomBoard(random, columns, rows, round % 5 < 3, rule);
        const int from = static_cast<int>(random() % board.tileCount());
        const int to = static_cast<int>(random() % board.tileCount());
        if (!board.passable(from) || !board.passable(to)) {
            continue;
        }
        for (int k = 0; k < SearchKindCount; k++) {
            const SearchKind kind = static_cast<SearchKind>(k);
            GridSearch fresh;
            const std::string what =
                std::string(searchName(kind)) + " round " + std::to_string(round);
            expectSame(run(kept, board, kind, from, to), run(fresh, board, kind, from, to), what);
            // Nobody listening: the same walk, closing as many tiles, knowing the same costs.
            GridSearch quiet;
            quiet.begin(board, kind, from, to);
            EXPECT_TRUE(quiet.advance(board, LLONG_MAX)) << what;
            const Outcome heard = run(fresh, board, kind, from, to);
            EXPECT_EQ(quiet.found, heard.record.found) << what;
            EXPECT_EQ(quiet.walkFound(), heard.record.walk) << what;
            EXPECT_EQ(quiet.closedCount(), static_cast<int>(heard.record.closed.size())) << what;
            EXPECT_EQ(quiet.costsOf(to), heard.costs[static_cast<std::size_t>(to)]) << what;
        }
    }
}

TEST(Frontier, SlicesEndWhereOneGoEnds) {
    std::mt19937 random(3);
    Board board = randomBoard(random, 30, 20, false, MoveRule::Benchmark);
    board.setExtraCost(0, 0);
    board.setExtraCost(board.tileCount() - 1, 0);
    for (int k = 0; k < SearchKindCount; k++) {
        const SearchKind kind = static_cast<SearchKind>(k);
        GridSearch whole, sliced;
        const Outcome once = run(whole, board, kind, 0, board.tileCount() - 1);
        SearchRecord record;
        sliced.begin(board, kind, 0, board.tileCount() - 1, record);
        int slices = 0;
        while (!sliced.advance(board, record, 3)) {
            slices++;
        }
        EXPECT_GT(slices, 0) << searchName(kind);
        EXPECT_TRUE(record.found) << searchName(kind);
        EXPECT_EQ(record.closed, once.record.closed) << searchName(kind);
        EXPECT_EQ(record.walk, once.record.walk) << searchName(kind);
    }
}

} // namespace

// A straight run longer than the run table holds in one entry is read in parts.
TEST(Frontier, JumpsRunFartherThanATableEntry) {
    const int columns = 36000;
    std::vector<std::string> rows(3, std::string(columns, '.'));
    rows[2][34000] = 'T'; // the tile after it is a forced neighbour of the middle row's run
    const Board board = boardOf(rows, MoveRule::Benchmark);
    const int from = columns, to = 2 * columns - 1, turn = columns + 34001;
    GridSearch jps, astar;
    const Outcome jumped = run(jps, board, SearchKind::JPS, from, to);
    ASSERT_TRUE(jumped.record.found);
    EXPECT_EQ(jumped.record.closed, (std::vector<int>{from, turn, to}));
    EXPECT_EQ(jumped.record.walk.size(), static_cast<std::size_t>(columns - 1));
    astar.begin(board, SearchKind::AStar, from, to);
    astar.advance(board, LLONG_MAX);
    EXPECT_EQ(routeCost(board, from, jumped.record.walk),
              routeCost(board, from, astar.walkFound()));
}

// A JPS nobody hears reads whole diagonal runs from the table; one that is heard walks them
// tile by tile to record its scans. Both close the same tiles in the same order.
TEST(Frontier, JumpsHeardOrNotCloseTheSameTiles) {
    std::mt19937 random(11);
    for (int round = 0; round < 400; round++) {
        const MoveRule rule = round % 2 ? MoveRule::Benchmark : MoveRule::CornersCut;
        const Board board = randomBoard(random, 5 + static_cast<int>(random() % 30),
                                        5 + static_cast<int>(random() % 30), false, rule);
        const int from = static_cast<int>(random() % board.tileCount());
        // Often on the start's row, column or diagonal, where runs meet the target.
        int to = static_cast<int>(random() % board.tileCount());
        const int k = 1 + static_cast<int>(random() % 6), c = from % board.columns + k,
                  r = from / board.columns + k;
        if (round % 3 == 0 && c < board.columns && r < board.rows) {
            to = round % 2 ? r * board.columns + c : from + k;
        }
        if (to >= board.tileCount() || !board.passable(from) || !board.passable(to)) {
            continue;
        }
        GridSearch heard, quiet;
        const Outcome recorded = run(heard, board, SearchKind::JPS, from, to);
        quiet.begin(board, SearchKind::JPS, from, to);
        quiet.advance(board, LLONG_MAX);
        std::vector<int> closedAt;
        for (int t = 0; t < board.tileCount(); t++) {
            closedAt.push_back(quiet.closedAt(t));
        }
        EXPECT_EQ(closedAt, recorded.closedAt) << "round " << round;
        EXPECT_EQ(quiet.walkFound(), recorded.record.walk) << "round " << round;
    }
}

// Where steps go four ways JPS finds walks as short as Dijkstra's, and every one a walk.
TEST(Frontier, FourWayJumpsFindTheShortestWalks) {
    std::mt19937 random(13);
    for (int round = 0; round < 400; round++) {
        const Board board =
            randomBoard(random, 4 + static_cast<int>(random() % 25),
                        4 + static_cast<int>(random() % 25), false, MoveRule::FourWays);
        const int from = static_cast<int>(random() % board.tileCount());
        const int to = static_cast<int>(random() % board.tileCount());
        if (!board.passable(from) || !board.passable(to)) {
            continue;
        }
        GridSearch jps, dijkstra;
        const Outcome jumped = run(jps, board, SearchKind::JPS, from, to);
        dijkstra.begin(board, SearchKind::Dijkstra, from, to);
        dijkstra.advance(board, LLONG_MAX);
        ASSERT_EQ(jumped.record.found, dijkstra.found) << "round " << round;
        EXPECT_EQ(routeCost(board, from, jumped.record.walk),
                  routeCost(board, from, dijkstra.walkFound()))
            << "round " << round;
        GridSearch quiet; // heard or not, the same
        quiet.begin(board, SearchKind::JPS, from, to);
        quiet.advance(board, LLONG_MAX);
        EXPECT_EQ(quiet.walkFound(), jumped.record.walk) << "round " << round;
    }
}
