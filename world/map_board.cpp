// A map's tiles given their codes, costs and place on or off the board.
#include "world/map_board.h"
#include "world/map_file.h"
#include "world/tile_kinds.h"

void MapBoard::buildTiles(int columns, int rows) {
    board.buildGrid(columns, rows);
    tiles.assign(static_cast<std::size_t>(board.tileCount()), MapTile());
    outsideTiles = 0;
}

void MapBoard::setTileCode(int tile, int code) {
    // A code without a kind is open ground: BareTile costs nothing extra.
    board.setExtraCost(tile, tileKindOf(code).extraCost);
    tiles[tile].kind = code;
    if (tiles[tile].outside) {
        tiles[tile].outside = false;
        outsideTiles--;
    }
}

void MapBoard::makeOutside(int tile) {
    if (!tiles[tile].outside) {
        outsideTiles++;
    }
    tiles[tile] = MapTile{MissingCode, true};
    board.setExtraCost(tile, ImpassableCost);
}

void readTiles(MapBoard& into, const MapCodes& map) {
    into.buildTiles(static_cast<int>(map.columns), static_cast<int>(map.rows));
    for (int i = 0; i < into.board.tileCount(); i++) {
        const int code = i < static_cast<int>(map.codes.size()) ? map.codes[i] : MissingCode;
        if (map.benchmark && code == OutsideCode) {
            into.makeOutside(i);
        } else {
            into.setTileCode(i, code);
        }
    }
}
