// A mesh drawn by a real OpenGL pipeline, looked at straight down from above: where it lands,
// which way it turns, how it is lit and how the highlight shows.
#include "mesh/mesh.h"
#include "platform/glfw2.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstring>

namespace {

constexpr int Size = 64; // window pixels; the view spans 16 world units, 4 pixels each

struct MeshDrawGl : ::testing::Test {
    static void SetUpTestSuite() {
        ASSERT_TRUE(glfwInit());
        ASSERT_TRUE(glfwOpenWindow(Size, Size, 8, 8, 8, 8, 16, 0, GLFW_WINDOW));
    }
    static void TearDownTestSuite() { glfwTerminate(); }

    // The program's fixed state, the default light shining from the viewer, and a camera
    // above the origin with -z up the picture.
    void SetUp() override {
        glViewport(0, 0, Size, Size);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-8, 8, -8, 8, -50, 50);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glRotatef(90, 1, 0, 0);
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        glEnable(GL_COLOR_MATERIAL);
        glEnable(GL_CULL_FACE);
        glEnable(GL_DEPTH_TEST);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    // A flat, upward-facing rectangle on the model's +x side (x 1 to 5, z -2 to 2), placed
    // so that the model's origin lands on the world origin.
    static Mesh marker() {
        Mesh mesh;
        mesh.vertices = {{1, 0, 2}, {5, 0, 2}, {5, 0, -2}, {1, 0, -2}};
        mesh.faces = {{1, 2, 3}, {1, 3, 4}};
        mesh.computeNormals();
        mesh.position[0] = 5.0f;
        mesh.position[2] = -5.0f;
        mesh.color[0] = 0.5;
        mesh.color[2] = 0.25;
        return mesh;
    }

    // Pixel at world (x, z) on the ground, as red, green, blue bytes.
    static std::array<int, 3> pixelAt(double x, double z) {
        unsigned char rgb[3] = {};
        glReadPixels(int(Size / 2 + 4 * x), int(Size / 2 - 4 * z), 1, 1, GL_RGB, GL_UNSIGNED_BYTE,
                     rgb);
        return {rgb[0], rgb[1], rgb[2]};
    }
};

void expectNear(std::array<int, 3> seen, std::array<int, 3> wanted) {
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(seen[i], wanted[i], 3) << "channel " << i;
    }
}

} // namespace

TEST_F(MeshDrawGl, TurnsTheModelsXAxisToMinusZAndRestoresTheMatrix) {
    Mesh mesh = marker();
    double before[16];
    double after[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, before);
    mesh.draw(false);
    glGetDoublev(GL_MODELVIEW_MATRIX, after);
    EXPECT_EQ(std::memcmp(before, after, sizeof before), 0);
    EXPECT_NE(pixelAt(0, -3)[0], 0);
    expectNear(pixelAt(0, 3), {0, 0, 0});
    expectNear(pixelAt(3, 0), {0, 0, 0});

    // A further quarter turn brings the model's +x to -x.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    mesh.angle = 90.0f;
    mesh.draw(false);
    EXPECT_NE(pixelAt(-3, 0)[0], 0);
    expectNear(pixelAt(0, -3), {0, 0, 0});
}

TEST_F(MeshDrawGl, FacesTheLightAndHighlightShowsEveryChannelAtFullStrength) {
    Mesh mesh = marker();
    // Lit head-on: the default ambient 0.2 plus the full diffuse 1.0 times the colour. A
    // normal pointing away would leave only the ambient part (0.1 red).
    mesh.draw(false);
    expectNear(pixelAt(0, -3), {153, 0, 77});
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    mesh.draw(true);
    expectNear(pixelAt(0, -3), {255, 0, 255});
}
