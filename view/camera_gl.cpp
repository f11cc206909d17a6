// The camera's projection and view, loaded once per frame before the scene is drawn.
#include "app/app.h"
#include "view/camera.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>

void applyCamera() {
    applyCameraFor(windowWidth, windowHeight);
}

void applyCameraFor(int width, int height) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // The far plane stays well beyond the board however high the eye rises over a big one.
    // The near plane moves out with it, keeping the depth buffer's resolution.
    const double far = std::max(2000.0, 4.0 * static_cast<double>(camera.cameraY));
    const double near = std::max(2.0, static_cast<double>(camera.cameraY) / 100.0);
    gluPerspective(static_cast<double>(camera.fieldOfView) * static_cast<double>(camera.zoom),
                   static_cast<double>(width) / static_cast<double>(height), near, far);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // Straight down, with world -z at the top of the screen.
    gluLookAt(camera.cameraX, camera.cameraY, camera.cameraZ, camera.cameraX,
              camera.cameraY - camera.cameraStartY, camera.cameraZ, 0.0, 0.0, -1.0);
    // After the view, so that the world turns about its own origin, not about the eye.
    glRotatef(-camera.pitch, 1.0f, 0.0f, 0.0f);
    glRotatef(camera.yaw, 0.0f, 1.0f, 0.0f);
}
