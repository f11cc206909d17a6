// Text dumps of a map's tiles and of what a search knew of them, for debugging by hand (trace
// prints them); the program never calls them. Costs are printed whole: under the program's
// own rule they are, under the benchmark's they are rounded.
#pragma once

#include "path/search.h"
#include "world/map_board.h"

// The codes of the tile at column, row (counted from 1) and of its neighbours: slots 0 to 4,
// the tile itself, slots 5 to 7, each followed by a blank, "NULL" where there is none.
// Nothing for a tile off the board.
void printTileCodes(const MapBoard& map, int column, int row);
// Every tile's heuristic, a line a row.
void printHeuristics(const MapBoard& map, const GridSearch& search);
// Each neighbour of `tile` in slot order, with its F, G and H, or "NULL".
void printNeighbours(const MapBoard& map, const GridSearch& search, int tile);
