// Reading the models: the narrow OBJ layout the scene's files use (three header lines,
// "v" records, a separator line and one more, then triangles) and a flat normal per face.
#include "mesh/mesh.h"
#include "mesh/vertex_slot.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <locale>
#include <sstream>
#include <utility>

namespace {

void skipLine(std::istream& in) {
    in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
}

// Three numbers of one record. The record is handed back only when all three were read, so
// a record cut short by bad text or by the end of the file is never kept half-filled.
bool readRecord(std::istream& in, Vec3& record) {
    Vec3 read;
    if (!(in >> read.x >> read.y >> read.z)) {
        return false;
    }
    record = read;
    return true;
}

// Short form for messages: 0, -1, 2.7, 1e+300.
std::string numberText(double number) {
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << number;
    return text.str();
}

std::string recordProblem(const std::istream& in, const char* what, std::size_t number) {
    const std::string record = std::string(what) + " " + std::to_string(number);
    return in.eof() ? "the file ends inside " + record
                    : record + " has a number that cannot be read";
}

// Appends what the file holds and returns what went wrong, or "" when nothing did. Reading
// goes by words and numbers, so a record may run over several lines; it stops at the first
// problem, keeping the whole records read before it.
std::string readObj(const std::string& fileName, std::vector<Vec3>& vertices,
                    std::vector<Vec3>& faces) {
    // A folder opens as a stream that ends at once, and a pipe or a device might never end
    // (opening a pipe waits for a writer): say what it is instead of opening it.
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(fileName, error);
    if (std::filesystem::is_directory(status)) {
        return "is a folder, not a model file";
    }
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        return "is not a plain file";
    }
    std::ifstream in(fileName);
    if (!in) {
        return "cannot be opened";
    }
    // Number text must not depend on the user's locale (a decimal comma, say).
    in.imbue(std::locale::classic());
    for (int line = 0; line < 3; ++line) {
        skipLine(in);
    }

    std::string word;
    while (in >> word && word == "v") {
        Vec3 vertex;
        if (!readRecord(in, vertex)) {
            return recordProblem(in, "vertex", vertices.size() + 1);
        }
        vertices.push_back(vertex);
    }
    if (!in) {
        return "the file ends before its faces";
    }
    // The word that ended the vertices stands on the separator line; one more line follows.
    skipLine(in);
    skipLine(in);

    // The keyword of a face is not examined: any word starts a triangle.
    while (in >> word) {
        Vec3 face;
        if (!readRecord(in, face)) {
            return recordProblem(in, "face", faces.size() + 1);
        }
        for (double number : {face.x, face.y, face.z}) {
            if (vertexSlot(number, vertices.size()) < 0) {
                return "face " + std::to_string(faces.size() + 1) + " names vertex " +
                       numberText(number) + ", but there are " + std::to_string(vertices.size()) +
                       " vertices";
            }
        }
        faces.push_back(face);
    }
    return {};
}

} // namespace

Mesh::Mesh(std::string fileName) {
    load(std::move(fileName));
    visible = true;
    angle = 0.0f;
}

void Mesh::load(std::string fileName) {
    if (!shape) {
        shape = std::make_shared<MeshShape>();
    }
    const std::string problem = readObj(fileName, shape->vertices, shape->faces);
    // Only the first problem is kept: later ones usually follow from it.
    if (!problem.empty() && shape->error.empty()) {
        shape->error = fileName + ": " + problem;
    }
    computeNormals();
}

const MeshShape& Mesh::geometry() const {
    static const MeshShape none;
    return shape ? *shape : none;
}

void Mesh::computeNormals() {
    if (!shape) {
        return; // no faces
    }
    std::vector<Vec3>& normals = shape->normals;
    const std::vector<Vec3>& vertices = shape->vertices;
    const std::vector<Vec3>& faces = shape->faces;
    normals.reserve(normals.size() + faces.size());
    for (const Vec3& face : faces) {
        const std::ptrdiff_t a = vertexSlot(face.x, vertices.size());
        const std::ptrdiff_t b = vertexSlot(face.y, vertices.size());
        const std::ptrdiff_t c = vertexSlot(face.z, vertices.size());
        // A face naming no vertex still gets a normal, so that normal i stays with face i;
        // drawing skips such a face.
        if (a < 0 || b < 0 || c < 0) {
            normals.push_back(Vec3{});
            continue;
        }
        normals.push_back(faceNormal(vertices[a], vertices[b], vertices[c]));
    }
}

// (Q - P) x (R - P): points to the side from which P, Q, R run counter-clockwise, the side
// that back-face culling keeps. A degenerate triangle gets NaN components; it covers no
// pixel, so they are harmless.
Vec3 Mesh::faceNormal(Vec3 p, Vec3 q, Vec3 r) {
    const Vec3 u{q.x - p.x, q.y - p.y, q.z - p.z};
    const Vec3 w{p.x - r.x, p.y - r.y, p.z - r.z};
    const Vec3 n{w.y * u.z - w.z * u.y, w.z * u.x - w.x * u.z, w.x * u.y - w.y * u.x};
    const float length = float(std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z));
    return Vec3{n.x / length, n.y / length, n.z / length};
}
