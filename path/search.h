// The searches a walk can be planned with, and what a search leaves behind: its record of
// every step, which the search view, the panel, the title, trace and bench all read, the
// same for every search.
#pragma once

#include "path/board.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// In the order the keys 1 to 7 choose them. The first is the program's own: A* that stops
// at its first sight of the target. The last two run on a board of one cost only.
enum class SearchKind : std::uint8_t {
    FirstSightAStar,
    AStar,
    Dijkstra,
    Greedy,
    BreadthFirst,
    JPS,
    ThetaStar
};
constexpr int SearchKindCount = 7;
// "first-sight A*", "A*", "Dijkstra", "greedy", "breadth-first", "JPS", "Theta*".
const char* searchName(SearchKind kind);
// The search of that name; false when no search has it.
bool searchNamed(const std::string& name, SearchKind* kind);

// A walk as tiles, from the first step on to the target, and what it costs under the board's
// rule: each step, plus the extra cost of every tile entered, the target's included. Cost
// -1: no walk.
struct Route {
    std::vector<int> tiles;
    double cost = -1;
};

// What a search knew of a tile when it stopped: its cost from the start, its heuristic, their
// sum and the tile it was reached from.
struct TileCosts {
    double g = 0;
    double h = 0;
    double f = 0;
    int from = -1;
    bool operator==(const TileCosts&) const = default;
};

// What a search did, step by step. Kept for every search (a few appends a step) so that
// showing it never runs the search again; what it knew of each tile stays in its cells
// (GridSearch::costsOf).
struct SearchRecord {
    SearchKind kind = SearchKind::FirstSightAStar;
    long long serial = 0; // a new one with every search and every clearing: a new record
    int start = -1;       // the tiles searched between
    int target = -1;
    std::vector<int> closed;   // tiles in the order the search expanded them, the start first
    std::vector<int> opened;   // tiles in the order they joined the open list
    std::vector<int> openedAt; // for each of `opened`: how many tiles were closed when it joined
    std::vector<int> walk;     // the walk found, first step first
    bool found = false;        // a walk was found (with no steps when start and target are one)
    int targetFrom = -1;       // the tile the target was reached from (-1 for none)
    // The tiles jumps looked at on their way, in order, and for each how many tiles were
    // closed when it was (JPS's scans; empty for the other searches).
    std::vector<int> scanned;
    std::vector<int> scannedAt;
    // The search did not run: it needs a board of one cost, and this one has stones or water.
    bool refused = false;

    // Tiles still open when the search stopped: every closed tile but the start left the
    // open list for it.
    int stillOpen() const {
        return static_cast<int>(opened.size()) - std::max(static_cast<int>(closed.size()) - 1, 0);
    }
};

// An entry of the open list, a binary heap: the value the search takes the smallest of, the
// tile's place in the order of joining, which breaks ties, and the tile. A tile whose cost
// drops is entered again with its old place; the entry it leaves behind is skipped.
struct OpenEntry {
    double key = 0;
    int order = 0;
    int tile = 0;
};

// What a search knows of a tile it touched: its cost from the start, its heuristic, the tile
// it was reached from (-1: none), its place among the tiles that joined the open list (-1 for
// the start, which never joins) and among those closed (-1: still open). A tile's cell is
// written when it joins, and never read before.
struct SearchCell {
    double g;
    double h;
    int parent;
    int order;
    int closedAt;
};

// Which list a tile is on in the search under way.
enum TileList : std::uint8_t { NotListed, OnOpenList, OnClosedList };

// One search between two tiles of a board: begun, advanced a slice of tiles at a time, and
// finished, so that a big board's search is spread over frames. It works on small per-tile
// cells and the board's packed costs, which stay in the processor's cache where the tiles
// would not. A paint restarts every search under way, so the board it reads never changes
// under it. What it did step by step goes into the record it is handed; what it knew of each
// tile stays in its cells once it has ended, until it begins again.
struct GridSearch {
    SearchKind kind = SearchKind::FirstSightAStar;
    MoveRule rule = MoveRule::CornersCut; // the board's when it began
    double stepLengths[8] = {};           // by neighbour slot, under that rule
    double terrainUnit = 1;               // the board's terrain costs are divided by it
    int columns = 0;
    int rows = 0;
    int target = -1;
    std::unique_ptr<SearchCell[]> cells;
    std::size_t cellCount = 0;
    std::vector<std::uint8_t> onList;
    std::vector<OpenEntry> open;
    int joined = 0;            // tiles that joined the open list
    std::size_t queueHead = 0; // breadth-first: the next of record.opened to take
    int next = -1;             // the tile to expand next; -1: not under way
    bool found = false;

    // Starts a search from `start` to `target`; the record is cleared and begun anew.
    void begin(const Board& board, SearchKind kind, int start, int target, SearchRecord& record);
    // Closes at most `tiles` more tiles of the board it began on; true once the search has
    // ended, its record whole.
    bool advance(const Board& board, SearchRecord& record, long long tiles);
    bool underWay() const { return next >= 0; }
    // What it knew of `tile` (NotListed: nothing; its cell is then not to be read), its
    // costs, and its places in the orders of joining and closing (-1 for none).
    TileList listOf(int tile) const {
        return tile >= 0 && tile < static_cast<int>(onList.size())
                   ? static_cast<TileList>(onList[tile])
                   : NotListed;
    }
    TileCosts costsOf(int tile) const;
    int joinedAt(int tile) const { return listOf(tile) != NotListed ? cells[tile].order : -1; }
    int closedAt(int tile) const { return listOf(tile) != NotListed ? cells[tile].closedAt : -1; }

    // The steps of the search (path/grid_search.cpp).
    bool expand(const Board& board, SearchRecord& record, int current);
    // JPS's step (path/jps.cpp): the jump points found from `current`, joined as neighbours.
    bool expandJumps(const Board& board, SearchRecord& record, int current);
    void join(SearchRecord& record, int tile, double g, int from);
    void close(SearchRecord& record, int tile);
    int takeNext(SearchRecord& record);
    double heuristicOf(int tile) const;
    void finish(SearchRecord& record);
};

// Called after each step of a search with its lists as they stand; tests watch the search
// through it. The program leaves it empty.
extern void (*searchStepWatcher)(const GridSearch& search, const SearchRecord& record);

// Routes (path/routes.cpp). routeCost is -1 for tiles that are no walk from `from` under the
// board's rule; the cheapest route is an A* search run to its end.
double routeCost(const Board& board, int from, const std::vector<int>& tiles);
Route cheapestRoute(const Board& board, int from, int to);
// A cost as the figures show it: whole under the program's own rule, with `decimals` under
// the benchmark's ("166.97" in the window, "166.96551208" in trace and bench).
std::string costText(double cost, MoveRule rule, int decimals = 2);
// A cost of a walk of `kind` in the window: an any-angle walk's has two decimals under either
// rule.
std::string costText(double cost, MoveRule rule, SearchKind kind);
// What a walk of `kind` costs: its steps' costs (routeCost), or for an any-angle walk the
// straight-line lengths of its segments (segmentsLength, path/theta_star.cpp): 10 a tile
// under the program's own rule, 1 under the benchmark's; -1 when a segment is not in line
// of sight.
double walkCost(const Board& board, SearchKind kind, int from, const std::vector<int>& tiles);
double segmentsLength(const Board& board, int from, const std::vector<int>& tiles);
// A search's estimate of what is left from `tile` to `target` on a board `columns` wide,
// in the rule's unit.
double searchHeuristic(SearchKind kind, MoveRule rule, int columns, int tile, int target);
// Whether a search always finds a cheapest walk.
bool promisesCheapest(SearchKind kind);
// Whether a search runs only on a board of one cost (no stones, no water); and the notice
// that says so, "JPS needs a board of one cost: this one has stones or water".
bool needsOneCost(SearchKind kind);
std::string oneCostNotice(SearchKind kind);
// Whether a search's walk is straight segments between tiles that need not be neighbours.
bool anyAngle(SearchKind kind);
