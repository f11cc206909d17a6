// The table of tile kinds.
#include "world/tile_kinds.h"

#include <cstring>

// The colours from above are those the start view shows of each model on the shipped map,
// read off the window; lit, a model's colour is overdriven, so each channel it has shows full.
const TileKind TileKinds[TileKindCount] = {
    {GroundCode,
     ".G",
     {"ground3.obj"},
     0,
     true,
     {0.0, 0.3, 0.0},
     {0, 104, 0},
     {0, 255, 0},
     "ground",
     '.',
     StonesCode},
    {TreeCode,
     "T",
     {"tree.obj", "tree3.obj", "tree2.obj"},
     ImpassableCost,
     true,
     {0.2, 0.5, 0.0},
     {63, 158, 0},
     {63, 158, 0},
     "tree",
     'T',
     GroundCode},
    {StonesCode,
     "S",
     {"ground_stones.obj"},
     20,
     true,
     {0.5, 0.5, 0.5},
     {171, 171, 171},
     {255, 255, 255},
     "stones",
     's',
     WaterCode},
    {WaterCode,
     "W",
     {"water.obj"},
     40,
     false,
     {0.0, 0.0, 0.3},
     {0, 0, 105},
     {0, 0, 255},
     "water",
     '~',
     TreeCode},
};

const TileKind BareTile = {-1,          "",          {},          0,   false,     {0.0, 0.0, 0.0},
                           {0, 102, 0}, {0, 102, 0}, "bare tile", ' ', GroundCode};

const TileKind& tileKindOf(int code) {
    return code >= 0 && code < TileKindCount ? TileKinds[code] : BareTile;
}

const TileKind* tileKindOfChar(char c) {
    for (const TileKind& kind : TileKinds) {
        if (c != '\0' && std::strchr(kind.chars, c) != nullptr) {
            return &kind;
        }
    }
    return nullptr;
}

int nextPaintKind(int code) {
    return tileKindOf(code).nextPaint;
}

const char* kindName(int code) {
    return tileKindOf(code).word;
}

std::string legendWords(const TileKind& kind) {
    if (kind.blocks()) {
        return std::string(kind.word) + " (cannot be entered)";
    }
    return kind.extraCost > 0
               ? std::string(kind.word) + " (+" + std::to_string(kind.extraCost) + ")"
               : kind.word;
}
