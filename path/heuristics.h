// The estimates a search may take its next tile by, each chosen apart from the search: what
// is left from a tile `dc` columns and `dr` rows from the target, in the cost model's unit.
#pragma once

#include "path/cost_model.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

enum class Heuristic : std::uint8_t {
    Zero,      // no estimate at all
    Manhattan, // the rows and columns apart times a straight step: may overestimate
    Octile,    // a diagonal step for each row and column both apart, straight ones for the rest
    Euclidean, // the straight line: no walk of any angle is shorter
    Chebyshev, // a straight step for each row or column apart, whichever are more
};
constexpr int HeuristicCount = 5;

// "none", "Manhattan", "octile", "Euclidean", "Chebyshev".
const char* heuristicName(Heuristic heuristic);
// The heuristic of that name, case and all; false when none has it.
bool heuristicNamed(const std::string& name, Heuristic* heuristic);
// Whether it may count more than the cheapest walk left under the model: Manhattan where a
// diagonal step costs less than two straight ones, Euclidean where it costs less than the
// diagonal's length.
bool mayOverestimate(Heuristic heuristic, const CostModel& costs);

// dc and dr are the distances apart, neither negative.
inline double estimate(Heuristic heuristic, const CostModel& costs, int dc, int dr) {
    switch (heuristic) {
    case Heuristic::Manhattan:
        return costs.tileLength * (dc + dr);
    case Heuristic::Octile:
        // Never more than the cheapest walk, so A* taking the target stops on a cheapest.
        return costs.straight * std::max(dc, dr) +
               (costs.diagonal - costs.straight) * std::min(dc, dr);
    case Heuristic::Euclidean:
        return costs.tileLength * std::hypot(double(dc), double(dr));
    case Heuristic::Chebyshev:
        return costs.straight * std::max(dc, dr);
    case Heuristic::Zero:
        break;
    }
    return 0;
}
