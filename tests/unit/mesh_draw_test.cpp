// What one mesh sends to OpenGL, read from the recording stand-in.
#include "mesh/mesh.h"
#include "tests/support/call_log.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Two triangles over four vertices, with the normals a load would have given them.
Mesh twoTriangles() {
    Mesh mesh;
    mesh.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 0, -1}, {0, 1, 0}};
    mesh.faces = {{1, 2, 3}, {4, 2.7, 1}};
    mesh.computeNormals();
    return mesh;
}

std::vector<double> argsOf(const std::string& name, std::size_t nth = 0) {
    for (const Call& call : callLog()) {
        if (call.name == name && nth-- == 0) {
            return call.args;
        }
    }
    return {};
}

} // namespace

TEST(MeshDraw, HiddenMeshMakesNoCall) {
    Mesh mesh = twoTriangles();
    mesh.visible = false;
    clearCalls();
    mesh.draw(true);
    EXPECT_TRUE(callLog().empty());
}

TEST(MeshDraw, EmptyMeshStillMakesTheWholeBatch) {
    const Mesh mesh;
    clearCalls();
    mesh.draw(false);
    const std::vector<std::string> expected = {"glPushMatrix", "glTranslatef", "glRotatef",
                                               "glBegin",      "glColor3f",    "glEnd",
                                               "glPopMatrix"};
    EXPECT_EQ(callNames(), expected);
    EXPECT_EQ(argsOf("glBegin"), std::vector<double>{GL_TRIANGLES});
}

TEST(MeshDraw, PlacesTurnsAndSendsFacesInOrder) {
    Mesh mesh = twoTriangles();
    mesh.position[0] = 10.0f;
    mesh.position[2] = -20.0f;
    mesh.angle = 30.0f;
    clearCalls();
    mesh.draw(false);
    EXPECT_EQ(argsOf("glTranslatef"), (std::vector<double>{5, 1, -15}));
    EXPECT_EQ(argsOf("glRotatef"), (std::vector<double>{120, 0, 1, 0}));
    const std::vector<std::string> expected = {
        "glPushMatrix", "glTranslatef", "glRotatef",  "glBegin",    "glColor3f",
        "glNormal3f",   "glVertex3f",   "glVertex3f", "glVertex3f", "glNormal3f",
        "glVertex3f",   "glVertex3f",   "glVertex3f", "glEnd",      "glPopMatrix"};
    EXPECT_EQ(callNames(), expected);
    // Face 2 is drawn with normal 2 and its vertices in stored order, 2.7 naming vertex 2.
    EXPECT_EQ(argsOf("glNormal3f", 1), (std::vector<double>{0, 0, -1}));
    EXPECT_EQ(argsOf("glVertex3f", 3), (std::vector<double>{0, 1, 0}));
    EXPECT_EQ(argsOf("glVertex3f", 4), (std::vector<double>{1, 0, 0}));
    EXPECT_EQ(argsOf("glVertex3f", 5), (std::vector<double>{0, 0, 0}));
}

TEST(MeshDraw, HighlightMultipliesTheColourWithoutClamping) {
    Mesh mesh;
    mesh.color[0] = 1.0;
    mesh.color[1] = 0.6;
    mesh.color[2] = 0.2;
    clearCalls();
    mesh.draw(true);
    EXPECT_EQ(argsOf("glColor3f"), (std::vector<double>{100.0f, 60.0f, 20.0f}));
    mesh.color[0] = mesh.color[1] = mesh.color[2] = 0.0;
    clearCalls();
    mesh.draw(true);
    EXPECT_EQ(argsOf("glColor3f"), (std::vector<double>{0, 0, 0}));
}

TEST(MeshDraw, LeavesOutFacesItCannotDrawSafely) {
    Mesh mesh = twoTriangles();
    mesh.faces.push_back({1, 2, 9});   // names a vertex that is not there
    mesh.faces.push_back({1, 2, 3});   // has no normal
    mesh.normals.push_back({0, 1, 0}); // normal for the bad face only
    clearCalls();
    mesh.draw(false);
    EXPECT_EQ(callNames("glNormal3f").size(), 2u);
    EXPECT_EQ(callNames("glVertex3f").size(), 6u);
    EXPECT_EQ(callNames().back(), "glPopMatrix");
}
