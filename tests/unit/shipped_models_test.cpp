// The eight models in assets/: they load, stay cheap enough to draw 256 times a frame, face
// the camera the right way round and fit the tile they stand on.
#include "mesh/mesh.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <map>
#include <numeric>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// How a model's surfaces are meant to be: solids are closed; patches are open and face up.
enum class Build { Solids, Patch, PatchWithSolids };

struct Shipped {
    const char* name;
    std::size_t triangleBudget;
    Build build;
    // How far from the tile's centre the model may reach (0: not a tile model). Tiles are
    // turned at random, so ground patches stay within 5 to keep inside at any turn; tree
    // crowns may reach a little past the edge; water is the tile's square, corners and all.
    double reach;
};

const Shipped ShippedModels[] = {
    {"monkey", 1500, Build::Solids, 0.0},
    {"banan", 300, Build::Solids, 0.0},
    {"ground3", 120, Build::Patch, 5.0},
    {"tree", 120, Build::Solids, 6.0},
    {"tree2", 120, Build::Solids, 6.0},
    {"tree3", 120, Build::Solids, 6.0},
    {"ground_stones", 120, Build::PatchWithSolids, 5.0},
    {"water", 120, Build::Patch, 5.0 * std::sqrt(2.0)},
};

Mesh loadShipped(const std::string& name) {
    Mesh mesh;
    mesh.load(std::string(TANGLOR_ASSETS_DIR) + "/" + name + ".obj");
    return mesh;
}

Vec3 minus(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec3 cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

struct Triangle {
    int a, b, c; // 0-based vertex slots
};

std::vector<Triangle> triangles(const Mesh& mesh) {
    std::vector<Triangle> result;
    for (const Vec3& f : mesh.faces) {
        result.push_back({int(f.x) - 1, int(f.y) - 1, int(f.z) - 1});
    }
    return result;
}

struct Box {
    Vec3 low{1e9, 1e9, 1e9};
    Vec3 high{-1e9, -1e9, -1e9};
    double width() const { return high.x - low.x; }
    double depth() const { return high.z - low.z; }
};

Box boundsOf(const Mesh& mesh) {
    Box box;
    for (const Vec3& v : mesh.vertices) {
        box.low = {std::min(box.low.x, v.x), std::min(box.low.y, v.y), std::min(box.low.z, v.z)};
        box.high = {std::max(box.high.x, v.x), std::max(box.high.y, v.y),
                    std::max(box.high.z, v.z)};
    }
    return box;
}

// The connected pieces of a model (vertices joined by triangles), as lists of triangles.
std::vector<std::vector<Triangle>> partsOf(const Mesh& mesh) {
    std::vector<int> root(mesh.vertices.size());
    std::iota(root.begin(), root.end(), 0);
    auto find = [&](int v) {
        while (root[v] != v) {
            v = root[v] = root[root[v]];
        }
        return v;
    };
    const std::vector<Triangle> all = triangles(mesh);
    for (const Triangle& t : all) {
        root[find(t.b)] = find(t.a);
        root[find(t.c)] = find(t.a);
    }
    std::map<int, std::vector<Triangle>> parts;
    for (const Triangle& t : all) {
        parts[find(t.a)].push_back(t);
    }
    std::vector<std::vector<Triangle>> result;
    for (auto& [key, part] : parts) {
        result.push_back(std::move(part));
    }
    return result;
}

// Closed when every edge is walked once in each direction by its two triangles.
bool isClosed(const std::vector<Triangle>& part) {
    std::set<std::pair<int, int>> edges;
    for (const Triangle& t : part) {
        edges.insert({t.a, t.b});
        edges.insert({t.b, t.c});
        edges.insert({t.c, t.a});
    }
    return std::all_of(edges.begin(), edges.end(), [&](const auto& e) {
        return edges.count({e.second, e.first}) == 1;
    });
}

// Positive when the triangles run counter-clockwise seen from outside.
double signedVolume(const Mesh& mesh, const std::vector<Triangle>& part) {
    double volume = 0.0;
    for (const Triangle& t : part) {
        volume += dot(mesh.vertices[t.a], cross(mesh.vertices[t.b], mesh.vertices[t.c])) / 6.0;
    }
    return volume;
}

// Volume-weighted centre of the closed parts: where the model's bulk is.
Vec3 bulkCentre(const Mesh& mesh) {
    Vec3 sum;
    double volume = 0.0;
    for (const auto& part : partsOf(mesh)) {
        for (const Triangle& t : part) {
            const Vec3 a = mesh.vertices[t.a], b = mesh.vertices[t.b], c = mesh.vertices[t.c];
            const double v = dot(a, cross(b, c)) / 6.0;
            volume += v;
            sum = {sum.x + v * (a.x + b.x + c.x) / 4.0, sum.y + v * (a.y + b.y + c.y) / 4.0,
                   sum.z + v * (a.z + b.z + c.z) / 4.0};
        }
    }
    return {sum.x / volume, sum.y / volume, sum.z / volume};
}

} // namespace

TEST(ShippedModels, LoadCleanlyWithinTheirTriangleBudgets) {
    for (const Shipped& model : ShippedModels) {
        SCOPED_TRACE(model.name);
        const Mesh mesh = loadShipped(model.name);
        EXPECT_EQ(mesh.error, "");
        EXPECT_GE(mesh.faces.size(), 2u);
        EXPECT_LE(mesh.faces.size(), model.triangleBudget);
        EXPECT_EQ(mesh.normals.size(), mesh.faces.size());
    }
}

TEST(ShippedModels, HaveUnitNormalsAndNoDegenerateTriangles) {
    for (const Shipped& model : ShippedModels) {
        SCOPED_TRACE(model.name);
        const Mesh mesh = loadShipped(model.name);
        for (std::size_t i = 0; i < mesh.faces.size(); ++i) {
            const Vec3 n = mesh.normals[i];
            if (!std::isfinite(n.x) || !std::isfinite(n.y) || !std::isfinite(n.z)) {
                ADD_FAILURE() << "face " << i + 1 << " has no usable normal";
                continue;
            }
            EXPECT_NEAR(dot(n, n), 1.0, 1e-5) << "face " << i + 1;
        }
        for (const Triangle& t : triangles(mesh)) {
            const Vec3 p = mesh.vertices[t.a], q = mesh.vertices[t.b], r = mesh.vertices[t.c];
            const Vec3 n = cross(minus(q, p), minus(r, p));
            EXPECT_GT(std::sqrt(dot(n, n)) / 2.0, 1e-4)
                << "triangle " << t.a + 1 << " " << t.b + 1 << " " << t.c + 1;
        }
    }
}

TEST(ShippedModels, FaceOutwardSoCullingKeepsTheVisibleSide) {
    for (const Shipped& model : ShippedModels) {
        SCOPED_TRACE(model.name);
        const Mesh mesh = loadShipped(model.name);

        // A directed edge used twice means two neighbours disagree about which side is out.
        std::set<std::pair<int, int>> edges;
        for (const Triangle& t : triangles(mesh)) {
            for (auto edge : {std::pair{t.a, t.b}, std::pair{t.b, t.c}, std::pair{t.c, t.a}}) {
                EXPECT_TRUE(edges.insert(edge).second)
                    << "edge " << edge.first + 1 << " -> " << edge.second + 1 << " used twice";
            }
        }

        int closedParts = 0;
        int openParts = 0;
        for (const auto& part : partsOf(mesh)) {
            if (isClosed(part)) {
                ++closedParts;
                EXPECT_GT(signedVolume(mesh, part), 1e-3) << "a closed part is inside out";
                continue;
            }
            ++openParts;
            for (const Triangle& t : part) {
                const Vec3 p = mesh.vertices[t.a];
                const Vec3 n = cross(minus(mesh.vertices[t.b], p), minus(mesh.vertices[t.c], p));
                EXPECT_GT(n.y, 0.0)
                    << "an open patch has a triangle facing down, at vertex " << t.a + 1;
            }
        }
        switch (model.build) {
        case Build::Solids:
            EXPECT_EQ(openParts, 0);
            EXPECT_GE(closedParts, 1);
            break;
        case Build::Patch:
            EXPECT_EQ(openParts, 1);
            EXPECT_EQ(closedParts, 0);
            break;
        case Build::PatchWithSolids:
            EXPECT_EQ(openParts, 1);
            EXPECT_GE(closedParts, 2);
            break;
        }
    }
}

TEST(ShippedModels, StandOnTheirOwnOriginAndFitTheirTile) {
    for (const Shipped& model : ShippedModels) {
        SCOPED_TRACE(model.name);
        const Mesh mesh = loadShipped(model.name);
        const Box box = boundsOf(mesh);
        // Drawing lifts a model by one unit over the ground; it must stand on y = 0 of its own.
        EXPECT_NEAR(box.low.y, 0.0, 1e-3);
        EXPECT_NEAR((box.low.x + box.high.x) / 2.0, 0.0, 0.75);
        EXPECT_NEAR((box.low.z + box.high.z) / 2.0, 0.0, 0.75);
        if (model.reach == 0.0) {
            continue;
        }
        EXPECT_LE(box.high.y, 20.0);
        double farthest = 0.0;
        for (const Vec3& v : mesh.vertices) {
            farthest = std::max(farthest, std::hypot(v.x, v.z));
        }
        EXPECT_LE(farthest, model.reach + 1e-6);
    }
}

TEST(ShippedModels, GroundAndWaterCoverTheirTile) {
    // Seen from above, the area a patch covers is the sum of its triangles' shadows.
    auto coveredArea = [](const Mesh& mesh) {
        double area = 0.0;
        for (const Triangle& t : triangles(mesh)) {
            const Vec3 p = mesh.vertices[t.a];
            area += cross(minus(mesh.vertices[t.b], p), minus(mesh.vertices[t.c], p)).y / 2.0;
        }
        return area;
    };
    EXPECT_GT(coveredArea(loadShipped("ground3")), 60.0);

    const Mesh water = loadShipped("water");
    EXPECT_NEAR(coveredArea(water), 100.0, 1e-6);
    const Box box = boundsOf(water);
    EXPECT_NEAR(box.low.x, -5.0, 1e-6);
    EXPECT_NEAR(box.high.x, 5.0, 1e-6);
    EXPECT_NEAR(box.low.z, -5.0, 1e-6);
    EXPECT_NEAR(box.high.z, 5.0, 1e-6);
    EXPECT_NEAR(box.high.y, 0.0, 1e-6);
}

TEST(ShippedModels, MonkeyIsAboutATileLongWithItsHeadTowardMinusX) {
    const Mesh monkey = loadShipped("monkey");
    const Box box = boundsOf(monkey);
    EXPECT_GE(box.width(), 8.0);
    EXPECT_LE(box.width(), 12.0);
    EXPECT_LE(box.depth(), 7.0);
    EXPECT_LE(box.high.y, 10.0);
    // The walker turns the model's -x axis along the way it walks: the heavy end, the head,
    // must be there and the thin tail at +x.
    EXPECT_LT(bulkCentre(monkey).x, -0.3);
}

TEST(ShippedModels, BananaIsAboutHalfATileLong) {
    const Box box = boundsOf(loadShipped("banan"));
    const double length = std::max(box.width(), box.depth());
    EXPECT_GE(length, 4.0);
    EXPECT_LE(length, 6.5);
    EXPECT_LE(box.high.y, 2.0);
}
