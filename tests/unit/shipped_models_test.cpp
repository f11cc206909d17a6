// The models in assets/: they load, stay cheap enough to draw 256 times a frame, face the
// camera the right way round and fit the tile they stand on.
#include "mesh/mesh.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <set>
#include <string>
#include <vector>

namespace {

// Reach: how far from the upright axis a model may go. Tiles are turned at random, so ground
// stays within 5 at any turn; tree crowns pass the edge a little, so neighbours touch; water
// is the whole square. Length: the longer side seen from above. Cover: least area seen from
// above (faces one above another count twice). Figures stand clear of any ground or stones
// under them.
const struct {
    const char* name;
    std::size_t triangleBudget;
    double reach, minLength, maxLength, maxHeight, cover;
    bool figure;
} ShippedModels[] = {
    {"monkey", 1000, 5, 7, 9, 8, 0, true},
    {"banan", 200, 4.5, 6, 8, 4, 0, true},
    {"ground3", 12, 5, 0, 10, 0.5, 60, false},
    {"tree", 120, 6.5, 0, 13, 16, 55, false},
    {"tree2", 120, 6.5, 0, 13, 16, 55, false},
    {"tree3", 120, 6.5, 0, 13, 16, 55, false},
    {"ground_stones", 80, 5, 0, 10, 3, 50, false},
    {"water", 2, 7.0711, 9.999, 10.001, 1e-6, 100, false},
};

double dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

} // namespace

TEST(ShippedModels, LoadSoundFaceOutwardAndFitTheirTile) {
    std::vector<Vec3> floor; // every point the figures may stand over, at any turn of the tile
    for (const char* name : {"ground3", "ground_stones"}) {
        const Mesh mesh(std::string(TANGLOR_ASSETS_DIR) + "/" + name + ".obj");
        floor.insert(floor.end(), mesh.vertices.begin(), mesh.vertices.end());
    }
    for (const auto& shipped : ShippedModels) {
        SCOPED_TRACE(shipped.name);
        const Mesh mesh(std::string(TANGLOR_ASSETS_DIR) + "/" + shipped.name + ".obj");
        const std::size_t faces = mesh.faces.size();
        EXPECT_EQ(mesh.error, "");
        EXPECT_TRUE(faces >= 2 && faces <= shipped.triangleBudget) << faces << " faces";
        ASSERT_EQ(mesh.normals.size(), faces);
        std::vector<int> part(mesh.vertices.size()); // vertices joined by triangles (union-find)
        std::iota(part.begin(), part.end(), 0);
        const auto find = [&](int v) {
            while (part[v] != v) {
                v = part[v] = part[part[v]];
            }
            return v;
        };
        std::set<std::pair<int, int>> edges;
        std::vector<Vec3> area;     // twice each triangle's area, toward the side it faces
        std::vector<double> volume; // six times the signed volume of its cone from the origin
        double cover = 0.0, momentX = 0.0;
        for (std::size_t i = 0; i < faces; ++i) {
            const int s[] = {int(mesh.faces[i].x) - 1, int(mesh.faces[i].y) - 1,
                             int(mesh.faces[i].z) - 1};
            const Vec3 p = mesh.vertices[s[0]], q = mesh.vertices[s[1]], r = mesh.vertices[s[2]];
            const Vec3 u{q.x - p.x, q.y - p.y, q.z - p.z}, w{r.x - p.x, r.y - p.y, r.z - p.z};
            area.push_back({u.y * w.z - u.z * w.y, u.z * w.x - u.x * w.z, u.x * w.y - u.y * w.x});
            volume.push_back(dot(p, area.back()));
            cover += std::max(area.back().y, 0.0) / 2.0;
            momentX += volume.back() * (p.x + q.x + r.x) / 4.0;
            // NEAR fails on NaN and infinity too.
            EXPECT_NEAR(dot(mesh.normals[i], mesh.normals[i]), 1.0, 1e-5) << "face " << i + 1;
            EXPECT_GT(dot(area.back(), area.back()), 1e-7) << "degenerate face " << i + 1;
            for (int k = 0; k < 3; ++k) {
                // Walked twice, an edge's two triangles disagree about which side is out.
                EXPECT_TRUE(edges.insert({s[k], s[(k + 1) % 3]}).second)
                    << "edge from " << s[k] + 1;
                part[find(s[k])] = find(s[(k + 1) % 3]);
            }
        }
        // A part with an edge walked one way only is an open patch, each triangle facing up;
        // the others are closed solids, with a positive volume.
        std::set<int> open;
        for (const auto& [from, to] : edges) {
            if (!edges.contains({to, from})) {
                open.insert(find(from));
            }
        }
        std::map<int, double> partVolume;
        for (std::size_t i = 0; i < faces; ++i) {
            partVolume[find(int(mesh.faces[i].x) - 1)] += volume[i];
        }
        for (std::size_t i = 0; i < faces; ++i) {
            const int p = find(int(mesh.faces[i].x) - 1);
            EXPECT_GT(open.contains(p) ? area[i].y : partVolume[p], 1e-6) << "face " << i + 1;
        }

        Vec3 low{1e9, 1e9, 1e9}, high{-1e9, -1e9, -1e9};
        double reach = 0.0;
        for (const Vec3& v : mesh.vertices) {
            low = {std::min(low.x, v.x), std::min(low.y, v.y), std::min(low.z, v.z)};
            high = {std::max(high.x, v.x), std::max(high.y, v.y), std::max(high.z, v.z)};
            reach = std::max(reach, std::hypot(v.x, v.z));
        }
        const double length = std::max(high.x - low.x, high.z - low.z);
        // Drawing lifts every model one unit: tiles stand on y = 0 of their own, figures on the
        // highest floor point within their reach, so no rock or lawn pokes through them.
        double under = 0.0;
        for (const Vec3& v : floor) {
            under = std::hypot(v.x, v.z) <= reach ? std::max(under, v.y) : under;
        }
        if (shipped.figure) {
            EXPECT_GE(low.y, under);
        } else {
            EXPECT_NEAR(low.y, 0.0, 1e-3);
        }
        EXPECT_LE(reach, shipped.reach + 1e-6);
        EXPECT_TRUE(length >= shipped.minLength && length <= shipped.maxLength) << length;
        EXPECT_LE(high.y, shipped.maxHeight);
        EXPECT_GE(cover, shipped.cover);
        if (std::string(shipped.name) == "monkey") {
            // The walker turns the model's -x along its way: the monkey lies along x with its
            // bulk, the head, toward -x.
            EXPECT_EQ(length, high.x - low.x);
            EXPECT_LT(momentX / std::accumulate(volume.begin(), volume.end(), 0.0), -0.3);
        }
    }
}
