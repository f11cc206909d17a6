// A walk planned with D* Lite: its search is kept between plans, and a plan after the first
// repairs it from the tiles changed since (under fog, what the monkey saw; without, a paint).
// The record it leaves is the last plan's closings, as every search's.
#include "world/world.h"

#include <climits>

namespace {

// What the search view reads of the last plan: its closings, by tile (the plan before's
// forgotten first, while its list still stands).
void forgetClosings(Walk& walk, int tiles) {
    if (static_cast<int>(walk.dstarClosedAt.size()) != tiles) {
        walk.dstarClosedAt.assign(static_cast<std::size_t>(tiles), -1);
        return;
    }
    for (int tile : walk.dstar.closedLastPlan()) {
        walk.dstarClosedAt[tile] = -1;
    }
}

void noteClosings(Walk& walk) {
    walk.search.closed = walk.dstar.closedLastPlan();
    for (std::size_t i = 0; i < walk.search.closed.size(); i++) {
        walk.dstarClosedAt[walk.search.closed[i]] = static_cast<int>(i);
    }
}

} // namespace

void World::planWithDStar(Walk& walk, long long tiles) {
    const Board& known = planBoard(walk);
    if (!walk.dstarBegun) {
        const bool repair = walk.repairs && walk.dstar.targetTile() == walk.target &&
                            walk.dstar.ruleOf() == known.rule &&
                            static_cast<int>(walk.dstarClosedAt.size()) == known.tileCount();
        forgetClosings(walk, known.tileCount());
        if (repair) {
            walk.dstar.moveTo(known, walk.start);
            for (int tile : walk.changedTiles) {
                walk.dstar.tileChanged(known, tile);
            }
        } else {
            walk.dstar.begin(known, walk.start, walk.target);
            walk.repairs = true;
        }
        walk.changedTiles.clear();
        walk.dstar.startPlan();
        walk.dstarBegun = true;
        walk.dstarRepairing = repair;
        return;
    }
    // A big board's first plan goes on over frames, as every search's does.
    if (!walk.dstar.carryOn(known, tiles)) {
        return;
    }
    walk.dstarBegun = false;
    const bool repair = walk.dstarRepairing;
    SearchRecord& record = walk.search;
    noteClosings(walk);
    record.kind = SearchKind::DStarLite;
    record.start = walk.start;
    record.target = walk.target;
    record.found = walk.dstar.found();
    record.walk = record.found ? walk.dstar.walk(known) : std::vector<int>{};
    record.targetFrom = record.walk.size() > 1 ? record.walk[record.walk.size() - 2] : walk.start;
    walk.newSearchClosed = -1;
    if (repair) {
        GridSearch fresh;
        fresh.begin(known, SearchKind::AStar, walk.start, walk.target);
        fresh.advance(known, LLONG_MAX);
        walk.newSearchClosed = fresh.closedCount();
    }
    endPlan(walk);
}

void World::noteChanged(int tile) {
    forEachWalk([tile](Walk& w) {
        if (w.repairs) {
            w.changedTiles.push_back(tile);
        }
    });
}
