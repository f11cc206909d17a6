// trace --posthoc: the search written as a search trace, with its map beside it.
#include "tools/trace.h"
#include "world/trace_file.h"

#include <cstring>
#include <fstream>
#include <iostream>

namespace {

bool endsWith(const std::string& text, const char* ending) {
    const std::size_t n = std::strlen(ending);
    return text.size() > n && text.compare(text.size() - n, n, ending) == 0;
}

// False after saying why the file could not be written.
bool writeFile(const std::string& fileName, const std::string& text) {
    std::ofstream out(fileName, std::ios::binary);
    if (!(out << text) || !out.flush()) {
        std::cerr << "trace: " << fileName << ": cannot be written: " << std::strerror(errno)
                  << '\n';
        return false;
    }
    return true;
}

} // namespace

bool isTraceFileName(const std::string& fileName) {
    return endsWith(fileName, ".yaml") || endsWith(fileName, ".yml") || endsWith(fileName, ".json");
}

bool writePosthoc(const MapBoard& map, const TracedWalk& walk, const std::string& fileName) {
    const SearchTrace trace =
        traceSearch(map.board, walk.kind, walk.start, walk.target, walk.settings);
    if (!writeFile(fileName, traceText(trace, traceFileIsJson(fileName))) ||
        !writeFile(fileName + ".grid", traceGridText(map))) {
        return false;
    }
    std::cout << "Search trace: " << fileName << " (" << count(trace.events.size(), "event")
              << "), its map " << fileName << ".grid\n";
    return true;
}
