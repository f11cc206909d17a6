// The click cycle of the world's own walk: the first accepted click places the monkey, the
// second places the banana and plans the walk between them, the next one starts over.
#include "world/world.h"

void World::requestPath(int x, int v) {
    const int i = board.tileIndexAt(x, v);
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
    const Vec3 anchor = board.tileAnchor(walk.target);
    banana.visible = true;
    banana.position[0] = static_cast<float>(anchor.x);
    banana.position[1] = 0.0f;
    banana.position[2] = static_cast<float>(anchor.z);
}

void World::setStart(int x, int v) {
    startWalk(walk, board.tileIndexAt(x, v));
}

void World::setTarget(int x, int v) {
    walk.target = board.tileIndexAt(x, v);
    relight(walk);
    if (walk.kind != SearchKind::FirstSightAStar || !keepTileCosts) {
        return; // only the program's own search fills the tiles' heuristic, for the dumps
    }
    GridNode* target = &board.nodes[walk.target];
    fillHeuristic(target, 1, 0);
    fillHeuristic(target, 6, 0);
    fillHeuristic(target, 3, 0);
    fillHeuristic(target, 4, 0);
}

// Walks the target's column up or down and spreads into every row it passes; the
// horizontal calls walk the target's own row. Every tile ends with 10 x Manhattan distance.
void World::fillHeuristic(GridNode* node, int direction, int value) {
    while (node) {
        node->h = value;
        if (direction == 1 || direction == 6) {
            fillHeuristic(node->neighbours[3], 3, value + 10);
            fillHeuristic(node->neighbours[4], 4, value + 10);
        } else if (direction != 3 && direction != 4) {
            return;
        }
        node = node->neighbours[direction];
        value += 10;
    }
}

void World::clickTile(int index) {
    int x = 0;
    int v = 0;
    board.clickPoint(index, &x, &v);
    requestPath(x, v);
}

void World::findPath() {
    planWalk(walk, LLONG_MAX);
}
