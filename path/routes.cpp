// What a walk costs, and the cheapest walk between two tiles: A* run to its end, whose
// octile heuristic never overestimates, so the walk it takes is a cheapest one.
#include "path/search.h"

#include <climits>
#include <cstdio>

double routeCost(const Board& board, int from, const std::vector<int>& tiles) {
    // Counted, then summed once: s straight and d diagonal steps come to s + d·√2 to within a
    // rounding, however long the walk, and the same steps always to the same cost.
    long long whole = 0;     // straight steps and terrain, in the program's unit
    long long diagonals = 0; // under the benchmark's rule
    for (int to : tiles) {
        const double step = board.stepCost(from, to);
        if (step == NoStep) {
            return -1; // not a walk: a jump, into a tree, or past a corner
        }
        const int terrain = board.extraCost(to);
        if (board.rule == MoveRule::CornersCut) {
            whole += static_cast<long long>(step);
        } else if (from % board.columns != to % board.columns &&
                   from / board.columns != to / board.columns) {
            diagonals++;
            whole += terrain;
        } else {
            whole += StepCosts[1] + terrain; // a straight step
        }
        from = to;
    }
    if (board.rule == MoveRule::CornersCut) {
        return static_cast<double>(whole);
    }
    return static_cast<double>(whole) / 10.0 + static_cast<double>(diagonals) * Sqrt2;
}

Route cheapestRoute(const Board& board, int from, int to) {
    GridSearch search;
    SearchRecord record;
    search.begin(board, SearchKind::AStar, from, to, record);
    search.advance(board, record, LLONG_MAX);
    Route route;
    if (record.found) {
        route.tiles = record.walk;
        route.cost = routeCost(board, from, record.walk);
    }
    return route;
}

double walkCost(const Board& board, SearchKind kind, int from, const std::vector<int>& tiles) {
    return anyAngle(kind) ? segmentsLength(board, from, tiles) : routeCost(board, from, tiles);
}

std::string costText(double cost, MoveRule rule, SearchKind kind) {
    return costText(cost, anyAngle(kind) ? MoveRule::Benchmark : rule, 2);
}

std::string costText(double cost, MoveRule rule, int decimals) {
    if (cost < 0) {
        return "-1"; // none (yet)
    }
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", rule == MoveRule::Benchmark ? decimals : 0, cost);
    return text;
}
