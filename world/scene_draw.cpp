// One frame of the scene: clear, light, tiles, the walker's step, the two figures and the
// green ground square. The projection and model-view matrices are left as the camera set
// them, because the mouse pick right after this reads them together with the depth buffer.
#include "world/world.h"

#include <GL/gl.h>

void setupLight() {
    // Set after the camera transform every frame, so the point light stays at this scene
    // point however the view turns.
    const GLfloat position[4] = {10.0f, 200.0f, -10.0f, 1.0f};
    const GLfloat diffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
}

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
    setupLight();
    world.drawTiles();
    // Step before drawing the monkey, so the monkey shows this frame's step.
    if (world.walking) {
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
