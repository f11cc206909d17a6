// What a search knew of each tile, read from its frontier, and the walk it found.
#include "path/search.h"

#include <algorithm>

TileList GridSearch::listOf(int tile) const {
    if (tile < 0 || tile >= tileCount() || !frontier.states) {
        return NotListed;
    }
    const int cell = cellOf(tile);
    if (!frontier.known(cell)) {
        return NotListed;
    }
    return frontier.states[cell].closedAt >= 0 ? OnClosedList : OnOpenList;
}

TileCosts GridSearch::costsOf(int tile) const {
    if (listOf(tile) == NotListed) {
        return TileCosts{};
    }
    const SearchCell& c = frontier.cells[cellOf(tile)];
    const double h = heuristicAt(tile % columns, tile / columns);
    return TileCosts{c.g, h, c.g + weight * h, c.parent < 0 ? -1 : tileOf(c.parent)};
}

int GridSearch::joinedAt(int tile) const {
    return listOf(tile) != NotListed ? frontier.cells[cellOf(tile)].order : -1;
}

int GridSearch::closedAt(int tile) const {
    return listOf(tile) != NotListed ? frontier.states[cellOf(tile)].closedAt : -1;
}

std::vector<int> GridSearch::walkFound() const {
    std::vector<int> walk;
    if (!found || startCell == targetCell) {
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
