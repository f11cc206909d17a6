// What each search is called and what it promises, and the estimates the searches take
// their next tile by.
#include "path/search.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

const char* const Names[SearchKindCount] = {"first-sight A*", "A*",  "Dijkstra", "greedy",
                                            "breadth-first",  "JPS", "Theta*"};

} // namespace

const char* searchName(SearchKind kind) {
    return Names[static_cast<int>(kind)];
}

bool searchNamed(const std::string& name, SearchKind* kind) {
    for (int i = 0; i < SearchKindCount; i++) {
        if (name == Names[i]) {
            *kind = static_cast<SearchKind>(i);
            return true;
        }
    }
    return false;
}

bool promisesCheapest(SearchKind kind) {
    return kind == SearchKind::AStar || kind == SearchKind::Dijkstra || kind == SearchKind::JPS;
}

bool needsOneCost(SearchKind kind) {
    return kind == SearchKind::JPS || kind == SearchKind::ThetaStar;
}

std::string oneCostNotice(SearchKind kind) {
    return std::string(searchName(kind)) +
           " needs a board of one cost: this one has stones or water";
}

bool anyAngle(SearchKind kind) {
    return kind == SearchKind::ThetaStar;
}

double searchHeuristic(SearchKind kind, MoveRule rule, int columns, int tile, int target) {
    const int dc = std::abs(tile % columns - target % columns);
    const int dr = std::abs(tile / columns - target / columns);
    const bool benchmark = rule == MoveRule::Benchmark;
    if (kind == SearchKind::FirstSightAStar) {
        // The rows and columns apart times a straight step: it may overestimate, as the
        // program's own does.
        return (benchmark ? 1 : 10) * (dc + dr);
    }
    if (kind == SearchKind::ThetaStar) {
        // The straight line: no walk of any angle is shorter.
        return (benchmark ? 1.0 : 10.0) * std::hypot(double(dc), double(dr));
    }
    if (kind != SearchKind::AStar && kind != SearchKind::Greedy && kind != SearchKind::JPS) {
        return 0;
    }
    // Octile: a diagonal step for each row and column both apart, straight steps for the
    // rest. Never more than the cheapest walk, so A* taking the target stops on a cheapest.
    const int most = std::max(dc, dr), least = std::min(dc, dr);
    return benchmark ? most + (Sqrt2 - 1) * least : 10 * most + 4 * least;
}
