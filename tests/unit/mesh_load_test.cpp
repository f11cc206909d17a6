// The OBJ reader: the layout it accepts, its quirks, and how it stops on a broken file.
#include "world_files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

// What loading `text` from a file gives, on one line: the error (the file's path shown as
// "file"), the vertex count, then each face's numbers and normal.
std::string loaded(const std::string& text) {
    TempFolder folder;
    const Mesh mesh(folder.write("model.obj", text));
    std::ostringstream out;
    const std::size_t path = folder.path("model.obj").size();
    out << (mesh.geometry().error.empty() ? "" : "file" + mesh.geometry().error.substr(path) + "; ")
        << mesh.geometry().vertices.size() << " v";
    for (std::size_t i = 0; i < mesh.geometry().faces.size(); ++i) {
        out << ";";
        for (Vec3 v : {mesh.geometry().faces[i], mesh.geometry().normals.at(i)}) {
            for (double d : {v.x, v.y, v.z}) { // -0 and -nan read as 0 and nan
                out << " " << (std::isnan(d) ? std::abs(d) : d + 0.0);
            }
        }
    }
    return out.str();
}

} // namespace

TEST(MeshLoad, LayoutNormalsAndErrors) {
    // Three header lines, then vertices; "s" ends them and "usemtl" is the line skipped after
    // it. Face 1 lies flat facing up; face 2 faces +z only if 2.7 names vertex 2 (3: +x).
    const std::string square = "# made by hand\n# two faces\no square\n"
                               "v 0 0 0\nv 1 0 0\nv 0 0 -1\nv 0 1 0\n"
                               "s off\nusemtl none\nf 1 2 3\nf 1 2.7 4\n";
    const std::string squareRead = "4 v; 1 2 3 0 1 0; 1 2.7 4 0 0 1";
    const std::string h = "h\nh\nh\nv 0 0 0\nv 1 0 0\n", head = h + "v 0 0 -1\ns\n\nf 1 2 3\n";
    const std::string headRead = "3 v; 1 2 3 0 1 0";
    const std::pair<std::string, std::string> cases[] = {
        {square, squareRead},
        {"h\r\nh\r\nh\r\nv 0 0 0\r\nv 1 0 0\r\nv 0 0 -1\r\ns\r\n\r\nf 1 2 3\r\n", headRead},
        {square.substr(0, square.size() - 1), squareRead},
        {square + " \t\n\n  \n", squareRead},
        // Only the word "v" is a vertex: "vn", "vt" or a fourth number end the vertices on
        // their line, and the line after it is skipped.
        {h + "v 0 0 -1\nvn 0 1 0\nf 9 9 9\nf 1 2 3\n", headRead},
        {h + "v 0 0 -1\nvt 0 1\nf 9 9 9\nf 1 2 3\n", headRead},
        {h + "v 0 0 -1 7 junk\nf 9 9 9\nf 1 2 3\n", headRead},
        // Records run over lines, and any word starts a face.
        {"h\nh\nh\nv 0 0\n0 v 1\n0 0 v 0 0 -1\ng\n\ntri 1\n2 3\n", headRead},
        {"h\nh\nh\ng\nf 1 2 3\n", "0 v"},
        // Normals are (Q - P) x (R - P) scaled to unit length; NaN for a zero-area triangle.
        {h + "v 40 0 30\ns\n\nf 1 3 2\n", "3 v; 1 3 2 0 1 0"},
        {h + "v 0 1 1\ns\n\nf 1 2 3\n", "3 v; 1 2 3 0 -0.707107 0.707107"},
        {h + "s\n\nf 1 2 2\n", "2 v; 1 2 2 nan nan nan"},
        // Errors stop the load, keeping only whole records read before.
        {head + "f 1/1 2/2 3/3\n", "file: face 2 has a number that cannot be read; " + headRead},
        {head + "f 1 2", "file: the file ends inside face 2; " + headRead},
        {head + "f 1 2 4\n", "file: face 2 names vertex 4, but there are 3 vertices; " + headRead},
        {head + "f 0 1 2\n", "file: face 2 names vertex 0, but there are 3 vertices; " + headRead},
        {h + "v 1 x 0\ns\n\n", "file: vertex 3 has a number that cannot be read; 2 v"},
        {h + "v 1 0", "file: the file ends inside vertex 3; 2 v"},
        {h, "file: the file ends before its faces; 2 v"},
    };
    for (const auto& [text, read] : cases) {
        EXPECT_EQ(loaded(text), read) << text;
    }
    // A pipe is refused unopened: opening it would wait for a writer. Should it be opened,
    // this writer ends the read at once (a wrong message, not a hang).
    TempFolder folder;
    const std::string pipe = folder.path("water.obj");
    ::mkfifo(pipe.c_str(), 0600);
    std::thread writer([&] { std::ofstream{pipe}; });
    const std::pair<std::string, std::string> unread[] = {
        {"no such dir/monkey.obj", "cannot be opened"},
        {".", "is a folder, not a model file"},
        {pipe, "is not a plain file"},
    };
    for (const auto& [path, problem] : unread) {
        EXPECT_EQ(Mesh(path).geometry().error, path + ": " + problem);
    }
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK); // the writer's open returns
    writer.join();
    ::close(reader);
}
