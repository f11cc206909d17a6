// A map's tiles on the board, without any model: each tile's map code and whether it lies
// outside the board. The world is one with the models added (world/world.h); trace and
// bench read a map into one alone, so that they hold nothing to draw.
#pragma once

#include "path/board.h"

#include <vector>

struct MapCodes;

struct MapTile {
    int kind = 0; // its map code: ground until the map gives it one
    // Not part of the board (a benchmark map's '@' or 'O'): never entered, never drawn.
    bool outside = false;
};

struct MapBoard {
    Board board;
    std::vector<MapTile> tiles;
    int outsideTiles = 0;

    // Sizes the board and its tiles, every one ground.
    void buildTiles(int columns, int rows);
    // A tile's map code, and the extra cost the tile kinds table gives it; a tile outside the
    // board is painted onto it.
    void setTileCode(int tile, int code);
    // Takes a tile off the board: no kind, never entered.
    void makeOutside(int tile);
};

// The tiles of `map` on a board its size: each with its code, a benchmark map's
// out-of-bounds tiles outside the board.
void readTiles(MapBoard& into, const MapCodes& map);
