// The camera's projection and view, loaded once per frame before the scene is drawn.
#include "app/app.h"
#include "view/camera.h"

#include <GL/gl.h>
#include <GL/glu.h>

void applyCamera() {
    applyCameraFor(windowWidth, windowHeight);
}

void applyCameraFor(int width, int height) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(static_cast<double>(fieldOfView) * static_cast<double>(zoom),
                   static_cast<double>(width) / static_cast<double>(height), 2.0, 2000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // Straight down, with world -z at the top of the screen.
    gluLookAt(cameraX, cameraY, cameraZ, cameraX, cameraY - cameraStartY, cameraZ - cameraStartZ,
              0.0, 0.0, -1.0);
    // After the view, so that the world turns about its own origin, not about the eye.
    glRotatef(-pitch, 1.0f, 0.0f, 0.0f);
    glRotatef(yaw, 0.0f, 1.0f, 0.0f);
}
