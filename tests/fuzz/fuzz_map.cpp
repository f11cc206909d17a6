// Fuzz target: a World built from any map text beside the shipped models, then a few clicks
// chosen from the input and the walks they start, so the search and the walker see fuzzed
// grids too.
#include "tests/fuzz/scratch_folder.h"
#include "world/world.h"

#include <cstdlib>

namespace {

// Tile turns and tree choice from a sequence that starts over for every input, so that a
// saved input replays exactly (the world seeds the C random source from the clock).
std::uint32_t drawState = 1;
int fixedDraw() {
    drawState = drawState * 1103515245u + 12345u;
    return static_cast<int>((drawState >> 16) & 0x7fff);
}

// FNV-1a of the input: the clicks change with the map, yet replay exactly.
std::uint64_t hashOf(const std::uint8_t* data, std::size_t size) {
    std::uint64_t hash = 14695981039346656037ull;
    for (std::size_t i = 0; i < size; ++i) {
        hash = (hash ^ data[i]) * 1099511628211ull;
    }
    return hash;
}

std::uint32_t nextNumber(std::uint64_t& state) {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<std::uint32_t>(state >> 33);
}

// The whole walk is made of steps between neighbouring anchors, on tiles that are not trees.
void checkPath(const World& w) {
    for (std::size_t i = 0; i < w.path.size(); ++i) {
        const Vec3& point = w.path[i];
        const int tile =
            w.tileIndexAt(static_cast<int>(point.x) - 5, -static_cast<int>(point.z) - 5);
        FUZZ_REQUIRE(tile >= 0 && w.nodes[tile].kind != 1);
        if (i > 0) {
            FUZZ_REQUIRE(std::abs(point.x - w.path[i - 1].x) <= TileSize);
            FUZZ_REQUIRE(std::abs(point.z - w.path[i - 1].z) <= TileSize);
        }
    }
}

// The world reads its models from the map's folder: the shipped ones, copied once.
bool copyModels(const ScratchFolder& folder) {
    for (const auto& entry : std::filesystem::directory_iterator(TANGLOR_ASSETS_DIR)) {
        if (entry.path().extension() == ".obj") {
            std::filesystem::copy_file(entry.path(), folder.dir / entry.path().filename());
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ScratchFolder folder("map");
    static const bool modelsCopied = copyModels(folder);
    (void)modelsCopied;

    drawState = 1;
    randomDraw = fixedDraw;
    World w(folder.write("map.txt", data, size));
    FUZZ_REQUIRE(static_cast<int>(w.nodes.size()) == w.columns * w.rows);

    // The program refuses to run a world with problems, so only a sound one gets clicks; a
    // broken map's grid of up to 65536 tiles without codes would only time the search out.
    if (!w.problems.empty()) {
        return 0;
    }
    std::uint64_t state = hashOf(data, size);
    for (int click = 0; click < 6; ++click) {
        // Mostly tile centres, a rim of misses around the grid, now and then any point.
        int x = static_cast<int>(nextNumber(state));
        int v = static_cast<int>(nextNumber(state));
        if (click != 2) {
            const int column = static_cast<int>(nextNumber(state) % (w.columns + 2u)) - 1;
            const int row = static_cast<int>(nextNumber(state) % (w.rows + 2u)) - 1;
            x = TileSize * (column - w.columns / 2) + 5;
            v = -(TileSize * (row - w.rows / 2) + 5);
        }
        w.requestPath(x, v);
        checkPath(w);

        w.stepFrames = 1 + static_cast<int>(nextNumber(state) % 3);
        const std::size_t frames = (w.path.size() + 1) * (w.stepFrames + 1u);
        for (std::size_t frame = 0; frame < frames && w.walking; ++frame) {
            w.stepWalker();
        }
        FUZZ_REQUIRE(!w.walking);
    }
    return 0;
}
