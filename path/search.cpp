// The click cycle and the eight-way A* search: the first accepted click places the
// monkey, the second places the banana and finds the path between them, the next one
// starts over.
#include "world/world.h"

#include <algorithm>
#include <climits>

void (*searchStepWatcher)(const World&) = nullptr;

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
        findPath();
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

void World::findPath() {
    clearSearchRecord();
    search.start = startNode->index;
    search.target = targetNode->index;
    GridNode* start = startNode;
    start->g = 0;
    start->f = start->h;
    closeTile(start);

    if (start != targetNode) {
        GridNode* current = start;
        for (;;) {
            const bool found = expand(current);
            if (searchStepWatcher) {
                searchStepWatcher(*this);
            }
            if (found) {
                break;
            }
            current = lowestF();
            if (!current) {
                // Nothing left to try: trees part the start from the target (either may be
                // the one walled in). No path, no walk.
                return;
            }
            closeTile(current);
            openList.erase(findOpen(current));
        }
        GridNode* t = targetNode;
        do {
            path.push_back(Vec3{t->mesh.position[0], 0.0, t->mesh.position[2]});
            search.walk.push_back(t->index);
            t = t->parent;
            t->marked = true;
        } while (t != startNode);
        std::reverse(search.walk.begin(), search.walk.end());
    }
    search.found = true;
    walking = true;
}

void World::closeTile(GridNode* node) {
    closedList.push_back(node);
    search.closed.push_back(node->index);
}

void World::clearSearchRecord() {
    search.serial++;
    search.closed.clear();
    search.opened.clear();
    search.openedAt.clear();
    search.walk.clear();
    search.found = false;
    search.start = search.target = -1;
}

bool World::expand(GridNode* current) {
    for (int s = 0; s < 8; s++) {
        GridNode* n = current->neighbours[s];
        if (!n || isClosed(n) || !n->passable()) {
            continue;
        }
        if (n == targetNode) {
            // Stop at the first sight of the target: its own cost never counts.
            n->parent = current;
            return true;
        }
        int newG = StepCosts[s] + current->g + n->terrainCost;
        if (findOpen(n) == openList.end()) {
            n->parent = current;
            n->g = newG;
            n->f = newG + n->h;
            openList.push_back(n);
            search.opened.push_back(n->index);
            search.openedAt.push_back(static_cast<int>(search.closed.size()));
        } else if (n->g > newG) {
            n->g = newG;
            n->f = newG + n->h;
            n->parent = current;
        }
    }
    return false;
}

// The smallest f; among equals the tile added first, which decides the ties of the walk.
GridNode* World::lowestF() {
    GridNode* best = nullptr;
    int bestF = INT_MAX;
    for (GridNode* node : openList) {
        if (node->f < bestF) {
            bestF = node->f;
            best = node;
        }
    }
    return best;
}

bool World::isClosed(GridNode* node) {
    for (GridNode* closed : closedList) {
        if (closed == node) {
            return true;
        }
    }
    return false;
}

std::vector<GridNode*>::iterator World::findOpen(GridNode* node) {
    auto it = openList.begin();
    while (it != openList.end() && *it != node) {
        ++it;
    }
    return it;
}
