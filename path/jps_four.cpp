// Jump point search where steps go four ways only. A vertical run plays the part a diagonal
// run plays on eight ways: at every tile it steps on it looks along the row both ways, and
// stops where a look finds a jump point, so a walk turns from a column into a row wherever it
// must. A horizontal run stops at the target and at a tile with a forced neighbour: a tile
// above or below it that can be entered, while the one behind that cannot (a walk reaching
// the tile's column from behind could not have turned there sooner). Whatever a run stops at
// is a jump point, joined with its run's length, 10 a step; a horizontal jump point goes on
// every way but back, as does a vertical one. No table: each tile a run steps on is looked at.
#include "path/jps_runs.h"
#include "path/search_loop.h"

namespace {

template <typename Listener> struct FourWayJumper {
    const Board& board;
    int columns;
    int target;
    Listener& listen;
    int closedCount;

    bool open(int c, int r) const { return tileOpen(board, c, r); }

    // A run from (c, r) along the row, dc: the jump point's tile, or -1; `steps`, its length.
    int across(int c, int r, int dc, int* steps) {
        const int from = r * columns + c;
        int length = 0, jump = -1;
        for (int x = c + dc; open(x, r); x += dc) {
            length++;
            if (r * columns + x == target || (open(x, r - 1) && !open(x - dc, r - 1)) ||
                (open(x, r + 1) && !open(x - dc, r + 1))) {
                jump = r * columns + x;
                break;
            }
        }
        listen.scannedRun(from, dc, length, closedCount);
        *steps = length;
        return jump;
    }

    // A run from (c, r) down the column, dr: the jump point's tile, or -1.
    int along(int c, int r, int dr, int* steps) {
        for (int n = 1;; n++) {
            r += dr;
            if (!open(c, r)) {
                return -1;
            }
            const int tile = r * columns + c;
            listen.scannedTile(tile, closedCount);
            *steps = n;
            int ignored;
            if (tile == target || (open(c - 1, r) && !open(c - 1, r - dr)) ||
                (open(c + 1, r) && !open(c + 1, r - dr)) || across(c, r, -1, &ignored) >= 0 ||
                across(c, r, 1, &ignored) >= 0) {
                return tile;
            }
        }
    }
};

} // namespace

template <typename Listener>
bool expandFourWayJumps(GridSearch& s, const Board& board, Listener& listen, int current) {
    FourWayJumper<Listener> jumper{board, s.columns, s.targetColumn + s.targetRow * s.columns,
                                   listen, s.frontier.closed};
    const int paddedRow = s.paddedRow(current);
    const int column = current - paddedRow * s.stride - 1;
    const int row = paddedRow - 1;
    const int parent = s.frontier.cells[current].parent;
    // The way it came, as the step from its parent's column and row; none for the start.
    int back = -1;
    if (parent >= 0) {
        const int dc = (parent % s.stride - 1 > column) - (parent % s.stride - 1 < column);
        const int dr = (parent / s.stride - 1 > row) - (parent / s.stride - 1 < row);
        back = dr < 0 ? 1 : dc < 0 ? 3 : dc > 0 ? 4 : 6; // the slot toward the parent
    }
    const double g = s.frontier.cells[current].g;
    for (int slot : {1, 3, 4, 6}) {
        if (slot == back) {
            continue;
        }
        const int dc = SlotColumn[slot], dr = SlotRow[slot];
        int steps = 0;
        const int jump = dr == 0 ? jumper.across(column, row, dc, &steps)
                                 : jumper.along(column, row, dr, &steps);
        if (jump >= 0) {
            reachJumpPoint(s, listen, current, column, row, slot, steps, g);
        }
    }
    return false;
}

template bool expandFourWayJumps<Unheard>(GridSearch&, const Board&, Unheard&, int);
template bool expandFourWayJumps<Recorder>(GridSearch&, const Board&, Recorder&, int);
template bool expandFourWayJumps<Tracer>(GridSearch&, const Board&, Tracer&, int);
