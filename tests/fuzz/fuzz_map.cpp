// Fuzz target: a World built from any map text beside the shipped models, then a few clicks
// chosen from the input and the walks they start, so the search and the walker see fuzzed
// grids too.
#include "tests/unit/world_files.h"

#include <cstdlib>

namespace {

// Tile turns and tree choice from a sequence that starts over for every input, so that a
// saved input replays exactly (the world seeds the C random source from the clock).
std::uint32_t drawState = 1;
int fixedDraw() {
    drawState = drawState * 1103515245u + 12345u;
    return static_cast<int>((drawState >> 16) & 0x7fff);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const TempFolder folder; // the world reads its models from the map's folder
    static const bool modelsCopied = [] {
        for (const auto& entry : std::filesystem::directory_iterator(TANGLOR_ASSETS_DIR)) {
            std::filesystem::copy_file(entry.path(), folder.dir / entry.path().filename());
        }
        return true;
    }();
    drawState = 1;
    randomDraw = fixedDraw;
    World w(folder.write("map.txt", std::string(reinterpret_cast<const char*>(data), size)));
    // The program refuses to run a world with problems, so only a sound one gets clicks; a
    // broken map's grid of tiles without codes would only time the search out.
    std::uint64_t state = size; // the clicks change with the map, yet replay exactly
    for (std::size_t i = 0; i < size; ++i) {
        state = state * 1099511628211ull + data[i];
    }
    const auto next = [&state] { return (state = state * 6364136223846793005ull + 1) >> 33; };
    bool sound = modelsCopied && int(w.tiles.size()) == w.board.columns * w.board.rows;
    for (int click = 0; click < 6 && w.problems.empty(); ++click) {
        // Tiles, with a rim of misses around the grid.
        const int column = static_cast<int>(next() % (w.board.columns + 2u)) - 1;
        const int row = static_cast<int>(next() % (w.board.rows + 2u)) - 1;
        // Tile 0's centre, stepped a tile at a time: the rim lies beyond the grid's edges.
        const Vec3 first = tileCentre(w.board, 0);
        w.requestPath(int(first.x) + TileSize * column, -int(first.z) - TileSize * row);
        // The walk runs through neighbouring tiles that are not trees, from the start.
        int from = w.walk.start >= 0 ? w.walk.start : 0;
        const std::vector<int> tiles = pathTiles(w);
        for (auto it = tiles.rbegin(); it != tiles.rend(); from = *it++) {
            sound = sound && *it >= 0 && w.board.passable(*it) &&
                    std::abs(*it % w.board.columns - from % w.board.columns) <= 1 &&
                    std::abs(*it / w.board.columns - from / w.board.columns) <= 1;
        }
        w.stepFrames = 1 + static_cast<int>(next() % 3);
        const std::size_t frames = (w.walk.path.size() + 1) * (w.stepFrames + 1u);
        for (std::size_t frame = 0; frame < frames; ++frame) {
            w.stepWalker(w.walk);
        }
        sound = sound && !w.walk.walking;
    }
    if (!sound) {
        std::abort(); // libFuzzer saves the input that did this
    }
    return 0;
}
