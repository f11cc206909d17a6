// One model in memory: the triangles of an OBJ file plus how the scene draws them.
#pragma once

#include <memory>
#include <string>
#include <vector>

// Plain three doubles: vertex positions, face normals, face vertex numbers, ground points.
struct Vec3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

// The triangles of a model file: its vertices, its faces (three vertex numbers each, counted
// from 1) and a normal per face, in the order of the faces.
struct MeshShape {
    std::vector<Vec3> normals;
    std::vector<Vec3> vertices;
    std::vector<Vec3> faces;
    // Empty while every load succeeded; otherwise "file: what went wrong", so that the
    // program can refuse to start with a clear message instead of showing a broken model.
    std::string error;
};

// One model placed in the scene: its colour, place, turn and whether it shows, and the shape
// it shows. A model file is read once and its shape shared by every tile that shows it, so a
// tile holds its placement and a pointer, not a copy of the triangles.
struct Mesh {
    double color[3] = {0.0, 0.0, 0.0};
    float position[3] = {0.0f, 0.0f, 0.0f};
    bool visible = true;
    float angle = 0.0f;
    std::shared_ptr<MeshShape> shape;

    Mesh() = default;
    explicit Mesh(std::string fileName);

    // Appends what the file holds to the mesh's shape (a new one when it has none), then a
    // normal for each face.
    void load(std::string fileName);
    void computeNormals();
    static Vec3 faceNormal(Vec3 p, Vec3 q, Vec3 r);
    void draw(bool highlighted) const;
    // The triangles drawn: the shape's, or none.
    const MeshShape& geometry() const;
};
