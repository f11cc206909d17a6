// Where the board's tiles lie on the ground: tiles TileSize on a side, centred on the origin,
// columns along +x and rows along +z. Ground points turn into tiles and back here.
#pragma once

#include "mesh/mesh.h"
#include "path/board.h"

constexpr int TileSize = 10;

// The tile under ground point (x, -v), or -1 off the board.
int tileIndexAt(const Board& board, int x, int v);
// The tile at column, row, or -1 for a place no int can number.
int tileIndexOf(const Board& board, float column, float row);
// A tile's anchor (its corner with the largest x and smallest z, where its model is placed)
// and centre on the ground; the tile of a path waypoint (an anchor).
Vec3 tileAnchor(const Board& board, int index);
Vec3 tileCentre(const Board& board, int index);
int tileOfWaypoint(const Board& board, const Vec3& waypoint);
// The board's edges on the ground: x from `left` to `right`, z from `top` to `bottom`.
struct BoardEdges {
    float left, right, top, bottom;
};
BoardEdges boardEdges(const Board& board);
// The ground point of a tile's centre as a click hands it over: x and -z, truncated.
void clickPoint(const Board& board, int tile, int* x, int* v);
