// Text dumps of grid and search state for debugging by hand; the program never calls them.
#include "path/board.h"

#include <iostream>

void GridNode::printNeighbours() const {
    for (GridNode* n : neighbours) {
        if (n) {
            std::cout << "index: " << n->index << " F: " << n->f << " G: " << n->g << " H: " << n->h
                      << std::endl;
            std::cout << " " << std::endl;
        } else {
            std::cout << "NULL"
                      << " " << std::endl;
        }
    }
}

void Board::printHeuristics() const {
    int count = 0;
    for (const GridNode& node : nodes) {
        std::cout << node.h;
        count++;
        if (count == columns) {
            std::cout << std::endl;
            count = 0;
        } else {
            std::cout << " ";
        }
    }
}

void Board::printTileCodes(int column, int row) const {
    // Counted from 1. A tile that is not there has nothing to show.
    if (column < 1 || column > columns || row < 1 || row > rows) {
        return;
    }
    const GridNode& tile = nodes[(row - 1) * columns + (column - 1)];
    for (int s = 0; s < 8; s++) {
        if (tile.neighbours[s]) {
            std::cout << tile.neighbours[s]->kind << " ";
        } else {
            std::cout << "NULL"
                      << " ";
        }
        if (s == 4) {
            std::cout << tile.kind << " ";
        }
    }
}
