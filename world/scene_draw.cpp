// One walk's scene: the light, the tiles (its walk lit), the walker's step, the two figures
// and the green ground square. The projection and model-view matrices are left as the camera
// set them, because the mouse pick right after this reads them with the depth buffer.
#include "world/tile_kinds.h"
#include "world/world.h"

#include <GL/gl.h>

#include <algorithm>

void World::drawTiles(const Walk& walk, const DrawnTiles& sight) const {
    if (!sight.models) {
        return;
    }
    if (!walk.fogged()) {
        forEachTileInSight(board, sight, [&](int tile) { tileModels[tile].draw(walk.lit(tile)); });
        return;
    }
    // Under fog a tile the monkey has not seen shows no model: a flat slate square, unlit so
    // that it is the same colour at every turn (lit ground where the plan goes over it).
    std::vector<int> unseen;
    forEachTileInSight(board, sight, [&](int tile) {
        if (walk.fog.isSeen(tile)) {
            tileModels[tile].draw(walk.lit(tile));
        } else {
            unseen.push_back(tile);
        }
    });
    const float x0 = boardEdges(board).left, z0 = boardEdges(board).top;
    glDisable(GL_LIGHTING);
    glBegin(GL_QUADS);
    for (int tile : unseen) {
        const std::uint8_t* c = walk.lit(tile) ? TileKinds[GroundCode].lit : UnseenColour;
        glColor3f(c[0] / 255.0f, c[1] / 255.0f, c[2] / 255.0f);
        const float x = x0 + TileSize * (tile % board.columns);
        const float z = z0 + TileSize * (tile / board.columns);
        glVertex3f(x, 0.05f, z);
        glVertex3f(x, 0.05f, z + TileSize);
        glVertex3f(x + TileSize, 0.05f, z + TileSize);
        glVertex3f(x + TileSize, 0.05f, z);
    }
    glEnd();
    glEnable(GL_LIGHTING);
}

namespace {

void groundSquare(float x0, float x1, float z0, float z1) {
    glNormal3f(0.0f, 1.0f, 0.0f);
    glVertex3f(x0, 0.0f, z0);
    glVertex3f(x0, 0.0f, z1);
    glVertex3f(x1, 0.0f, z1);
    glVertex3f(x1, 0.0f, z0);
}

// The green square under the board, its edges on the board's. It is drawn twice, wound
// both ways, so that with back faces culled it shows from above and from below, lit on the
// side that faces the viewer.
void drawGround(const MapBoard& map, const DrawnTiles& sight) {
    const Board& board = map.board;
    // Drawn flat, the board covers the square, and at the height of a big board's eye the
    // depth buffer could not tell the two apart.
    if (board.tileCount() == 0 || !sight.models) {
        return;
    }
    const auto [x0, x1, z0, z1] = boardEdges(board);
    glBegin(GL_QUADS);
    glColor3f(0.0f, 0.4f, 0.0f);
    if (map.outsideTiles > 0) {
        // Tiles off the board show the background: a square for each tile on it, in view.
        // The corner by value: clang before 16 cannot capture a structured binding, and the
        // fuzz build is clang's.
        forEachTileInSight(board, sight, [&, left = x0, top = z0](int tile) {
            if (!map.tiles[tile].outside) {
                const float x = left + TileSize * (tile % board.columns);
                const float z = top + TileSize * (tile / board.columns);
                groundSquare(x, x + TileSize, z, z + TileSize);
            }
        });
        glEnd();
        return;
    }
    groundSquare(x0, x1, z0, z1);
    glNormal3f(0.0f, -1.0f, 0.0f);
    glVertex3f(x0, 0.0f, z0);
    glVertex3f(x1, 0.0f, z0);
    glVertex3f(x1, 0.0f, z1);
    glVertex3f(x0, 0.0f, z1);
    glEnd();
}

} // namespace

void drawFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawScene(world, world.walk, DrawnTiles{}, false);
}

void drawScene(World& w, Walk& walk, const DrawnTiles& sight, bool held) {
    setupLight();
    w.drawTiles(walk, sight);
    // Step before drawing the monkey, so the monkey shows this frame's step. While the search
    // view plays a search back, the monkey waits for its end at a waypoint: one caught
    // mid-step by a paint finishes that step first.
    const bool atWaypoint = walk.stepFrame == 0 || walk.stepFrame == w.stepFrames;
    if (walk.walking && !(held && atWaypoint)) {
        w.stepWalker(walk);
        w.lookAround(walk); // under fog, what the monkey sees from a tile it came to
    }
    if (walk.monkey.visible) {
        walk.monkey.draw(false);
    }
    if (w.banana.visible) {
        w.banana.draw(false);
    }
    drawGround(w, sight);
}
