// The OBJ reader: the layout it accepts, its quirks, and how it stops on a broken file.
#include "mesh/mesh.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {

// A model file written for one test and removed after it.
struct ObjFile {
    std::string path;
    explicit ObjFile(const std::string& text) {
        static int count = 0;
        path = (std::filesystem::temp_directory_path() /
                ("tanglor_mesh_" + std::to_string(::getpid()) + "_" + std::to_string(count++) +
                 ".obj"))
                   .string();
        std::ofstream(path, std::ios::binary) << text;
    }
    ~ObjFile() { std::filesystem::remove(path); }
};

Mesh loaded(const std::string& text) {
    ObjFile file(text);
    Mesh mesh;
    mesh.load(file.path);
    return mesh;
}

// Face 1 lies flat and faces up; face 2 uses vertex 2 written as 2.7 and faces +z.
const char* const Square = "# made by hand\n# two faces\no square\n"
                           "v 0 0 0\nv 1 0 0\nv 0 0 -1\nv 0 1 0\n"
                           "s off\nusemtl none\nf 1 2 3\nf 1 2.7 4\n";

} // namespace

TEST(MeshLoad, ReadsVerticesFacesAndOneNormalPerFace) {
    ObjFile file(Square);
    const Mesh mesh(file.path);
    EXPECT_EQ(mesh.error, "");
    EXPECT_TRUE(mesh.visible);
    ASSERT_EQ(mesh.vertices.size(), 4u);
    EXPECT_EQ(mesh.vertices[2].z, -1.0);
    ASSERT_EQ(mesh.faces.size(), 2u);
    EXPECT_EQ(mesh.faces[1].y, 2.7);
    ASSERT_EQ(mesh.normals.size(), 2u);
    EXPECT_EQ(mesh.normals[0].y, 1.0);
    EXPECT_EQ(mesh.normals[1].z, 1.0);
}

TEST(MeshLoad, LayoutQuirks) {
    // CR LF reads like LF.
    std::string crlf = Square;
    for (std::size_t at = crlf.find('\n'); at != std::string::npos; at = crlf.find('\n', at + 2)) {
        crlf.insert(at, "\r");
    }
    const Mesh windows = loaded(crlf);
    EXPECT_EQ(windows.error, "");
    EXPECT_EQ(windows.vertices.size(), 4u);
    EXPECT_EQ(windows.faces.size(), 2u);

    // The last face is kept without a line end; trailing blanks and lines add nothing.
    std::string noEnd = Square;
    noEnd.pop_back();
    EXPECT_EQ(loaded(noEnd).faces.size(), 2u);
    EXPECT_EQ(loaded(std::string(Square) + " \t\n\n  \n").faces.size(), 2u);

    // A fourth number ends the vertices on its line; the line after it is skipped.
    const Mesh extra = loaded("h\nh\nh\nv 0 0 0\nv 1 0 0 7 junk\nf 9 9 9\nf 1 1 2\n");
    EXPECT_EQ(extra.error, "");
    EXPECT_EQ(extra.vertices.size(), 2u);
    ASSERT_EQ(extra.faces.size(), 1u);
    EXPECT_EQ(extra.faces[0].z, 2.0);

    // A record may run over several lines, and any word starts a face.
    const Mesh spread = loaded("h\nh\nh\nv 0 0\n0 v 1\n0 0 v 0 0 -1\ng\n\ntri 1\n2 3\n");
    EXPECT_EQ(spread.error, "");
    EXPECT_EQ(spread.vertices.size(), 3u);
    EXPECT_EQ(spread.faces.size(), 1u);

    // No vertices at all: the fourth line ends the section and faces start two lines later.
    const Mesh none = loaded("h\nh\nh\ng\nf 1 2 3\n");
    EXPECT_EQ(none.error, "");
    EXPECT_TRUE(none.vertices.empty());
    EXPECT_TRUE(none.faces.empty());
}

TEST(MeshLoad, StopsAtTheFirstProblemKeepingWholeRecordsOnly) {
    const std::string head = "h\nh\nh\nv 0 0 0\nv 1 0 0\nv 0 0 -1\ns\n\nf 1 2 3\n";
    struct Case {
        std::string text;
        std::string problem;
        std::size_t vertices;
        std::size_t faces;
    };
    const Case cases[] = {
        {head + "f 1/1 2/2 3/3\n", "face 2 has a number that cannot be read", 3, 1},
        {head + "f 1 2", "the file ends inside face 2", 3, 1},
        {head + "f\n", "the file ends inside face 2", 3, 1},
        {head + "f 1 2 4\n", "face 2 names vertex 4, but there are 3 vertices", 3, 1},
        {head + "f 0 1 2\n", "face 2 names vertex 0, but there are 3 vertices", 3, 1},
        {head + "f -1 1 2\n", "face 2 names vertex -1, but there are 3 vertices", 3, 1},
        {head + "f 1 2 nan\n", "face 2 has a number that cannot be read", 3, 1},
        {"h\nh\nh\nv 0 0 0\nv 1 x 0\ns\n\n", "vertex 2 has a number that cannot be read", 1, 0},
        {"h\nh\nh\nv 0 0 0\nv 1 0", "the file ends inside vertex 2", 1, 0},
        {"h\nh\nh\nv 0 0 0\n", "the file ends before its faces", 1, 0},
        {"h\nh\n", "the file ends before its faces", 0, 0},
    };
    for (const Case& c : cases) {
        ObjFile file(c.text);
        Mesh mesh;
        mesh.load(file.path);
        SCOPED_TRACE(c.text);
        EXPECT_EQ(mesh.error, file.path + ": " + c.problem);
        EXPECT_EQ(mesh.vertices.size(), c.vertices);
        EXPECT_EQ(mesh.faces.size(), c.faces);
        EXPECT_EQ(mesh.normals.size(), c.faces);
    }

    Mesh missing;
    missing.load("no such dir/monkey.obj");
    EXPECT_EQ(missing.error, "no such dir/monkey.obj: cannot be opened");
    EXPECT_TRUE(missing.vertices.empty());
}

TEST(MeshLoad, FaceNormal) {
    // Counter-clockwise seen from +y gives +y, whatever the triangle's size.
    const Vec3 up = Mesh::faceNormal({0, 0, 0}, {0, 0, 30}, {40, 0, 0});
    EXPECT_DOUBLE_EQ(up.y, 1.0);
    const Vec3 slanted = Mesh::faceNormal({0, 0, 0}, {1, 0, 0}, {0, 1, 1});
    EXPECT_NEAR(std::hypot(slanted.x, slanted.y, slanted.z), 1.0, 1e-6);
    EXPECT_NEAR(slanted.z, 1.0 / std::sqrt(2.0), 1e-6);
    EXPECT_LT(slanted.y, 0.0);
    // A degenerate triangle keeps its NaN normal; the face is still loaded.
    const Mesh flat = loaded("h\nh\nh\nv 0 0 0\nv 1 0 0\ns\n\nf 1 2 2\n");
    ASSERT_EQ(flat.normals.size(), 1u);
    EXPECT_TRUE(std::isnan(flat.normals[0].x));
}
