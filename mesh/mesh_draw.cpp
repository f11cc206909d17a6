// Sending one mesh to OpenGL in immediate mode, every frame, lit flat.
#include "mesh/mesh.h"
#include "mesh/vertex_slot.h"

#include <GL/gl.h>

#include <algorithm>

void Mesh::draw(bool highlighted) const {
    if (!visible) {
        return;
    }
    // Highlighting overdrives the colour: the lit colour is clamped, so every channel the
    // model has shows at full strength and the marked tile stands out.
    const double gain = highlighted ? 100.0 : 1.0;

    glPushMatrix();
    // Tile anchors sit at a tile corner; this stands the model over the tile's centre.
    glTranslatef(position[0] - 5.0f, position[1] + 1.0f, position[2] + 5.0f);
    glRotatef(90.0f + angle, 0.0f, 1.0f, 0.0f);
    glBegin(GL_TRIANGLES);
    glColor3f(float(color[0] * gain), float(color[1] * gain), float(color[2] * gain));
    // A loaded mesh always matches; one filled by hand may not, and must not make drawing
    // read outside the arrays: faces without a normal or naming no vertex are left out.
    const std::size_t count = std::min(faces.size(), normals.size());
    for (std::size_t i = 0; i < count; ++i) {
        const std::ptrdiff_t corners[3] = {vertexSlot(faces[i].x, vertices.size()),
                                           vertexSlot(faces[i].y, vertices.size()),
                                           vertexSlot(faces[i].z, vertices.size())};
        if (corners[0] < 0 || corners[1] < 0 || corners[2] < 0) {
            continue;
        }
        glNormal3f(float(normals[i].x), float(normals[i].y), float(normals[i].z));
        for (std::ptrdiff_t corner : corners) {
            const Vec3& v = vertices[corner];
            glVertex3f(float(v.x), float(v.y), float(v.z));
        }
    }
    glEnd();
    glPopMatrix();
}
