// Ground picking against a real OpenGL depth buffer: the pixel over the centre of a tile's
// model, unprojected through the camera, lies in that tile, seen straight down or turned;
// a pixel outside the window reads as the far plane.
#include "app/app.h"
#include "platform/glfw2.h"
#include "tools/xdriver/x_driver.h"
#include "view/camera.h"
#include "view/mouse.h"
#include "world/world.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <utility>

TEST(PickGl, PixelOverATileModelPicksItsCentre) {
    glfwInit(); // a failed start shows, with its reason, as a failed open
    ASSERT_TRUE(glfwOpenWindow(1280, 720, 0, 0, 0, 0, 16, 0, GLFW_WINDOW)) << glfwGetOpenError();
    setupGlState();
    // 4 x 4 tiles of flat plates 8 units wide, 1 unit above the ground; code 7 has no model.
    SceneFolder folder("0 0 2 0\n3 0 0 2\n0 7 0 0\n2 0 3 0\n");
    world = World((folder.dir / "map.txt").string());
    resetCamera();
    camera.zoom = 0.75f;
    for (const auto& angles : {std::pair{0.0f, 0.0f}, {30.0f, 40.0f}}) {
        SCOPED_TRACE(angles.first);
        std::tie(camera.yaw, camera.pitch) = angles;
        updateViewport();
        applyCamera();
        // Taken before the drawing, which must leave them as they are for the pick.
        GLint viewport[4];
        GLdouble camera[2][16];
        glGetIntegerv(GL_VIEWPORT, viewport);
        glGetDoublev(GL_MODELVIEW_MATRIX, camera[0]);
        glGetDoublev(GL_PROJECTION_MATRIX, camera[1]);
        drawFrame();
        for (int i = 0; i < world.board.tileCount(); ++i) {
            const Vec3 centre = tileCentre(world.board, i);
            const double x = centre.x, z = centre.z, y = world.tiles[i].kind == 7 ? 0.0 : 1.0;
            GLdouble column = 0.0, row = 0.0, depth = 0.0;
            ASSERT_TRUE(gluProject(x, y, z, camera[0], camera[1], viewport, &column, &row, &depth));
            // The cursor counts rows from the top; the point comes back with z negated.
            const Vec3 point = pickGround(int(column), viewport[3] - int(row));
            // Within a pixel and a 16-bit depth step of the centre, so well inside the tile.
            EXPECT_LT(std::hypot(point.x - x, point.y - y, -point.z - z), 1.0)
                << "tile " << i << " picked " << point.x << ", " << point.y << ", " << -point.z;
        }
        // Nothing is read outside the window: the far plane, far below the ground, no tile.
        EXPECT_LT(pickGround(-10, 360).y, -1000.0);
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    world = World(std::string());
    glfwTerminate();
}
