// The search against a plain Dijkstra over the same costs, on many random maps: it finds
// a path exactly when one exists, the path is a real walk, and its cost stays within 10/7
// of the cheapest (the Manhattan heuristic overestimates a diagonal by at most that).
#include "world_files.h"

#include <gtest/gtest.h>

#include <queue>
#include <random>

namespace {

// The terrain cost of a tile by its code; -1 for a tree or off the map: never entered.
int terrainAt(const Codes& codes, Tile t) {
    const int terrain[4] = {0, -1, 20, 40};
    bool inside = t.second >= 0 && t.second < static_cast<int>(codes.size()) && t.first >= 0 &&
                  t.first < static_cast<int>(codes[0].size());
    return inside ? terrain[codes[t.second][t.first]] : -1;
}

// Cost of stepping onto a neighbour; the target's own terrain never counts.
int stepCost(const Codes& codes, Tile from, Tile to, Tile target) {
    int step = from.first != to.first && from.second != to.second ? 14 : 10;
    return step + (to == target ? 0 : terrainAt(codes, to));
}

// The cheapest cost from start to target, or -1 when trees wall the target off.
int cheapest(const Codes& codes, Tile start, Tile target) {
    Codes done = filledCodes(static_cast<int>(codes[0].size()), static_cast<int>(codes.size()), 0);
    std::priority_queue<std::pair<int, Tile>, std::vector<std::pair<int, Tile>>, std::greater<>>
        queue;
    queue.push({0, start});
    while (!queue.empty()) {
        auto [cost, at] = queue.top();
        queue.pop();
        if (at == target) {
            return cost;
        }
        if (done[at.second][at.first]++) {
            continue;
        }
        for (int s = 0; s < 9; s++) {
            Tile next{at.first + s % 3 - 1, at.second + s / 3 - 1};
            if (next != at && terrainAt(codes, next) >= 0) {
                queue.push({cost + stepCost(codes, at, next, target), next});
            }
        }
    }
    return -1;
}

} // namespace

TEST(SearchProperty, MatchesDijkstraOnRandomMaps) {
    std::mt19937 random(20240611);
    auto below = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    TempFolder folder;
    int found = 0, unreachable = 0, suboptimal = 0;
    for (int map = 0; map < 1500 && !::testing::Test::HasFailure(); map++) {
        Codes codes = filledCodes(1 + below(20), 1 + below(20), 0);
        int treePercent = below(50);
        for (auto& row : codes) {
            for (int& code : row) {
                code = below(100) < treePercent ? 1 : below(4);
            }
        }
        World w = worldFrom(folder, codes);
        for (int walk = 0; walk < 12; walk++) {
            Tile start{below(w.columns), below(w.rows)};
            Tile target{below(w.columns), below(w.rows)};
            if (terrainAt(codes, start) < 0 || terrainAt(codes, target) < 0) {
                continue;
            }
            SCOPED_TRACE(::testing::Message() << "map " << map << ", walk " << walk);
            clickTile(w, start.first, start.second);
            clickTile(w, target.first, target.second);
            int optimum = cheapest(codes, start, target);
            ASSERT_EQ(w.walking, optimum >= 0);
            unreachable += optimum < 0;
            if (optimum < 0) {
                continue;
            }
            // Walk the path from the start: its last point first.
            Tiles tiles = pathTiles(w);
            Tile at = start;
            int cost = 0;
            for (auto it = tiles.rbegin(); it != tiles.rend(); ++it) {
                ASSERT_TRUE(*it != at && std::abs(it->first - at.first) <= 1 &&
                            std::abs(it->second - at.second) <= 1 && terrainAt(codes, *it) >= 0);
                cost += stepCost(codes, at, *it, target);
                at = *it;
                // Each tile on the way holds the cost of reaching it as the search counted it.
                ASSERT_TRUE(at == target || w.nodes[at.second * w.columns + at.first].g == cost);
            }
            ASSERT_EQ(at, target);
            EXPECT_GE(cost, optimum);
            EXPECT_LE(cost * 7, optimum * 10);
            found++;
            suboptimal += cost > optimum;
        }
    }
    // The maps must really exercise both outcomes and the detours.
    EXPECT_GT(found, 4000);
    EXPECT_GT(unreachable, 800);
    EXPECT_GT(suboptimal, 60);
}
