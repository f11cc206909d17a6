// trace --fog: the walk under fog, plan by plan, beside A* from nothing on the same knowledge.
#include "path/fogged_walk.h"
#include "tools/trace.h"

#include <cmath>
#include <cstdio>
#include <iostream>

namespace {

std::string fogCost(double cost, MoveRule rule) {
    return cost == HUGE_VAL ? "-" : costText(cost, rule, 8);
}

} // namespace

int printFoggedWalk(const Board& board, const TracedWalk& walk, int sight) {
    const FoggedWalk fogged = walkUnderFog(board, walk.start, walk.target, sight, walk.kind);
    std::vector<int> steps(fogged.stood.begin() + 1, fogged.stood.end());
    std::cout << "under fog " << sight << ": " << count(fogged.plans.size(), "plan") << ", "
              << count(steps.size(), "step") << " walked";
    if (fogged.reached) {
        std::cout << ", cost " << fogCost(routeCost(board, walk.start, steps), board.rule)
                  << ", cheapest " << fogCost(walk.cheapest.cost, board.rule);
    }
    std::cout << "\n\n";
    std::printf("%4s  %-9s %14s %7s %14s %7s\n", "plan", "tile", "cost", "closed", "A* cost",
                "closed");
    for (std::size_t i = 0; i < fogged.plans.size(); i++) {
        const FoggedPlan& p = fogged.plans[i];
        std::printf("%4zu  %-9s %14s %7d %14s %7d\n", i + 1, name(board, p.tile).c_str(),
                    fogCost(p.cost, board.rule).c_str(), p.closed,
                    fogCost(p.scratchCost, board.rule).c_str(), p.scratchClosed);
    }
    std::cout << "\nstood on:";
    for (int tile : fogged.stood) {
        std::cout << ' ' << name(board, tile);
    }
    std::cout << '\n';
    if (!fogged.reached) {
        std::cerr << "trace: under fog the monkey came to know no way from "
                  << name(board, fogged.stood.back()) << " to " << name(board, walk.target) << '\n';
        return 1;
    }
    return 0;
}
