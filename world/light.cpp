// The scene's one light. Kept apart from the frame drawing so that tools that draw the
// models alone light them the same way.
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
