// Ground points into tiles and back.
#include "world/tile_geometry.h"

#include <climits>

int tileIndexAt(const Board& board, int x, int v) {
    // The divisions truncate toward zero on purpose: a point up to 9 units beyond the low
    // edges still lands on the first column or row. The sums are formed in 64 bits only so
    // that picks far off the grid cannot overflow; every in-range result is the 32-bit one.
    long long halfC = board.columns / 2;
    long long halfR = board.rows / 2;
    long long col = (TileSize * halfC + x) / TileSize;
    long long row = (TileSize * halfR - v) / TileSize;
    if (col < 0 || col > board.columns - 1 || row < 0 || row > board.rows - 1) {
        return -1;
    }
    return static_cast<int>(row * board.columns + col);
}

int tileIndexOf(const Board& board, float column, float row) {
    double index = static_cast<double>(board.columns) * row + column;
    // A value no int can hold (or NaN) names no tile; converting it would be undefined.
    if (!(index > static_cast<double>(INT_MIN) - 1.0 &&
          index < static_cast<double>(INT_MAX) + 1.0)) {
        return -1;
    }
    return static_cast<int>(index);
}

Vec3 tileAnchor(const Board& board, int index) {
    const int c = index % board.columns;
    const int r = index / board.columns;
    return Vec3{double(TileSize * (c + 1 - board.columns / 2)), 0.0,
                double(TileSize * (r - board.rows / 2))};
}

Vec3 tileCentre(const Board& board, int index) {
    const Vec3 anchor = tileAnchor(board, index);
    return Vec3{anchor.x - TileSize / 2.0, 0.0, anchor.z + TileSize / 2.0};
}

BoardEdges boardEdges(const Board& board) {
    // A tile spans 10 to the -x of its anchor and 10 to the +z.
    const Vec3 first = tileAnchor(board, 0);
    const Vec3 last = tileAnchor(board, board.tileCount() - 1);
    return BoardEdges{static_cast<float>(first.x) - TileSize, static_cast<float>(last.x),
                      static_cast<float>(first.z), static_cast<float>(last.z) + TileSize};
}

int tileOfWaypoint(const Board& board, const Vec3& waypoint) {
    return tileIndexAt(board, static_cast<int>(waypoint.x) - TileSize / 2,
                       -static_cast<int>(waypoint.z) - TileSize / 2);
}

void clickPoint(const Board& board, int tile, int* x, int* v) {
    const Vec3 centre = tileCentre(board, tile);
    *x = static_cast<int>(centre.x);
    *v = -static_cast<int>(centre.z);
}
