// A walk's life on the world's board: its monkey placed on a start, its search begun and
// carried on a slice at a time, its path and lights made from what the search found, and
// the cheapest walk between the same tiles looked for, for the figures.
#include "world/world.h"

#include <algorithm>
#include <tuple>

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

// Per tile, its place in the closing order and among the tiles that joined the open list,
// so that the view finds a tile's mark at once.
void takeUpRecord(const Board& board, Walk& walk) {
    const SearchRecord& record = walk.search;
    walk.closedRank.assign(board.nodes.size(), -1);
    walk.openedIndex.assign(board.nodes.size(), -1);
    for (std::size_t i = 0; i < record.closed.size(); i++) {
        walk.closedRank[record.closed[i]] = static_cast<int>(i);
    }
    for (std::size_t i = 0; i < record.opened.size(); i++) {
        walk.openedIndex[record.opened[i]] = static_cast<int>(i);
    }
}

// The world's own search leaves its costs in the tiles, as the grid dumps show them.
void writeCostsToTiles(Board& board, const SearchRecord& record) {
    GridNode& start = board.nodes[record.start];
    start.g = 0;
    start.h = start.f = searchHeuristic(record.kind, board.columns, record.start, record.target);
    for (std::size_t i = 0; i < record.opened.size(); i++) {
        GridNode& node = board.nodes[record.opened[i]];
        const TileCosts& c = record.openedCosts[i];
        std::tie(node.g, node.h, node.f) = std::tuple(c.g, c.h, c.f);
        node.parent = &board.nodes[c.from];
    }
    if (record.targetFrom >= 0) {
        board.nodes[record.target].parent = &board.nodes[record.targetFrom];
    }
}

} // namespace

void World::relight(Walk& walk) const {
    walk.marked.assign(board.nodes.size(), 0);
    for (int tile : {walk.start, walk.target}) {
        if (tile >= 0) {
            walk.marked[tile] = 1;
        }
    }
    for (int tile : walk.search.walk) {
        walk.marked[tile] = 1;
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
    walk.cheapestSearch = SearchRecord();
    walk.closedRank.clear();
    walk.openedIndex.clear();
    walk.found = walk.cheapest = Route();
    walk.path.clear();
    walk.walking = false;
    walk.resumeStep = false;
    relight(walk);
}

void World::startWalk(Walk& walk, int tile) {
    clearWalk(walk);
    walk.start = tile;
    const Vec3 anchor = board.tileAnchor(tile);
    walk.monkey.visible = true;
    walk.monkey.position[0] = static_cast<float>(anchor.x);
    walk.monkey.position[1] = 1.0f;
    walk.monkey.position[2] = static_cast<float>(anchor.z);
    walk.walkFromX = walk.monkey.position[0];
    walk.walkFromZ = walk.monkey.position[2];
    walk.stepFrame = 0;
    relight(walk);
}

void World::planWalk(Walk& walk, long long tiles) {
    walk.search = freshRecord(walk);
    walk.cheapestSearch = SearchRecord();
    walk.closedRank.clear();
    walk.openedIndex.clear();
    walk.found = walk.cheapest = Route();
    walk.path.clear();
    relight(walk);
    // Begun when its first slice comes: a race's four then never hold four searches' cells
    // at once.
    walk.planning = Planning::Walk;
    walk.query = GridSearch();
    advanceWalk(walk, tiles);
}

bool World::advanceWalk(Walk& walk, long long tiles) {
    if (walk.planning == Planning::Walk && tiles > 0) {
        if (!walk.query.underWay() && walk.search.closed.empty()) {
            walk.query.begin(board, walk.kind, walk.start, walk.target, walk.search);
        }
        if (!walk.query.advance(walk.search, tiles)) {
            return false;
        }
        endPlan(walk);
    }
    if (walk.planning == Planning::Cheapest && tiles > 0) {
        if (!walk.query.advance(walk.cheapestSearch, tiles)) {
            return false;
        }
        walk.cheapest =
            Route{walk.cheapestSearch.walk, routeCost(board, walk.start, walk.cheapestSearch.walk)};
        walk.cheapestSearch = SearchRecord();
        walk.planning = Planning::Idle;
    }
    return !walk.searching();
}

// Then the cheapest walk is looked for, unless the search promises one or found none.
void World::endPlan(Walk& walk) {
    const SearchRecord& record = walk.search;
    takeUpRecord(board, walk);
    if (&walk == &this->walk) {
        writeCostsToTiles(board, record);
    }
    if (record.found) {
        walk.found = Route{record.walk, routeCost(board, record.start, record.walk)};
        for (auto t = record.walk.rbegin(); t != record.walk.rend(); ++t) {
            walk.path.push_back(board.tileAnchor(*t)); // the target first
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
    if (record.found && promisesCheapest(walk.kind)) {
        walk.cheapest = walk.found;
    } else if (record.found) {
        walk.planning = Planning::Cheapest;
        walk.query.begin(board, SearchKind::AStar, walk.start, walk.target, walk.cheapestSearch);
    }
}

void World::replan(Walk& walk, long long tiles) {
    // From the tile the monkey stands on, or from the one it is stepping onto: it finishes
    // that step first, so it never jumps.
    const bool stepping = walk.walking && !walk.path.empty() && walk.stepFrame > 0;
    const Vec3 waypoint = stepping ? walk.path.back() : Vec3{walk.walkFromX, 0.0, walk.walkFromZ};
    walk.start = board.tileOfWaypoint(waypoint);
    if (!stepping) {
        walk.stepFrame = 0; // the next step starts where the monkey stands
    }
    // The monkey waits for the search (on a big board it may go on over frames), then
    // finishes its step; closed off, it stays where it stands.
    walk.walking = false;
    walk.resumeStep = stepping;
    walk.resumeWaypoint = waypoint;
    planWalk(walk, tiles);
}

int World::monkeyTile(const Walk& walk) const {
    return board.tileOfWaypoint(Vec3{walk.walkFromX, 0.0, walk.walkFromZ});
}

bool World::figureOn(const Walk& walk, int tile) const {
    const bool stepping =
        walk.walking && !walk.path.empty() && board.tileOfWaypoint(walk.path.back()) == tile;
    return (walk.monkey.visible && (monkeyTile(walk) == tile || stepping)) ||
           (banana.visible && walk.target == tile);
}
