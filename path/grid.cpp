// The board's grid: sizing, linking and numbering the tiles, and turning ground points into
// tiles and back.
#include "path/board.h"
#include "path/cost_model.h"

#include <cstdlib>

#include <climits>

long long nextSerial() {
    static long long last = 0;
    return ++last;
}

void Board::buildGrid(int columnCount, int rowCount) {
    columns = columnCount;
    rows = rowCount;
    nodeCount = columns * rows;
    // Every link points into this vector, so it is sized here once and never again.
    nodes.assign(static_cast<size_t>(nodeCount), GridNode());
    // Every tile ground at first; the border is never entered.
    stride = columns + 2;
    const std::size_t cells = static_cast<std::size_t>(stride) * static_cast<std::size_t>(rows + 2);
    extra.assign(cells, ImpassableCost);
    enterable.assign((cells + 63) / 64, 0);
    for (int tile = 0; tile < nodeCount; tile++) {
        const int cell = cellOf(tile);
        extra[cell] = 0;
        enterable[cell >> 6] |= std::uint64_t{1} << (cell & 63);
    }
    weightedTiles = 0;

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
            const Vec3 anchor = tileAnchor(node.index);
            node.mesh.position[0] = static_cast<float>(anchor.x);
            node.mesh.position[2] = static_cast<float>(anchor.z);
        }
    }
    tilesSerial = nextSerial();
}

void Board::setKind(int tile, int kind, int terrainCost) {
    const auto weighted = [](int cost) { return cost != 0 && cost != ImpassableCost; };
    const int cell = cellOf(tile);
    weightedTiles += int(weighted(terrainCost)) - int(weighted(extra[cell]));
    nodes[tile].kind = kind;
    nodes[tile].terrainCost = terrainCost;
    extra[cell] = terrainCost;
    const std::uint64_t bit = std::uint64_t{1} << (cell & 63);
    enterable[cell >> 6] =
        terrainCost == ImpassableCost ? enterable[cell >> 6] & ~bit : enterable[cell >> 6] | bit;
    tilesSerial = nextSerial();
}

int Board::tileIndexAt(int x, int v) const {
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

int Board::tileIndexOf(float column, float row) const {
    double index = static_cast<double>(columns) * row + column;
    // A value no int can hold (or NaN) names no tile; converting it would be undefined.
    if (!(index > static_cast<double>(INT_MIN) - 1.0 &&
          index < static_cast<double>(INT_MAX) + 1.0)) {
        return -1;
    }
    return static_cast<int>(index);
}

Vec3 Board::tileAnchor(int index) const {
    const int c = index % columns;
    const int r = index / columns;
    return Vec3{double(TileSize * (c + 1 - columns / 2)), 0.0, double(TileSize * (r - rows / 2))};
}

Vec3 Board::tileCentre(int index) const {
    const Vec3 anchor = tileAnchor(index);
    return Vec3{anchor.x - TileSize / 2.0, 0.0, anchor.z + TileSize / 2.0};
}

Board::Edges Board::boardEdges() const {
    // A tile spans 10 to the -x of its anchor and 10 to the +z.
    const Vec3 first = tileAnchor(0);
    const Vec3 last = tileAnchor(nodeCount - 1);
    return Edges{static_cast<float>(first.x) - TileSize, static_cast<float>(last.x),
                 static_cast<float>(first.z), static_cast<float>(last.z) + TileSize};
}

int Board::tileOfWaypoint(const Vec3& waypoint) const {
    return tileIndexAt(static_cast<int>(waypoint.x) - TileSize / 2,
                       -static_cast<int>(waypoint.z) - TileSize / 2);
}

const char* ruleName(MoveRule rule) {
    return rule == MoveRule::Benchmark ? "benchmark" : "corners cut";
}

bool ruleNamed(const std::string& name, MoveRule* rule) {
    for (MoveRule r : {MoveRule::CornersCut, MoveRule::Benchmark}) {
        if (name == ruleName(r)) {
            *rule = r;
            return true;
        }
    }
    return false;
}

double Board::stepCost(int from, int to) const {
    const int dc = to % columns - from % columns;
    const int dr = to / columns - from / columns;
    if (to < 0 || to >= tileCount() || !passable(to) || from == to || std::abs(dc) > 1 ||
        std::abs(dr) > 1) {
        return NoStep; // into a tile that cannot be entered, or not a step
    }
    const CostModel& costs = costModel(rule);
    const bool diagonal = dc != 0 && dr != 0;
    if (diagonal && costs.cornersGuarded &&
        !(passable(from + dc) && passable(from + dr * columns))) {
        return NoStep;
    }
    return (diagonal ? costs.diagonal : costs.straight) + costs.extra(extraCost(to));
}

void Board::clickPoint(int tile, int* x, int* v) const {
    const Vec3 centre = tileCentre(tile);
    *x = static_cast<int>(centre.x);
    *v = -static_cast<int>(centre.z);
}
