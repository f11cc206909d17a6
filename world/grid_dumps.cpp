// The grid dumps, read from the map's tiles and from the search's cells.
#include "world/grid_dumps.h"

#include <cmath>
#include <cstdlib>
#include <iostream>

namespace {

int whole(double cost) {
    return static_cast<int>(std::lround(cost));
}

// The neighbour of `tile` in slot `s`, or -1 off the board.
int neighbour(const Board& board, int tile, int s) {
    const int c = tile % board.columns + SlotColumn[s];
    const int r = tile / board.columns + SlotRow[s];
    return c >= 0 && c < board.columns && r >= 0 && r < board.rows ? r * board.columns + c : -1;
}

// The heuristic the search gave a tile it listed. The program's own search fills in every
// other tile's too, 10 a row or column from its target, as it would have counted it; the
// other searches leave them 0, as does every search before a target is chosen.
int heuristicOf(const Board& board, const GridSearch& search, int tile) {
    if (search.listOf(tile) != NotListed) {
        return whole(search.costsOf(tile).h);
    }
    if (search.kind != SearchKind::FirstSightAStar || search.targetCell < 0) {
        return 0;
    }
    const int dc = std::abs(tile % board.columns - search.targetColumn);
    const int dr = std::abs(tile / board.columns - search.targetRow);
    return 10 * (dc + dr);
}

} // namespace

void printTileCodes(const MapBoard& map, int column, int row) {
    const Board& board = map.board;
    if (column < 1 || column > board.columns || row < 1 || row > board.rows) {
        return;
    }
    const int tile = (row - 1) * board.columns + (column - 1);
    for (int s = 0; s < 8; s++) {
        const int n = neighbour(board, tile, s);
        if (n >= 0) {
            std::cout << map.tiles[n].kind << " ";
        } else {
            std::cout << "NULL"
                      << " ";
        }
        if (s == 4) {
            std::cout << map.tiles[tile].kind << " ";
        }
    }
}

void printHeuristics(const MapBoard& map, const GridSearch& search) {
    const Board& board = map.board;
    for (int tile = 0; tile < board.tileCount(); tile++) {
        std::cout << heuristicOf(board, search, tile);
        if ((tile + 1) % board.columns == 0) {
            std::cout << std::endl;
        } else {
            std::cout << " ";
        }
    }
}

void printNeighbours(const MapBoard& map, const GridSearch& search, int tile) {
    const Board& board = map.board;
    for (int s = 0; s < 8; s++) {
        const int n = neighbour(board, tile, s);
        if (n < 0) {
            std::cout << "NULL"
                      << " " << std::endl;
            continue;
        }
        const TileCosts costs = search.costsOf(n); // all 0 for a tile it never listed
        std::cout << "index: " << n << " F: " << whole(costs.f) << " G: " << whole(costs.g)
                  << " H: " << heuristicOf(board, search, n) << std::endl;
        std::cout << " " << std::endl;
    }
}
