// A tile's eight neighbour slots; what a step into one costs is the cost model's.
#pragma once

#include <climits>

// The extra cost of a tile that is never entered (a tree, the border, outside the board).
constexpr int ImpassableCost = INT_MAX;

// Neighbour slots: 0 up-left, 1 up, 2 up-right, 3 left, 4 right, 5 down-left, 6 down,
// 7 down-right. "Up" is toward smaller rows, "left" toward smaller columns.
// The opposite of slot s is 7 - s.
constexpr bool SlotDiagonal[8] = {true, false, true, false, false, true, false, true};
// Column and row offsets of the slots, in slot order.
constexpr int SlotColumn[8] = {-1, 0, 1, -1, 1, -1, 0, 1};
constexpr int SlotRow[8] = {-1, -1, -1, 0, 0, 1, 1, 1};
