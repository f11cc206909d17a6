// The loop every search runs, and the parts it is made of, for the files that define them:
// the listeners, joining and closing a tile, and the ways of expanding one. The loop is
// compiled once for each way of expanding and each listener, so that a search nobody listens
// to pays nothing for being watchable, and tests no kind of search as it goes.
#pragma once

#include "path/any_angle.h"
#include "path/jps_runs.h"
#include "path/search.h"
#include "path/search_trace.h"

#include <bit>
#include <cstdlib>

// Nobody listens: bench's searches, and those whose record nobody reads.
struct Unheard {
    static constexpr bool hearsScans = false;
    void joined(const GridSearch&, int) {}
    void lowered(const GridSearch&, int) {}
    void closed(const GridSearch&, int) {}
    void scannedRun(int, int, int, int) {}
    void scannedTile(int, int) {}
    void stepped(const GridSearch&) {}
    void sighted(const GridSearch&, int, int, double) {}
};

// Writes the record every search writes, in tiles, for the search view, playback and panel.
struct Recorder {
    static constexpr bool hearsScans = true;
    SearchRecord& record;

    void joined(const GridSearch& s, int cell) {
        record.opened.push_back(s.tileOf(cell));
        record.openedAt.push_back(static_cast<int>(record.closed.size()));
    }
    void lowered(const GridSearch&, int) {}
    void closed(const GridSearch& s, int cell) {
        record.closed.push_back(s.tileOf(cell));
        if (s.bothEnds) {
            record.fromTarget.push_back(s.reversed);
        }
    }
    // The `length` tiles of a run from `from`, `delta` apart, at once: a long run costs a fill
    // rather than a call a tile.
    void scannedRun(int from, int delta, int length, int closedCount) {
        record.scanned.insert(record.scanned.end(), Run{from + delta, delta, 0},
                              Run{0, delta, length});
        record.scannedAt.insert(record.scannedAt.end(), static_cast<std::size_t>(length),
                                closedCount);
    }
    void scannedTile(int tile, int closedCount) {
        record.scanned.push_back(tile);
        record.scannedAt.push_back(closedCount);
    }
    void stepped(const GridSearch& s) {
        if (searchStepWatcher) {
            searchStepWatcher(s, record);
        }
    }
    void sighted(const GridSearch&, int, int, double) {}
};

inline std::uint64_t keyOf(const GridSearch& s, double g, double h) {
    return keyBits((s.keyHasG ? g : 0.0) + (s.keyHasH ? s.weight * h : 0.0));
}

inline std::uint64_t orderCell(int order, int cell) {
    return std::uint64_t{static_cast<std::uint32_t>(order)} << 32 |
           static_cast<std::uint32_t>(cell);
}

// A tile joins the open list with its cost and the cell it was reached from; its estimate, from
// its column and row, only where the open list's key needs one.
template <typename Listener>
void joinCell(GridSearch& s, Listener& listen, int cell, double g, int from, int column, int row) {
    Frontier& f = s.frontier;
    const int order = f.joined++;
    f.cells[cell] = SearchCell{g, from, order};
    f.states[cell] = CellState{f.stamp, -1};
    listen.joined(s, cell);
    if (s.queued) {
        f.queue.push_back(cell);
    } else {
        f.push(OpenEntry{keyOf(s, g, s.heuristicAt(column, row)), orderCell(order, cell)});
    }
}

// A cheaper way to an open tile: new cost and parent, the same place in the order of joining.
template <typename Listener>
void lowerCell(GridSearch& s, Listener& listen, int cell, double g, int from, int column, int row) {
    SearchCell& c = s.frontier.cells[cell];
    c.g = g;
    c.parent = from;
    s.frontier.push(OpenEntry{keyOf(s, g, s.heuristicAt(column, row)), orderCell(c.order, cell)});
    listen.lowered(s, cell);
}

template <typename Listener> void closeCell(GridSearch& s, Listener& listen, int cell) {
    s.frontier.states[cell].closedAt = s.frontier.closed++;
    listen.closed(s, cell);
}

// The slots of `cell`'s neighbours that can be entered, a bit a slot, read from the board's
// bits three at a time; with corners guarded, less the diagonals that would pass a corner.
[[gnu::always_inline]] inline unsigned enterableAround(const Board& board, int cell,
                                                       const CostModel& costs) {
    // The bits of cells first to first + 2, from the two bytes that hold them (the words'
    // bytes lie low to high).
    static_assert(std::endian::native == std::endian::little);
    const auto* bytes = reinterpret_cast<const unsigned char*>(board.enterable.data());
    const auto three = [bytes](int first) {
        const unsigned pair = bytes[first >> 3] | unsigned{bytes[(first >> 3) + 1]} << 8;
        return (pair >> (first & 7)) & 7;
    };
    const unsigned middle = three(cell - 1);
    unsigned around = three(cell - board.stride - 1) | (middle & 1) << 3 | (middle & 4) << 2 |
                      three(cell + board.stride - 1) << 5;
    if (!costs.diagonals) {
        return around & 0x5A; // slots 1, 3, 4 and 6: up, left, right, down
    }
    if (costs.cornersGuarded) {
        // A diagonal needs the two straight steps beside it: 0 needs 1 and 3, 2 needs 1 and 4,
        // 5 needs 3 and 6, 7 needs 4 and 6.
        const unsigned up = around >> 1 & 1, left = around >> 3 & 1, right = around >> 4 & 1,
                       down = around >> 6 & 1;
        around &= ~((!(up & left)) << 0 | (!(up & right)) << 2 | (!(left & down)) << 5 |
                    (!(right & down)) << 7);
    }
    return around;
}

// The eight neighbours of `current` under the rule, in slot order; with `Sight`, each reached
// straight from the tile's own parent when in line of sight of it (Theta*). True: the search
// stops on seeing the target.
template <bool Sight, typename Listener>
bool expandNeighbours(GridSearch& s, const Board& board, Listener& listen, int current) {
    Frontier& f = s.frontier;
    const double g = f.cells[current].g;
    const int lineFrom = Sight ? f.cells[current].parent : -1;
    const int paddedRow = s.paddedRow(current);
    const int column = current - paddedRow * s.stride - 1;
    const int row = paddedRow - 1;
    const bool weighted = !board.oneCost();
    for (unsigned around = enterableAround(board, current, s.costs); around != 0;
         around &= around - 1) {
        const int slot = std::countr_zero(around);
        const int n = current + s.cellOffsets[slot];
        // Known: closed, or open already, which a search whose tiles join once passes over.
        const bool open = f.known(n);
        if (open && (f.states[n].closedAt >= 0 || !s.updates)) {
            continue;
        }
        if (s.stopsAtSight && n == s.targetCell) {
            f.cells[n].parent = current; // its own cost never counts
            listen.sighted(s, n, current,
                           g + s.stepLengths[slot] +
                               (weighted ? s.costs.extra(board.extra[std::size_t(n)]) : 0.0));
            return true;
        }
        double newG = s.stepLengths[slot] + g;
        if (weighted) { // on a board of one cost every extra is 0, and adding it changes nothing
            newG += s.costs.extra(board.extra[static_cast<std::size_t>(s.reversed ? current : n)]);
        }
        int from = current;
        if (Sight && lineFrom >= 0) {
            // Straight from the parent when in its line of sight: never longer than by way of
            // `current`. An open tile that neither way would make cheaper is not looked at.
            const int a = s.tileOf(lineFrom), b = s.tileOf(n);
            const double straight =
                f.cells[lineFrom].g + s.costs.tileLength * segmentTileLengths(s.columns, a, b);
            if ((!open || std::min(straight, newG) < f.cells[n].g) &&
                lineOfSight(board, a, b, s.rule)) {
                newG = straight;
                from = lineFrom;
            }
        }
        if (!open) {
            joinCell(s, listen, n, newG, from, column + SlotColumn[slot], row + SlotRow[slot]);
        } else if (f.cells[n].g > newG) {
            lowerCell(s, listen, n, newG, from, column + SlotColumn[slot], row + SlotRow[slot]);
        }
    }
    return false;
}

// A jump point `steps` along `slot` from `current` at (column, row), whose cost is g: joined,
// or reached more cheaply than before; a closed one is passed over. No division finds its
// cell.
template <typename Listener>
void reachJumpPoint(GridSearch& s, Listener& listen, int current, int column, int row, int slot,
                    int steps, double g) {
    const int cell = current + steps * s.cellOffsets[slot];
    if (s.frontier.isClosed(cell)) {
        return;
    }
    const double newG = g + steps * s.stepLengths[slot];
    const int c = column + steps * SlotColumn[slot], r = row + steps * SlotRow[slot];
    if (!s.frontier.known(cell)) {
        joinCell(s, listen, cell, newG, current, c, r);
    } else if (s.frontier.cells[cell].g > newG) {
        lowerCell(s, listen, cell, newG, current, c, r);
    }
}

// JPS's step where steps go four ways (path/jps_four.cpp).
template <typename Listener>
bool expandFourWayJumps(GridSearch& s, const Board& board, Listener& listen, int current);

// A search from both ends (path/both_ends.cpp): the two sides take turns closing a tile
// until no walk cheaper than the cheapest through a tile both reached can remain.
template <typename Listener>
bool runBothEnds(GridSearch& s, const Board& board, Listener& listen, long long tiles);

// JPS's step (path/jps.cpp): the jump points found from `current`, joined as neighbours.
template <typename Listener>
bool expandJumps(GridSearch& s, const Board& board, Listener& listen, int current);
