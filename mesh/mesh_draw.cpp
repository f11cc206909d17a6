// Sending one mesh to OpenGL, every frame, lit flat: its triangles go in one array call, each
// corner with its face's normal, which draws the same pixels as a call per vertex at a
// fraction of the calls.
#include "mesh/mesh.h"
#include "mesh/vertex_slot.h"

#include <GL/gl.h>

#include <algorithm>

namespace {

// Normal and position of every corner, six floats each; kept between draws, so that drawing
// allocates nothing once it has drawn the largest mesh.
std::vector<float> corners;

void addCorner(const Vec3& normal, const Vec3& v) {
    corners.insert(corners.end(), {float(normal.x), float(normal.y), float(normal.z), float(v.x),
                                   float(v.y), float(v.z)});
}

} // namespace

void Mesh::draw(bool highlighted) const {
    if (!visible) {
        return;
    }
    // Highlighting overdrives the colour: the lit colour is clamped, so every channel the
    // model has shows at full strength and the marked tile stands out.
    const double gain = highlighted ? 100.0 : 1.0;
    const MeshShape& g = geometry();

    // A loaded mesh always matches; one filled by hand may not, and must not make drawing
    // read outside the arrays: faces without a normal or naming no vertex are left out.
    corners.clear();
    const std::size_t count = std::min(g.faces.size(), g.normals.size());
    for (std::size_t i = 0; i < count; ++i) {
        const std::ptrdiff_t slots[3] = {vertexSlot(g.faces[i].x, g.vertices.size()),
                                         vertexSlot(g.faces[i].y, g.vertices.size()),
                                         vertexSlot(g.faces[i].z, g.vertices.size())};
        if (slots[0] < 0 || slots[1] < 0 || slots[2] < 0) {
            continue;
        }
        for (std::ptrdiff_t slot : slots) {
            addCorner(g.normals[i], g.vertices[slot]);
        }
    }

    glPushMatrix();
    // Tile anchors sit at a tile corner; this stands the model over the tile's centre.
    glTranslatef(position[0] - 5.0f, position[1] + 1.0f, position[2] + 5.0f);
    glRotatef(90.0f + angle, 0.0f, 1.0f, 0.0f);
    glColor3f(float(color[0] * gain), float(color[1] * gain), float(color[2] * gain));
    glInterleavedArrays(GL_N3F_V3F, 0, corners.data());
    glDrawArrays(GL_TRIANGLES, 0, GLsizei(corners.size() / 6));
    // The arrays point into memory reused by the next draw: nothing else may read them.
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glPopMatrix();
}
