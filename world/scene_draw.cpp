// One frame of the scene: clear, light, tiles, the walker's step, the two figures and the
// green ground square. The projection and model-view matrices are left as the camera set
// them, because the mouse pick right after this reads them together with the depth buffer.
#include "world/world.h"

#include <GL/gl.h>

void World::drawTiles() const {
    for (const GridNode& node : nodes) {
        node.mesh.draw(node.marked);
    }
}

// The ground is drawn twice, wound both ways, so that with back faces culled it shows
// from above and from below, lit on the side that faces the viewer.
static void drawGround() {
    glBegin(GL_QUADS);
    glColor3f(0.0f, 0.4f, 0.0f);
    glNormal3f(0.0f, 1.0f, 0.0f);
    glVertex3f(-80.0f, 0.0f, -80.0f);
    glVertex3f(-80.0f, 0.0f, 80.0f);
    glVertex3f(80.0f, 0.0f, 80.0f);
    glVertex3f(80.0f, 0.0f, -80.0f);
    glNormal3f(0.0f, -1.0f, 0.0f);
    glVertex3f(-80.0f, 0.0f, -80.0f);
    glVertex3f(80.0f, 0.0f, -80.0f);
    glVertex3f(80.0f, 0.0f, 80.0f);
    glVertex3f(-80.0f, 0.0f, 80.0f);
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
