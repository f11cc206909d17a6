// Straight lines between tile centres, for the any-angle search (Theta*) and its walk: whether
// one is clear, the tiles it crosses and its length (path/theta_star.cpp).
//
// A tile is the square between its edges; a line runs from centre to centre. It is in line
// of sight when it passes through the inside of no tile that cannot be entered (a tree, a
// tile outside the board). Under the benchmark's rule it also touches no corner of one: like
// a diagonal step of that rule, it never squeezes past a corner. Under the program's own rule
// it may graze a tree's corner, and pass exactly between two trees that meet at a corner, as
// a diagonal step may. A line never runs along an edge (centres lie half a tile off every
// edge), so it touches an edge only where it passes through the inside of a tile or through
// a corner. Every step of a rule is in line of sight under that rule.
#pragma once

#include "path/search.h"

#include <cmath>
#include <vector>

// Whether the line between the centres of tiles `a` and `b` is clear under `rule`; false
// when either is a tile that cannot be entered or off the board.
bool lineOfSight(const Board& board, int a, int b, MoveRule rule);

// The tiles whose inside the line from `a`'s centre to `b`'s passes through, in order, `a`
// first and `b` last (both appended to `tiles`). The tiles only touched at a corner are not
// among them.
void appendSegmentTiles(const Board& board, int a, int b, std::vector<int>& tiles);

// The tiles a walk of segments crosses, from `from` through each waypoint in turn, in the
// order the walk reaches them; a waypoint where one segment ends and the next begins once.
std::vector<int> segmentsTiles(const Board& board, int from, const std::vector<int>& waypoints);

// A tile length in the rule's unit: 10 under the program's own rule, 1 under the benchmark's.
inline double tileLength(MoveRule rule) {
    return costModel(rule).tileLength;
}

// The length of the line between the centres of `a` and `b` on a board `columns` wide, in
// tile lengths.
inline double segmentTileLengths(int columns, int a, int b) {
    return std::hypot(double(a % columns - b % columns), double(a / columns - b / columns));
}
