// Made maps: the same seed makes the same map; a maze is perfect, rooms are all reachable,
// random maps have the shares asked for.
#include "world/map_maker.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace {

// Ground tiles reached from the first one by straight steps, and the straight joins
// between ground tiles.
struct Ground {
    int tiles = 0;
    int reached = 0;
    int joins = 0;
};

Ground ground(const MapCodes& map) {
    const int columns = static_cast<int>(map.columns);
    const int count = static_cast<int>(map.codes.size());
    Ground g;
    int first = -1;
    for (int i = 0; i < count; ++i) {
        if (map.codes[i] == 1) {
            continue;
        }
        g.tiles++;
        first = first < 0 ? i : first;
        g.joins += (i % columns + 1 < columns && map.codes[i + 1] != 1) +
                   (i + columns < count && map.codes[i + columns] != 1);
    }
    std::vector<bool> seen(count, false);
    std::deque<int> queue{first};
    seen[first] = true;
    while (!queue.empty()) {
        const int t = queue.front();
        queue.pop_front();
        g.reached++;
        for (int n : {t - columns, t + columns, t % columns ? t - 1 : -1,
                      t % columns + 1 < columns ? t + 1 : -1}) {
            if (n >= 0 && n < count && !seen[n] && map.codes[n] != 1) {
                seen[n] = true;
                queue.push_back(n);
            }
        }
    }
    return g;
}

} // namespace

TEST(MapMaker, MazesArePerfectAndRoomsAllReachable) {
    for (const auto& [columns, rows] : {std::pair{3, 3}, {21, 11}, {64, 64}, {50, 37}, {100, 7}}) {
        for (unsigned seed : {1u, 2u, 99u}) {
            const MapCodes maze = makeMap({MapKind::Maze, columns, rows, seed});
            const Ground g = ground(maze);
            EXPECT_EQ(g.reached, g.tiles) << columns << "x" << rows << " seed " << seed;
            EXPECT_EQ(g.joins, g.tiles - 1) << "a tree of corridors: one way between two tiles";
            EXPECT_TRUE(columns * rows == 9 || g.tiles > columns * rows / 5);

            const MapCodes rooms = makeMap({MapKind::Rooms, columns, rows, seed});
            const Ground r = ground(rooms);
            EXPECT_EQ(r.reached, r.tiles) << columns << "x" << rows << " seed " << seed;
            EXPECT_TRUE(columns * rows == 9 || r.joins > r.tiles - 1) << "rooms, not corridors";
        }
    }
}

TEST(MapMaker, TheSameSeedMakesTheSameMapAndRandomMapsHaveTheirShares) {
    for (MapKind kind : {MapKind::Maze, MapKind::Rooms, MapKind::Random}) {
        const MapRecipe recipe{kind, 40, 30, 7};
        EXPECT_EQ(mapText(makeMap(recipe)), mapText(makeMap(recipe))) << mapKindName(kind);
        MapRecipe other = recipe;
        other.seed = 8;
        EXPECT_NE(mapText(makeMap(recipe)), mapText(makeMap(other))) << mapKindName(kind);
    }
    for (const auto& [trees, stones, water] :
         {std::tuple{20, 10, 5}, {0, 0, 0}, {50, 30, 20}, {3, 61, 1}}) {
        const MapCodes map = makeMap({MapKind::Random, 64, 64, 3, trees, stones, water});
        int counts[4] = {};
        for (int code : map.codes) {
            counts[code]++;
        }
        const double tiles = 64 * 64;
        EXPECT_NEAR(counts[1] * 100 / tiles, trees, 2.0);
        EXPECT_NEAR(counts[2] * 100 / tiles, stones, 2.0);
        EXPECT_NEAR(counts[3] * 100 / tiles, water, 2.0);
    }
    EXPECT_NE(recipeProblem({MapKind::Maze, 2, 40, 1}), "");
    EXPECT_NE(recipeProblem({MapKind::Maze, 4097, 3, 1}), "");
    EXPECT_NE(recipeProblem({MapKind::Random, 10, 10, 1, 60, 30, 20}), "");
    EXPECT_EQ(recipeProblem({MapKind::Random, 3, 3, 1, 60, 30, 10}), "");
}
