// Fuzz target: any text read as a search trace over a small board, YAML or JSON by its first
// byte, and what is read played into a search and its record, as the window would show it.
#include "tests/unit/world_files.h"
#include "world/trace_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const TempFolder folder; // the reader takes a file name
    static const Board board = [] {
        Board b;
        b.buildGrid(8, 6);
        b.setExtraCost(9, ImpassableCost);
        b.setExtraCost(20, 20);
        return b;
    }();
    const bool json = size > 0 && data[0] % 2 == 1;
    const std::string file = folder.write(json ? "t.json" : "t.yaml",
                                          std::string(reinterpret_cast<const char*>(data), size));
    SearchTrace trace;
    if (readTraceFile(file, board, trace).empty()) {
        GridSearch search;
        SearchRecord record;
        replayTrace(board, trace, search, record);
        // Every tile the record names lies on the board.
        for (const std::vector<int>* tiles : {&record.closed, &record.opened, &record.walk}) {
            for (int tile : *tiles) {
                if (tile < 0 || tile >= board.tileCount()) {
                    std::abort();
                }
            }
        }
    }
    return 0;
}
