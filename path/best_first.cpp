// The five searches, one loop: each closes the tile it takes from the open list and looks at
// its eight neighbours in slot order, with the same steps and costs. They differ only in
// what they take next (the key), whether a tile's cost may drop once it is open, and when
// they stop:
//
//   first-sight A*  g + h, h 10 x Manhattan   updates   when the target is first seen
//   A*              g + h, h octile           updates   when the target is taken
//   Dijkstra        g                         updates   when the target is taken
//   greedy          h, octile                 joins once when the target is taken
//   breadth-first   the order of joining      joins once when the target is taken
//
// Among equal keys the tile that joined first is taken. The open list is a binary heap of
// (key, order of joining), so no step scans a list, and each tile knows which list it is on.
#include "world/world.h"

#include <algorithm>
#include <cstdlib>
#include <string>

void (*searchStepWatcher)(const World&) = nullptr;

namespace {

const char* const Names[SearchKindCount] = {"first-sight A*", "A*", "Dijkstra", "greedy",
                                            "breadth-first"};

// The smallest key first; among equals the earliest to join. std::push_heap keeps the
// largest on top, so this is "comes later".
bool later(const OpenEntry& a, const OpenEntry& b) {
    return a.key != b.key ? a.key > b.key : a.order > b.order;
}

bool joinsOnce(SearchKind kind) {
    return kind == SearchKind::Greedy || kind == SearchKind::BreadthFirst;
}

int keyOf(SearchKind kind, const GridNode& node) {
    switch (kind) {
    case SearchKind::Dijkstra:
        return node.g;
    case SearchKind::Greedy:
        return node.h;
    case SearchKind::BreadthFirst:
        return 0; // the order of joining alone
    default:
        return node.f;
    }
}

} // namespace

const char* searchName(SearchKind kind) {
    return Names[static_cast<int>(kind)];
}

bool searchNamed(const std::string& name, SearchKind* kind) {
    for (int i = 0; i < SearchKindCount; i++) {
        if (name == Names[i]) {
            *kind = static_cast<SearchKind>(i);
            return true;
        }
    }
    return false;
}

int World::heuristicOf(const GridNode* node) const {
    if (searchKind == SearchKind::FirstSightAStar) {
        return node->h; // filled for every tile when the target was chosen
    }
    if (searchKind != SearchKind::AStar && searchKind != SearchKind::Greedy) {
        return 0;
    }
    // Octile: a diagonal step for each row and column both apart, straight steps for the
    // rest. Never more than the cheapest walk, so A* taking the target stops on a cheapest.
    const int dc = std::abs(node->index % columns - targetNode->index % columns);
    const int dr = std::abs(node->index / columns - targetNode->index / columns);
    return 10 * std::max(dc, dr) + 4 * std::min(dc, dr);
}

void World::findPath() {
    clearSearchRecord();
    search.kind = searchKind;
    search.start = startNode->index;
    search.target = targetNode->index;
    openList.clear();
    closedList.clear();
    onList.assign(nodes.size(), NotListed);
    joined = 0;

    GridNode* start = startNode;
    start->g = 0;
    start->h = heuristicOf(start);
    start->f = start->g + start->h;
    closeTile(start);
    bool found = start == targetNode;
    for (GridNode* current = start; !found;) {
        const bool sighted = expand(current);
        if (searchStepWatcher) {
            searchStepWatcher(*this);
        }
        if (sighted) {
            found = true;
            break;
        }
        current = lowestF();
        if (!current) {
            // Nothing left to try: trees part the start from the target (either may be the
            // one walled in). No path, no walk.
            break;
        }
        closeTile(current);
        found = current == targetNode;
    }

    for (int tile : search.opened) {
        const GridNode& node = nodes[tile];
        search.openedCosts.push_back(
            TileCosts{node.g, node.h, node.f, node.parent ? node.parent->index : -1});
    }
    if (!found) {
        return;
    }
    if (start != targetNode) {
        search.targetFrom = targetNode->parent->index;
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

bool World::expand(GridNode* current) {
    const bool firstSight = searchKind == SearchKind::FirstSightAStar;
    for (int s = 0; s < 8; s++) {
        GridNode* n = current->neighbours[s];
        if (!n || isClosed(n) || !n->passable()) {
            continue;
        }
        if (firstSight && n == targetNode) {
            // Stop at the first sight of the target: its own cost never counts.
            n->parent = current;
            return true;
        }
        const int newG = StepCosts[s] + current->g + n->terrainCost;
        if (!isOpen(n)) {
            joinOpen(n, newG, current);
        } else if (!joinsOnce(searchKind) && n->g > newG) {
            // A cheaper way: new costs and parent, the same place in the order of joining.
            n->g = newG;
            n->f = newG + n->h;
            n->parent = current;
            openList.push_back(OpenEntry{keyOf(searchKind, *n), n->joinOrder, n});
            std::push_heap(openList.begin(), openList.end(), later);
        }
    }
    return false;
}

void World::joinOpen(GridNode* node, int g, GridNode* from) {
    node->parent = from;
    node->g = g;
    node->h = heuristicOf(node);
    node->f = g + node->h;
    node->joinOrder = joined++;
    onList[node->index] = OnOpenList;
    openList.push_back(OpenEntry{keyOf(searchKind, *node), node->joinOrder, node});
    std::push_heap(openList.begin(), openList.end(), later);
    search.opened.push_back(node->index);
    search.openedAt.push_back(static_cast<int>(search.closed.size()));
}

void World::closeTile(GridNode* node) {
    onList[node->index] = OnClosedList;
    closedList.push_back(node);
    search.closed.push_back(node->index);
}

void World::clearSearchRecord() {
    search.serial++;
    search.closed.clear();
    search.opened.clear();
    search.openedAt.clear();
    search.openedCosts.clear();
    search.walk.clear();
    search.found = false;
    search.start = search.target = search.targetFrom = -1;
}

// The smallest key; among equals the tile that joined first, which decides the ties of the
// walk. Entries left behind by a tile whose cost dropped are passed over.
GridNode* World::lowestF() {
    while (!openList.empty()) {
        std::pop_heap(openList.begin(), openList.end(), later);
        const OpenEntry entry = openList.back();
        openList.pop_back();
        if (isOpen(entry.node) && entry.key == keyOf(searchKind, *entry.node)) {
            return entry.node;
        }
    }
    return nullptr;
}

bool World::isClosed(const GridNode* node) const {
    return onList[node->index] == OnClosedList;
}

bool World::isOpen(const GridNode* node) const {
    return onList[node->index] == OnOpenList;
}
