// The OBJ reader: the layout it accepts, its quirks, and how it stops on a broken file.
#include "mesh/mesh.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>

#include <unistd.h>

namespace {

// What loading `text` from a file gives, on one line: the error (the file's path shown as
// "file"), the vertex count, then each face with its normal.
std::string loaded(const std::string& text) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("tanglor_mesh_" + std::to_string(::getpid()) + ".obj"))
                                 .string();
    std::ofstream(path, std::ios::binary) << text;
    const Mesh mesh(path);
    std::filesystem::remove(path);

    std::ostringstream out;
    if (!mesh.error.empty()) {
        const bool named = mesh.error.starts_with(path);
        out << (named ? "file" + mesh.error.substr(path.size()) : mesh.error) << "; ";
    }
    out << mesh.vertices.size() << " v";
    const auto numbers = [&](Vec3 v) {
        for (double d : {v.x, v.y, v.z}) { // -0 and -nan read as 0 and nan
            out << " " << (std::isnan(d) ? std::abs(d) : d + 0.0);
        }
    };
    for (std::size_t i = 0; i < mesh.faces.size(); ++i) {
        out << ";";
        numbers(mesh.faces[i]);
        out << " >";
        numbers(mesh.normals.at(i));
    }
    return out.str();
}

// Three header lines, then vertices; "s" ends them and "usemtl" is the line skipped after it.
// Face 1 lies flat facing up; face 2 faces +z only if 2.7 names vertex 2 (vertex 3: +x).
const std::string Square = "# made by hand\n# two faces\no square\n"
                           "v 0 0 0\nv 1 0 0\nv 0 0 -1\nv 0 1 0\n"
                           "s off\nusemtl none\nf 1 2 3\nf 1 2.7 4\n";
const std::string SquareRead = "4 v; 1 2 3 > 0 1 0; 1 2.7 4 > 0 0 1";
const std::string H = "h\nh\nh\n";
const std::string Head = H + "v 0 0 0\nv 1 0 0\nv 0 0 -1\ns\n\nf 1 2 3\n";
const std::string HeadRead = "3 v; 1 2 3 > 0 1 0";

std::string withCrLf(std::string text) {
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2)) {
        text.insert(at, "\r");
    }
    return text;
}

} // namespace

TEST(MeshLoad, LayoutNormalsAndErrors) {
    const std::pair<std::string, std::string> cases[] = {
        {Square, SquareRead},
        {withCrLf(Square), SquareRead},
        {Square.substr(0, Square.size() - 1), SquareRead},
        {Square + " \t\n\n  \n", SquareRead},
        // A fourth number ends the vertices on its line; the line after it is skipped.
        {H + "v 0 0 0\nv 1 0 0\nv 0 0 -1 7 junk\nf 9 9 9\nf 1 2 3\n", HeadRead},
        // Records run over lines, and any word starts a face.
        {H + "v 0 0\n0 v 1\n0 0 v 0 0 -1\ng\n\ntri 1\n2 3\n", HeadRead},
        {H + "g\nf 1 2 3\n", "0 v"},
        // Normals are (Q - P) x (R - P) scaled to unit length; NaN for a zero-area triangle.
        {H + "v 0 0 0\nv 0 0 30\nv 40 0 0\ns\n\nf 1 2 3\n", "3 v; 1 2 3 > 0 1 0"},
        {H + "v 0 0 0\nv 1 0 0\nv 0 1 1\ns\n\nf 1 2 3\n", "3 v; 1 2 3 > 0 -0.707107 0.707107"},
        {H + "v 0 0 0\nv 1 0 0\ns\n\nf 1 2 2\n", "2 v; 1 2 2 > nan nan nan"},
        // Errors stop the load, keeping only whole records read before.
        {Head + "f 1/1 2/2 3/3\n", "file: face 2 has a number that cannot be read; " + HeadRead},
        {Head + "f 1 2", "file: the file ends inside face 2; " + HeadRead},
        {Head + "f 1 2 4\n", "file: face 2 names vertex 4, but there are 3 vertices; " + HeadRead},
        {Head + "f 0 1 2\n", "file: face 2 names vertex 0, but there are 3 vertices; " + HeadRead},
        {H + "v 0 0 0\nv 1 x 0\ns\n\n", "file: vertex 2 has a number that cannot be read; 1 v"},
        {H + "v 0 0 0\nv 1 0", "file: the file ends inside vertex 2; 1 v"},
        {H + "v 0 0 0\n", "file: the file ends before its faces; 1 v"},
    };
    for (const auto& [text, read] : cases) {
        EXPECT_EQ(loaded(text), read) << text;
    }
    const Mesh missing("no such dir/monkey.obj");
    EXPECT_EQ(missing.error, "no such dir/monkey.obj: cannot be opened");
    EXPECT_EQ(Mesh(".").error, ".: is a folder, not a model file");
}
