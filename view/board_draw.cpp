// Drawing the board: one view over the whole window, or the race's four views, each with its
// racer swapped into the world; and the viewport a pick at the cursor reads.
#include "app/app.h"
#include "ui/panel.h"
#include "view/board_sight.h"
#include "view/camera.h"
#include "view/race.h"

#include <GL/gl.h>

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

// OpenGL counts viewport rows from the bottom of the window.
static void useViewport(const PixelRect& r) {
    glViewport(r.x, windowHeight - r.y - r.height, r.width, r.height);
    applyCameraFor(r.width, r.height > 0 ? r.height : 1);
}

// The scene, then the board flat when its tiles are too small for their models, then the
// search view's marks.
static void drawView(int width, int height) {
    drawnTiles = boardSight(world, width, height);
    world.walkHeld = searchViewHoldsWalk(world);
    drawScene();
    if (!drawnTiles.models) {
        drawFlatBoard(world);
    }
    drawSearchMarks(world);
}

void drawBoard() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (!raceOn()) {
        drawView(windowWidth, windowHeight);
        return;
    }
    for (int i = 0; i < RacerCount; i++) {
        const PixelRect view = raceViewport(i);
        useViewport(view);
        Racer& racer = race.racers[i];
        swapRacer(world, racer);
        drawView(view.width, view.height);
        swapRacer(world, racer);
    }
}

void aimPickAt(int x, int y) {
    const int view = raceOn() ? raceViewportAt(x, y) : -1;
    if (view >= 0) {
        useViewport(raceViewport(view));
    }
}
