// The walks the demo shows, chosen on its own copy of the program's map by running the
// same searches the program runs: each walk is clicked here first to see what it does.
#pragma once

#include "world/world.h"

#include <utility>
#include <vector>

// The tiles of the walk from `from` to `to` in order, the start first.
std::vector<int> walkTiles(World& map, int from, int to);

// A walk worth watching with the search view on: the one whose cost the search's early stop
// raises the most above the cheapest (ties: the longer), from every `stride`-th tile.
std::pair<int, int> astrayWalk(World& map, int stride);

// A lawn tile of the walk from `from` to `to` that, painted a tree, sends the walk another
// way: the one nearest two thirds of the way, so that the monkey has not passed it when the
// paint comes. -1 when there is none.
int tileToPaint(World& map, int from, int to);
