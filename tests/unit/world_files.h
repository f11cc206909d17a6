// Maps written for one test into a folder of their own, and the helpers the grid, map and
// search tests share.
#pragma once

#include "tools/longest_walk.h"
#include "world/world.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <unistd.h>

// A fresh folder under the system's temp folder, removed with everything in it.
struct TempFolder {
    std::string pattern = (std::filesystem::temp_directory_path() / "tanglor_XXXXXX").string();
    std::filesystem::path dir = ::mkdtemp(pattern.data());

    ~TempFolder() {
        std::error_code ignored; // a destructor must not throw
        std::filesystem::remove_all(dir, ignored);
    }

    std::string path(const std::string& name) const { return (dir / name).string(); }
    // Removes the old file first: rewriting in place makes the file system flush it, which
    // slows a fuzz run of thousands of inputs to a crawl.
    std::string write(const std::string& name, const std::string& text) const {
        std::filesystem::remove(path(name));
        std::ofstream(path(name), std::ios::binary) << text;
        return path(name);
    }
};

// A world from map rows written on one line, split by '/'.
inline World mapOf(const TempFolder& folder, std::string rows) {
    std::replace(rows.begin(), rows.end(), '/', '\n');
    return World(folder.write("map.txt", rows));
}

// The tiles of `path`, in its order (the target first).
inline std::vector<int> pathTiles(const World& w) {
    std::vector<int> tiles;
    for (const Vec3& point : w.path) {
        tiles.push_back(w.tileOfWaypoint(point));
    }
    return tiles;
}
