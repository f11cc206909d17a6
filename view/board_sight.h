// What a frame sees of the board: the tiles in view, and whether they are big enough on the
// screen to be drawn as their models or are drawn flat, each its colour as seen from above.
#pragma once

#include "world/world.h"

#include <cstdint>

// A tile this many pixels across or more shows its model; a smaller one, its colour.
inline constexpr double ModelPixels = 16.0;

// The tiles in view of the camera as it stands, in a viewport `width` x `height` pixels.
DrawnTiles boardSight(const World& w, int width, int height);

// How tile `tile` looks from far above, as red, green and blue: its kind's lit colour, its
// lit-path colour while marked, and while the search view is on the colour of its mark.
void flatColour(const World& w, int tile, std::uint8_t rgb[3]);

// Drawing (view/flat_board.cpp): the board as one square of tile colours, at the height of
// the tile models' tops, so that a pick lands on it as on the models.
void drawFlatBoard(const World& w);
