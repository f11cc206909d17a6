// The searches a walk can be planned with, each one row of one table: what it is called, the
// key that chooses it, what it promises and needs, and the parts it is assembled from. Adding
// a search is adding a row (and, for a new way of expanding a tile, a policy).
#pragma once

#include "path/heuristics.h"

#include <cstdint>
#include <string>

// In the order the keys 1 to 9, then 0, choose them. The first is the program's own: A* that
// stops at its first sight of the target. JPS and Theta* run on a board of one cost only;
// the bidirectional two grow a frontier from each end; D* Lite searches from the target back
// to the walker, and a walk under fog keeps it between plans (path/dstar_lite.h).
enum class SearchKind : std::uint8_t {
    FirstSightAStar,
    AStar,
    Dijkstra,
    Greedy,
    BreadthFirst,
    JPS,
    ThetaStar,
    BidirectionalAStar,
    BidirectionalDijkstra,
    DStarLite
};
constexpr int SearchKindCount = 10;

// How a tile is expanded: its neighbours under the rule; jumps along straight and diagonal
// runs to the tiles where a run must turn; or its neighbours, each reached straight from the
// tile's own parent when in line of sight of it.
enum class Expansion : std::uint8_t { Neighbours, Jumps, SightParents };
// What the open list takes the smallest of; by joining order it is a queue.
enum class Order : std::uint8_t { GPlusH, G, H, Joining };
// Among tiles of equal key, which is taken first.
enum class Ties : std::uint8_t { FirstJoined };
// When it stops: on first seeing the target beside the tile it expands, or on taking it.
enum class Stop : std::uint8_t { AtSight, AtTaking };

struct SearchRow {
    const char* name;
    char key;
    bool promisesCheapest;
    bool needsOneCost; // refused on a board with stones or water
    bool anyAngle;     // its walk is straight segments between tiles not always neighbours
    Expansion expansion;
    Heuristic heuristic;
    Order order;
    Ties ties;
    bool updates; // an open tile's cost may drop (false: a tile joins once and keeps it)
    Stop stop;
    bool takesHeuristic; // its heuristic may be chosen
    bool takesWeight;    // its estimate may be weighted
    bool bothEnds;       // a second frontier grows from the target to meet the first
    bool fromTarget;     // it searches from the target back to the walker
};

// What is chosen for a search that takes a choice: its heuristic (none chosen: its row's)
// and the weight its estimate counts with, from 1 to 10.
struct SearchSettings {
    bool heuristicChosen = false;
    Heuristic heuristic = Heuristic::Octile;
    double weight = 1;
    bool operator==(const SearchSettings&) const = default;
};
inline constexpr double MinWeight = 1;
inline constexpr double MaxWeight = 10;

// What a search promises of its walk with those settings under a rule: the cheapest; at most
// the weight times the cheapest; or nothing.
enum class Promise : std::uint8_t { Shortest, Bounded, None };

const SearchRow& searchRow(SearchKind kind);
// "first-sight A*", "A*", "Dijkstra", "greedy", "breadth-first", "JPS", "Theta*",
// "bidirectional A*", "bidirectional Dijkstra", "D* Lite".
const char* searchName(SearchKind kind);
// The search of that name; false when no search has it.
bool searchNamed(const std::string& name, SearchKind* kind);
// The search the key `key` chooses; false when no search has it.
bool searchKeyed(char key, SearchKind* kind);
inline bool promisesCheapest(SearchKind kind) {
    return searchRow(kind).promisesCheapest;
}
inline bool needsOneCost(SearchKind kind) {
    return searchRow(kind).needsOneCost;
}
inline bool anyAngle(SearchKind kind) {
    return searchRow(kind).anyAngle;
}
// The heuristic and weight a search counts with: its row's (under four ways Manhattan for
// octile), or what is chosen where it takes it.
Heuristic heuristicOf(SearchKind kind, const SearchSettings& settings, MoveRule rule);
double weightOf(SearchKind kind, const SearchSettings& settings);
Promise promiseOf(SearchKind kind, const SearchSettings& settings, MoveRule rule);
// A weight with as few figures as it needs: "2", "1.5", "2.25".
std::string weightText(double weight);
// "shortest", "at most 1.5 x shortest", "no promise".
std::string promiseText(SearchKind kind, const SearchSettings& settings, MoveRule rule);
// "A*", "A* Manhattan x2", "greedy Euclidean": a search and what is chosen for it that differs
// from its own under `rule`.
std::string settingsCaption(SearchKind kind, const SearchSettings& settings, MoveRule rule);

// "JPS needs a board of one cost: this one has stones or water".
std::string oneCostNotice(SearchKind kind);
// A search's estimate of what is left from `tile` to `target` on a board `columns` wide,
// in the rule's unit.
double searchHeuristic(SearchKind kind, MoveRule rule, int columns, int tile, int target);
