// What a walker knows of a board under fog: every tile within its sight (a Chebyshev distance)
// of a tile it has stood on, and nothing else. A tile it has not seen is planned over as
// ground, tiles outside the board included, until it is seen.
#pragma once

#include "path/board.h"

#include <cstdint>
#include <vector>

inline constexpr int DefaultSight = 5;
inline constexpr int MaxSight = 64;

struct Fog {
    int sight = DefaultSight;
    Board known;                    // the board as the walker knows it
    std::vector<std::uint8_t> seen; // by tile
    int seenCount = 0;

    // Nothing seen yet: the known board all ground, of the truth's size and rule.
    void begin(const Board& truth, int sightTiles);
    // The walker stands on `tile`: the tiles within its sight are seen. Returns those whose
    // known cost changed (a tree, stones or water where ground was assumed).
    std::vector<int> look(const Board& truth, int tile);
    // A tile made known as it now is (a paint); whether its known cost changed.
    bool learn(const Board& truth, int tile);
    bool isSeen(int tile) const {
        return tile >= 0 && tile < static_cast<int>(seen.size()) && seen[tile] != 0;
    }
};
