// Clicks on tiles as the mouse step hands them to the world, for tests, tools and
// benchmarks that drive a World directly.
#pragma once

#include "world/world.h"

#include <cstddef>
#include <tuple>

// A click on the centre of tile `index`: its anchor is the corner with the largest x and the
// smallest z, and the world takes z negated.
inline void clickTile(World& map, int index) {
    const float* anchor = map.nodes[index].mesh.position;
    map.requestPath(int(anchor[0]) - TileSize / 2, -int(anchor[2]) - TileSize / 2);
}

// The walkable pair of tiles with the longest path the world's own search finds, trying
// every `stride`-th start against every `stride`-th target. Returns the path's length, or 0.
inline std::size_t longestWalk(World& map, int* start, int* target, int stride = 1) {
    std::size_t longest = 0;
    for (int from = 0; from < map.nodeCount; from += stride) {
        for (int to = 0; to < map.nodeCount; to += stride) {
            if (from != to && map.nodes[from].kind != 1 && map.nodes[to].kind != 1) {
                clickTile(map, from);
                clickTile(map, to);
                if (map.walking && map.path.size() > longest) {
                    std::tie(longest, *start, *target) = std::tuple(map.path.size(), from, to);
                }
            }
        }
    }
    return longest;
}
