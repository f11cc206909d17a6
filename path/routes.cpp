// What a walk costs, and the cheapest walk between two tiles: A* run to its end, whose
// octile heuristic never overestimates, so the walk it takes is a cheapest one.
#include "path/search.h"

#include <climits>

int routeCost(const Board& board, int from, const std::vector<int>& tiles) {
    int cost = 0;
    for (int to : tiles) {
        const int step = board.stepCost(from, to);
        if (step == ImpassableCost || !board.passable(to)) {
            return -1; // not a walk: a jump, or into a tree
        }
        cost += step;
        from = to;
    }
    return cost;
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
