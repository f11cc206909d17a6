// What a view sees of the board: the tiles in view, and whether they are big enough on the
// screen to be drawn as their models or are drawn flat, each its colour as seen from above.
#pragma once

#include "world/world.h"

#include <cstdint>
#include <vector>

// A tile this many pixels across or more shows its model; a smaller one, its colour.
inline constexpr double ModelPixels = 16.0;

// The tiles in view of the camera as it stands, in a viewport `width` x `height` pixels.
DrawnTiles boardSight(const Board& board, int width, int height);

// How tile `tile` looks from far above, as red, green and blue: its kind's colour, or its
// lit-path colour while `lit`.
void tileColour(const MapBoard& map, int tile, bool lit, std::uint8_t rgb[3]);
// The same with the walk's lights, and while the search view is on the colour of the walk's
// mark on the tile.
void flatColour(const MapBoard& map, const SearchView& view, const Walk& walk, int tile,
                std::uint8_t rgb[3]);

// Drawing (view/flat_board.cpp): the view's picture made to show the walk, then the board
// as one square of its colours, at the height of the tile models' tops, so that a pick lands
// on it as on the models. Every view's picture is made before any view draws: a texture
// changed while the renderer still has drawing queued that reads another would make it
// finish that drawing first.
void updateFlatBoard(const MapBoard& map, const SearchView& view, const Walk& walk,
                     FlatBoard& flat);
void drawFlatBoard(const Board& board, const FlatBoard& flat);
