// What one mesh sends to OpenGL, read from the recording stand-in.
#include "mesh/mesh.h"
#include "tests/support/call_log.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

namespace {

std::string drawn(const Mesh& mesh, bool highlighted) {
    calls.clear();
    mesh.draw(highlighted);
    return callText();
}

// Two triangles at (10, 2, -20), turned 30 degrees, coloured (1, 0.6, 0.2), with normals
// easy to tell apart; face 2 names vertex 2 as 2.7.
Mesh twoTriangles() {
    Mesh mesh;
    std::ranges::copy(std::array{10.0f, 2.0f, -20.0f}, mesh.position);
    std::ranges::copy(std::array{1.0, 0.6, 0.2}, mesh.color);
    mesh.angle = 30.0f;
    mesh.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 0, -1}, {0, 1, 0}};
    mesh.faces = {{1, 2, 3}, {4, 2.7, 1}};
    mesh.normals = {{0, 1, 0}, {1, 0, 0}};
    return mesh;
}

// Moved by (-5, +1, +5) onto the tile's centre and turned by 90 + angle about y; 4 is
// GL_TRIANGLES; one colour for the whole mesh.
std::string batch(const std::string& colour, const std::string& faces) {
    return "glPushMatrix() glTranslatef(5,3,-15) glRotatef(120,0,1,0) glBegin(4) glColor3f(" +
           colour + ") " + faces + "glEnd() glPopMatrix() ";
}
const std::string TwoFaces =
    "glNormal3f(0,1,0) glVertex3f(0,0,0) glVertex3f(1,0,0) glVertex3f(0,0,-1) "
    "glNormal3f(1,0,0) glVertex3f(0,1,0) glVertex3f(1,0,0) glVertex3f(0,0,0) ";

} // namespace

TEST(MeshDraw, CallSequence) {
    Mesh hidden = twoTriangles(), empty = twoTriangles(), mismatched = twoTriangles();
    hidden.visible = false;
    empty.faces.clear();
    // Vertex numbers below 1 and past the end, and a face without a normal, are left out.
    mismatched.faces.insert(mismatched.faces.end(), {{0, 1, 2}, {1, 2, 5}, {1, 2, 3}});
    mismatched.normals.insert(mismatched.normals.end(), {{0, 0, 1}, {0, 0, 1}});
    EXPECT_EQ(drawn(hidden, true), "");
    EXPECT_EQ(drawn(empty, true), batch("100,60,20", ""));
    EXPECT_EQ(drawn(twoTriangles(), false), batch("1,0.6,0.2", TwoFaces));
    EXPECT_EQ(drawn(mismatched, false), batch("1,0.6,0.2", TwoFaces));
}
