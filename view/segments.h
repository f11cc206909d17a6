// An any-angle walk's segments, drawn as lines over the tiles they cross.
#pragma once

#include "world/world.h"

// Draws an any-angle walk's lit path in the 3-D view: its segments, from its start through
// each waypoint, as a green band LitLinePixels wide in a dark edge a pixel wide each side,
// whatever the zoom, a little above the tile models and the search view's marks. Trees and
// figures in front of it hide it; it leaves the depth buffer, which a pick reads, as it was.
// Nothing for a walk of the grid, or while no walk was found (view/segments.cpp).
//
// Over a flat board the figure markers' lit line (view/figure_markers.cpp) already runs
// through the same points, the start and each waypoint: there the segments are that line.
void drawSegments(const Board& board, const Walk& walk);
