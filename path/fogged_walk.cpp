// The walker under fog, step by step: plan, step, look, plan again where the way ahead
// turned out other than assumed.
#include "path/fogged_walk.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>

std::vector<int> cornersPassed(const Board& board, int from, const std::vector<int>& tiles) {
    std::vector<int> corners;
    if (!costModel(board.rule).cornersGuarded) {
        return corners;
    }
    for (int to : tiles) {
        const int fc = from % board.columns, fr = from / board.columns;
        const int tc = to % board.columns, tr = to / board.columns;
        if (fc != tc && fr != tr) {
            corners.push_back(fr * board.columns + tc);
            corners.push_back(tr * board.columns + fc);
        }
        from = to;
    }
    return corners;
}

namespace {

using Clock = std::chrono::steady_clock;

// A plan from nothing with `kind` on what is known: its walk, cost and tiles closed.
struct Scratch {
    std::vector<int> walk;
    double cost = HUGE_VAL;
    int closed = 0;
};

Scratch fromNothing(GridSearch& search, const Board& known, SearchKind kind, int from, int to) {
    search.begin(known, kind, from, to);
    search.advance(known, LLONG_MAX);
    Scratch plan;
    plan.closed = search.closedCount();
    if (search.found) {
        plan.walk = search.walkFound();
        plan.cost = walkCost(known, kind, from, plan.walk);
    }
    return plan;
}

// Whether any of `changed` lies on the way ahead, its tiles or the corners its diagonals pass.
bool wayAheadChanged(const Board& known, int at, const std::vector<int>& ahead,
                     const std::vector<int>& changed) {
    if (changed.empty()) {
        return false;
    }
    std::vector<int> assumed = ahead;
    const std::vector<int> corners = cornersPassed(known, at, ahead);
    assumed.insert(assumed.end(), corners.begin(), corners.end());
    for (int tile : changed) {
        if (std::find(assumed.begin(), assumed.end(), tile) != assumed.end()) {
            return true;
        }
    }
    return false;
}

} // namespace

FoggedWalk walkUnderFog(const Board& truth, int start, int goal, int sight, SearchKind kind,
                        int mostPlans) {
    FoggedWalk walk;
    Fog fog;
    fog.begin(truth, sight);
    fog.look(truth, start);
    walk.stood.push_back(start);
    const bool repairs = kind == SearchKind::DStarLite;
    DStarLite dstar;
    GridSearch search, scratchSearch;
    if (repairs) {
        dstar.begin(fog.known, start, goal);
    }
    int at = start;
    std::vector<int> ahead, changed;
    bool replan = true;
    while (at != goal) {
        if (replan) {
            if (static_cast<int>(walk.plans.size()) >= mostPlans) {
                walk.gaveUp = true;
                return walk;
            }
            FoggedPlan plan{at, HUGE_VAL, HUGE_VAL, 0, 0};
            const auto began = Clock::now();
            if (repairs) {
                dstar.moveTo(fog.known, at);
                for (int tile : changed) {
                    dstar.tileChanged(fog.known, tile);
                }
                plan.closed = dstar.plan(fog.known);
                plan.cost = dstar.cost();
                ahead = dstar.walk(fog.known);
            } else {
                const Scratch own = fromNothing(search, fog.known, kind, at, goal);
                plan.closed = own.closed;
                plan.cost = own.cost;
                ahead = own.walk;
            }
            const auto ownEnd = Clock::now();
            const Scratch astar =
                fromNothing(scratchSearch, fog.known, SearchKind::AStar, at, goal);
            walk.seconds += std::chrono::duration<double>(ownEnd - began).count();
            walk.scratchSeconds += std::chrono::duration<double>(Clock::now() - ownEnd).count();
            plan.scratchCost = astar.cost;
            plan.scratchClosed = astar.closed;
            walk.plans.push_back(plan);
            changed.clear();
            std::reverse(ahead.begin(), ahead.end()); // the next step last
            if (plan.cost == HUGE_VAL || ahead.empty()) {
                return walk; // what it knows leaves no way
            }
        }
        const int next = ahead.back();
        ahead.pop_back();
        if (!truth.passable(next)) {
            walk.intoTree = true;
            return walk;
        }
        at = next;
        walk.stood.push_back(at);
        const std::vector<int> seen = fog.look(truth, at);
        changed.insert(changed.end(), seen.begin(), seen.end());
        std::vector<int> way(ahead.rbegin(), ahead.rend());
        replan = wayAheadChanged(fog.known, at, way, seen) || (ahead.empty() && at != goal);
        if (repairs && !replan) {
            dstar.moveTo(fog.known, at);
        }
    }
    walk.reached = true;
    return walk;
}
