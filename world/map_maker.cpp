// Making maps. Every choice comes from one std::mt19937 seeded with the recipe's seed, whose
// sequence the C++ standard fixes, and is taken from it by plain arithmetic, not by the
// library's distributions, whose results may differ between libraries.
#include "world/map_maker.h"
#include "world/tile_kinds.h"

#include <algorithm>
#include <random>
#include <vector>

namespace {

const char* const Names[3] = {"maze", "rooms", "random"};

// A whole number from 0 to n - 1.
int below(std::mt19937& rng, int n) {
    return static_cast<int>(rng() % static_cast<unsigned>(n));
}

// Corridors one tile wide: cells on odd columns and rows, joined by knocking out the tree
// between two of them, in the order of a depth-first walk that visits every cell once. The
// joins form a tree, so the maze has exactly one way between any two of its tiles.
void maze(MapCodes& map, std::mt19937& rng) {
    const int columns = static_cast<int>(map.columns);
    const int cellColumns = (columns - 1) / 2;
    const int cellRows = (static_cast<int>(map.rows) - 1) / 2;
    std::fill(map.codes.begin(), map.codes.end(), int(TreeCode));
    std::vector<bool> seen(static_cast<std::size_t>(cellColumns * cellRows), false);
    auto open = [&](int c, int r) {
        map.codes[static_cast<std::size_t>(r * columns + c)] = GroundCode;
    };
    std::vector<int> stack{0};
    seen[0] = true;
    open(1, 1);
    while (!stack.empty()) {
        const int cell = stack.back();
        const int c = cell % cellColumns;
        const int r = cell / cellColumns;
        int next[4];
        int count = 0;
        const int steps[4][2] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
        for (const auto& [dc, dr] : steps) {
            const int nc = c + dc;
            const int nr = r + dr;
            if (nc >= 0 && nc < cellColumns && nr >= 0 && nr < cellRows &&
                !seen[static_cast<std::size_t>(nr * cellColumns + nc)]) {
                next[count++] = nr * cellColumns + nc;
            }
        }
        if (count == 0) {
            stack.pop_back();
            continue;
        }
        const int chosen = next[below(rng, count)];
        const int nc = chosen % cellColumns;
        const int nr = chosen / cellColumns;
        seen[static_cast<std::size_t>(chosen)] = true;
        open(c + nc + 1, r + nr + 1); // the tree between the two cells
        open(2 * nc + 1, 2 * nr + 1);
        stack.push_back(chosen);
    }
}

// The lines of trees along one side: every ninth, and the last; a room narrower than two
// tiles at the far edge joins the one before it.
std::vector<int> wallLines(int size) {
    std::vector<int> lines;
    for (int at = 0; at < size - 1; at += 9) {
        if (size - 1 - at >= 3 || at == 0) {
            lines.push_back(at);
        }
    }
    lines.push_back(size - 1);
    return lines;
}

// Square rooms of 8 x 8 tiles inside walls of trees; each wall between two rooms has one or
// two doors, so every room, and every ground tile, can be reached.
void rooms(MapCodes& map, std::mt19937& rng) {
    const int columns = static_cast<int>(map.columns);
    const int rows = static_cast<int>(map.rows);
    const std::vector<int> across = wallLines(columns);
    const std::vector<int> down = wallLines(rows);
    auto at = [&](int c, int r) -> int& {
        return map.codes[static_cast<std::size_t>(r * columns + c)];
    };
    for (int r = 0; r < rows; r++) {
        for (int c = 0; c < columns; c++) {
            const bool wall = std::binary_search(across.begin(), across.end(), c) ||
                              std::binary_search(down.begin(), down.end(), r);
            at(c, r) = wall ? TreeCode : GroundCode;
        }
    }
    // Doors in a wall segment from `from` to `to` (the tiles between two corners).
    auto doors = [&](int from, int to, auto&& openAt) {
        const int length = to - from;
        if (length <= 0) {
            return;
        }
        const int count = length > 2 ? 1 + below(rng, 2) : 1;
        for (int d = 0; d < count; d++) {
            openAt(from + below(rng, length));
        }
    };
    for (std::size_t j = 0; j + 1 < down.size(); j++) {
        for (std::size_t i = 0; i + 1 < across.size(); i++) {
            // The wall to the room's right, and the one below it, unless on the border.
            if (i + 2 < across.size()) {
                doors(down[j] + 1, down[j + 1], [&](int r) { at(across[i + 1], r) = GroundCode; });
            }
            if (j + 2 < down.size()) {
                doors(across[i] + 1, across[i + 1],
                      [&](int c) { at(c, down[j + 1]) = GroundCode; });
            }
        }
    }
}

// Exactly the asked share of each kind (rounded), scattered by a shuffle.
void scatter(MapCodes& map, std::mt19937& rng, const MapRecipe& recipe) {
    const long long n = static_cast<long long>(map.codes.size());
    std::size_t next = 0;
    for (const auto& [kind, percent] :
         {std::pair{TreeCode, recipe.trees}, std::pair{StonesCode, recipe.stones},
          std::pair{WaterCode, recipe.water}}) {
        const long long count = (n * percent + 50) / 100;
        for (long long k = 0; k < count && next < map.codes.size(); k++) {
            map.codes[next++] = kind;
        }
    }
    for (std::size_t i = map.codes.size(); i > 1; i--) {
        std::swap(map.codes[i - 1],
                  map.codes[static_cast<std::size_t>(below(rng, static_cast<int>(i)))]);
    }
}

} // namespace

const char* mapKindName(MapKind kind) {
    return Names[static_cast<int>(kind)];
}

bool mapKindNamed(const std::string& name, MapKind* kind) {
    for (int i = 0; i < 3; i++) {
        if (name == Names[i]) {
            *kind = static_cast<MapKind>(i);
            return true;
        }
    }
    return false;
}

std::string recipeProblem(const MapRecipe& r) {
    if (r.columns < 3 || r.rows < 3) {
        return "a map is at least 3 x 3 tiles";
    }
    if (r.columns > MaxSide || r.rows > MaxSide ||
        static_cast<long long>(r.columns) * r.rows > MaxTiles) {
        return "a map holds at most " + std::to_string(MaxSide) + " tiles on a side and " +
               std::to_string(MaxTiles) + " in all";
    }
    for (int share : {r.trees, r.stones, r.water}) {
        if (share < 0 || share > 100) {
            return "a share is a percentage from 0 to 100";
        }
    }
    if (r.trees + r.stones + r.water > 100) {
        return "the shares of trees, stones and water add up to more than 100";
    }
    return "";
}

MapCodes makeMap(const MapRecipe& recipe) {
    MapCodes map;
    map.columns = recipe.columns;
    map.rows = recipe.rows;
    map.codes.assign(static_cast<std::size_t>(map.columns * map.rows), 0);
    std::mt19937 rng(recipe.seed);
    if (recipe.kind == MapKind::Maze) {
        maze(map, rng);
    } else if (recipe.kind == MapKind::Rooms) {
        rooms(map, rng);
    } else {
        scatter(map, rng, recipe);
    }
    return map;
}

std::string mapText(const MapCodes& map) {
    std::string text;
    text.reserve(map.codes.size() * 2);
    for (long long r = 0; r < map.rows; r++) {
        for (long long c = 0; c < map.columns; c++) {
            text += c > 0 ? " " : "";
            text +=
                static_cast<char>('0' + map.codes[static_cast<std::size_t>(r * map.columns + c)]);
        }
        text += '\n';
    }
    return text;
}
