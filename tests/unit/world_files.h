// Maps written for one test into a folder of their own, and the helpers the grid, map and
// search tests share.
#pragma once

#include "tools/longest_walk.h"
#include "world/tile_kinds.h"
#include "world/world.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

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

// The tiles of a walk's path, in its order (the target first).
inline std::vector<int> pathTiles(const Board& board, const Walk& walk) {
    std::vector<int> tiles;
    for (const Vec3& point : walk.path) {
        tiles.push_back(tileOfWaypoint(board, point));
    }
    return tiles;
}
inline std::vector<int> pathTiles(const World& w) {
    return pathTiles(w.board, w.walk);
}

// What the walk's search knew at its end of each tile that joined its open list, in order.
inline std::vector<TileCosts> openedCosts(const Walk& walk) {
    std::vector<TileCosts> costs;
    for (int tile : walk.search.opened) {
        costs.push_back(walk.query.costsOf(tile));
    }
    return costs;
}

// Every model the world reads, each with one vertex more than the one before (ground3.obj
// 3, banan.obj 10), so that tests can tell which one a tile got.
inline void writeModels(const TempFolder& folder) {
    std::string text = "#\n#\n#\nv 0 0 0\nv 0 0 0\n";
    for (std::string name :
         {"ground3", "tree", "tree3", "tree2", "ground_stones", "water", "monkey", "banan"}) {
        folder.write(name + ".obj", (text += "v 0 0 0\n") + "s off\nusemtl none\n");
    }
}

// Kind, extra cost, model vertices, turn and colour of each tile, then the figures', a
// line each.
inline std::string looksOf(const World& w) {
    std::ostringstream looks;
    const auto look = [&looks](const Mesh& m) {
        looks << m.geometry().vertices.size() << " " << m.angle << " " << m.color[0] << " "
              << m.color[1] << " " << m.color[2] << "\n";
    };
    for (int i = 0; i < w.board.tileCount(); i++) {
        looks << w.tiles[i].kind << " " << w.board.extraCost(i) << " ";
        look(w.tileModels[i]);
    }
    look(w.walk.monkey);
    look(w.banana);
    return looks.str();
}

// Gives a tile a kind and its cost, without its model.
inline void plant(World& w, int tile, int code) {
    w.setTileCode(tile, code);
}

// A random map of `columns` x `rows`: ground, trees, stones and water at the given weights.
inline World randomMap(std::mt19937& rng, int columns, int rows, std::array<int, 4> weights) {
    World w{std::string()};
    w.buildGrid(columns, rows);
    std::discrete_distribution<> kinds(weights.begin(), weights.end());
    for (int i = 0; i < w.board.tileCount(); i++) {
        plant(w, i, TileKinds[kinds(rng)].code);
    }
    return w;
}
