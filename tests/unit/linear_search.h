// The program's search as it was first written: plain lists scanned from the front, the
// smallest f found by a scan that keeps the first of equals. Kept here to hold the
// heap-based search to exactly the same steps.
#pragma once

#include "path/search.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <functional>
#include <queue>
#include <tuple>
#include <vector>

// The program's own step costs by slot, written out again: the reference does not take them
// from the code it checks.
constexpr int StepCosts[8] = {14, 10, 14, 10, 10, 14, 10, 14};

// The tile in neighbour slot `s` of `tile`, or -1 off the board.
inline int neighbourOf(const Board& board, int tile, int s) {
    const int c = tile % board.columns + SlotColumn[s], r = tile / board.columns + SlotRow[s];
    return c >= 0 && c < board.columns && r >= 0 && r < board.rows ? r * board.columns + c : -1;
}

// What it did, and for each tile that joined its open list the costs it knew at the end.
struct LinearSearch {
    SearchRecord record;
    std::vector<TileCosts> openedCosts;
};

inline LinearSearch linearSearch(const Board& w, int start, int target) {
    const int n = w.tileCount();
    std::vector<int> g(n, 0), f(n, 0), h(n, 0), parent(n, -1), open, closed;
    for (int i = 0; i < n; ++i) {
        h[i] = 10 * (std::abs(i / w.columns - target / w.columns) +
                     std::abs(i % w.columns - target % w.columns));
    }
    LinearSearch result;
    SearchRecord& record = result.record;
    record.start = start;
    record.target = target;
    auto has = [](const std::vector<int>& list, int tile) {
        return std::find(list.begin(), list.end(), tile) != list.end();
    };
    auto close = [&](int tile) {
        closed.push_back(tile);
        record.closed.push_back(tile);
    };
    // True when the target is a neighbour of `current`.
    auto expand = [&](int current) {
        for (int s = 0; s < 8; ++s) {
            const int t = neighbourOf(w, current, s);
            if (t < 0 || has(closed, t) || !w.passable(t)) {
                continue;
            }
            if (t == target) {
                parent[t] = current;
                return true;
            }
            const int newG = StepCosts[s] + g[current] + w.extraCost(t);
            if (!has(open, t)) {
                parent[t] = current, g[t] = newG, f[t] = newG + h[t];
                open.push_back(t);
                record.opened.push_back(t);
                record.openedAt.push_back(static_cast<int>(closed.size()));
            } else if (g[t] > newG) {
                g[t] = newG, f[t] = newG + h[t], parent[t] = current;
            }
        }
        return false;
    };
    f[start] = h[start];
    close(start);
    bool found = start == target;
    for (int current = start; !found;) {
        if (expand(current)) {
            found = true;
            break;
        }
        int best = -1, bestF = INT_MAX;
        for (int t : open) {
            if (f[t] < bestF) {
                bestF = f[t], best = t;
            }
        }
        if (best < 0) {
            break;
        }
        close(best);
        open.erase(std::find(open.begin(), open.end(), best));
        current = best;
    }
    for (int t : record.opened) {
        result.openedCosts.push_back(
            TileCosts{double(g[t]), double(h[t]), double(f[t]), parent[t]});
    }
    record.found = found;
    if (found && start != target) {
        record.targetFrom = parent[target];
        for (int t = target; t != start; t = parent[t]) {
            record.walk.insert(record.walk.begin(), t);
        }
    }
    return result;
}

// The cheapest walk between two tiles by a plain exhaustive search (Dijkstra, ties broken by
// tile), apart from the program's own searches, to hold them against.
inline Route exhaustiveCheapest(const Board& board, int from, int to) {
    std::vector<int> best(std::size_t(board.tileCount()), -1);
    std::vector<int> cameFrom(std::size_t(board.tileCount()), -1);
    using Entry = std::tuple<int, int, int>; // cost, tile, the tile it was entered from
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
        for (int s = 0; s < 8 && tile != to; s++) {
            const int n = neighbourOf(board, tile, s);
            if (n >= 0 && board.passable(n) && best[n] < 0) {
                todo.push({cost + StepCosts[s] + board.extraCost(n), n, tile});
            }
        }
    }
    Route route;
    route.cost = best[to];
    for (int t = to; route.cost >= 0 && t != from; t = cameFrom[t]) {
        route.tiles.insert(route.tiles.begin(), t);
    }
    return route;
}
