// One search of the program, in text: the map with the walk, the tiles the search closed
// and left open, the walk's cost beside the cheapest one, and on request the grid dumps.
//
//   trace [FOLDER | MAPFILE] START TARGET [--search NAME] [--rule RULE] [--compare] [--dump]
//
// Tiles are column,row from 0 at the top left. --search traces one of the ten searches
// (the program's own, first-sight A*, by default); --compare runs all ten on the same two
// tiles and prints a row of figures for each. --rule "corners cut" (the program's own) or
// --rule benchmark chooses how the walks step, and so their costs.
//
// It reads FOLDER/map.txt as the program reads it, without the models, and runs the search
// between START and TARGET as the window's walk does: the search, then the cheapest walk
// unless the search promises one. So it shows exactly the walk the window would light.
#include "tools/trace.h"
#include "app/command.h"
#include "path/fog.h"
#include "world/map_file.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

struct Options {
    std::string place; // FOLDER or MAPFILE, or "" for the current folder
    Tile ends[2];
    SearchKind kind = SearchKind::FirstSightAStar;
    MoveRule rule = MoveRule::CornersCut;
    bool compare = false;
    bool dump = false;
    int fog = 0;           // --fog R: the walk under fog of R tiles; 0 for none
    ChosenSettings chosen; // --heuristic and --weight
    std::string posthoc;   // --posthoc FILE: the search written there as a search trace
};

int indexOf(const Board& board, Tile t) {
    return t.row * board.columns + t.column;
}

const char* const Usage =
    "usage: trace [FOLDER | MAPFILE] START TARGET [--search NAME] [--rule RULE] [--compare]\n"
    "             [--dump] [--heuristic NAME] [--weight W] [--fog R] [--posthoc FILE]\n"
    "  FOLDER holds map.txt and the eight models (default: the current folder);\n"
    "  MAPFILE is a map in either format, its models beside it or the shipped ones;\n"
    "  START and TARGET are tiles as column,row, counted from 0 at the top left;\n"
    "  NAME is first-sight A* (the default), A*, Dijkstra, greedy, breadth-first, JPS,\n"
    "  Theta*, bidirectional A*, bidirectional Dijkstra or D* Lite;\n"
    "  RULE is \"corners cut\" (the default), benchmark or \"four ways\".\n";

int usage() {
    std::cerr << Usage;
    return 2;
}

// What --help adds to the usage.
const char* const OptionLines =
    "  --search NAME    trace that search instead of first-sight A*\n"
    "  --rule RULE      how walks step: \"corners cut\" (the program's own: a diagonal step\n"
    "                   may pass a tree's corner, costs 10 and 14) or benchmark (the\n"
    "                   benchmark sets': no corner cut, costs 1 and 1.41421356) or\n"
    "                   \"four ways\" (no diagonal step, 10 a step)\n"
    "  --compare        a row of figures for each of the ten searches\n"
    "  --heuristic NAME octile, Manhattan, Euclidean, Chebyshev or none, for A*, greedy,\n"
    "                   JPS and bidirectional A*\n"
    "  --weight W       the value of A*, JPS and bidirectional A* is g + W x h, W from 1 to\n"
    "                   10 (default 1)\n"
    "  --fog R          the walk under fog: the monkey sees R tiles round it (1 to 64) and\n"
    "                   plans again as it sees; each plan, and the tiles it stood on\n"
    "  --dump           the tile codes around the start, the heuristics and the target's\n"
    "                   neighbours\n"
    "  --posthoc FILE   the search written to FILE as a search trace (YAML for .yaml, JSON\n"
    "                   for .json) for Posthoc and like viewers, its map to FILE.grid\n";

// The options, or the exit status of a usage error (2) after saying what is wrong.
int parseOptions(std::vector<std::string> args, Options* options) {
    auto flag = [&](const char* word) {
        const auto at = std::find(args.begin(), args.end(), word);
        const bool found = at != args.end();
        if (found) {
            args.erase(at);
        }
        return found;
    };
    options->dump = flag("--dump");
    options->compare = flag("--compare");
    const auto searchWord = std::find(args.begin(), args.end(), "--search");
    if (searchWord != args.end()) {
        if (searchWord + 1 == args.end() || !searchNamed(*(searchWord + 1), &options->kind)) {
            std::cerr << "trace: --search takes the name of a search\n";
            return usage();
        }
        args.erase(searchWord, searchWord + 2);
    }
    const auto ruleWord = std::find(args.begin(), args.end(), "--rule");
    if (ruleWord != args.end()) {
        if (ruleWord + 1 == args.end() || !ruleNamed(*(ruleWord + 1), &options->rule)) {
            std::cerr << "trace: --rule takes \"corners cut\", benchmark or \"four ways\"\n";
            return usage();
        }
        args.erase(ruleWord, ruleWord + 2);
    }
    if (const auto at = std::find(args.begin(), args.end(), "--fog"); at != args.end()) {
        const std::string value = at + 1 == args.end() ? "" : *(at + 1);
        const char* end = value.data() + value.size();
        const auto [after, error] = std::from_chars(value.data(), end, options->fog);
        if (value.empty() || error != std::errc() || after != end || options->fog < 1 ||
            options->fog > MaxSight) {
            std::cerr << "trace: --fog takes a whole number from 1 to 64, not \"" << value
                      << "\"\n";
            return usage();
        }
        args.erase(at, at + 2);
    }
    if (const auto at = std::find(args.begin(), args.end(), "--posthoc"); at != args.end()) {
        options->posthoc = at + 1 == args.end() ? "" : *(at + 1);
        if (!isTraceFileName(options->posthoc)) {
            std::cerr << "trace: --posthoc takes a file name ending in .yaml or .json\n";
            return usage();
        }
        args.erase(at, at + 2);
    }
    for (const char* word : {"--heuristic", "--weight"}) {
        const auto at = std::find(args.begin(), args.end(), word);
        if (at == args.end()) {
            continue;
        }
        const std::string value = at + 1 == args.end() ? "" : *(at + 1);
        const std::string why = std::string(word) == "--weight"
                                    ? readWeight(value, &options->chosen)
                                    : readHeuristic(value, &options->chosen);
        if (!why.empty()) {
            std::cerr << "trace: " << why << '\n';
            return usage();
        }
        args.erase(at, at + 2);
    }
    // With --compare the searches that take no choice run as they are.
    if (const std::string why = settingsRefusal({options->kind}, options->chosen);
        !why.empty() && !options->compare) {
        std::cerr << "trace: " << why << '\n';
        return usage();
    }
    if (args.size() < 2 || args.size() > 3) {
        return usage();
    }
    for (int e = 0; e < 2; e++) {
        const std::string& word = args[args.size() - 2 + e];
        if (!parseTile(word, &options->ends[e])) {
            std::cerr << "trace: \"" << word << "\" is not a tile: write it as column,row\n";
            return usage();
        }
    }
    options->place = args.size() == 3 ? args[0] : "";
    return 0;
}

// The map file as the program would take it; false when the folder cannot be entered (said
// why).
bool mapOf(const std::string& place, std::string* mapFile) {
    // The program reads "map.txt" from its working folder; so does this.
    std::error_code error;
    *mapFile = "map.txt";
    if (!place.empty() && std::filesystem::is_regular_file(place, error)) {
        *mapFile = std::filesystem::absolute(place, error).string();
        return true;
    }
    std::filesystem::current_path(place.empty() ? "." : place, error);
    if (error) {
        std::cerr << "trace: " << place << ": " << error.message() << '\n';
    }
    return !error;
}

// Why the window would ignore a click on the tile, or "".
std::string refusal(const MapBoard& map, Tile t) {
    const Board& board = map.board;
    if (t.column < 0 || t.column >= board.columns || t.row < 0 || t.row >= board.rows) {
        return "tile " + name(t) + " is off the map (" + std::to_string(board.columns) + " x " +
               std::to_string(board.rows) + " tiles); the window ignores a click there";
    }
    if (map.tiles[indexOf(board, t)].outside) {
        return "tile " + name(t) + " is out of bounds; the window ignores a click there";
    }
    if (!board.passable(indexOf(board, t))) {
        return "tile " + name(t) + " is a tree; the window ignores a click on a tree";
    }
    return "";
}

// The walk between the two tiles as the window plans it: its search run to its end, then the
// cheapest walk, unless the search promises one or found none.
void plan(const Board& board, TracedWalk& walk) {
    walk.query.begin(board, walk.kind, walk.start, walk.target, walk.settings);
    walk.query.advance(board, LLONG_MAX);
    walk.found = walk.query.walkFound();
    if (walk.query.found && promiseOf(walk.kind, walk.settings, board.rule) == Promise::Shortest) {
        walk.cheapest = Route{walk.found, walkCost(board, walk.kind, walk.start, walk.found)};
    } else if (walk.query.found) {
        walk.cheapest = cheapestRoute(board, walk.start, walk.target);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (const std::optional<int> status =
            answerHelpOrVersion(argc, argv, "trace", std::string(Usage) + OptionLines)) {
        return *status;
    }
    Options options;
    if (const int status =
            parseOptions(std::vector<std::string>(argv + 1, argv + argc), &options)) {
        return status;
    }
    std::string mapFile;
    if (!mapOf(options.place, &mapFile)) {
        return 1;
    }
    MapBoard map;
    {
        std::vector<std::string> problems;
        readTiles(map, readMap(mapFile, problems));
        for (const std::string& problem : problems) {
            std::cerr << "trace: " << problem << '\n';
        }
        if (!problems.empty()) {
            return 1;
        }
    }
    for (Tile t : options.ends) {
        if (const std::string why = refusal(map, t); !why.empty()) {
            std::cerr << "trace: " << why << '\n';
            return 1;
        }
    }
    if (!searchRunsOn(options.kind, map.board)) {
        std::cerr << "trace: " << oneCostNotice(options.kind) << '\n';
        return 1;
    }
    map.board.rule = options.rule;
    TracedWalk walk;
    walk.kind = options.kind;
    walk.settings = options.chosen.settings;
    walk.start = indexOf(map.board, options.ends[0]);
    walk.target = indexOf(map.board, options.ends[1]);
    plan(map.board, walk);
    if (!options.posthoc.empty() && !writePosthoc(map, walk, options.posthoc)) {
        return 1;
    }
    if (options.fog > 0 && !options.compare) {
        return printFoggedWalk(map.board, walk, options.fog);
    }
    if (options.compare) {
        // Every search gets the same two tiles, whether or not a walk joins them.
        printGrids(map, walk);
        printComparison(map.board, walk);
        return 0;
    }
    if (!walk.query.found) {
        // The search ran from the start, so it does not know which end is walled in.
        std::cerr << "trace: no walk joins " << name(options.ends[0]) << " and "
                  << name(options.ends[1]) << ": trees part them ("
                  << count(size_t(walk.query.closedCount()), "tile")
                  << " searched from the start)\n";
        return 1;
    }
    printGrids(map, walk);
    printSteps(map.board, walk);
    if (options.dump) {
        printDumps(map, walk, options.ends[0]);
    }
    return 0;
}
