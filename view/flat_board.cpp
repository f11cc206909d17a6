// A view's board drawn flat: one texel a tile, one square over the board. The texels are
// built again only when what they show changed, from a copy of the board's own picture; while
// a playback only steps on, only the tiles those steps touched are coloured and sent again.
#include "view/board_sight.h"
#include "view/palette.h"
#include "view/search_view.h"

#include <GL/gl.h>

#include <algorithm>

namespace {

// The board's colours from above with no walk on it, kept while its tiles stay as they are:
// every view that starts its picture over starts from a copy of it.
// Texels are red, green, blue and alpha: the renderer takes four bytes a texel several
// times faster than three.
std::size_t texel(int tile) {
    return static_cast<std::size_t>(tile) * 4;
}

struct BoardPicture {
    long long tiles = -1;
    std::vector<std::uint8_t> rgb;
};
BoardPicture boardPicture;

const std::vector<std::uint8_t>& pictureOf(const MapBoard& map) {
    const Board& board = map.board;
    if (boardPicture.tiles != board.tilesSerial) {
        boardPicture.tiles = board.tilesSerial;
        boardPicture.rgb.assign(texel(board.tileCount()), 255); // opaque
        for (int i = 0; i < board.tileCount(); i++) {
            tileColour(map, i, false, &boardPicture.rgb[texel(i)]);
        }
    }
    return boardPicture.rgb;
}

// A tile's texel, as flatColour has it.
void texelColour(const MapBoard& map, const SearchView& view, const Walk& walk, int tile,
                 std::uint8_t rgb[3]) {
    flatColour(map, view, walk, tile, rgb);
}

// Colours the tiles whose mark the playback's steps from `from` to `to` changed: those it
// closed, those that joined the open list, and those its jumps looked at. Returns the first
// and last row touched.
std::pair<int, int> stepOn(const MapBoard& map, const SearchView& view, const Walk& walk,
                           FlatBoard& flat, int from, int to) {
    const Board& board = map.board;
    int first = board.rows;
    int last = -1;
    auto colour = [&](int tile) {
        texelColour(map, view, walk, tile, &flat.texels[texel(tile)]);
        first = std::min(first, tile / board.columns);
        last = std::max(last, tile / board.columns);
    };
    const std::vector<int>& closed = walk.search.closed;
    for (int k = from; k < to && k < static_cast<int>(closed.size()); k++) {
        colour(closed[k]);
    }
    // The tiles joined in order, so those of these steps lie together.
    const std::vector<int>& at = walk.search.openedAt;
    const auto begin = std::upper_bound(at.begin(), at.end(), from);
    const auto end = std::upper_bound(at.begin(), at.end(), to);
    for (auto j = begin; j != end; ++j) {
        colour(walk.search.opened[static_cast<std::size_t>(j - at.begin())]);
    }
    // Likewise the scans (none but JPS's).
    const std::vector<int>& scannedAt = walk.search.scannedAt;
    const auto scansBegin = std::upper_bound(scannedAt.begin(), scannedAt.end(), from);
    const auto scansEnd = std::upper_bound(scansBegin, scannedAt.end(), to);
    for (auto j = scansBegin; j != scansEnd; ++j) {
        colour(walk.search.scanned[static_cast<std::size_t>(j - scannedAt.begin())]);
    }
    if (walk.search.meeting >= 0 && to >= searchSteps(walk)) {
        colour(walk.search.meeting); // marked once the search shows whole
    }
    return {first, last};
}

// The picture over again: the board's own, the walk's lit tiles, and the marks of the steps
// the playback shows.
void startOver(const MapBoard& map, const SearchView& view, const Walk& walk, FlatBoard& flat,
               int step) {
    flat.texels = pictureOf(map);
    // Under fog, every tile the monkey has not seen dimmed (a new sight makes a new picture).
    for (int tile = 0; walk.fogged() && tile < map.board.tileCount(); tile++) {
        if (!walk.fog.isSeen(tile)) {
            texelColour(map, view, walk, tile, &flat.texels[texel(tile)]);
        }
    }
    for (int tile : walk.litTiles) {
        texelColour(map, view, walk, tile, &flat.texels[texel(tile)]);
    }
    stepOn(map, view, walk, flat, 0, step);
}

// The texture bound, one square over the board.
void drawBoardSquare(const Board& board) {
    const auto [x0, x1, z0, z1] = boardEdges(board);
    constexpr float Top = 1.0f; // where the tile models stand
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(x0, Top, z0);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(x0, Top, z1);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(x1, Top, z1);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(x1, Top, z0);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
    glEnable(GL_LIGHTING);
}

} // namespace

void updateFlatBoard(const MapBoard& map, const SearchView& view, const Walk& walk,
                     FlatBoard& flat) {
    const Board& board = map.board;
    if (board.tileCount() == 0) {
        return;
    }
    // The marks show only a record the playback has taken up: until then none changes.
    const bool viewOn = view.mode != SearchViewMode::Off;
    const long long shown = walk.playback.serial == walk.search.serial ? walk.search.serial : -1;
    const FlatBoard::Key now{board.tilesSerial, shown, walk.marksSerial,
                             static_cast<int>(view.mode), viewOn ? playbackStep(walk) : 0};
    if (flat.texture == 0) {
        glGenTextures(1, &flat.texture);
    }
    glBindTexture(GL_TEXTURE_2D, flat.texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const bool sized = flat.columns == board.columns && flat.rows == board.rows;
    FlatBoard::Key before = flat.key;
    before.step = now.step;
    if (sized && before == now && now.step > flat.key.step) {
        const auto [first, last] = stepOn(map, view, walk, flat, flat.key.step, now.step);
        if (first <= last) {
            glTexSubImage2D(GL_TEXTURE_2D, 0, 0, first, board.columns, last - first + 1, GL_RGBA,
                            GL_UNSIGNED_BYTE, &flat.texels[texel(first * board.columns)]);
        }
    } else if (!sized || !(flat.key == now)) {
        startOver(map, view, walk, flat, now.step);
        if (!sized) {
            flat.columns = board.columns;
            flat.rows = board.rows;
            // Blended when many tiles share a pixel, sharp squares when a tile spans many.
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, board.columns, board.rows, 0, GL_RGBA,
                         GL_UNSIGNED_BYTE, flat.texels.data());
        } else {
            glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, board.columns, board.rows, GL_RGBA,
                            GL_UNSIGNED_BYTE, flat.texels.data());
        }
    }
    flat.key = now;
    glBindTexture(GL_TEXTURE_2D, 0);
}

void drawFlatBoard(const Board& board, const FlatBoard& flat) {
    if (board.tileCount() == 0 || flat.texture == 0) {
        return;
    }
    glBindTexture(GL_TEXTURE_2D, flat.texture);
    drawBoardSquare(board);
}
