// A walk's life on the world's board: its monkey placed on a start, its search begun and
// carried on a slice at a time, its path and lights made from what the search found, and
// the cheapest walk between the same tiles looked for, for the figures.
#include "path/any_angle.h"
#include "world/world.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// A search record that no search has written yet, between the walk's tiles.
SearchRecord freshRecord(const Walk& walk) {
    SearchRecord record;
    record.serial = nextSerial();
    record.kind = walk.kind;
    record.start = walk.start;
    record.target = walk.target;
    return record;
}

} // namespace

void World::relight(Walk& walk) const {
    // Only the tiles lit before are put out: a big board's million stay as they are.
    if (walk.marked.size() != tiles.size()) {
        walk.marked.assign(tiles.size(), 0);
        walk.litTiles.clear();
    }
    for (int tile : walk.litTiles) {
        walk.marked[tile] = 0;
    }
    walk.litTiles.clear();
    auto light = [&walk](int tile) {
        if (tile >= 0) {
            walk.marked[tile] = 1;
            walk.litTiles.push_back(tile);
        }
    };
    light(walk.start);
    light(walk.target);
    if (anyAngle(walk.search.kind) && walk.search.found) {
        // An any-angle walk lights every tile its segments cross, not only their ends.
        for (int tile : segmentsTiles(board, walk.search.start, walk.search.walk)) {
            light(tile);
        }
    } else {
        for (int tile : walk.search.walk) {
            light(tile);
        }
    }
    walk.marksSerial = nextSerial();
}

void World::clearWalk(Walk& walk) {
    walk.planning = Planning::Idle;
    walk.query = GridSearch();
    walk.start = walk.target = -1;
    // The figures name the search that made the record: none yet, so the last one's.
    const SearchKind last = walk.search.kind;
    walk.search = freshRecord(walk);
    walk.search.kind = last;
    walk.cheapestQuery = GridSearch();
    walk.cheapestSearch = SearchRecord();
    walk.found = walk.cheapest = Route();
    walk.path.clear();
    walk.walking = false;
    walk.resumeStep = false;
    relight(walk);
}

void World::startWalk(Walk& walk, int tile) {
    clearWalk(walk);
    walk.start = tile;
    const Vec3 anchor = tileAnchor(board, tile);
    walk.monkey.visible = true;
    walk.monkey.position[0] = static_cast<float>(anchor.x);
    walk.monkey.position[1] = 1.0f;
    walk.monkey.position[2] = static_cast<float>(anchor.z);
    walk.walkFromX = walk.monkey.position[0];
    walk.walkFromZ = walk.monkey.position[2];
    walk.stepFrame = 0;
    walk.stepTiles = walk.stepWalked = 0.0;
    walk.closedInAll = 0;
    walk.walkedCost = 0;
    walk.origin = tile;
    walk.repairs = false; // a new walk: D* Lite begins anew
    walk.changedTiles.clear();
    beginFog(walk, tile); // a new walk sees nothing but its start's sight
    relight(walk);
}

void World::planWalk(Walk& walk, long long tiles) {
    walk.search = freshRecord(walk);
    walk.cheapestQuery = GridSearch();
    walk.cheapestSearch = SearchRecord();
    walk.found = walk.cheapest = Route();
    walk.path.clear();
    relight(walk);
    // Begun when its first unit of work comes: a race's four then never hold four searches'
    // cells at once.
    walk.planning = Planning::Walk;
    walk.query = GridSearch();
    walk.dstarBegun = false; // D* Lite's next plan starts with what changed
    if (tiles == LLONG_MAX) {
        while (!advanceWalk(walk, tiles)) {
        }
    } else if (tiles > 0) {
        advanceWalk(walk, tiles); // begun
        advanceWalk(walk, tiles); // and a first slice
    }
}

// One unit of work, so that no frame that carries a search on takes more than one of them
// past its share: the search begun, a slice of `tiles` closed, the walk made from what it
// found, or the same for the cheapest walk.
bool World::advanceWalk(Walk& walk, long long tiles) {
    if (walk.planning == Planning::Walk) {
        // Under fog, on what its monkey knows.
        const Board& known = planBoard(walk);
        if (walk.kind == SearchKind::DStarLite) {
            planWithDStar(walk, tiles);
        } else if (walk.search.closed.empty() && !walk.search.refused) { // not begun yet
            walk.query.begin(known, walk.kind, walk.start, walk.target, walk.search, walk.settings);
        } else if (walk.query.advance(known, walk.search, tiles)) {
            endPlan(walk);
        }
    } else if (walk.planning == Planning::Cheapest) {
        if (walk.cheapestSearch.closed.empty()) {
            walk.cheapestQuery.begin(board, SearchKind::AStar, walk.cheapestFrom(), walk.target,
                                     walk.cheapestSearch);
        } else if (walk.cheapestQuery.advance(board, walk.cheapestSearch, tiles)) {
            const std::vector<int>& route = walk.cheapestSearch.walk;
            walk.cheapest = Route{route, routeCost(board, walk.cheapestFrom(), route)};
            walk.cheapestQuery = GridSearch();
            walk.cheapestSearch = SearchRecord();
            walk.planning = Planning::Idle;
        }
    }
    return !walk.searching();
}

// Then the cheapest walk is looked for, unless the search promises one or found none.
void World::endPlan(Walk& walk) {
    const SearchRecord& record = walk.search;
    if (record.found) {
        walk.found = Route{record.walk, walk.walkedCost + walkCost(planBoard(walk), walk.kind,
                                                                   record.start, record.walk)};
        for (auto t = record.walk.rbegin(); t != record.walk.rend(); ++t) {
            walk.path.push_back(tileAnchor(board, *t)); // the target first
        }
        walk.walking = true;
    }
    if (walk.resumeStep) {
        // A re-plan caught the monkey mid-step: it finishes that step first.
        walk.path.push_back(walk.resumeWaypoint);
        walk.walking = true;
        walk.resumeStep = false;
    }
    relight(walk);
    walk.planning = Planning::Idle;
    walk.closedInAll += static_cast<long long>(record.closed.size());
    if (record.found && promisesCheapest(walk.kind) && !walk.partWay()) {
        walk.cheapest = walk.found;
    } else if (record.found) {
        walk.planning = Planning::Cheapest; // begun by the next unit of work
        walk.cheapestSearch = SearchRecord();
    }
}

void World::replan(Walk& walk, long long tiles, bool sameWalk) {
    // From the tile the monkey stands on, or from the one it is stepping onto: it finishes
    // that step first, so it never jumps.
    const bool stepping =
        walk.walking && !walk.path.empty() && (walk.stepFrame > 0 || walk.stepWalked > 0.0);
    const Vec3 waypoint = stepping ? walk.path.back() : Vec3{walk.walkFromX, 0.0, walk.walkFromZ};
    if (sameWalk) {
        countStepsTaken(walk, tileOfWaypoint(board, waypoint));
    } else {
        walk.walkedCost = 0; // a walk of its own from here
        walk.origin = tileOfWaypoint(board, waypoint);
    }
    walk.start = tileOfWaypoint(board, waypoint);
    if (!stepping) {
        walk.stepFrame = 0; // the next step starts where the monkey stands
        walk.stepTiles = walk.stepWalked = 0.0;
    }
    // The monkey waits for the search (on a big board it may go on over frames), then
    // finishes its step; closed off, it stays where it stands.
    walk.walking = false;
    walk.resumeStep = stepping;
    walk.resumeWaypoint = waypoint;
    planWalk(walk, tiles);
}

void World::countStepsTaken(Walk& walk, int tile) const {
    const std::vector<int>& planned = walk.search.walk;
    const auto reached = std::find(planned.begin(), planned.end(), tile);
    if (walk.search.found && reached != planned.end()) {
        const std::vector<int> taken(planned.begin(), reached + 1);
        walk.walkedCost += walkCost(board, walk.kind, walk.search.start, taken);
    }
}

int World::monkeyTile(const Walk& walk) const {
    return tileOfWaypoint(board, Vec3{walk.walkFromX, 0.0, walk.walkFromZ});
}

bool World::figureOn(const Walk& walk, int tile) const {
    bool stepping =
        walk.walking && !walk.path.empty() && tileOfWaypoint(board, walk.path.back()) == tile;
    if (!stepping && walk.walking && !walk.path.empty() &&
        (walk.stepTiles > 0.0 || anyAngle(walk.search.kind))) {
        // On a segment the monkey is on its way over every tile the segment crosses.
        std::vector<int> crossed;
        appendSegmentTiles(board, monkeyTile(walk), tileOfWaypoint(board, walk.path.back()),
                           crossed);
        stepping = std::find(crossed.begin(), crossed.end(), tile) != crossed.end();
    }
    return (walk.monkey.visible && (monkeyTile(walk) == tile || stepping)) ||
           (banana.visible && walk.target == tile);
}
