// Drawing the board: one view over the whole window, or the race's four views, each drawing
// its own walk with its own picture of the flat board; and the viewport a pick reads.
#include "app/app.h"
#include "ui/panel.h"
#include "view/board_sight.h"
#include "view/camera.h"
#include "view/figure_markers.h"
#include "view/race.h"
#include "view/search_view.h"
#include "view/segments.h"

#include <GL/gl.h>

namespace {

// OpenGL counts viewport rows from the bottom of the window.
void useViewport(const PixelRect& r) {
    glViewport(r.x, windowHeight - r.y - r.height, r.width, r.height);
    applyCameraFor(r.width, r.height > 0 ? r.height : 1);
}

// The walk's scene, then the board flat when its tiles are too small for their models, the
// search view's marks, an any-angle walk's segments over the models, and over a flat board
// the figures and the lit walk (whose line is an any-angle walk's segments there).
void drawView(World& w, Walk& walk, const FlatBoard& flat, const DrawnTiles& sight) {
    drawScene(w, walk, sight, searchViewHoldsWalk(w.session.view, walk));
    if (!sight.models) {
        drawFlatBoard(w.board, flat);
    }
    drawSearchMarks(w.board, w.session.view, walk, sight);
    if (sight.models) {
        drawSegments(w.board, walk);
    } else {
        drawFigureMarkers(w, walk);
    }
}

// The world's one view, or the race's four.
void drawViews(World& w);

} // namespace

PixelRect raceViewport(int index) {
    // The board's part of the window, left of the panel, in two rows of two.
    const int width = panelLeft(windowWidth) / 2;
    const int height = windowHeight / 2;
    return PixelRect{index % 2 * width, index / 2 * height, width, height};
}

int raceViewportAt(int x, int y) {
    for (int i = 0; i < RacerCount; i++) {
        const PixelRect r = raceViewport(i);
        if (x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height) {
            return i;
        }
    }
    return -1;
}

void drawBoard(World& w) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // Nothing of the board is drawn under the panel: it stays the cleared background the
    // panel is drawn on.
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, panelLeft(windowWidth), windowHeight);
    drawViews(w);
    glDisable(GL_SCISSOR_TEST);
}

namespace {

void drawViews(World& w) {
    Session& s = w.session;
    if (!s.racing) {
        const DrawnTiles sight = boardSight(w.board, windowWidth, windowHeight);
        if (!sight.models) {
            updateFlatBoard(w, s.view, w.walk, s.flat);
        }
        drawView(w, w.walk, s.flat, sight);
        return;
    }
    DrawnTiles sights[RacerCount];
    for (int i = 0; i < RacerCount; i++) {
        const PixelRect view = raceViewport(i);
        sights[i] = boardSight(w.board, view.width, view.height);
        if (!sights[i].models) {
            updateFlatBoard(w, s.view, s.racers[i].walk, s.racers[i].flat);
        }
    }
    for (int i = 0; i < RacerCount; i++) {
        useViewport(raceViewport(i));
        drawView(w, s.racers[i].walk, s.racers[i].flat, sights[i]);
    }
}

} // namespace

void aimPickAt(int x, int y) {
    const int view = raceOn(world) ? raceViewportAt(x, y) : -1;
    if (view >= 0) {
        useViewport(raceViewport(view));
    }
}
