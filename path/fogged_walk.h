// A walk under fog, run whole without a window: the walker plans on what it knows, steps,
// looks round, and plans again whenever what it sees differs from what its plan assumed on
// the way ahead. With D* Lite the plans are repairs of one search; with any other search each
// plan is a search from nothing. At every plan an A* from nothing on the same knowledge is
// run beside it, as the measure of what a plan from nothing costs.
#pragma once

#include "path/dstar_lite.h"
#include "path/fog.h"
#include "path/search.h"

#include <vector>

// One plan: where the walker stood, the cost it found (infinite: no walk) and the tiles it
// closed, beside A*'s from nothing.
struct FoggedPlan {
    int tile = -1;
    double cost = 0;
    double scratchCost = 0;
    int closed = 0;
    int scratchClosed = 0;
};

struct FoggedWalk {
    std::vector<int> stood; // every tile the walker stood on, the start first
    std::vector<FoggedPlan> plans;
    bool reached = false;  // it stands on its target
    bool intoTree = false; // a step entered a tile that cannot be entered (never should)
    bool gaveUp = false;   // it needed more plans than it was allowed
    double seconds = 0;    // the plans' time in all, and the A* plans' beside them
    double scratchSeconds = 0;
};

inline constexpr int MostPlans = 100000;

// The tiles a walk from `from` by `tiles` passes between on its diagonal steps, where the
// rule lets no step pass a blocked corner: what a plan assumes of them too.
std::vector<int> cornersPassed(const Board& board, int from, const std::vector<int>& tiles);

// Walks from `start` to `goal` on `truth` under fog of `sight` tiles, planning with `kind`.
FoggedWalk walkUnderFog(const Board& truth, int start, int goal, int sight, SearchKind kind,
                        int mostPlans = MostPlans);
