// Maps and models written for one test into a folder of their own, and the small helpers
// the grid, map and search tests share.
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
    std::filesystem::path dir;

    TempFolder() {
        static int count = 0;
        dir = std::filesystem::temp_directory_path() /
              ("tanglor_world_" + std::to_string(::getpid()) + "_" + std::to_string(count++));
        std::filesystem::create_directories(dir);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string path(const std::string& name) const { return (dir / name).string(); }
    // Removes the old file first: overwriting in place makes the file system flush it to
    // disk, which slows a test that writes thousands of maps to a crawl.
    std::string write(const std::string& name, const std::string& text) const {
        std::error_code ignored;
        std::filesystem::remove(path(name), ignored);
        std::ofstream(path(name), std::ios::binary) << text;
        return path(name);
    }
};

using Codes = std::vector<std::vector<int>>;

// One row per line, codes separated by single spaces, a final line break.
inline std::string mapText(const Codes& codes) {
    std::string text;
    for (const std::vector<int>& row : codes) {
        for (size_t c = 0; c < row.size(); c++) {
            text += (c ? " " : "") + std::to_string(row[c]);
        }
        text += "\n";
    }
    return text;
}

inline Codes filledCodes(int columns, int rows, int code) {
    return Codes(rows, std::vector<int>(columns, code));
}

// A model in the layout the reader takes; its vertex count tells the models apart.
inline std::string modelText(int vertexCount) {
    std::string text = "# test model\n# made by hand\no shape\n";
    for (int v = 0; v < vertexCount; v++) {
        text += "v " + std::to_string(v) + " 0 " + std::to_string(v % 2) + "\n";
    }
    return text + "s off\nusemtl none\nf 1 2 3\n";
}

inline World worldFrom(const TempFolder& folder, const Codes& codes) {
    return World(folder.write("map.txt", mapText(codes)));
}

// The centre of tile (column, row) as mouse picking hands it over: x and the negated z.
inline void clickTile(World& w, int column, int row) {
    int x = TileSize * (column - w.columns / 2) + 5;
    int z = TileSize * (row - w.rows / 2) + 5;
    w.requestPath(x, -z);
}

// The tiles of `path`, in its order, from the anchors it holds.
inline std::vector<std::pair<int, int>> pathTiles(const World& w) {
    std::vector<std::pair<int, int>> tiles;
    for (const Vec3& point : w.path) {
        tiles.push_back({static_cast<int>(point.x) / TileSize - 1 + w.columns / 2,
                         static_cast<int>(point.z) / TileSize + w.rows / 2});
    }
    return tiles;
}
