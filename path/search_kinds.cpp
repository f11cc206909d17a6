// The table of searches and the estimates they take their next tile by.
#include "path/search_kinds.h"

#include <cstdio>
#include <cstdlib>

namespace {

using enum Expansion;
using enum Heuristic;
using enum Order;
using enum Stop;
constexpr Ties First = Ties::FirstJoined;

// name, key, promises cheapest, needs one cost, any angle, expansion, heuristic, order, ties,
// updates, stop, takes a heuristic, takes a weight, from both ends, from the target.
constexpr SearchRow Rows[SearchKindCount] = {
    {"first-sight A*", '1', false, false, false, Neighbours, Manhattan, GPlusH, First, true,
     AtSight, false, false, false, false},
    {"A*", '2', true, false, false, Neighbours, Octile, GPlusH, First, true, AtTaking, true, true,
     false, false},
    {"Dijkstra", '3', true, false, false, Neighbours, Zero, G, First, true, AtTaking, false, false,
     false, false},
    {"greedy", '4', false, false, false, Neighbours, Octile, H, First, false, AtTaking, true, false,
     false, false},
    {"breadth-first", '5', false, false, false, Neighbours, Zero, Joining, First, false, AtTaking,
     false, false, false, false},
    {"JPS", '6', true, true, false, Jumps, Octile, GPlusH, First, true, AtTaking, true, true, false,
     false},
    {"Theta*", '7', false, true, true, SightParents, Euclidean, GPlusH, First, true, AtTaking,
     false, false, false, false},
    {"bidirectional A*", '8', true, false, false, Neighbours, Octile, GPlusH, First, true, AtTaking,
     true, true, true, false},
    {"bidirectional Dijkstra", '9', true, false, false, Neighbours, Zero, G, First, true, AtTaking,
     false, false, true, false},
    {"D* Lite", '0', true, false, false, Neighbours, Octile, GPlusH, First, true, AtTaking, false,
     false, false, true},
};

const char* const HeuristicNames[HeuristicCount] = {"none", "Manhattan", "octile", "Euclidean",
                                                    "Chebyshev"};

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

const char* heuristicName(Heuristic heuristic) {
    return HeuristicNames[static_cast<int>(heuristic)];
}

bool heuristicNamed(const std::string& name, Heuristic* heuristic) {
    for (int i = 0; i < HeuristicCount; i++) {
        if (name == HeuristicNames[i]) {
            *heuristic = static_cast<Heuristic>(i);
            return true;
        }
    }
    return false;
}

bool mayOverestimate(Heuristic heuristic, const CostModel& costs) {
    switch (heuristic) {
    case Heuristic::Manhattan:
        return costs.diagonals && costs.diagonal < 2 * costs.straight;
    case Heuristic::Euclidean:
        return costs.diagonals && costs.diagonal < costs.tileLength * Sqrt2;
    default:
        return false;
    }
}

Heuristic heuristicOf(SearchKind kind, const SearchSettings& settings, MoveRule rule) {
    const SearchRow& row = searchRow(kind);
    if (row.takesHeuristic && settings.heuristicChosen) {
        return settings.heuristic;
    }
    // Octile is the default where diagonal steps are taken; with four ways, Manhattan.
    return row.heuristic == Heuristic::Octile && !costModel(rule).diagonals ? Heuristic::Manhattan
                                                                            : row.heuristic;
}

double weightOf(SearchKind kind, const SearchSettings& settings) {
    return searchRow(kind).takesWeight ? settings.weight : 1;
}

Promise promiseOf(SearchKind kind, const SearchSettings& settings, MoveRule rule) {
    if (!searchRow(kind).promisesCheapest ||
        mayOverestimate(heuristicOf(kind, settings, rule), costModel(rule))) {
        return Promise::None;
    }
    return weightOf(kind, settings) > 1 ? Promise::Bounded : Promise::Shortest;
}

std::string weightText(double weight) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", weight);
    return text;
}

std::string promiseText(SearchKind kind, const SearchSettings& settings, MoveRule rule) {
    switch (promiseOf(kind, settings, rule)) {
    case Promise::Shortest:
        return "shortest";
    case Promise::Bounded:
        return "at most " + weightText(weightOf(kind, settings)) + " x shortest";
    case Promise::None:
        break;
    }
    return "no promise";
}

std::string settingsCaption(SearchKind kind, const SearchSettings& settings, MoveRule rule) {
    std::string caption = searchName(kind);
    const Heuristic heuristic = heuristicOf(kind, settings, rule);
    if (heuristic != heuristicOf(kind, {}, rule)) {
        caption += std::string(" ") + heuristicName(heuristic);
    }
    if (weightOf(kind, settings) != 1) {
        caption += " x" + weightText(weightOf(kind, settings));
    }
    return caption;
}
