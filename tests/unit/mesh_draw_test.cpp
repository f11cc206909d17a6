// What one mesh sends to OpenGL, read from the recording stand-in.
#include "mesh/mesh.h"
#include "tests/support/call_log.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <tuple>

TEST(MeshDraw, CallSequence) {
    // Two triangles at (10, 2, -20), turned 30 degrees, coloured (1, 0.6, 0.2), with normals
    // easy to tell apart; face 2 names vertex 2 as 2.7.
    Mesh mesh;
    std::ranges::copy(std::array{10.0f, 2.0f, -20.0f}, mesh.position);
    std::ranges::copy(std::array{1.0, 0.6, 0.2}, mesh.color);
    mesh.angle = 30.0f;
    const MeshShape triangles{{{0, 1, 0}, {1, 0, 0}},
                              {{0, 0, 0}, {1, 0, 0}, {0, 0, -1}, {0, 1, 0}},
                              {{1, 2, 3}, {4, 2.7, 1}},
                              ""};
    mesh.shape = std::make_shared<MeshShape>(triangles);
    Mesh hidden = mesh, empty = mesh, mismatched = mesh;
    hidden.visible = false;
    empty.shape = std::make_shared<MeshShape>(); // no faces
    // Vertex numbers below 1 and past the end, and a face without a normal, are left out.
    mismatched.shape = std::make_shared<MeshShape>(triangles);
    std::vector<Vec3>& added = mismatched.shape->faces;
    added.insert(added.end(), {{0, 1, 2}, {1, 2, 5}, {1, 2, 3}});
    std::vector<Vec3>& normals = mismatched.shape->normals;
    normals.insert(normals.end(), {{0, 0, 1}, {0, 0, 1}});

    // Moved by (-5, +1, +5) onto the tile's centre and turned by 90 + angle about y; one
    // colour for the whole mesh; 4 is GL_TRIANGLES, every corner with its face's normal; the
    // arrays (0x8075 normals, 0x8074 positions) let go of at once.
    const std::string begin =
        "glPushMatrix() glTranslatef(5,3,-15) glRotatef(120,0,1,0) glColor3f(";
    const std::string end =
        "glDisableClientState(32885) glDisableClientState(32884) glPopMatrix() ";
    const std::string faces =
        "1,0.6,0.2) glDrawArrays(4,6) glNormal3f(0,1,0) glVertex3f(0,0,0) glNormal3f(0,1,0) "
        "glVertex3f(1,0,0) glNormal3f(0,1,0) glVertex3f(0,0,-1) glNormal3f(1,0,0) "
        "glVertex3f(0,1,0) glNormal3f(1,0,0) glVertex3f(1,0,0) glNormal3f(1,0,0) "
        "glVertex3f(0,0,0) ";
    // A tile shares its model's shape and draws it in its own place and colour.
    Mesh tile;
    tile.shape = mesh.shape;
    std::ranges::copy(mesh.position, tile.position);
    std::ranges::copy(mesh.color, tile.color);
    tile.angle = 30.0f;
    const std::tuple<const Mesh&, bool, std::string> cases[] = {
        {hidden, true, ""},
        {empty, true, begin + "100,60,20) glDrawArrays(4,0) " + end},
        {mesh, false, begin + faces + end},
        {mismatched, false, begin + faces + end},
        {tile, false, begin + faces + end}};
    for (const auto& [drawn, highlighted, expected] : cases) {
        calls.clear();
        drawn.draw(highlighted);
        EXPECT_EQ(callText(), expected);
    }
}
