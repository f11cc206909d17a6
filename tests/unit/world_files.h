// Maps written for one test into a folder of their own, and the helpers the grid, map and
// search tests share.
#pragma once

#include "world/world.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

// A fresh folder under the system's temp folder, removed with everything in it.
struct TempFolder {
    inline static int count = 0;
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() /
        ("tanglor_world_" + std::to_string(::getpid()) + "_" + std::to_string(count++));

    TempFolder() { std::filesystem::create_directories(dir); }
    ~TempFolder() {
        std::error_code ignored; // a destructor must not throw
        std::filesystem::remove_all(dir, ignored);
    }

    std::string path(const std::string& name) const { return (dir / name).string(); }
    // Removes the old file first: overwriting in place makes the file system flush it,
    // which slows a test that writes thousands of maps to a crawl.
    std::string write(const std::string& name, const std::string& text) const {
        std::filesystem::remove(path(name));
        std::ofstream(path(name), std::ios::binary) << text;
        return path(name);
    }
};

using Codes = std::vector<std::vector<int>>;
using Tile = std::pair<int, int>; // column, row
using Tiles = std::vector<Tile>;

inline Codes filledCodes(int columns, int rows, int code) {
    return Codes(rows, std::vector<int>(columns, code));
}

inline World worldFrom(const TempFolder& folder, const Codes& codes) {
    std::string text;
    for (const std::vector<int>& row : codes) {
        for (int code : row) {
            text += std::to_string(code) + " ";
        }
        text += "\n";
    }
    return World(folder.write("map.txt", text));
}

// The centre of tile (column, row) as mouse picking hands it over: x and the negated z.
inline void clickTile(World& w, int column, int row) {
    w.requestPath(TileSize * (column - w.columns / 2) + 5, -TileSize * (row - w.rows / 2) - 5);
}

// The tiles of `path`, in its order, from the anchors it holds.
inline Tiles pathTiles(const World& w) {
    Tiles tiles;
    for (const Vec3& point : w.path) {
        tiles.push_back({static_cast<int>(point.x) / TileSize - 1 + w.columns / 2,
                         static_cast<int>(point.z) / TileSize + w.rows / 2});
    }
    return tiles;
}
