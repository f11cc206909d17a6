// The search against a plain Dijkstra over the same costs, on many random maps: it finds
// a path exactly when one exists, the path is a real walk, and its cost stays within 10/7
// of the cheapest (the Manhattan heuristic overestimates a diagonal by at most that).
#include "world_files.h"

#include <gtest/gtest.h>

#include <climits>
#include <queue>
#include <random>

namespace {

constexpr int Straight = 10;
constexpr int Diagonal = 14;

int terrainOf(int code) {
    switch (code) {
    case 1:
        return -1; // tree: never entered
    case 2:
        return 20;
    case 3:
        return 40;
    default:
        return 0;
    }
}

// Cost of entering `to` from the next tile: the step, plus the terrain unless `to` is
// the target, whose own cost the search never counts.
int stepCost(const Codes& codes, int fromC, int fromR, int toC, int toR, bool toTarget) {
    int step = (fromC != toC && fromR != toR) ? Diagonal : Straight;
    return step + (toTarget ? 0 : terrainOf(codes[toR][toC]));
}

// The cheapest cost from start to target, or -1 when the target cannot be reached.
int cheapest(const Codes& codes, int startC, int startR, int targetC, int targetR) {
    int rows = static_cast<int>(codes.size());
    int columns = static_cast<int>(codes[0].size());
    std::vector<int> best(columns * rows, INT_MAX);
    using Entry = std::pair<int, int>; // cost, tile
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> queue;
    best[startR * columns + startC] = 0;
    queue.push({0, startR * columns + startC});
    while (!queue.empty()) {
        auto [cost, tile] = queue.top();
        queue.pop();
        if (cost > best[tile]) {
            continue;
        }
        int c = tile % columns;
        int r = tile / columns;
        if (c == targetC && r == targetR) {
            return cost;
        }
        for (int dr = -1; dr <= 1; dr++) {
            for (int dc = -1; dc <= 1; dc++) {
                int nc = c + dc;
                int nr = r + dr;
                if ((dc == 0 && dr == 0) || nc < 0 || nc >= columns || nr < 0 || nr >= rows ||
                    codes[nr][nc] == 1) {
                    continue;
                }
                bool isTarget = nc == targetC && nr == targetR;
                int next = cost + stepCost(codes, c, r, nc, nr, isTarget);
                if (next < best[nr * columns + nc]) {
                    best[nr * columns + nc] = next;
                    queue.push({next, nr * columns + nc});
                }
            }
        }
    }
    return -1;
}

} // namespace

TEST(SearchProperty, MatchesDijkstraOnRandomMaps) {
    const unsigned seed = 20240611;
    std::mt19937 random(seed);
    TempFolder folder;
    int found = 0, unreachable = 0, suboptimal = 0;

    for (int map = 0; map < 1500; map++) {
        SCOPED_TRACE("seed " + std::to_string(seed) + ", map " + std::to_string(map));
        int columns = std::uniform_int_distribution<int>(1, 20)(random);
        int rows = std::uniform_int_distribution<int>(1, 20)(random);
        double treeShare = std::uniform_real_distribution<double>(0.0, 0.5)(random);
        Codes codes = filledCodes(columns, rows, 0);
        for (auto& row : codes) {
            for (int& code : row) {
                code = std::bernoulli_distribution(treeShare)(random)
                           ? 1
                           : std::uniform_int_distribution<int>(0, 3)(random);
            }
        }
        World w = worldFrom(folder, codes);

        for (int walk = 0; walk < 4; walk++) {
            auto pick = [&]() {
                std::uniform_int_distribution<int> column(0, columns - 1), row(0, rows - 1);
                for (int tries = 0; tries < 50; tries++) {
                    std::pair<int, int> tile{column(random), row(random)};
                    if (codes[tile.second][tile.first] != 1) {
                        return tile;
                    }
                }
                return std::pair<int, int>{-1, -1};
            };
            auto [startC, startR] = pick();
            auto [targetC, targetR] = pick();
            if (startC < 0 || targetC < 0) {
                break; // a map of trees
            }
            SCOPED_TRACE("from (" + std::to_string(startC) + ", " + std::to_string(startR) +
                         ") to (" + std::to_string(targetC) + ", " + std::to_string(targetR) + ")");
            clickTile(w, startC, startR);
            clickTile(w, targetC, targetR);
            ASSERT_EQ(w.clickPhase, 0);
            ASSERT_TRUE(w.banana.visible);

            int optimum = cheapest(codes, startC, startR, targetC, targetR);
            if (optimum < 0) {
                EXPECT_FALSE(w.walking);
                EXPECT_TRUE(w.path.empty());
                unreachable++;
                continue;
            }
            ASSERT_TRUE(w.walking);
            if (startC == targetC && startR == targetR) {
                EXPECT_TRUE(w.path.empty());
                continue;
            }
            found++;

            // Walk the path from the start: the last point first.
            auto tiles = pathTiles(w);
            ASSERT_FALSE(tiles.empty());
            ASSERT_EQ(tiles.front(), (std::pair<int, int>{targetC, targetR}));
            int c = startC, r = startR, cost = 0;
            for (auto it = tiles.rbegin(); it != tiles.rend(); ++it) {
                auto [nc, nr] = *it;
                ASSERT_TRUE(nc >= 0 && nc < columns && nr >= 0 && nr < rows);
                ASSERT_LE(std::abs(nc - c), 1);
                ASSERT_LE(std::abs(nr - r), 1);
                ASSERT_FALSE(nc == c && nr == r);
                ASSERT_NE(codes[nr][nc], 1) << "walks through a tree";
                cost += stepCost(codes, c, r, nc, nr, it + 1 == tiles.rend());
                c = nc;
                r = nr;
            }
            EXPECT_GE(cost, optimum);
            EXPECT_LE(cost * 7, optimum * 10);
            suboptimal += cost > optimum;
        }
    }
    // The maps must really exercise both outcomes and the detours.
    EXPECT_GT(found, 2000);
    EXPECT_GT(unreachable, 200);
    EXPECT_GT(suboptimal, 50);
}
