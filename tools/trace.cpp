// One search of the program, in text: the map with the walk, the tiles the search closed
// and left open, the walk's cost beside the cheapest one, and on request the grid dumps.
//
//   trace [FOLDER] START TARGET [--dump]      (tiles as column,row from 0 at the top left)
//
// It builds the program's own World from FOLDER/map.txt and clicks START and TARGET through
// World::requestPath, so it shows exactly the walk the window would light.
#include "world/world.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <queue>
#include <string>
#include <vector>

namespace {

struct Tile {
    int column = 0;
    int row = 0;
};

bool parseTile(const std::string& text, Tile* tile) {
    int used = 0;
    return std::sscanf(text.c_str(), "%d,%d%n", &tile->column, &tile->row, &used) == 2 &&
           used == static_cast<int>(text.size());
}

int indexOf(const World& w, Tile t) {
    return t.row * w.columns + t.column;
}

Tile tileOf(const World& w, int index) {
    return {index % w.columns, index / w.columns};
}

std::string count(size_t n, const char* thing) {
    return std::to_string(n) + " " + thing + (n == 1 ? "" : "s");
}

std::string name(Tile t) {
    return std::to_string(t.column) + "," + std::to_string(t.row);
}

// What entering a tile costs, as the search counts it: the step, then the tile's terrain.
int stepCost(const World& w, int from, int to) {
    const bool diagonal = from % w.columns != to % w.columns && from / w.columns != to / w.columns;
    return (diagonal ? 14 : 10) + w.nodes[to].terrainCost;
}

// A plain exhaustive search (Dijkstra) over the same moves and costs: the cheapest walk.
int cheapestCost(const World& w, int from, int to) {
    std::vector<int> best(w.nodes.size(), -1);
    using Entry = std::pair<int, int>; // cost, tile
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> todo;
    todo.push({0, from});
    while (!todo.empty()) {
        auto [cost, i] = todo.top();
        todo.pop();
        if (best[i] >= 0) {
            continue;
        }
        best[i] = cost;
        for (const GridNode* n : w.nodes[i].neighbours) {
            if (n && n->kind != 1 && best[n->index] < 0) {
                todo.push({cost + stepCost(w, i, n->index), n->index});
            }
        }
    }
    return best[to];
}

char terrainChar(int kind) {
    switch (kind) {
    case 0:
        return '.';
    case 1:
        return 'T';
    case 2:
        return 's';
    case 3:
        return '~';
    default:
        return ' ';
    }
}

void printGrids(const World& w, const std::vector<int>& walk) {
    std::vector<char> map(w.nodes.size()), search(w.nodes.size(), '.');
    for (size_t i = 0; i < w.nodes.size(); i++) {
        map[i] = terrainChar(w.nodes[i].kind);
        search[i] = w.nodes[i].kind == 1 ? 'T' : '.';
    }
    for (const GridNode* n : w.closedList) {
        search[n->index] = 'x';
    }
    for (const GridNode* n : w.openList) {
        search[n->index] = 'o';
    }
    for (int i : walk) {
        map[i] = '*';
    }
    for (std::vector<char>* grid : {&map, &search}) {
        (*grid)[w.startNode->index] = 'S';
        (*grid)[w.targetNode->index] = 'G';
    }
    // The second grid starts 2 x columns + 2 characters in; so does its heading.
    std::cout << "map and walk" << std::string(std::max(0, w.columns * 2 - 10), ' ')
              << "   search\n";
    for (int r = 0; r < w.rows; r++) {
        std::string line;
        for (const std::vector<char>* grid : {&map, &search}) {
            for (int c = 0; c < w.columns; c++) {
                line += (*grid)[r * w.columns + c];
                line += ' ';
            }
            line += "  ";
        }
        line.erase(line.find_last_not_of(' ') + 1);
        std::cout << line << '\n';
    }
    std::cout << "S start, G target, * walk; . ground, T tree, s stones (+20), ~ water (+40), "
                 "blank a code without a kind\n"
                 "search: x closed, o still open when it stopped\n\n";
}

int usage() {
    std::cerr << "usage: trace [FOLDER] START TARGET [--dump]\n"
                 "  FOLDER holds map.txt and the eight models (default: the current folder);\n"
                 "  START and TARGET are tiles as column,row, counted from 0 at the top left.\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const bool dump = !args.empty() && args.back() == "--dump";
    if (dump) {
        args.pop_back();
    }
    Tile start;
    Tile target;
    if (args.size() < 2 || args.size() > 3 || !parseTile(args[args.size() - 2], &start) ||
        !parseTile(args.back(), &target)) {
        return usage();
    }
    // The program reads "map.txt" and its models from its working folder; so does this, and
    // a broken map or model gets the program's own lines.
    std::error_code error;
    std::filesystem::current_path(args.size() == 3 ? args[0] : ".", error);
    if (error) {
        std::cerr << "trace: " << args[0] << ": " << error.message() << '\n';
        return 1;
    }
    World w("map.txt");
    if (!w.problems.empty()) {
        for (const std::string& problem : w.problems) {
            std::cerr << "trace: " << problem << '\n';
        }
        return 1;
    }
    for (Tile t : {start, target}) {
        if (t.column < 0 || t.column >= w.columns || t.row < 0 || t.row >= w.rows) {
            std::cerr << "trace: tile " << name(t) << " is off the map (" << w.columns << " x "
                      << w.rows << " tiles); the window ignores a click there\n";
            return 1;
        }
        if (w.nodes[indexOf(w, t)].kind == 1) {
            std::cerr << "trace: tile " << name(t)
                      << " is a tree; the window ignores a click on a tree\n";
            return 1;
        }
        // The centre of the tile, as the window's pick hands it over: x and the negated z.
        w.requestPath(TileSize * (t.column - w.columns / 2) + TileSize / 2,
                      -(TileSize * (t.row - w.rows / 2) + TileSize / 2));
    }
    if (!w.walking && indexOf(w, start) != indexOf(w, target)) {
        std::cerr << "trace: no walk from " << name(start) << " to " << name(target)
                  << ": trees close the target off (" << count(w.closedList.size(), "tile")
                  << " searched)\n";
        return 1;
    }

    // The path holds the tiles' anchors, the target first; the walk runs the other way.
    std::vector<int> walk;
    for (auto it = w.path.rbegin(); it != w.path.rend(); ++it) {
        walk.push_back(w.tileIndexAt(static_cast<int>(it->x) - TileSize / 2,
                                     -static_cast<int>(it->z) - TileSize / 2));
    }
    printGrids(w, walk);

    std::cout << "step  tile    move      enter  cost\n";
    int cost = 0;
    int from = indexOf(w, start);
    for (size_t k = 0; k < walk.size(); k++) {
        const int to = walk[k];
        const int step = stepCost(w, from, to);
        cost += step;
        char line[80];
        std::snprintf(line, sizeof line, "%4zu  %-6s  %-8s  %+5d  %4d\n", k + 1,
                      name(tileOf(w, to)).c_str(),
                      step - w.nodes[to].terrainCost == 14 ? "diagonal" : "straight",
                      w.nodes[to].terrainCost, cost);
        std::cout << line;
        from = to;
    }
    const int cheapest = cheapestCost(w, indexOf(w, start), indexOf(w, target));
    std::cout << "\nwalk: " << count(walk.size(), "step") << ", cost " << cost << "\n"
              << "search: " << count(w.closedList.size(), "tile") << " closed, "
              << w.openList.size() << " left open\n"
              << "cheapest walk: cost " << cheapest << "\n";
    if (cost > cheapest) {
        std::cout << "The walk costs " << cost - cheapest
                  << " more: the search stops at its first sight of the target and never "
                     "reopens a closed tile.\n";
    }

    if (dump) {
        std::cout << "\nTile codes around the start (World::printTileCodes, counted from 1):\n";
        w.printTileCodes(start.column + 1, start.row + 1);
        std::cout << "\n\nHeuristics (World::printHeuristics):\n";
        w.printHeuristics();
        std::cout << "\nNeighbours of the target (GridNode::printNeighbours):\n";
        w.targetNode->printNeighbours();
    }
    return 0;
}
