// What a walk costs, and the cheapest walk between two tiles: A* run to its end, whose
// octile heuristic never overestimates, so the walk it takes is a cheapest one.
#include "path/cost_model.h"
#include "path/search.h"

#include <climits>
#include <cstdio>

double routeCost(const Board& board, int from, const std::vector<int>& tiles) {
    // Counted, then summed once: s straight and d diagonal steps come to s + d·√2 to within a
    // rounding, however long the walk, and the same steps always to the same cost. Straight
    // steps and extra costs are whole in the board's unit of extra costs.
    const CostModel& costs = costModel(board.rule);
    long long whole = 0;
    long long diagonals = 0;
    for (int to : tiles) {
        if (board.stepCost(from, to) == NoStep) {
            return -1; // not a walk: a jump, into a tree, or past a corner
        }
        if (from % board.columns != to % board.columns &&
            from / board.columns != to / board.columns) {
            diagonals++;
        } else {
            whole += static_cast<long long>(costs.straight * costs.extraUnit);
        }
        whole += board.extraCost(to);
        from = to;
    }
    return static_cast<double>(whole) / costs.extraUnit +
           static_cast<double>(diagonals) * costs.diagonal;
}

Route cheapestRoute(const Board& board, int from, int to) {
    GridSearch search;
    search.begin(board, SearchKind::AStar, from, to);
    search.advance(board, LLONG_MAX);
    Route route;
    if (search.found) {
        route.tiles = search.walkFound();
        route.cost = routeCost(board, from, route.tiles);
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
