// One tile of the board: its eight neighbours, the search fields the grid dumps show, its
// kind and extra cost, and its model.
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
constexpr bool SlotDiagonal[8] = {true, false, true, false, false, true, false, true};
// Column and row offsets of the slots, in slot order.
constexpr int SlotColumn[8] = {-1, 0, 1, -1, 1, -1, 0, 1};
constexpr int SlotRow[8] = {-1, -1, -1, 0, 0, 1, 1, 1};

struct GridNode {
    GridNode* neighbours[8] = {};
    // What the world's own search knew of the tile when it stopped (the grid dumps show it).
    int f = 0;
    int g = 0;
    int h = 0;
    // A tile whose map code names no kind keeps this: open ground that can be walked.
    int terrainCost = 0;
    int index = 0;
    int kind = 0;
    GridNode* parent = nullptr;
    Mesh mesh;
    // Not part of the board (a benchmark map's '@' or 'O'): never entered, never drawn.
    bool outside = false;

    // Trees are never entered and never stood on.
    bool passable() const { return terrainCost != ImpassableCost; }
    void printNeighbours() const;
};
