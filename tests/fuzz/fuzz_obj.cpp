// Fuzz target: Mesh::load of any text, then the promises the drawing relies on, then a draw.
#include "mesh/mesh.h"
#include "mesh/vertex_slot.h"
#include "tests/fuzz/scratch_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ScratchFolder folder("obj");
    Mesh mesh;
    mesh.load(folder.write("model.obj", data, size));

    // One normal per face, and every face names vertices that exist, broken file or not.
    FUZZ_REQUIRE(mesh.normals.size() == mesh.faces.size());
    for (const Vec3& face : mesh.faces) {
        FUZZ_REQUIRE(vertexSlot(face.x, mesh.vertices.size()) >= 0);
        FUZZ_REQUIRE(vertexSlot(face.y, mesh.vertices.size()) >= 0);
        FUZZ_REQUIRE(vertexSlot(face.z, mesh.vertices.size()) >= 0);
    }
    mesh.draw(false);
    mesh.draw(true);
    return 0;
}
