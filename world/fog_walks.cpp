// Walks under fog: each walk's monkey plans on what it knows, and looks round from every tile
// it comes to; what it sees on the way ahead that differs from what its plan assumed makes it
// plan again from where it stands.
#include "path/fogged_walk.h"
#include "world/world.h"

#include <algorithm>

namespace {

// The monkey plans again from the tile it stands on; a step it had begun is given up. The
// steps it took on the last plan count in the walk's cost.
void planFromHere(World& w, Walk& walk, int tile) {
    w.countStepsTaken(walk, tile);
    walk.start = tile;
    walk.stepFrame = 0;
    walk.stepTiles = walk.stepWalked = 0.0;
    walk.walkFromX = static_cast<float>(tileAnchor(w.board, tile).x);
    walk.walkFromZ = static_cast<float>(tileAnchor(w.board, tile).z);
    walk.monkey.position[0] = walk.walkFromX;
    walk.monkey.position[2] = walk.walkFromZ;
    walk.walking = false;
    walk.resumeStep = false;
    w.planWalk(walk, w.searchSlice);
}

} // namespace

void World::beginFog(Walk& walk, int tile) const {
    walk.lookedFrom = -1;
    walk.repairs = false; // another knowledge: D* Lite begins anew
    if (!session.fog || tile < 0) {
        walk.fog = Fog();
        return;
    }
    walk.fog.begin(board, session.sight);
    walk.fog.look(board, tile);
    walk.lookedFrom = tile;
}

void World::setFog(bool on) {
    if (session.fog == on) {
        return;
    }
    session.fog = on;
    forEachWalk([&](Walk& walk) {
        const int tile = walk.monkey.visible ? monkeyTile(walk) : -1;
        beginFog(walk, tile);
        walk.marksSerial = nextSerial(); // the flat pictures dim or clear
        if (tile >= 0 && banana.visible && walk.target >= 0) {
            planFromHere(*this, walk, tile);
        }
    });
}

void World::lookAround(Walk& walk) {
    if (!walk.fogged() || !walk.monkey.visible) {
        return;
    }
    const int tile = monkeyTile(walk);
    if (tile == walk.lookedFrom) {
        return;
    }
    walk.lookedFrom = tile;
    const int seenBefore = walk.fog.seenCount;
    const std::vector<int> changed = walk.fog.look(board, tile);
    if (walk.fog.seenCount != seenBefore) {
        walk.marksSerial = nextSerial();
    }
    if (walk.repairs) {
        walk.changedTiles.insert(walk.changedTiles.end(), changed.begin(), changed.end());
    }
    if (changed.empty() || walk.searching() || !banana.visible) {
        return;
    }
    // The way ahead: the waypoints still to reach, the next one last.
    std::vector<int> ahead;
    for (auto p = walk.path.rbegin(); p != walk.path.rend(); ++p) {
        ahead.push_back(tileOfWaypoint(board, *p));
    }
    if (!ahead.empty() && ahead.front() == tile) {
        ahead.erase(ahead.begin()); // the step just ended
    }
    std::vector<int> assumed = cornersPassed(walk.fog.known, tile, ahead);
    assumed.insert(assumed.end(), ahead.begin(), ahead.end());
    const bool differs = std::any_of(changed.begin(), changed.end(), [&](int t) {
        return std::find(assumed.begin(), assumed.end(), t) != assumed.end();
    });
    if (differs) {
        planFromHere(*this, walk, tile);
    }
}
