// A* with each heuristic and weight, and greedy with each heuristic, under each rule, held to
// a plain search
// written apart: lists scanned from the front, the smallest value taken (the first to join
// among equals), a closed tile never opened again, until the target is taken.
#include "path/search.h"
#include "tests/path/board_maker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

struct Plain {
    double straight, diagonal, unit; // steps, and what an extra cost is divided by
    bool guarded;
    bool diagonals;
    int heuristic; // as Heuristic counts them: none, Manhattan, octile, Euclidean, Chebyshev
    double weight;
    bool greedy; // the value is the estimate alone, and a tile joins once

    double estimate(int dc, int dr) const {
        const double most = std::max(dc, dr), least = std::min(dc, dr), side = straight;
        switch (heuristic) {
        case 1:
            return side * (dc + dr);
        case 2:
            return side * most + (diagonal - side) * least;
        case 3:
            return side * std::hypot(double(dc), double(dr));
        case 4:
            return side * most;
        }
        return 0;
    }

    std::vector<int> closed(const Board& b, int from, int to) const {
        const int n = b.tileCount(), w = b.columns;
        std::vector<double> g(n, 0), value(n, 0);
        std::vector<int> open, closed{from};
        std::vector<bool> isOpen(n, false), isClosed(n, false);
        isClosed[from] = true;
        for (int at = from; at != to;) {
            const int c = at % w, r = at / w;
            for (int dr = -1; dr <= 1; dr++) {
                for (int dc = -1; dc <= 1; dc++) {
                    const int nc = c + dc, nr = r + dr, t = nr * w + nc;
                    if ((dc == 0 && dr == 0) || (!diagonals && dc != 0 && dr != 0) || nc < 0 ||
                        nc >= w || nr < 0 || nr >= b.rows || !b.passable(t) || isClosed[t] ||
                        (guarded && dc != 0 && dr != 0 &&
                         !(b.passable(r * w + nc) && b.passable(nr * w + c)))) {
                        continue;
                    }
                    const double step = (dc != 0 && dr != 0 ? diagonal : straight) + g[at];
                    const double cost = step + b.extraCost(t) / unit;
                    const double h = estimate(std::abs(nc - to % w), std::abs(nr - to / w));
                    if (!isOpen[t] || (!greedy && cost < g[t])) {
                        g[t] = cost;
                        value[t] = greedy ? 0 + h : cost + weight * h;
                        if (!isOpen[t]) {
                            open.push_back(t);
                            isOpen[t] = true;
                        }
                    }
                }
            }
            if (open.empty()) {
                break;
            }
            auto best = open.begin();
            for (auto it = open.begin(); it != open.end(); ++it) {
                best = value[*it] < value[*best] ? it : best;
            }
            at = *best;
            open.erase(best);
            isClosed[at] = true;
            closed.push_back(at);
        }
        return closed;
    }
};

TEST(Weighted, EveryHeuristicAndWeightClosesAsAPlainSearch) {
    std::mt19937 random(5);
    for (int round = 0; round < 120; round++) {
        const MoveRule rule = static_cast<MoveRule>(round % 3);
        const Board board = randomBoard(random, 6 + static_cast<int>(random() % 10),
                                        6 + static_cast<int>(random() % 10), true, rule);
        const int from = static_cast<int>(random() % board.tileCount());
        const int to = static_cast<int>(random() % board.tileCount());
        if (!board.passable(from) || !board.passable(to)) {
            continue;
        }
        const bool benchmark = rule == MoveRule::Benchmark;
        for (int h = 0; h < HeuristicCount; h++) {
            for (double weight : {1.0, 1.5, 3.0}) {
                for (SearchKind kind : {SearchKind::AStar, SearchKind::Greedy}) {
                    const bool greedy = kind == SearchKind::Greedy;
                    if (greedy && weight != 1) {
                        continue;
                    }
                    const bool four = rule == MoveRule::FourWays;
                    const Plain plain{benchmark ? 1 : 10.0,
                                      benchmark ? Sqrt2
                                      : four    ? 20.0
                                                : 14.0,
                                      benchmark ? 10.0 : 1.0,
                                      benchmark || four,
                                      !four,
                                      h,
                                      weight,
                                      greedy};
                    SearchSettings settings{true, static_cast<Heuristic>(h), weight};
                    GridSearch search;
                    SearchRecord record;
                    search.begin(board, kind, from, to, record, settings);
                    search.advance(board, record, LLONG_MAX);
                    EXPECT_EQ(record.closed, plain.closed(board, from, to))
                        << searchName(kind) << " " << heuristicName(static_cast<Heuristic>(h))
                        << " x" << weight << " round " << round;
                }
            }
        }
    }
}

TEST(Weighted, WhatASearchPromisesFollowsItsSettings) {
    const SearchSettings manhattan{true, Heuristic::Manhattan, 1},
        euclidean{true, Heuristic::Euclidean, 1};
    const SearchSettings twice{false, Heuristic::Octile, 2};
    EXPECT_EQ(promiseText(SearchKind::AStar, {}, MoveRule::Benchmark), "shortest");
    EXPECT_EQ(promiseText(SearchKind::AStar, twice, MoveRule::Benchmark), "at most 2 x shortest");
    EXPECT_EQ(promiseText(SearchKind::JPS, SearchSettings{false, Heuristic::Octile, 1.5},
                          MoveRule::CornersCut),
              "at most 1.5 x shortest");
    EXPECT_EQ(promiseText(SearchKind::AStar, manhattan, MoveRule::Benchmark), "no promise");
    // A diagonal costs 14, less than 10 x √2, under the program's own rule only.
    EXPECT_EQ(promiseText(SearchKind::AStar, euclidean, MoveRule::CornersCut), "no promise");
    EXPECT_EQ(promiseText(SearchKind::AStar, euclidean, MoveRule::Benchmark), "shortest");
    // Those that take no choice keep their own.
    EXPECT_EQ(promiseText(SearchKind::Dijkstra, twice, MoveRule::Benchmark), "shortest");
    EXPECT_EQ(promiseText(SearchKind::Greedy, twice, MoveRule::Benchmark), "no promise");
    EXPECT_EQ(settingsCaption(SearchKind::AStar, SearchSettings{true, Heuristic::Manhattan, 2},
                              MoveRule::CornersCut),
              "A* Manhattan x2");
    EXPECT_EQ(settingsCaption(SearchKind::Dijkstra, twice, MoveRule::Benchmark), "Dijkstra");
    // Under four ways Manhattan is A*'s own.
    EXPECT_EQ(settingsCaption(SearchKind::AStar, manhattan, MoveRule::FourWays), "A*");
}

} // namespace
