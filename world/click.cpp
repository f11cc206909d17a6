// The click cycle of the world's own walk: the first accepted click places the monkey, the
// second places the banana and plans the walk between them, the next one starts over. And
// dragging the figures, which leaves the cycle where it is.
#include "world/world.h"

namespace {

// A tile of the board a figure can stand on: no tree, nothing outside the map.
bool standable(const Board& board, int tile) {
    return tile >= 0 && tile < board.tileCount() && board.passable(tile);
}

} // namespace

void World::requestPath(int x, int v) {
    const long long serial = walk.search.serial;
    clickAt(x, v);
    if (walk.search.serial != serial) { // started over or searched
        racersStartOver(*this);
    }
}

void World::clickAt(int x, int v) {
    const int i = tileIndexAt(board, x, v);
    if (i == -1 || !board.passable(i)) {
        return; // off the grid or on a tree: not a place to stand
    }
    // Both figures shown means a walk was set up: this click starts over.
    if (walk.monkey.visible && banana.visible) {
        walk.monkey.visible = false;
        banana.visible = false;
        clearWalk(walk);
    }
    if (clickPhase == 0) {
        setStart(x, v);
        clickPhase = 1;
        return;
    }
    setTarget(x, v);
    // A big board's search may go on over the next frames: the monkey waits for it.
    walk.resumeStep = false; // a walk of its own, from where the monkey stands
    planWalk(walk, searchSlice);
    clickPhase = 0;
    placeBanana();
}

void World::placeBanana() {
    const Vec3 anchor = tileAnchor(board, walk.target);
    banana.visible = true;
    banana.position[0] = static_cast<float>(anchor.x);
    banana.position[1] = 0.0f;
    banana.position[2] = static_cast<float>(anchor.z);
}

void World::setStart(int x, int v) {
    startWalk(walk, tileIndexAt(board, x, v));
}

void World::setTarget(int x, int v) {
    walk.target = tileIndexAt(board, x, v);
    relight(walk);
}

void World::clickTile(int index) {
    int x = 0;
    int v = 0;
    clickPoint(board, index, &x, &v);
    requestPath(x, v);
}

void World::findPath() {
    planWalk(walk, LLONG_MAX);
    racersStartOver(*this);
}

bool World::monkeyOn(const Walk& shown, int tile) const {
    if (!shown.monkey.visible || tile < 0) {
        return false;
    }
    const bool stepping =
        shown.walking && !shown.path.empty() && tileOfWaypoint(board, shown.path.back()) == tile;
    return monkeyTile(shown) == tile || stepping;
}

DraggedFigure World::figureAt(const Walk& shown, int tile) const {
    if (tile >= 0 && banana.visible && walk.target == tile) {
        return DraggedFigure::Banana;
    }
    return monkeyOn(shown, tile) ? DraggedFigure::Monkey : DraggedFigure::None;
}

bool World::dragMonkeyTo(int tile) {
    if (!standable(board, tile) || !walk.monkey.visible) {
        return false;
    }
    // It stands on the tile, whatever step it was taking; with the banana out, a new walk
    // from there to it, the search going on over the next frames on a big board.
    const int target = walk.target;
    startWalk(walk, tile);
    if (banana.visible && target >= 0) {
        walk.target = target;
        planWalk(walk, searchSlice);
    }
    racersStartOver(*this);
    return true;
}

bool World::dragBananaTo(int tile) {
    if (!standable(board, tile) || !banana.visible) {
        return false;
    }
    int x = 0;
    int v = 0;
    clickPoint(board, tile, &x, &v);
    setTarget(x, v);
    placeBanana();
    // From where the monkey is, as after a paint: it finishes the step it is taking. The
    // racers start over from the world's start, so that the four still race one problem.
    replan(walk, searchSlice, false);
    racersStartOver(*this);
    return true;
}

void World::holdMonkey(Walk& held) const {
    held.path.clear();
    held.walking = false;
}
