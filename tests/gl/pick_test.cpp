// Ground picking against a real OpenGL depth buffer: the pixel over a tile's model,
// unprojected through the camera, names that tile, for the start view and a turned one.
#include "app/app.h"
#include "platform/glfw2.h"
#include "view/camera.h"
#include "view/mouse.h"
#include "world/world.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// 4 x 4 tiles of ground, stones, water and one code without a model (the ground square
// shows there). Every model is a flat plate 8 units wide, drawn 1 unit above the ground.
std::string writeMap() {
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("tanglor_pick_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string plate = "# plate\n#\n#\n"
                              "v -4 0 -4\nv -4 0 4\nv 4 0 4\nv 4 0 -4\n"
                              "s off\nusemtl none\n"
                              "f 1 2 3\nf 1 3 4\n";
    for (const char* name :
         {"ground3.obj", "ground_stones.obj", "water.obj", "monkey.obj", "banan.obj"}) {
        std::ofstream(dir / name) << plate;
    }
    std::ofstream(dir / "map.txt") << "0 0 2 0\n3 0 0 2\n0 7 0 0\n2 0 3 0\n";
    return (dir / "map.txt").string();
}

int quarterTurn() {
    return 0;
} // every turn 0: the plates stay square to the grid

struct PickGl : ::testing::Test {
    static void SetUpTestSuite() {
        glfwInit(); // a failed start shows, with its reason, as a failed open
        ASSERT_TRUE(glfwOpenWindow(1280, 720, 0, 0, 0, 0, 16, 0, GLFW_WINDOW))
            << glfwGetOpenError();
        setupGlState();
    }
    static void TearDownTestSuite() {
        world = World(std::string());
        glfwTerminate();
    }

    void SetUp() override {
        randomDraw = quarterTurn;
        world = World(writeMap());
        randomDraw = defaultRandomDraw;
        ASSERT_TRUE(world.problems.empty()) << world.problems.front();
        ASSERT_EQ(world.nodeCount, 16);
        resetCamera();
        zoom = 0.75f;
    }

    static void drawWithCamera(float turn, float tilt) {
        yaw = turn;
        pitch = tilt;
        updateViewport();
        applyCamera();
        drawFrame();
    }

    // Picks at the pixel over the centre of tile i's model and checks the tile it names.
    static void expectPickNamesTile(int i) {
        const Mesh& mesh = world.nodes[i].mesh;
        const double centreX = mesh.position[0] - 5.0;
        const double centreZ = mesh.position[2] + 5.0;
        const double height = world.nodes[i].kind == 7 ? 0.0 : 1.0; // plate or bare ground
        GLint viewport[4];
        GLdouble modelview[16];
        GLdouble projection[16];
        glGetIntegerv(GL_VIEWPORT, viewport);
        glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        GLdouble wx = 0.0;
        GLdouble wy = 0.0;
        GLdouble wz = 0.0;
        ASSERT_TRUE(
            gluProject(centreX, height, centreZ, modelview, projection, viewport, &wx, &wy, &wz));
        // Window rows count up from the bottom; the cursor counts down from the top.
        const int x = int(std::floor(wx));
        const int y = viewport[3] - int(std::floor(wy));

        bool ok = false;
        const Vec3 point = pickGround(x, y, &ok);
        ASSERT_TRUE(ok);
        EXPECT_EQ(world.tileIndexAt(int(point.x), int(point.z)), i)
            << "picked " << point.x << ", " << point.y << ", " << -point.z;
        // Within a pixel and the 16-bit depth step of the model's centre.
        EXPECT_NEAR(point.x, centreX, 1.0) << "tile " << i;
        EXPECT_NEAR(-point.z, centreZ, 1.0) << "tile " << i;
        EXPECT_NEAR(point.y, height, 1.0) << "tile " << i;
    }
};

} // namespace

TEST_F(PickGl, StartViewPicksTheTileUnderTheCursor) {
    drawWithCamera(0.0f, 0.0f);
    for (int i = 0; i < world.nodeCount; ++i) {
        expectPickNamesTile(i);
    }
}

TEST_F(PickGl, TurnedAndTiltedViewPicksTheTileUnderTheCursor) {
    drawWithCamera(30.0f, 40.0f);
    for (int i = 0; i < world.nodeCount; ++i) {
        expectPickNamesTile(i);
    }
}

TEST_F(PickGl, FrameLeavesTheCameraMatricesInPlace) {
    world.monkey.visible = true;
    world.banana.visible = true;
    yaw = 30.0f;
    pitch = 40.0f;
    updateViewport();
    applyCamera();
    GLdouble modelview[2][16];
    GLdouble projection[2][16];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview[0]);
    glGetDoublev(GL_PROJECTION_MATRIX, projection[0]);
    drawFrame();
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview[1]);
    glGetDoublev(GL_PROJECTION_MATRIX, projection[1]);
    EXPECT_EQ(std::memcmp(modelview[0], modelview[1], sizeof modelview[0]), 0);
    EXPECT_EQ(std::memcmp(projection[0], projection[1], sizeof projection[0]), 0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
