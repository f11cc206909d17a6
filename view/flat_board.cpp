// The board drawn flat: one texel a tile, built from the tiles every frame it is drawn (so
// that a paint or a step of the playback shows at once), one square over the board.
#include "view/board_sight.h"
#include "view/search_view.h"

#include <GL/gl.h>

#include <vector>

namespace {

GLuint texture = 0;
int textureColumns = 0;
int textureRows = 0;
std::vector<std::uint8_t> texels;

// What the texels were last built from: while it stays the same, so do they.
struct Built {
    const World* world = nullptr;
    int tilesSerial = -1;
    int searchSerial = -1;
    int shownSerial = -1;
    SearchViewMode mode = SearchViewMode::Off;
    int step = -1;
    bool operator==(const Built&) const = default;
};
Built built;

} // namespace

static void drawBoardSquare(const World& w);

void drawFlatBoard(const World& w) {
    if (w.nodeCount == 0) {
        return;
    }
    const Built now{&w,
                    w.tilesSerial,
                    w.search.serial,
                    searchView.search.serial,
                    searchView.mode,
                    searchView.mode == SearchViewMode::Off ? 0 : searchViewStep()};
    const bool same = now == built && textureColumns == w.columns && textureRows == w.rows;
    if (texture == 0) {
        glGenTextures(1, &texture);
    }
    glBindTexture(GL_TEXTURE_2D, texture);
    if (same) {
        drawBoardSquare(w);
        return;
    }
    built = now;
    texels.resize(static_cast<std::size_t>(w.nodeCount) * 3);
    for (int i = 0; i < w.nodeCount; i++) {
        flatColour(w, i, &texels[static_cast<std::size_t>(i) * 3]);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (textureColumns != w.columns || textureRows != w.rows) {
        textureColumns = w.columns;
        textureRows = w.rows;
        // Blended when many tiles share a pixel, sharp squares when a tile spans many.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, w.columns, w.rows, 0, GL_RGB, GL_UNSIGNED_BYTE,
                     texels.data());
    } else {
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, w.columns, w.rows, GL_RGB, GL_UNSIGNED_BYTE,
                        texels.data());
    }
    drawBoardSquare(w);
}

// The texture bound, one square over the board.
static void drawBoardSquare(const World& w) {
    const auto [x0, x1, z0, z1] = w.boardEdges();
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
