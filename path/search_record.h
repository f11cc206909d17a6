// What a search leaves behind for those who watch it: the record of every step, which the
// search view, the playback, the panel and the title read, the same for every search.
#pragma once

#include "path/search_kinds.h"

#include <algorithm>
#include <cmath>
#include <vector>

// A walk as tiles, from the first step on to the target, and what it costs under the board's
// rule: each step, plus the extra cost of every tile entered, the target's included. Cost
// -1: no walk.
struct Route {
    std::vector<int> tiles;
    double cost = -1;
};

// What a search knew of a tile when it stopped: its cost from the start, its heuristic, their
// sum and the tile it was reached from.
struct TileCosts {
    double g = 0;
    double h = 0;
    double f = 0;
    int from = -1;
    bool operator==(const TileCosts&) const = default;
};

// What a trace read from a file gave beyond the steps: each tile's costs and parent as it
// last gave them (a cost NaN: none), the end's cost of the walk (NaN: none), and the tiles
// it left open. Empty for a search of our own.
struct TracedFigures {
    bool fromFile = false;
    std::vector<TileCosts> costs;
    double walkCost = NAN;
    int open = 0;
};

// What a search did, step by step, written by the recording listener; what it knew of each
// tile stays in its frontier (GridSearch::costsOf).
struct SearchRecord {
    SearchKind kind = SearchKind::FirstSightAStar;
    long long serial = 0; // a new one with every search and every clearing: a new record
    int start = -1;       // the tiles searched between
    int target = -1;
    std::vector<int> closed;   // tiles in the order the search expanded them, the start first
    std::vector<int> opened;   // tiles in the order they joined the open list
    std::vector<int> openedAt; // for each of `opened`: how many tiles were closed when it joined
    std::vector<int> walk;     // the walk found, first step first
    bool found = false;        // a walk was found (with no steps when start and target are one)
    int targetFrom = -1;       // the tile the target was reached from (-1 for none)
    // The tiles jumps looked at on their way, in order, and for each how many tiles were
    // closed when it was (JPS's scans; empty for the other searches).
    std::vector<int> scanned;
    std::vector<int> scannedAt;
    // For a search from both ends: for each of `closed`, whether the target's side closed it;
    // and the tile where the two sides' walks met (-1 for none). Empty and -1 for the others.
    std::vector<bool> fromTarget;
    int meeting = -1;
    // The search did not run: it needs a board of one cost, and this one has stones or water.
    bool refused = false;
    TracedFigures traced;

    // Tiles still open when the search stopped: every closed tile but the start (and for a
    // search from both ends the target) left the open list for it.
    int stillOpen() const {
        const int roots = fromTarget.size() > 1 ? 2 : 1;
        return static_cast<int>(opened.size()) -
               std::max(static_cast<int>(closed.size()) - roots, 0);
    }
};
