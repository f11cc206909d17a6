// One search between two tiles of a board, assembled from parts: a frontier (path/frontier.h),
// a way of expanding a tile, a heuristic (path/heuristics.h), each chosen by the search's row
// (path/search_kinds.h), with costs from the board's rule (path/cost_model.h), and a listener
// that is told every step: the record (path/search_record.h) for those who show the search,
// or none at all, which costs nothing.
#pragma once

#include "path/cost_model.h"
#include "path/frontier.h"
#include "path/search_record.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

// Which list a tile is on in the search under way.
enum TileList : std::uint8_t { NotListed, OnOpenList, OnClosedList };

// Begun, advanced a slice of tiles at a time, and finished, so that a big board's search is
// spread over frames. A paint restarts every search under way, so the board it reads never
// changes under it. What it knew of each tile stays in its frontier once it has ended, until
// it begins again; the next search reuses the frontier's room.
struct GridSearch {
    SearchKind kind = SearchKind::FirstSightAStar;
    MoveRule rule = MoveRule::CornersCut; // the board's when it began
    CostModel costs = CornersCutCosts;
    double stepLengths[8] = {}; // by neighbour slot
    int columns = 0;
    int rows = 0;
    // The board's padded row: a cell is (row + 1) * stride + column + 1.
    int stride = 0;
    std::uint64_t rowMagic = 0; // 2^40 / stride (whole part) plus one; 0: divide
    int cellOffsets[8] = {};    // by neighbour slot
    int startCell = -1;
    int targetCell = -1;
    int targetColumn = 0;
    int targetRow = 0;
    // Taken from the search's row when it begins.
    Expansion expansion = Expansion::Neighbours;
    Heuristic heuristic = Heuristic::Zero;
    double weight = 1;   // the estimate's weight in the open list's key
    bool keyHasG = true; // the open list's key: g, h or their sum
    bool keyHasH = true;
    bool queued = false; // the open list a queue: taken in the order of joining
    bool updates = true; // an open tile's cost may drop
    bool stopsAtSight = false;
    // From both ends: this search grows from the start, `back` from the target toward the
    // start (`reversed`: a step costs the extra of the tile it leaves, as the walk enters that
    // one). They share one count of tiles joined and closed, and take turns.
    bool bothEnds = false; // set only once the target's side has begun
    bool reversed = false;
    std::unique_ptr<GridSearch> back;
    bool startsTurn = true;
    int rootsLeft =
        0; // the start and target, closed from the first, expanded on each side's first turn
    double best = 0;   // the cheapest walk through a tile both sides reached so far
    int meetCell = -1; // where it goes through
    Frontier frontier;
    int next = -1; // the cell to expand next; -1: not under way
    bool found = false;
    bool refused = false;

    // Starts a search from `start` to `target`, with the heuristic and weight chosen where it
    // takes them, telling `record` (cleared and begun anew) every step, or nobody.
    void begin(const Board& board, SearchKind kind, int start, int target, SearchRecord& record,
               const SearchSettings& settings = {});
    void begin(const Board& board, SearchKind kind, int start, int target,
               const SearchSettings& settings = {});
    // Closes at most `tiles` more tiles of the board it began on; true once the search has
    // ended (with a record, the one it began with: whole).
    bool advance(const Board& board, SearchRecord& record, long long tiles);
    bool advance(const Board& board, long long tiles);
    bool advance(const Board& board, struct Tracer& tracer, long long tiles); // told as events
    bool underWay() const { return next >= 0; }

    // What it knew of `tile` (NotListed: nothing), its costs, and its places in the orders of
    // joining and closing (-1 for none).
    TileList listOf(int tile) const;
    TileCosts costsOf(int tile) const;
    int joinedAt(int tile) const;
    int closedAt(int tile) const;
    // From both ends, the target's side: its list of `tile` and its place in the closing order.
    TileList targetSideListOf(int tile) const;
    int closedFromTargetAt(int tile) const;
    // Where the two sides met (-1: they did not, or the search is from one end).
    int meetingTile() const { return found && bothEnds && meetCell >= 0 ? tileOf(meetCell) : -1; }
    // The target's side while this search grows from both ends; null otherwise.
    const GridSearch* targetSide() const { return bothEnds && !reversed ? back.get() : nullptr; }
    int closedCount() const {
        return std::max(frontier.closed, targetSide() ? targetSide()->frontier.closed : 0);
    }
    int joinedCount() const {
        return std::max(frontier.joined, targetSide() ? targetSide()->frontier.joined : 0);
    }
    // Tiles still open when it stopped: every closed tile but the start (and from both ends the
    // target) left the open list.
    int stillOpen() const {
        return joinedCount() - std::max(closedCount() - (targetSide() ? 2 : 1), 0);
    }
    int tileCount() const { return columns * rows; }
    // The walk found, first step first (a jump's run a step at a time); empty for none.
    std::vector<int> walkFound() const;

    // A cell's row on the padded board, by a multiplication where that is exact (cells under
    // 2^23, rows under 2^17 cells wide): a division would cost every expansion dearly.
    int paddedRow(int cell) const {
        return rowMagic != 0 ? static_cast<int>((static_cast<std::uint64_t>(cell) * rowMagic) >> 40)
                             : cell / stride;
    }
    int tileOf(int cell) const { return (cell / stride - 1) * columns + cell % stride - 1; }
    int cellOf(int tile) const { return (tile / columns + 1) * stride + tile % columns + 1; }
    // The search's estimate from the tile at (column, row) to its target.
    double heuristicAt(int column, int row) const {
        return estimate(heuristic, costs, std::abs(column - targetColumn),
                        std::abs(row - targetRow));
    }

  private:
    bool start(const Board& board, SearchKind kind, int start, int target,
               const SearchSettings& settings, bool fromTarget = false);
    bool startEither(const Board& board, SearchKind kind, int from, int to,
                     const SearchSettings& settings);
    bool beginTargetSide(const Board& board, const SearchSettings& settings);
    std::vector<int> walkBothWays() const;
};

// Whether a search of `kind` may run on the board: one that needs a board of one cost does not
// where there are stones or water (oneCostNotice says so). The one place this is asked.
inline bool searchRunsOn(SearchKind kind, const Board& board) {
    return !needsOneCost(kind) || board.oneCost();
}

// Makes what a search of `kind` reads of the board besides its tiles, if it has not been made
// since the tiles last changed (JPS's run table); a search makes it itself when it is not.
// Bench makes it before its clock starts, as the field's benchmarks make theirs before.
void prepareSearch(const Board& board, SearchKind kind);

// Called after each step of a recorded search with its lists as they stand; tests watch the
// search through it. The program leaves it empty.
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
