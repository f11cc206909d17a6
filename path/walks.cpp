// What a walk costs, and the cheapest walk between two tiles: a plain exhaustive search
// (Dijkstra) over the same steps and costs as the A* search, which stops early and so may
// find a dearer walk. Tools and tests hold the A* walk against it.
#include "world/world.h"

#include <algorithm>
#include <functional>
#include <queue>
#include <tuple>

int World::walkCost(int from, const std::vector<int>& tiles) const {
    int cost = 0;
    for (int to : tiles) {
        const int step = stepCost(from, to);
        if (step == ImpassableCost || !nodes[to].passable()) {
            return -1; // not a walk: a jump, or into a tree
        }
        cost += step;
        from = to;
    }
    return cost;
}

Walk World::cheapestWalk(int from, int to) const {
    std::vector<int> best(nodes.size(), -1);
    std::vector<int> cameFrom(nodes.size(), -1);
    // Cost, tile, the tile it was entered from: the full ordering makes ties fall the same
    // way every time.
    using Entry = std::tuple<int, int, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> todo;
    todo.push({0, from, -1});
    while (!todo.empty()) {
        const auto [cost, tile, previous] = todo.top();
        todo.pop();
        if (best[tile] >= 0) {
            continue;
        }
        best[tile] = cost;
        cameFrom[tile] = previous;
        if (tile == to) {
            break;
        }
        for (int s = 0; s < 8; s++) {
            const GridNode* n = nodes[tile].neighbours[s];
            if (n && n->passable() && best[n->index] < 0) {
                todo.push({cost + StepCosts[s] + n->terrainCost, n->index, tile});
            }
        }
    }
    Walk walk;
    walk.cost = best[to];
    for (int t = to; walk.cost >= 0 && t != from; t = cameFrom[t]) {
        walk.tiles.push_back(t);
    }
    std::reverse(walk.tiles.begin(), walk.tiles.end());
    return walk;
}
