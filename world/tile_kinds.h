// The kinds of tile, a row each: everything the program knows of a kind lives in this table,
// and everything that reads or writes maps, paints, draws or names a tile asks it.
#pragma once

#include "path/slots.h"

#include <cstdint>
#include <string>

// The map.txt codes of the kinds.
enum TileCode : int { GroundCode = 0, TreeCode = 1, StonesCode = 2, WaterCode = 3 };

struct TileKind {
    int code;
    // The benchmark map characters that mean it; the first is written back.
    const char* chars;
    // Its models: trees choose one of three at random (below 0.3, up to 0.6, above), the
    // others have one; none for a code without a kind.
    const char* models[3];
    // Extra cost of entering it; ImpassableCost: it blocks.
    int extraCost;
    // Turned at random about the vertical axis (water lies flat and unturned).
    bool turned;
    // The model's colour, and as the board shows it from above, unlit and lit.
    double color[3];
    std::uint8_t above[3];
    std::uint8_t lit[3];
    // Its word in the legend, the panel and trace, and trace's letter for it.
    const char* word;
    char letter;
    // The kind a paint gives it next: ground -> stones -> water -> tree -> ground.
    int nextPaint;

    bool blocks() const { return extraCost == ImpassableCost; }
};

constexpr int TileKindCount = 4;
extern const TileKind TileKinds[TileKindCount];
// A code the map gives no kind: open ground without a model, showing the ground square.
extern const TileKind BareTile;

// A tile the monkey has not seen under fog: a dull slate, darker than every kind and apart
// from the background's black; planned over as ground, so on the planned walk it shows as lit
// ground.
inline constexpr std::uint8_t UnseenColour[3] = {52, 54, 66};

// The row of a map code (BareTile for a code without a kind).
const TileKind& tileKindOf(int code);
// The kind of a benchmark map character, or nullptr for one that names no kind.
const TileKind* tileKindOfChar(char c);
// The kind a painted tile takes next; any code without a kind becomes ground.
int nextPaintKind(int code);
// "ground", "tree", "stones", "water", or "bare tile" for a code without a kind.
const char* kindName(int code);
// The legend's words: "ground", "tree (cannot be entered)", "stones (+20)", "water (+40)".
std::string legendWords(const TileKind& kind);
