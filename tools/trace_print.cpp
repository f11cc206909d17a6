// What one search did, in text: the grids, the steps, the comparison of the searches and
// the grid dumps.
#include "tools/trace.h"
#include "world/grid_dumps.h"
#include "world/tile_kinds.h"

#include <charconv>
#include <chrono>
#include <climits>
#include <cstdio>
#include <iostream>
#include <iterator>
#include <vector>

std::string count(std::size_t n, const char* thing) {
    return std::to_string(n) + " " + thing + (n == 1 ? "" : "s");
}

std::string name(const Board& board, int tile) {
    return std::to_string(tile % board.columns) + "," + std::to_string(tile / board.columns);
}

std::string name(Tile t) {
    return std::to_string(t.column) + "," + std::to_string(t.row);
}

void printGrids(const MapBoard& mapBoard, const TracedWalk& walk) {
    const Board& board = mapBoard.board;
    std::vector<char> map(mapBoard.tiles.size()), search(mapBoard.tiles.size(), '.');
    for (size_t i = 0; i < mapBoard.tiles.size(); i++) {
        const MapTile& tile = mapBoard.tiles[i];
        map[i] = tile.outside ? '@' : tileKindOf(tile.kind).letter;
        search[i] = tile.outside ? '@' : board.passable(int(i)) ? '.' : 'T';
    }
    for (size_t i = 0; i < mapBoard.tiles.size(); i++) {
        const TileList list = walk.query.listOf(int(i));
        search[i] = list == OnClosedList ? 'x' : list == OnOpenList ? 'o' : search[i];
        search[i] = walk.query.targetSideListOf(int(i)) == OnClosedList ? 'y' : search[i];
    }
    const int meeting = walk.query.meetingTile();
    if (meeting >= 0) {
        search[size_t(meeting)] = 'm';
    }
    for (int tile : walk.found) {
        map[tile] = '*';
    }
    for (std::vector<char>* grid : {&map, &search}) {
        (*grid)[walk.start] = 'S';
        (*grid)[walk.target] = 'G';
    }
    // The second grid starts 2 x columns + 2 characters in; so does its heading.
    std::cout << "map and walk" << std::string(std::max(0, board.columns * 2 - 10), ' ')
              << "   search\n";
    for (int r = 0; r < board.rows; r++) {
        std::string line;
        for (const std::vector<char>* grid : {&map, &search}) {
            for (int c = 0; c < board.columns; c++) {
                line += (*grid)[r * board.columns + c];
                line += ' ';
            }
            line += "  ";
        }
        line.erase(line.find_last_not_of(' ') + 1);
        std::cout << line << '\n';
    }
    std::cout << "S start, G target, * walk; . ground, T tree, s stones (+20), ~ water (+40), "
                 "blank a code without a kind\n"
              << (mapBoard.outsideTiles > 0 ? "@ out of bounds\n" : "")
              << "search: x closed, o still open when it stopped"
              << (walk.query.targetSide() ? "; y closed from the target, m where the two sides met"
                                          : "")
              << "\n\n";
}

namespace {

// A walk's cost in trace: under the benchmark's rule with eight decimals, as its scenario
// files print them; under the program's own whole, but an any-angle walk's, whose straight
// lines are seldom whole, with two.
std::string traceCost(double cost, MoveRule rule, SearchKind kind) {
    return rule != MoveRule::Benchmark && anyAngle(kind) ? costText(cost, rule, kind)
                                                         : costText(cost, rule, 8);
}

// Why a search that promises the cheapest walk did not find one: what was chosen for it.
std::string whyDearer(const TracedWalk& walk, MoveRule rule, const char* own) {
    if (!searchRow(walk.kind).promisesCheapest) {
        return own;
    }
    if (promiseOf(walk.kind, walk.settings, rule) == Promise::None) {
        return std::string("its heuristic, ") +
               heuristicName(heuristicOf(walk.kind, walk.settings, rule)) +
               ", may count more than is left";
    }
    return "its weight lets it take a walk of " + promiseText(walk.kind, walk.settings, rule);
}

} // namespace

// Each step of the walk with its cost, then the walk beside the cheapest. An any-angle walk
// has a row for each waypoint: its move is a straight line, and its cost so far is shown with
// two decimals under either rule.
void printSteps(const Board& board, const TracedWalk& walk) {
    const SearchKind kind = walk.kind;
    const bool lines = anyAngle(kind);
    const auto text = [&](double cost) { return traceCost(cost, board.rule, kind); };
    const double extraUnit = costModel(board.rule).extraUnit;
    std::cout << "step  tile    move      enter  cost\n";
    int from = walk.start;
    const std::vector<int>& tiles = walk.found;
    for (size_t k = 0; k < tiles.size(); k++) {
        const int to = tiles[k];
        const bool diagonal = from % board.columns != to % board.columns &&
                              from / board.columns != to / board.columns;
        // Whole in either unit: 20 and 40, or 2 and 4.
        const std::string enter =
            "+" + costText(board.extraCost(to) / extraUnit, MoveRule::CornersCut);
        const std::vector<int> walked(tiles.begin(), tiles.begin() + long(k) + 1);
        const double soFar = walkCost(board, kind, walk.start, walked);
        char line[96];
        std::snprintf(
            line, sizeof line, "%4zu  %-6s  %-8s  %5s  %4s\n", k + 1, name(board, to).c_str(),
            lines      ? "line"
            : diagonal ? "diagonal"
                       : "straight",
            enter.c_str(), (lines ? costText(soFar, board.rule, kind) : text(soFar)).c_str());
        std::cout << line;
        from = to;
    }
    const double cost = walkCost(board, kind, walk.start, tiles);
    std::cout << "\nwalk: " << count(tiles.size(), lines ? "segment" : "step") << ", cost "
              << text(cost) << "\n"
              << "search: " << count(size_t(walk.query.closedCount()), "tile") << " closed, "
              << walk.query.stillOpen() << " left open\n"
              << "cheapest walk: cost " << costText(walk.cheapest.cost, board.rule, 8) << "\n";
    if (cost > walk.cheapest.cost) {
        static const char* const Why[] = {
            "the search stops at its first sight of the target and never reopens a closed tile",
            "",
            "",
            "greedy search takes the tile that looks nearest the target, whatever it cost",
            "breadth-first search counts steps, not their costs",
            "",
            "its segments are measured as straight lines, the cheapest walk step by step",
            "",
            "",
            ""};
        static_assert(std::size(Why) == SearchKindCount, "a reason for every search");
        std::cout << "The walk costs " << text(cost - walk.cheapest.cost)
                  << " more: " << whyDearer(walk, board.rule, Why[int(walk.kind)]) << ".\n";
    }
}

// One row per search, each run again between the same two tiles and timed on its own.
void printComparison(const Board& board, const TracedWalk& walk) {
    const double cheapest = cheapestRoute(board, walk.start, walk.target).cost;
    std::printf("%-22s %7s %7s %6s %6s %8s %7s\n", "search", "closed", "open", "steps", "cost",
                "cheapest", "us");
    for (int k = 0; k < SearchKindCount; k++) {
        const SearchKind kind = static_cast<SearchKind>(k);
        GridSearch search;
        prepareSearch(board, kind);
        const auto begin = std::chrono::steady_clock::now();
        search.begin(board, kind, walk.start, walk.target, walk.settings);
        search.advance(board, LLONG_MAX);
        const auto took = std::chrono::steady_clock::now() - begin;
        const long long us = std::chrono::duration_cast<std::chrono::microseconds>(took).count();
        std::string steps = "-", cost = "-", least = "-";
        if (search.found) {
            const std::vector<int> tiles = search.walkFound();
            steps = std::to_string(tiles.size());
            cost = traceCost(walkCost(board, kind, walk.start, tiles), board.rule, kind);
        }
        if (cheapest >= 0) {
            least = costText(cheapest, board.rule, 8);
        }
        std::printf("%-22s %7d %7d %6s %6s %8s %7lld\n", searchName(kind), search.closedCount(),
                    search.stillOpen(), steps.c_str(), cost.c_str(), least.c_str(), us);
    }
}

void printDumps(const MapBoard& map, const TracedWalk& walk, Tile start) {
    // The headings name the dumps as trace has always named them.
    std::cout << "\nTile codes around the start (World::printTileCodes, counted from 1):\n";
    printTileCodes(map, start.column + 1, start.row + 1);
    std::cout << "\n\nHeuristics (World::printHeuristics):\n";
    printHeuristics(map, walk.query);
    std::cout << "\nNeighbours of the target (GridNode::printNeighbours):\n";
    printNeighbours(map, walk.query, walk.target);
}

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
