// When the board is drawn flat, its tiles a few pixels wide, the monkey and the banana would
// be specks and the lit walk a hairline: they are drawn over the board at a size of their
// own, whatever the zoom, in the legend's colours.
#pragma once

#include "world/world.h"

#include <vector>

// Across, in pixels: each figure's disc (within a dark ring) and the lit walk's line.
inline constexpr int MarkerPixels = 26;
inline constexpr int MarkerRingPixels = 2;
inline constexpr float LitLinePixels = 5.0f;

// The tile centres the lit walk runs through: the start, then each tile of the walk found.
std::vector<Vec3> litWalkPoints(const Board& board, const Walk& walk);

// Draws the walk's lit line, the banana and the walk's monkey over what the view drew, in
// window pixels (view/figure_markers.cpp).
void drawFigureMarkers(const World& w, const Walk& walk);
