// The table of searches and the estimates they take their next tile by.
#include "path/search_kinds.h"

#include <cstdlib>

namespace {

using enum Expansion;
using enum Heuristic;
using enum Order;
using enum Stop;
constexpr Ties First = Ties::FirstJoined;

// name, key, promises cheapest, needs one cost, any angle, expansion, heuristic, order, ties,
// updates, stop.
constexpr SearchRow Rows[SearchKindCount] = {
    {"first-sight A*", '1', false, false, false, Neighbours, Manhattan, GPlusH, First, true,
     AtSight},
    {"A*", '2', true, false, false, Neighbours, Octile, GPlusH, First, true, AtTaking},
    {"Dijkstra", '3', true, false, false, Neighbours, Zero, G, First, true, AtTaking},
    {"greedy", '4', false, false, false, Neighbours, Octile, H, First, false, AtTaking},
    {"breadth-first", '5', false, false, false, Neighbours, Zero, Joining, First, false, AtTaking},
    {"JPS", '6', true, true, false, Jumps, Octile, GPlusH, First, true, AtTaking},
    {"Theta*", '7', false, true, true, SightParents, Euclidean, GPlusH, First, true, AtTaking},
};

} // namespace

const SearchRow& searchRow(SearchKind kind) {
    return Rows[static_cast<int>(kind)];
}

const char* searchName(SearchKind kind) {
    return searchRow(kind).name;
}

bool searchNamed(const std::string& name, SearchKind* kind) {
    for (int i = 0; i < SearchKindCount; i++) {
        if (name == Rows[i].name) {
            *kind = static_cast<SearchKind>(i);
            return true;
        }
    }
    return false;
}

bool searchKeyed(char key, SearchKind* kind) {
    for (int i = 0; i < SearchKindCount; i++) {
        if (key == Rows[i].key) {
            *kind = static_cast<SearchKind>(i);
            return true;
        }
    }
    return false;
}

std::string oneCostNotice(SearchKind kind) {
    return std::string(searchName(kind)) +
           " needs a board of one cost: this one has stones or water";
}

double searchHeuristic(SearchKind kind, MoveRule rule, int columns, int tile, int target) {
    return estimate(searchRow(kind).heuristic, costModel(rule),
                    std::abs(tile % columns - target % columns),
                    std::abs(tile / columns - target / columns));
}
