// One frame of the scene: clear, light, tiles, the walker's step, the two figures and the
// green ground square. The projection and model-view matrices are left as the camera set
// them, because the mouse pick right after this reads them together with the depth buffer.
#include "world/world.h"

#include <GL/gl.h>

#include <algorithm>

DrawnTiles drawnTiles;

void World::drawTiles() const {
    if (!drawnTiles.models) {
        return;
    }
    const int c0 = std::max(drawnTiles.column0, 0);
    const int c1 = std::min(drawnTiles.column1, columns - 1);
    const int r1 = std::min(drawnTiles.row1, rows - 1);
    for (int r = std::max(drawnTiles.row0, 0); r <= r1; r++) {
        for (int c = c0; c <= c1; c++) {
            const GridNode& node = nodes[r * columns + c];
            node.mesh.draw(node.marked);
        }
    }
}

// The green square under the board, its edges on the board's. It is drawn twice, wound
// both ways, so that with back faces culled it shows from above and from below, lit on the
// side that faces the viewer.
static void drawGround() {
    // Drawn flat, the board covers the square, and at the height of a big board's eye the
    // depth buffer could not tell the two apart.
    if (world.nodeCount == 0 || !drawnTiles.models) {
        return;
    }
    const auto [x0, x1, z0, z1] = world.boardEdges();
    glBegin(GL_QUADS);
    glColor3f(0.0f, 0.4f, 0.0f);
    if (world.outsideTiles > 0) {
        // Tiles off the board show the background: a square for each tile on it, in view.
        glNormal3f(0.0f, 1.0f, 0.0f);
        const int c1 = std::min(drawnTiles.column1, world.columns - 1);
        const int r1 = std::min(drawnTiles.row1, world.rows - 1);
        for (int r = std::max(drawnTiles.row0, 0); r <= r1; r++) {
            for (int c = std::max(drawnTiles.column0, 0); c <= c1; c++) {
                if (!world.nodes[r * world.columns + c].outside) {
                    const float x = x0 + TileSize * c;
                    const float z = z0 + TileSize * r;
                    glVertex3f(x, 0.0f, z);
                    glVertex3f(x, 0.0f, z + TileSize);
                    glVertex3f(x + TileSize, 0.0f, z + TileSize);
                    glVertex3f(x + TileSize, 0.0f, z);
                }
            }
        }
        glEnd();
        return;
    }
    glNormal3f(0.0f, 1.0f, 0.0f);
    glVertex3f(x0, 0.0f, z0);
    glVertex3f(x0, 0.0f, z1);
    glVertex3f(x1, 0.0f, z1);
    glVertex3f(x1, 0.0f, z0);
    glNormal3f(0.0f, -1.0f, 0.0f);
    glVertex3f(x0, 0.0f, z0);
    glVertex3f(x1, 0.0f, z0);
    glVertex3f(x1, 0.0f, z1);
    glVertex3f(x0, 0.0f, z1);
    glEnd();
}

void drawFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawScene();
}

void drawScene() {
    setupLight();
    world.drawTiles();
    // Step before drawing the monkey, so the monkey shows this frame's step. While the search
    // view plays a search back, the monkey waits for its end at a waypoint: one caught
    // mid-step by a paint finishes that step first.
    const bool atWaypoint = world.stepFrame == 0 || world.stepFrame == world.stepFrames;
    if (world.walking && !(world.walkHeld && atWaypoint)) {
        world.stepWalker();
    }
    if (world.monkey.visible) {
        world.monkey.draw(false);
    }
    if (world.banana.visible) {
        world.banana.draw(false);
    }
    drawGround();
}
