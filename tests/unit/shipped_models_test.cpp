// The models in assets/: they load, stay cheap enough to draw 256 times a frame, face the
// camera the right way round and fit the tile they stand on.
#include "mesh/mesh.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <numeric>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

Mesh shippedModel(const std::string& name) {
    return Mesh(std::string(TANGLOR_ASSETS_DIR) + "/" + name + ".obj");
}

// A face's three corners, as indices into the vertices, the first again at the end.
std::array<int, 4> corners(const Mesh& mesh, std::size_t face) {
    const Vec3 f = mesh.geometry().faces[face];
    return {int(f.x) - 1, int(f.y) - 1, int(f.z) - 1, int(f.x) - 1};
}

// A face's normal times twice its area, by the order of its corners.
Vec3 doubledArea(const Mesh& mesh, std::size_t face) {
    const std::array<int, 4> s = corners(mesh, face);
    const Vec3 p = mesh.geometry().vertices[s[0]], q = mesh.geometry().vertices[s[1]],
               r = mesh.geometry().vertices[s[2]];
    const Vec3 u{q.x - p.x, q.y - p.y, q.z - p.z}, w{r.x - p.x, r.y - p.y, r.z - p.z};
    return {u.y * w.z - u.z * w.y, u.z * w.x - u.x * w.z, u.x * w.y - u.y * w.x};
}

// Least area seen from above (faces one above another count twice).
double coverFromAbove(const Mesh& mesh) {
    double cover = 0.0;
    for (std::size_t i = 0; i < mesh.geometry().faces.size(); ++i) {
        cover += std::max(doubledArea(mesh, i).y, 0.0) / 2.0;
    }
    return cover;
}

// Every face faces out. Parts: vertices joined by faces. Walked twice the same way, an edge's
// two faces disagree about which side is out; walked one way only, it borders an open patch,
// each face of which must face up; other parts are solids of positive volume.
void expectFacingOut(const Mesh& mesh) {
    const std::size_t faces = mesh.geometry().faces.size();
    std::vector<int> part(mesh.geometry().vertices.size());
    std::iota(part.begin(), part.end(), 0);
    std::function<int(int)> find = [&](int v) { return part[v] == v ? v : find(part[v]); };
    std::set<std::pair<int, int>> edges;
    std::vector<std::pair<double, double>> upAndVolume; // per face, both doubled
    for (std::size_t i = 0; i < faces; ++i) {
        const std::array<int, 4> s = corners(mesh, i);
        const Vec3 p = mesh.geometry().vertices[s[0]], area = doubledArea(mesh, i);
        upAndVolume.emplace_back(area.y, p.x * area.x + p.y * area.y + p.z * area.z);
        // NEAR fails on NaN and infinity too: a face of no area.
        const Vec3 n = mesh.geometry().normals.at(i);
        EXPECT_NEAR(std::hypot(n.x, n.y, n.z), 1.0, 1e-5) << "face " << i + 1;
        for (int k = 0; k < 3; ++k) {
            EXPECT_TRUE(edges.insert({s[k], s[k + 1]}).second) << "edge from " << s[k] + 1;
            part[find(s[k])] = find(s[k + 1]);
        }
    }
    std::map<int, double> volume;
    for (const auto& [from, to] : edges) {
        volume[find(from)] += edges.contains({to, from}) ? 0.0 : NAN; // NaN: an open patch
    }
    for (std::size_t i = 0; i < faces; ++i) {
        volume[find(corners(mesh, i)[0])] += upAndVolume[i].second;
    }
    for (std::size_t i = 0; i < faces; ++i) {
        const double solid = volume[find(corners(mesh, i)[0])];
        EXPECT_GT(std::isnan(solid) ? upAndVolume[i].first : solid, 1e-6) << "face " << i + 1;
    }
}

// The box round a model's vertices, how far they go from the upright axis, and the mean of
// their x.
struct Bounds {
    Vec3 low{1e9, 1e9, 1e9}, high{-1e9, -1e9, -1e9};
    double reach = 0.0, meanX = 0.0;
};

Bounds boundsOf(const Mesh& mesh) {
    Bounds b;
    for (const Vec3& v : mesh.geometry().vertices) {
        b.low = {std::min(b.low.x, v.x), std::min(b.low.y, v.y), std::min(b.low.z, v.z)};
        b.high = {std::max(b.high.x, v.x), std::max(b.high.y, v.y), std::max(b.high.z, v.z)};
        b.reach = std::max(b.reach, std::hypot(v.x, v.z));
        b.meanX += v.x / double(mesh.geometry().vertices.size());
    }
    return b;
}

} // namespace

TEST(ShippedModels, LoadSoundFaceOutwardAndFitTheirTile) {
    // Reach: how far from the upright axis a model may go. Tiles are turned at random, so
    // ground stays within 5 at any turn; tree crowns pass the edge a little, so neighbours
    // touch; water is the whole square. Cover: least area seen from above.
    const struct {
        const char* name;
        std::size_t triangleBudget;
        double reach, maxHeight, cover;
    } models[] = {
        {"monkey", 1000, 5, 8, 0},       {"banan", 200, 4.5, 4, 0},
        {"ground3", 12, 5, 0.5, 60},     {"tree", 120, 6.5, 16, 55},
        {"tree2", 120, 6.5, 16, 55},     {"tree3", 120, 6.5, 16, 55},
        {"ground_stones", 80, 5, 3, 50}, {"water", 2, 7.0711, 1e-6, 100},
    };
    double floor = 0.0; // the highest point of the ground a figure may stand on
    for (const char* name : {"ground3", "ground_stones"}) {
        const Mesh ground = shippedModel(name); // held: the loop reads into its shape
        for (const Vec3& v : ground.geometry().vertices) {
            floor = std::max(floor, v.y);
        }
    }
    for (const auto& model : models) {
        SCOPED_TRACE(model.name);
        const Mesh mesh = shippedModel(model.name);
        const std::size_t faces = mesh.geometry().faces.size();
        EXPECT_TRUE(mesh.geometry().error.empty() && faces >= 2 && faces <= model.triangleBudget)
            << mesh.geometry().error << ", " << faces << " faces";
        expectFacingOut(mesh);
        const Bounds b = boundsOf(mesh);
        const double cover = coverFromAbove(mesh);
        // Drawing lifts every model one unit: tiles stand on y = 0 of their own, figures above
        // the floor, so no rock or lawn pokes through them.
        EXPECT_NEAR(b.low.y, model.cover == 0 ? std::max(b.low.y, floor) : 0.0, 1e-3);
        EXPECT_TRUE(b.reach <= model.reach + 1e-6 && b.high.y <= model.maxHeight &&
                    cover >= model.cover)
            << b.reach << " reach, " << b.high.y << " high, " << cover << " cover";
        if (std::string(model.name) == "monkey") {
            // The walker turns the model's -x along its way: the monkey lies along x, the
            // greater part of it, the head, toward -x; at most 9 long, it stays over the board
            // on an edge tile whichever way it faces.
            EXPECT_TRUE(b.high.x - b.low.x > b.high.z - b.low.z && b.high.x - b.low.x <= 9 &&
                        b.meanX < -0.1)
                << b.meanX << " mean x, " << b.high.x - b.low.x << " long";
        }
    }
}
