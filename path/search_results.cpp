// What a search knew of each tile, read from its frontier, and the walk it found.
#include "path/search.h"

#include <algorithm>

namespace {

TileList oneSideListOf(const GridSearch& s, int tile) {
    if (tile < 0 || tile >= s.tileCount() || !s.frontier.states) {
        return NotListed;
    }
    const int cell = s.cellOf(tile);
    if (!s.frontier.known(cell)) {
        return NotListed;
    }
    return s.frontier.states[cell].closedAt >= 0 ? OnClosedList : OnOpenList;
}

} // namespace

// From both ends, a tile is closed when either side closed it, and open when either has it open.
TileList GridSearch::listOf(int tile) const {
    const TileList list = oneSideListOf(*this, tile);
    return targetSide() ? std::max(list, oneSideListOf(*targetSide(), tile)) : list;
}

TileList GridSearch::targetSideListOf(int tile) const {
    return targetSide() ? oneSideListOf(*targetSide(), tile) : NotListed;
}

int GridSearch::closedFromTargetAt(int tile) const {
    return targetSideListOf(tile) == OnClosedList
               ? targetSide()->frontier.states[cellOf(tile)].closedAt
               : -1;
}

TileCosts GridSearch::costsOf(int tile) const {
    const TileList list = oneSideListOf(*this, tile);
    if (list == NotListed) {
        return targetSide() ? targetSide()->costsOf(tile) : TileCosts{};
    }
    const SearchCell& c = frontier.cells[cellOf(tile)];
    const double h = heuristicAt(tile % columns, tile / columns);
    return TileCosts{c.g, h, c.g + weight * h, c.parent < 0 ? -1 : tileOf(c.parent)};
}

namespace {

// The earlier of two places in an order, -1 standing for none.
int earlier(int a, int b) {
    return a < 0 ? b : b < 0 ? a : std::min(a, b);
}

} // namespace

// From both ends, the first time either side joined or closed it.
int GridSearch::joinedAt(int tile) const {
    const int own =
        oneSideListOf(*this, tile) != NotListed ? frontier.cells[cellOf(tile)].order : -1;
    return targetSide() ? earlier(own, targetSide()->joinedAt(tile)) : own;
}

int GridSearch::closedAt(int tile) const {
    const int own =
        oneSideListOf(*this, tile) != NotListed ? frontier.states[cellOf(tile)].closedAt : -1;
    return targetSide() ? earlier(own, targetSide()->closedAt(tile)) : own;
}

// From the start to where the sides met by the start's parents, and on to the target by the
// target side's, which point toward the target.
std::vector<int> GridSearch::walkBothWays() const {
    std::vector<int> walk;
    for (int t = meetCell; t != startCell; t = frontier.cells[t].parent) {
        walk.push_back(tileOf(t));
    }
    std::reverse(walk.begin(), walk.end());
    for (int t = meetCell; t != targetCell;) {
        t = back->frontier.cells[t].parent;
        walk.push_back(tileOf(t));
    }
    return walk;
}

std::vector<int> GridSearch::walkFound() const {
    std::vector<int> walk;
    if (!found || startCell == targetCell) {
        return walk;
    }
    if (targetSide()) {
        return walkBothWays();
    }
    if (reversed) { // from the target: its parents lead from the walker to the target
        for (int t = targetCell; t != startCell;) {
            t = frontier.cells[t].parent;
            walk.push_back(tileOf(t));
        }
        return walk;
    }
    for (int t = targetCell; t != startCell; t = frontier.cells[t].parent) {
        const int from = frontier.cells[t].parent;
        if (anyAngle(kind)) {
            walk.push_back(tileOf(t)); // a segment's end
            continue;
        }
        // A jump's run, back to the tile it jumped from, a step at a time.
        const int dc = (from % stride > t % stride) - (from % stride < t % stride);
        const int dr = (from / stride > t / stride) - (from / stride < t / stride);
        for (int on = t; on != from; on += dr * stride + dc) {
            walk.push_back(tileOf(on));
        }
    }
    std::reverse(walk.begin(), walk.end());
    return walk;
}
