// The click cycle: the first accepted click places the monkey, the second places the banana
// and plans the walk between them (path/best_first.cpp), the next one starts over.
#include "world/world.h"

void World::requestPath(int x, int v) {
    int i = tileIndexAt(x, v);
    if (i == -1 || !nodes[i].passable()) {
        return; // off the grid or on a tree: not a place to stand
    }

    // Both figures shown means a walk was set up: this click starts over.
    if (monkey.visible && banana.visible) {
        monkey.visible = false;
        banana.visible = false;
        closedList.clear();
        openList.clear();
        path.clear();
        if (startNode) {
            startNode->marked = false;
        }
        if (targetNode) {
            targetNode->marked = false;
        }
        walking = false;
    }

    if (clickPhase == 0) {
        // Unmark the last walk by what its search recorded, not by parent links: a search
        // that found no way, or a later one, leaves other links behind.
        for (int tile : search.walk) {
            nodes[tile].marked = false;
        }
        if (search.start >= 0) {
            nodes[search.start].marked = false;
        }
        openList.clear();
        closedList.clear();
        clearSearchRecord();
        setStart(x, v);
        clickPhase = 1;
        monkey.visible = true;
        monkey.position[0] = startNode->mesh.position[0];
        monkey.position[1] = 1.0f;
        monkey.position[2] = startNode->mesh.position[2];
        walkFromX = startNode->mesh.position[0];
        walkFromZ = startNode->mesh.position[2];
        stepFrame = 0;
    } else {
        setTarget(x, v);
        // A big board's search may go on over the next frames (carryOnSearch): the monkey
        // waits for it.
        resumeStep = false; // a walk of its own, from where the monkey stands
        beginSearch();
        advanceSearch(searchSlice);
        clickPhase = 0;
        banana.visible = true;
        banana.position[0] = targetNode->mesh.position[0];
        banana.position[1] = 0.0f;
        banana.position[2] = targetNode->mesh.position[2];
    }
}

void World::setStart(int x, int v) {
    if (startNode) {
        startNode->marked = false;
    }
    startNode = &nodes[tileIndexAt(x, v)];
    startNode->marked = true;
}

void World::setTarget(int x, int v) {
    // The last target may since have been chosen as the start, whose highlight stays: a
    // search that finds no way would not mark it again.
    if (targetNode && targetNode != startNode) {
        targetNode->marked = false;
    }
    targetNode = &nodes[tileIndexAt(x, v)];
    targetNode->marked = true;
    if (searchKind != SearchKind::FirstSightAStar) {
        return; // only the program's own search reads the tiles' heuristic
    }
    fillHeuristic(targetNode, 1, 0);
    fillHeuristic(targetNode, 6, 0);
    fillHeuristic(targetNode, 3, 0);
    fillHeuristic(targetNode, 4, 0);
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
