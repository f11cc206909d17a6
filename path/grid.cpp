// The walk grid: sizing, linking and numbering the tiles, and turning ground points into
// tiles.
#include "world/world.h"

#include <climits>

namespace {

// Column and row offsets of the eight neighbour slots, in slot order.
constexpr int SlotColumn[8] = {-1, 0, 1, -1, 1, -1, 0, 1};
constexpr int SlotRow[8] = {-1, -1, -1, 0, 0, 1, 1, 1};

} // namespace

void World::buildGrid(int columnCount, int rowCount) {
    columns = columnCount;
    rows = rowCount;
    nodeCount = columns * rows;
    // Every link points into this vector, so it is sized here once and never again.
    nodes.assign(static_cast<size_t>(nodeCount), GridNode());

    for (int r = 0; r < rows; r++) {
        for (int c = 0; c < columns; c++) {
            GridNode& node = nodes[r * columns + c];
            for (int s = 0; s < 8; s++) {
                int nc = c + SlotColumn[s];
                int nr = r + SlotRow[s];
                bool inside = nc >= 0 && nc < columns && nr >= 0 && nr < rows;
                node.neighbours[s] = inside ? &nodes[nr * columns + nc] : nullptr;
            }
            node.index = r * columns + c;
        }
    }
}

int World::tileIndexAt(int x, int v) const {
    // The divisions truncate toward zero on purpose: a point up to 9 units beyond the low
    // edges still lands on the first column or row. The sums are formed in 64 bits only so
    // that picks far off the grid cannot overflow; every in-range result is the 32-bit one.
    long long halfC = columns / 2;
    long long halfR = rows / 2;
    long long col = (TileSize * halfC + x) / TileSize;
    long long row = (TileSize * halfR - v) / TileSize;
    if (col < 0 || col > columns - 1 || row < 0 || row > rows - 1) {
        return -1;
    }
    return static_cast<int>(row * columns + col);
}

int World::tileIndexOf(float column, float row) const {
    double index = static_cast<double>(columns) * row + column;
    // A value no int can hold (or NaN) names no tile; converting it would be undefined.
    if (!(index > static_cast<double>(INT_MIN) - 1.0 &&
          index < static_cast<double>(INT_MAX) + 1.0)) {
        return -1;
    }
    return static_cast<int>(index);
}
