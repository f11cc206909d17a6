// Ground picking: the world point under a window pixel, read back from the depth buffer
// of the frame just drawn and unprojected through the current matrices.
#include "app/app.h"
#include "view/mouse.h"

#include <GL/gl.h>
#include <GL/glu.h>

Vec3 pickGround(int x, int y, bool* ok) {
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    // The cursor counts rows from the top of the window, OpenGL from its bottom; a viewport
    // may cover only part of it (a view of the race).
    int row = windowHeight - y;
    float windowX = float(x);
    float windowY = float(row);

    GLdouble modelview[16];
    GLdouble projection[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);

    // Read at the same flipped row that is unprojected. Starts at the far plane, so a
    // read outside the window that writes nothing looks like empty sky, not garbage.
    GLfloat windowZ = 1.0f;
    glReadPixels(x, row, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &windowZ);

    GLdouble worldX = 0.0;
    GLdouble worldY = 0.0;
    GLdouble worldZ = 0.0;
    GLint done = gluUnProject(double(windowX), double(windowY), double(windowZ), modelview,
                              projection, viewport, &worldX, &worldY, &worldZ);
    // A failed unprojection (singular matrices) leaves the outputs unwritten: hand on
    // nothing of them, so the click names no tile.
    if (done == GL_FALSE) {
        if (ok != nullptr) {
            *ok = false;
        }
        return Vec3{};
    }
    if (ok != nullptr) {
        *ok = true;
    }
    // The world asks for ground points with z negated.
    return Vec3{worldX, worldY, -worldZ};
}
