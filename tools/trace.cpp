// One search of the program, in text: the map with the walk, the tiles the search closed
// and left open, the walk's cost beside the cheapest one, and on request the grid dumps.
//
//   trace [FOLDER | MAPFILE] START TARGET [--search NAME] [--compare] [--dump]
//
// Tiles are column,row from 0 at the top left. --search traces one of the five searches
// (the program's own, first-sight A*, by default); --compare runs all five on the same two
// tiles and prints a row of figures for each.
//
// It builds the program's own World from FOLDER/map.txt and clicks START and TARGET through
// World::requestPath, so it shows exactly the walk the window would light.
#include "world/map_file.h"
#include "world/world.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

struct Tile {
    int column = 0;
    int row = 0;
};

// A tile as written on the command line: two whole numbers, "column,row", and nothing else:
// no sign, no blank, nothing an int cannot hold.
bool parseTile(const std::string& text, Tile* tile) {
    const char* end = text.data() + text.size();
    auto number = [&](const char* from, int* value) -> const char* {
        if (from == end || *from < '0' || *from > '9') {
            return nullptr;
        }
        const auto [after, error] = std::from_chars(from, end, *value);
        return error == std::errc() ? after : nullptr;
    };
    const char* comma = number(text.data(), &tile->column);
    if (comma == nullptr || comma == end || *comma != ',') {
        return false;
    }
    return number(comma + 1, &tile->row) == end;
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
        map[i] = w.nodes[i].outside ? '@' : terrainChar(w.nodes[i].kind);
        search[i] = w.nodes[i].outside ? '@' : w.nodes[i].passable() ? '.' : 'T';
    }
    for (const GridNode* n : w.closedList) {
        search[n->index] = 'x';
    }
    for (size_t i = 0; i < w.nodes.size(); i++) {
        if (w.onList[i] == OnOpenList) {
            search[i] = 'o';
        }
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
              << (w.outsideTiles > 0 ? "@ out of bounds\n" : "")
              << "search: x closed, o still open when it stopped\n\n";
}

int usage() {
    std::cerr << "usage: trace [FOLDER | MAPFILE] START TARGET [--search NAME] [--compare] "
                 "[--dump]\n"
                 "  FOLDER holds map.txt and the eight models (default: the current folder);\n"
                 "  MAPFILE is a map in either format, its models beside it or the shipped ones;\n"
                 "  START and TARGET are tiles as column,row, counted from 0 at the top left;\n"
                 "  NAME is first-sight A* (the default), A*, Dijkstra, greedy or "
                 "breadth-first.\n";
    return 2;
}

// One row per search, each run again from the same two tiles and timed on its own.
void printComparison(World& w) {
    const int cheapest = w.cheapestWalk(w.startNode->index, w.targetNode->index).cost;
    std::printf("%-16s %7s %7s %6s %6s %8s %7s\n", "search", "closed", "open", "steps", "cost",
                "cheapest", "us");
    for (int k = 0; k < SearchKindCount; k++) {
        w.searchKind = static_cast<SearchKind>(k);
        w.path.clear();
        const auto begin = std::chrono::steady_clock::now();
        w.findPath();
        const auto took = std::chrono::steady_clock::now() - begin;
        const long long us = std::chrono::duration_cast<std::chrono::microseconds>(took).count();
        std::string steps = "-", cost = "-", least = "-";
        if (w.search.found) {
            steps = std::to_string(w.search.walk.size());
            cost = std::to_string(w.walkCost(w.startNode->index, w.search.walk));
        }
        if (cheapest >= 0) {
            least = std::to_string(cheapest);
        }
        std::printf("%-16s %7zu %7d %6s %6s %8s %7lld\n", searchName(w.searchKind),
                    w.search.closed.size(), w.search.stillOpen(), steps.c_str(), cost.c_str(),
                    least.c_str(), us);
    }
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const auto dumpWord = std::find(args.begin(), args.end(), "--dump");
    const bool dump = dumpWord != args.end();
    if (dump) {
        args.erase(dumpWord);
    }
    const auto compareWord = std::find(args.begin(), args.end(), "--compare");
    const bool compare = compareWord != args.end();
    if (compare) {
        args.erase(compareWord);
    }
    SearchKind kind = SearchKind::FirstSightAStar;
    const auto searchWord = std::find(args.begin(), args.end(), "--search");
    if (searchWord != args.end()) {
        if (searchWord + 1 == args.end() || !searchNamed(*(searchWord + 1), &kind)) {
            std::cerr << "trace: --search takes the name of a search\n";
            return usage();
        }
        args.erase(searchWord, searchWord + 2);
    }
    if (args.size() < 2 || args.size() > 3) {
        return usage();
    }
    Tile ends[2];
    for (int e = 0; e < 2; e++) {
        const std::string& word = args[args.size() - 2 + e];
        if (!parseTile(word, &ends[e])) {
            std::cerr << "trace: \"" << word << "\" is not a tile: write it as column,row\n";
            return usage();
        }
    }
    const Tile start = ends[0];
    const Tile target = ends[1];
    // The program reads "map.txt" and its models from its working folder; so does this, and
    // a broken map or model gets the program's own lines.
    std::error_code error;
    std::string mapFile = "map.txt", models;
    if (args.size() == 3 && std::filesystem::is_regular_file(args[0], error)) {
        mapFile = std::filesystem::absolute(args[0], error).string();
        models = modelFolderFor(mapFile, TANGLOR_ASSETS_DIR);
    } else {
        std::filesystem::current_path(args.size() == 3 ? args[0] : ".", error);
        if (error) {
            std::cerr << "trace: " << args[0] << ": " << error.message() << '\n';
            return 1;
        }
    }
    World w(mapFile, models);
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
        if (w.nodes[indexOf(w, t)].outside) {
            std::cerr << "trace: tile " << name(t)
                      << " is out of bounds; the window ignores a click there\n";
            return 1;
        }
        if (!w.nodes[indexOf(w, t)].passable()) {
            std::cerr << "trace: tile " << name(t)
                      << " is a tree; the window ignores a click on a tree\n";
            return 1;
        }
        w.searchKind = kind;
        w.clickTile(indexOf(w, t));
    }
    if (compare) {
        // Every search gets the same two tiles, whether or not a walk joins them.
        printGrids(w, w.search.walk);
        printComparison(w);
        return 0;
    }
    if (!w.walking && indexOf(w, start) != indexOf(w, target)) {
        // The search ran from the start, so it does not know which end is walled in.
        std::cerr << "trace: no walk joins " << name(start) << " and " << name(target)
                  << ": trees part them (" << count(w.closedList.size(), "tile")
                  << " searched from the start)\n";
        return 1;
    }

    // The path holds the tiles' waypoints, the target first; the walk runs the other way.
    std::vector<int> walk;
    for (auto it = w.path.rbegin(); it != w.path.rend(); ++it) {
        walk.push_back(w.tileOfWaypoint(*it));
    }
    printGrids(w, walk);

    std::cout << "step  tile    move      enter  cost\n";
    int cost = 0;
    int from = indexOf(w, start);
    for (size_t k = 0; k < walk.size(); k++) {
        const int to = walk[k];
        const int step = w.stepCost(from, to);
        cost += step;
        char line[80];
        std::snprintf(line, sizeof line, "%4zu  %-6s  %-8s  %+5d  %4d\n", k + 1,
                      name(tileOf(w, to)).c_str(),
                      step - w.nodes[to].terrainCost == 14 ? "diagonal" : "straight",
                      w.nodes[to].terrainCost, cost);
        std::cout << line;
        from = to;
    }
    const int cheapest = w.cheapestWalk(indexOf(w, start), indexOf(w, target)).cost;
    std::cout << "\nwalk: " << count(walk.size(), "step") << ", cost " << cost << "\n"
              << "search: " << count(w.closedList.size(), "tile") << " closed, "
              << w.search.stillOpen() << " left open\n"
              << "cheapest walk: cost " << cheapest << "\n";
    if (cost > cheapest) {
        static const char* const Why[SearchKindCount] = {
            "the search stops at its first sight of the target and never reopens a closed tile", "",
            "", "greedy search takes the tile that looks nearest the target, whatever it cost",
            "breadth-first search counts steps, not their costs"};
        std::cout << "The walk costs " << cost - cheapest << " more: " << Why[int(kind)] << ".\n";
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
