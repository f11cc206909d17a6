// What a step, a tile's extra cost, a line and an estimate cost under each movement rule: the
// one place the searches, the walk's cost and the heuristics take their numbers from.
#pragma once

#include "path/board.h"

// The program's own rule counts a straight step 10 and a diagonal 14 and lets a diagonal step
// pass a corner of a tile that cannot be entered. The benchmark sets' rule counts in a tenth
// of that unit, a straight step 1 and a diagonal √2, and a diagonal step needs both tiles it
// passes between enterable; stones and water cost the same tiles there, 2 and 4. Four ways
// takes no diagonal step at all, 10 a step in the program's unit; its lines of sight touch
// no blocked corner, as the benchmark's.
struct CostModel {
    MoveRule rule;
    double straight;     // a straight step
    double diagonal;     // a diagonal step
    double extraUnit;    // a board's extra costs are divided by this
    double tileLength;   // a tile's side: the unit of lines and of the estimates
    bool cornersGuarded; // no diagonal step passes, and no line touches, a blocked corner
    bool diagonals;      // diagonal steps are taken at all

    double step(int slot) const { return SlotDiagonal[slot] ? diagonal : straight; }
    double extra(int boardExtra) const { return boardExtra / extraUnit; }
};

inline constexpr CostModel CornersCutCosts{MoveRule::CornersCut, 10, 14, 1, 10, false, true};
inline constexpr CostModel BenchmarkCosts{MoveRule::Benchmark, 1, Sqrt2, 10, 1, true, true};
inline constexpr CostModel FourWaysCosts{MoveRule::FourWays, 10, 20, 1, 10, true, false};

inline const CostModel& costModel(MoveRule rule) {
    return rule == MoveRule::Benchmark  ? BenchmarkCosts
           : rule == MoveRule::FourWays ? FourWaysCosts
                                        : CornersCutCosts;
}
