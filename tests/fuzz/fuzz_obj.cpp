// Fuzz target: Mesh::load of any text, then the promises the drawing relies on, then a draw.
#include "mesh/vertex_slot.h"
#include "tests/unit/world_files.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const TempFolder folder;
    Mesh mesh;
    mesh.load(folder.write("model.obj", std::string(reinterpret_cast<const char*>(data), size)));
    // One normal per face, and every face names vertices that exist, broken file or not;
    // libFuzzer saves an input that breaks this.
    bool sound = mesh.geometry().normals.size() == mesh.geometry().faces.size();
    for (const Vec3& f : mesh.geometry().faces) {
        const std::size_t n = mesh.geometry().vertices.size();
        sound =
            sound && vertexSlot(f.x, n) >= 0 && vertexSlot(f.y, n) >= 0 && vertexSlot(f.z, n) >= 0;
    }
    if (!sound) {
        std::abort();
    }
    mesh.draw(false);
    mesh.draw(true);
    return 0;
}
