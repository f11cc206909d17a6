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

struct Mesh {
    double color[3] = {0.0, 0.0, 0.0};
    float position[3] = {0.0f, 0.0f, 0.0f};
    bool visible = true;
    float angle = 0.0f;
    std::vector<Vec3> normals;
    std::vector<Vec3> vertices;
    std::vector<Vec3> faces;
    // A tile's model is read once and shared by every tile that shows it: the tile keeps its
    // own place, turn and colour, and draws the shape's triangles.
    std::shared_ptr<const Mesh> shape;
    // Empty while every load succeeded; otherwise "file: what went wrong", so that the
    // program can refuse to start with a clear message instead of showing a broken model.
    std::string error;

    Mesh() = default;
    explicit Mesh(std::string fileName);

    void load(std::string fileName);
    void computeNormals();
    static Vec3 faceNormal(Vec3 p, Vec3 q, Vec3 r);
    void draw(bool highlighted) const;
    // The triangles drawn: the shape's when there is one, else the mesh's own.
    const Mesh& geometry() const { return shape ? *shape : *this; }
};
