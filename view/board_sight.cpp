// Which tiles a frame draws and how: the logic behind drawing a big board, apart from
// OpenGL so that it is tested without a window.
#include "view/board_sight.h"
#include "view/camera.h"
#include "view/palette.h"
#include "view/search_view.h"
#include "world/tile_kinds.h"

#include <algorithm>
#include <cmath>

DrawnTiles boardSight(const Board& board, int width, int height) {
    const double fov = static_cast<double>(camera.fieldOfView) * static_cast<double>(camera.zoom);
    const double halfHeight = static_cast<double>(camera.cameraY) * std::tan(fov * Pi / 360.0);
    const double halfWidth = halfHeight * width / std::max(height, 1);
    DrawnTiles sight;
    sight.models = TileSize * height / (2.0 * halfHeight) >= ModelPixels;
    if (std::abs(camera.pitch) > 0.5f || board.tileCount() == 0) {
        return sight; // tilted, the board reaches toward the horizon: every tile may show
    }
    // The view's centre on the ground, turned back by the yaw about the board's origin; a
    // circle round it holds the view at any turn. Two tiles more on every side hold the
    // models that lean out of their tiles.
    const double yawRadians = static_cast<double>(camera.yaw) * Pi / 180.0;
    const double cx = camera.cameraX * std::cos(yawRadians) - camera.cameraZ * std::sin(yawRadians);
    const double cz = camera.cameraX * std::sin(yawRadians) + camera.cameraZ * std::cos(yawRadians);
    const double reach = std::hypot(halfWidth, halfHeight) + 2.0 * TileSize;
    const double left = boardEdges(board).left;
    const double top = boardEdges(board).top;
    auto clampTo = [](double value, int last) {
        return static_cast<int>(std::clamp(std::floor(value), -1.0, static_cast<double>(last) + 1));
    };
    sight.column0 = clampTo((cx - reach - left) / TileSize, board.columns - 1);
    sight.column1 = clampTo((cx + reach - left) / TileSize, board.columns - 1);
    sight.row0 = clampTo((cz - reach - top) / TileSize, board.rows - 1);
    sight.row1 = clampTo((cz + reach - top) / TileSize, board.rows - 1);
    return sight;
}

void tileColour(const MapBoard& map, int tile, bool lit, std::uint8_t rgb[3]) {
    const MapTile& node = map.tiles[tile];
    if (node.outside) {
        rgb[0] = rgb[1] = rgb[2] = 0; // the background
        return;
    }
    const TileKind& kind = tileKindOf(node.kind);
    const std::uint8_t* colour = lit ? kind.lit : kind.above;
    std::copy(colour, colour + 3, rgb);
}

void flatColour(const MapBoard& map, const SearchView& view, const Walk& walk, int tile,
                std::uint8_t rgb[3]) {
    const TileMark mark =
        map.tiles[tile].outside ? TileMark::None : searchViewMark(view, walk, tile);
    if (mark != TileMark::None) {
        const std::uint8_t* colour = mark == TileMark::Closed             ? ClosedMark.shown
                                     : mark == TileMark::ClosedFromTarget ? TargetClosedMark.shown
                                     : mark == TileMark::Meeting          ? MeetingMark.shown
                                     : mark == TileMark::Kept             ? KeptMark.shown
                                     : mark == TileMark::Scanned          ? ScannedMark.shown
                                                                          : OpenMark.shown;
        std::copy(colour, colour + 3, rgb);
        return;
    }
    if (walk.fogged() && !walk.fog.isSeen(tile)) {
        const TileKind& assumed = TileKinds[GroundCode];
        const std::uint8_t* colour = walk.lit(tile) ? assumed.lit : UnseenColour;
        std::copy(colour, colour + 3, rgb);
        return;
    }
    tileColour(map, tile, walk.lit(tile), rgb);
}
