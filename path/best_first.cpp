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
// The search works on small per-tile records (World::cells), which stay in the processor's
// cache where the tiles themselves would not, and writes its costs back to the tiles it
// touched when it ends. It can run in slices (advanceSearch), so that a big board's search
// is spread over frames.
#include "world/world.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>

void (*searchStepWatcher)(const World&) = nullptr;

namespace {

const char* const Names[SearchKindCount] = {"first-sight A*", "A*", "Dijkstra", "greedy",
                                            "breadth-first"};

// The smallest key first; among equals the earliest to join. std::push_heap keeps the
// largest on top, so this is "comes later". A type, not a function, so that the heap's
// every comparison is inlined.
struct Later {
    bool operator()(const OpenEntry& a, const OpenEntry& b) const { return a.rank > b.rank; }
};
constexpr Later later;

bool joinsOnce(SearchKind kind) {
    return kind == SearchKind::Greedy || kind == SearchKind::BreadthFirst;
}

int keyOf(SearchKind kind, const SearchCell& node) {
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

constexpr int SlotColumn[8] = {-1, 0, 1, -1, 1, -1, 0, 1};
constexpr int SlotRow[8] = {-1, -1, -1, 0, 0, 1, 1, 1};

// Keys are never negative: g, h and f are sums of step and terrain costs.
std::uint64_t rankOf(int key, int order) {
    return static_cast<std::uint64_t>(key) << 32 | static_cast<std::uint32_t>(order);
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

int World::heuristicOf(int tile) const {
    const int dc = std::abs(tile % columns - search.target % columns);
    const int dr = std::abs(tile / columns - search.target / columns);
    if (searchKind == SearchKind::FirstSightAStar) {
        // What fillHeuristic left in the tile when the target was chosen: 10 x Manhattan,
        // worked out here rather than read from the far larger tile.
        return 10 * (dc + dr);
    }
    if (searchKind != SearchKind::AStar && searchKind != SearchKind::Greedy) {
        return 0;
    }
    // Octile: a diagonal step for each row and column both apart, straight steps for the
    // rest. Never more than the cheapest walk, so A* taking the target stops on a cheapest.
    return 10 * std::max(dc, dr) + 4 * std::min(dc, dr);
}

void World::findPath() {
    beginSearch();
    advanceSearch(INT_MAX);
}

void World::beginSearch() {
    clearSearchRecord();
    search.kind = searchKind;
    search.start = startNode->index;
    search.target = targetNode->index;
    openList.clear();
    closedList.clear();
    onList.assign(nodes.size(), NotListed);
    cells.resize(nodes.size());
    for (std::size_t i = 0; i < nodes.size(); i++) {
        cells[i].cost = nodes[i].terrainCost; // a paint since the last search counts
    }
    joined = 0;
    queueHead = 0;
    const int start = search.start;
    cells[start].g = 0;
    cells[start].h = heuristicOf(start);
    cells[start].f = cells[start].h;
    closeTile(start);
    searchNext = start;
    searchFound = start == search.target;
    if (searchFound) {
        finishSearch();
    }
}

bool World::advanceSearch(long long tiles) {
    if (searchNext < 0) {
        return true; // ended already
    }
    for (; searchNext >= 0 && tiles > 0; tiles--) {
        const bool sighted = expand(searchNext);
        if (searchStepWatcher) {
            searchStepWatcher(*this);
        }
        if (sighted) {
            searchFound = true;
            break;
        }
        const int next = lowestF();
        if (next < 0) {
            // Nothing left to try: trees part the start from the target (either may be the
            // one walled in). No path, no walk.
            break;
        }
        closeTile(next);
        searchNext = next;
        if (next == search.target) {
            if (searchStepWatcher) {
                searchStepWatcher(*this); // closing the target is the new searches' last step
            }
            searchFound = true;
            break;
        }
    }
    if (searchNext >= 0 && tiles == 0 && !searchFound) {
        return false;
    }
    finishSearch();
    return true;
}

bool World::searchUnderWay() const {
    return searchNext >= 0;
}

void World::finishSearch() {
    recordSearchEnd();
    if (resumeStep) {
        // A re-plan caught the monkey mid-step: it finishes that step first.
        path.push_back(resumeWaypoint);
        walking = true;
        resumeStep = false;
    }
}

void World::recordSearchEnd() {
    searchNext = -1;
    // The tiles keep what the search knew of them, as the grid dumps and the costs view read.
    auto writeBack = [&](int tile) {
        GridNode& node = nodes[tile];
        node.g = cells[tile].g;
        node.h = cells[tile].h;
        node.f = cells[tile].f;
        node.parent = cells[tile].parent >= 0 ? &nodes[cells[tile].parent] : node.parent;
    };
    writeBack(search.start);
    for (int tile : search.opened) {
        writeBack(tile);
        const SearchCell& c = cells[tile];
        search.openedCosts.push_back(TileCosts{c.g, c.h, c.f, c.parent});
    }
    if (!searchFound) {
        return;
    }
    const int target = search.target;
    if (search.start != target) {
        search.targetFrom = cells[target].parent;
        nodes[target].parent = &nodes[search.targetFrom];
        int t = target;
        do {
            path.push_back(Vec3{nodes[t].mesh.position[0], 0.0, nodes[t].mesh.position[2]});
            search.walk.push_back(t);
            t = cells[t].parent;
            nodes[t].marked = true;
        } while (t != search.start);
        std::reverse(search.walk.begin(), search.walk.end());
    }
    search.found = true;
    walking = true;
}

bool World::expand(int current) {
    const bool firstSight = searchKind == SearchKind::FirstSightAStar;
    const int column = current % columns;
    const int row = current / columns;
    for (int s = 0; s < 8; s++) {
        const int c = column + SlotColumn[s];
        const int r = row + SlotRow[s];
        if (c < 0 || c >= columns || r < 0 || r >= rows) {
            continue;
        }
        const int n = r * columns + c;
        SearchCell& cell = cells[n];
        if (onList[n] == OnClosedList || cell.cost == ImpassableCost) {
            continue;
        }
        if (firstSight && n == search.target) {
            // Stop at the first sight of the target: its own cost never counts.
            cell.parent = current;
            return true;
        }
        const int newG = StepCosts[s] + cells[current].g + cell.cost;
        if (onList[n] != OnOpenList) {
            joinOpen(n, newG, current);
        } else if (!joinsOnce(searchKind) && cell.g > newG) {
            // A cheaper way: new costs and parent, the same place in the order of joining.
            cell.g = newG;
            cell.f = newG + cell.h;
            cell.parent = current;
            openList.push_back(OpenEntry{rankOf(keyOf(searchKind, cell), cell.order), n});
            std::push_heap(openList.begin(), openList.end(), later);
        }
    }
    return false;
}

void World::joinOpen(int tile, int g, int from) {
    SearchCell& cell = cells[tile];
    cell.parent = from;
    cell.g = g;
    cell.h = heuristicOf(tile);
    cell.f = g + cell.h;
    cell.order = joined++;
    onList[tile] = OnOpenList;
    search.opened.push_back(tile);
    search.openedAt.push_back(static_cast<int>(search.closed.size()));
    if (searchKind == SearchKind::BreadthFirst) {
        return; // its open list is search.opened itself, taken in order
    }
    openList.push_back(OpenEntry{rankOf(keyOf(searchKind, cell), cell.order), tile});
    std::push_heap(openList.begin(), openList.end(), later);
}

void World::closeTile(int tile) {
    onList[tile] = OnClosedList;
    closedList.push_back(&nodes[tile]);
    search.closed.push_back(tile);
}

void World::clearSearchRecord() {
    searchNext = -1;
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
int World::lowestF() {
    while (searchKind == SearchKind::BreadthFirst && queueHead < search.opened.size()) {
        const int tile = search.opened[queueHead++];
        if (onList[tile] == OnOpenList) {
            return tile;
        }
    }
    while (!openList.empty()) {
        std::pop_heap(openList.begin(), openList.end(), later);
        const OpenEntry entry = openList.back();
        openList.pop_back();
        const SearchCell& cell = cells[entry.tile];
        if (onList[entry.tile] == OnOpenList &&
            entry.rank == rankOf(keyOf(searchKind, cell), cell.order)) {
            return entry.tile;
        }
    }
    return -1;
}
