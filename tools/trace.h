// The trace tool's pieces: a tile as the command line names it, and the printing of what
// one search did (tools/trace_print.cpp).
#pragma once

#include "path/search.h"
#include "tools/search_options.h"
#include "world/map_board.h"

#include <cstddef>
#include <string>

struct Tile {
    int column = 0;
    int row = 0;
};

// A tile as written on the command line: "column,row", two whole numbers and nothing else.
bool parseTile(const std::string& text, Tile* tile);

// "3 tiles", "1 step".
std::string count(std::size_t n, const char* thing);
// A tile as "column,row".
std::string name(const Board& board, int tile);
std::string name(Tile t);

// The walk traced: its search between its two tiles, which knows what it did to each tile
// (nobody listens to it: what trace prints is read from it once it has ended), the walk it
// found, and the cheapest walk between the same tiles (none when the search found no walk).
struct TracedWalk {
    SearchKind kind = SearchKind::FirstSightAStar;
    int start = -1;
    int target = -1;
    SearchSettings settings; // its heuristic and weight, where it takes them
    GridSearch query;
    std::vector<int> found;
    Route cheapest;
};

// The map with the walk beside what the search closed and left open, with their key.
void printGrids(const MapBoard& map, const TracedWalk& walk);
// Each step of the walk with its cost, then the walk beside the cheapest.
void printSteps(const Board& board, const TracedWalk& walk);
// One row per search, each run again between the walk's two tiles and timed on its own.
void printComparison(const Board& board, const TracedWalk& walk);
// The walk under fog of `sight` tiles: each plan, and every tile the monkey stood on; the
// exit status (1 when what it came to know left no way).
int printFoggedWalk(const Board& board, const TracedWalk& walk, int sight);
// The grid dumps: the tile codes around the start, every heuristic, the target's neighbours.
void printDumps(const MapBoard& map, const TracedWalk& walk, Tile start);

// Search traces (tools/trace_posthoc.cpp). Whether a name ends in .yaml, .yml or .json.
bool isTraceFileName(const std::string& fileName);
// The walk's search written to `fileName` as a search trace and its map to `fileName`.grid,
// saying so on standard output; false after saying why one could not be written.
bool writePosthoc(const MapBoard& map, const TracedWalk& walk, const std::string& fileName);
