#include "tools/demo_walks.h"

#include "world/tile_kinds.h"

#include <cstdlib>

std::vector<int> walkTiles(World& map, int from, int to) {
    map.clickTile(from);
    map.clickTile(to);
    // From the search's walk, which leaves out the start (the path holds the next waypoint
    // last).
    std::vector<int> walk{from};
    for (int tile : map.walk.search.walk) {
        walk.push_back(tile);
    }
    return walk;
}

std::pair<int, int> astrayWalk(World& map, int stride) {
    std::pair<int, int> best{-1, -1};
    int worst = -1;
    for (int from = 0; from < map.board.tileCount(); from += stride) {
        for (int to = 0; to < map.board.tileCount(); to += stride) {
            if (from == to || !map.board.passable(from) || !map.board.passable(to)) {
                continue;
            }
            map.clickTile(from);
            map.clickTile(to);
            const double extra = map.walk.found.cost - map.walk.cheapest.cost;
            if (map.walk.search.found && extra > worst) {
                worst = extra;
                best = {from, to};
            }
        }
    }
    return best;
}

int tileToPaint(World& map, int from, int to) {
    map.clickTile(from);
    map.clickTile(to);
    const std::vector<int> walk = map.walk.search.walk;
    int chosen = -1;
    for (size_t i = 0; i + 1 < walk.size(); ++i) {
        World painted(map.mapFileName);
        painted.clickTile(from);
        painted.clickTile(to);
        if (map.tiles[walk[i]].kind != GroundCode) {
            continue;
        }
        painted.paintTile(walk[i], TreeCode);
        const int goal = static_cast<int>(walk.size()) * 2 / 3;
        if (painted.walk.search.walk != walk &&
            (chosen < 0 || std::abs(int(i) - goal) < std::abs(chosen - goal))) {
            chosen = static_cast<int>(i);
        }
    }
    return chosen < 0 ? -1 : walk[chosen];
}
