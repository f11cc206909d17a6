// The walker's knowledge under fog: a board of its own, all ground until seen.
#include "path/fog.h"

#include <algorithm>

void Fog::begin(const Board& truth, int sightTiles) {
    sight = sightTiles;
    known = Board();
    known.buildGrid(truth.columns, truth.rows);
    known.rule = truth.rule;
    seen.assign(static_cast<std::size_t>(truth.tileCount()), 0);
    seenCount = 0;
}

bool Fog::learn(const Board& truth, int tile) {
    seenCount += seen[tile] == 0;
    seen[tile] = 1;
    const int cost = truth.extraCost(tile);
    if (known.extraCost(tile) == cost) {
        return false;
    }
    known.setExtraCost(tile, cost);
    return true;
}

std::vector<int> Fog::look(const Board& truth, int tile) {
    std::vector<int> changed;
    const int c = tile % truth.columns, r = tile / truth.columns;
    for (int row = std::max(r - sight, 0); row <= std::min(r + sight, truth.rows - 1); row++) {
        for (int column = std::max(c - sight, 0); column <= std::min(c + sight, truth.columns - 1);
             column++) {
            const int t = row * truth.columns + column;
            if (!seen[t] && learn(truth, t)) {
                changed.push_back(t);
            }
        }
    }
    return changed;
}
