// The board as the searches read it: its size, each tile's extra cost and whether it can be
// entered. It knows nothing of the walks on it (every walk, the world's own, each racer's, is
// a value of its own that reads the board), nor of what the tiles look like.
#pragma once

#include "path/slots.h"

#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

// How a board is walked. The program's own rule lets a diagonal step pass a tree's corner and
// counts a straight step 10 and a diagonal 14. The benchmark sets' rule needs both tiles a
// diagonal step passes between to be passable (trees and tiles outside the board block it,
// stones and water do not) and counts in their unit, a tenth of ours: a straight step 1, a
// diagonal one √2, stones and water 2 and 4 more.
enum class MoveRule : std::uint8_t { CornersCut, Benchmark, FourWays };
constexpr int MoveRuleCount = 3;
// "corners cut", "benchmark", "four ways"; the rule of that name (false: no rule has it).
const char* ruleName(MoveRule rule);
bool ruleNamed(const std::string& name, MoveRule* rule);

// Costs are real numbers: whole under the program's own rule, where they are exact, and
// sums of 1, √2, 2 and 4 under the benchmark's.
inline constexpr double Sqrt2 = std::numbers::sqrt2;
inline constexpr double NoStep = -1.0;

// A number no earlier call returned, in the whole process: records, tiles and views compare
// these to tell what changed, so one from another world or walk never matches by chance.
long long nextSerial();

struct Board {
    int columns = 0;
    int rows = 0;
    int weightedTiles = 0; // stones, water: tiles that cost more to enter than ground
    // What the searches read, flat: the tiles in rows `stride` (columns + 2) wide with a
    // border all round that cannot be entered, so that no step needs a bounds test. A tile's
    // place there is its cell (cellOf). `extra`: each cell's extra cost of entering it
    // (ImpassableCost: never entered); `enterable`: the same as bits, a word 64 cells.
    int stride = 0;
    std::vector<int> extra;
    std::vector<std::uint64_t> enterable;
    // A new serial with every tile given a cost (a paint among them): what shows changed.
    long long tilesSerial = nextSerial();
    // How every walk on the board steps; a search keeps the rule it began with.
    MoveRule rule = MoveRule::CornersCut;

    // Sizes the board, every tile ground.
    void buildGrid(int columns, int rows);
    // A tile's extra cost of entering it (ImpassableCost: never entered).
    void setExtraCost(int tile, int extraCost);
    // No stones and no water: every tile that can be entered costs the same.
    bool oneCost() const { return weightedTiles == 0; }
    // What one step between neighbouring tiles costs under the board's rule; NoStep when it
    // is no step: not neighbours, into a tile that cannot be entered, or past a corner the
    // rule does not let it cut.
    double stepCost(int from, int to) const;
    int tileCount() const { return columns * rows; }
    int cellOf(int tile) const { return (tile / columns + 1) * stride + tile % columns + 1; }
    int tileOf(int cell) const { return (cell / stride - 1) * columns + cell % stride - 1; }
    int extraCost(int tile) const { return extra[cellOf(tile)]; }
    bool passable(int tile) const { return cellEnterable(cellOf(tile)); }
    bool cellEnterable(int cell) const { return (enterable[cell >> 6] >> (cell & 63)) & 1; }
};
