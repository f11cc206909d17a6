// The longest walk a map offers, for the demo, the tests and the benchmarks, which want a
// walk worth watching or timing.
#pragma once

#include "world/world.h"

#include <cstddef>
#include <tuple>

// The walkable pair of tiles with the longest path the world's own search finds, trying
// every `stride`-th start against every `stride`-th target. Returns the path's length, or 0.
inline std::size_t longestWalk(World& map, int* start, int* target, int stride = 1) {
    std::size_t longest = 0;
    for (int from = 0; from < map.board.tileCount(); from += stride) {
        for (int to = 0; to < map.board.tileCount(); to += stride) {
            if (from != to && map.board.passable(from) && map.board.passable(to)) {
                map.clickTile(from);
                map.clickTile(to);
                if (map.walk.walking && map.walk.path.size() > longest) {
                    std::tie(longest, *start, *target) = std::tuple(map.walk.path.size(), from, to);
                }
            }
        }
    }
    return longest;
}
