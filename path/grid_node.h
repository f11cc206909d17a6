// One tile of the walk grid: its eight neighbours, the A* bookkeeping and its model.
#pragma once

#include "mesh/mesh.h"

#include <climits>

constexpr int TileSize = 10;
constexpr int ImpassableCost = INT_MAX;

// Neighbour slots: 0 up-left, 1 up, 2 up-right, 3 left, 4 right, 5 down-left, 6 down,
// 7 down-right. "Up" is toward smaller rows (-z), "left" toward smaller columns (-x).
// The opposite of slot s is 7 - s.
// Step cost by neighbour slot: 14 for the diagonals, 10 for the straight steps.
constexpr int StepCosts[8] = {14, 10, 14, 10, 10, 14, 10, 14};

struct GridNode {
    GridNode* neighbours[8] = {};
    int f = 0;
    int g = 0;
    int h = 0;
    // A tile whose map code names no kind keeps this: open ground that can be walked.
    int terrainCost = 0;
    int index = 0;
    int kind = 0;
    GridNode* parent = nullptr;
    Mesh mesh;
    bool marked = false;
    // Not part of the board (a benchmark map's '@' or 'O'): never entered, never drawn.
    bool outside = false;
    // The tile's place in the order tiles joined the open list of the search under way.
    int joinOrder = 0;

    // Trees are never entered and never stood on.
    bool passable() const { return terrainCost != ImpassableCost; }
    void printNeighbours() const;
};
