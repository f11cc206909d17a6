// Jump point search: from each tile it closes it jumps along straight and diagonal runs and
// joins only the tiles where a run must turn (jump points), so on open ground it closes few.
//
// A tile is expanded in the directions that may start a cheapest walk through it, given the
// direction it was reached in from its parent p (the start: every direction the rule allows).
// A neighbour n of x is left out (pruned) when p reaches it, without x, at no more cost than
// through x; those that are not are natural (straight on, and a diagonal's two straight
// parts) or forced (kept so by a tree). With s a straight step and d a diagonal one,
// s < d < 2s under either rule (10 and 14, 1 and √2), which is all the reasoning below uses.
//
// Moving straight, (dx, 0) from p = x - (dx, 0) to x; for each side σ (a row up or down):
//
//   corners cut: x + (0, σ) costs 2s through x and d from p, by one diagonal step: pruned.
//     x + (dx, σ) costs s + d through x, and as much by a diagonal step from p to x + (0, σ)
//     and a straight one on: pruned, unless x + (0, σ) is a tree. Then it is forced.
//   benchmark: the diagonal step from p to x + (0, σ) needs p + (0, σ), the tile beside and
//     behind, passable. While it is, both neighbours are pruned as above. Where it is not
//     and x + (0, σ) is, nothing from p reaches x + (0, σ) in under 2s, nor x + (dx, σ) in
//     s + d, but through x: both are forced. (There the diagonal step from x becomes
//     possible that was not from p.)
//
// Moving diagonally, (dx, dy) from p to x, natural are x + (dx, 0), x + (0, dy) and x + (dx,
// dy). x + (-dx, dy) costs 2d through x, 2s through x + (-dx, 0):
//
//   corners cut: forced when x + (-dx, 0) is a tree; likewise x + (dx, -dy) when x + (0, -dy)
//     is one.
//   benchmark: never forced: the step from x to x + (-dx, dy) needs x + (-dx, 0) passable,
//     and then the two straight steps through it are there and cheaper.
//
// A jump goes on past every tile with no forced neighbour and stops at the target and at a
// tile with one (a jump point), or dies at a tree, the board's edge or (benchmark) a corner it
// may not pass. A diagonal run also stops at a tile from which a straight run in either of
// its two parts finds a jump point. Every tile a run steps on goes into the record's scans.
#include "path/jps_runs.h"
#include "path/search_loop.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

namespace {

// The slot of a step (dc, dr), each -1, 0 or 1: SlotOf[dr + 1][dc + 1].
constexpr int SlotOf[3][3] = {{0, 1, 2}, {3, -1, 4}, {5, 6, 7}};
static_assert([] {
    for (int s = 0; s < 8; s++) {
        if (SlotOf[SlotRow[s] + 1][SlotColumn[s] + 1] != s) {
            return false;
        }
    }
    return true;
}());

int sign(int v) {
    return (v > 0) - (v < 0);
}

// The runs of one expansion: the board and its run table, and who is told of the scans;
// under a rule that guards corners or not.
template <typename Listener, bool Guarded> struct Jumper {
    const Board& board;
    const BoardRuns& runs;
    int columns;
    int rows;
    int target;
    int targetColumn;
    int targetRow;
    Listener& listen;
    int closedCount;

    // Whether (c, r) can be entered; a run steps a tile at a time from the board, so it asks
    // at most one tile beyond an edge, which the board's border answers.
    bool open(int c, int r) const { return board.cellEnterable((r + 1) * board.stride + c + 1); }

    // A straight run from (c, r) on (DC, DR), one of them 0: the jump point's tile, or -1.
    // `steps` gets the run's length: it stops a step short of a tile that cannot be entered,
    // or on a tile with a forced neighbour (path/jps_runs.cpp), or on the target.
    template <int DC, int DR> int straight(int c, int r, int* steps) {
        const int from = r * columns + c;
        constexpr int way = DC > 0 ? 0 : DC < 0 ? 1 : DR > 0 ? 2 : 3;
        const int delta = DR * columns + DC;
        bool ends = false;
        int length = runs.run(way, from, delta, &ends);
        int jump = ends ? from + length * delta : -1;
        // The target on the way ends the run there.
        const int ahead = DR == 0 ? (targetRow == r ? (targetColumn - c) * DC : 0)
                                  : (targetColumn == c ? (targetRow - r) * DR : 0);
        if (ahead > 0 && ahead <= length) {
            length = ahead;
            jump = target;
        }
        listen.scannedRun(from, delta, length, closedCount);
        *steps = length;
        return jump;
    }

    // A diagonal run from (c, r) on (DC, DR): the jump point's tile, or -1.
    template <int DC, int DR> int diagonal(int c, int r, int* steps) {
        for (int n = 1;; n++) {
            if (Guarded && !(open(c + DC, r) && open(c, r + DR))) {
                return -1; // a corner it may not pass
            }
            c += DC;
            r += DR;
            if (!open(c, r)) {
                return -1;
            }
            const int tile = r * columns + c;
            listen.scannedTile(tile, closedCount);
            *steps = n;
            if (tile == target) {
                return tile;
            }
            if (!Guarded && ((!open(c - DC, r) && open(c - DC, r + DR)) ||
                             (!open(c, r - DR) && open(c + DC, r - DR)))) {
                return tile;
            }
            int ignored;
            if (straight<DC, 0>(c, r, &ignored) >= 0 || straight<0, DR>(c, r, &ignored) >= 0) {
                return tile;
            }
        }
    }

    // The same diagonal run read from the table, for a search whose scans nobody hears: the
    // table's stop, or the first step before it where the target lies on the tile or on a
    // straight run from it (the target ends a straight run where it lies).
    template <int DC, int DR> int diagonalAtOnce(int c, int r, int* steps) {
        constexpr int way = DR < 0 ? (DC < 0 ? 4 : 5) : (DC < 0 ? 6 : 7);
        const int from = r * columns + c;
        const int delta = DR * columns + DC;
        bool ends = false;
        const int reach = runs.run(way, from, delta, &ends);
        int stop = ends ? reach : reach + 1; // past the reach: none
        // The step onto the target's row, and onto its column: there the target may lie ahead.
        const int toRow = (targetRow - r) * DR;
        if (toRow > 0 && toRow < stop) {
            const int ahead = (targetColumn - (c + toRow * DC)) * DC;
            bool jump = false;
            if (ahead == 0 ||
                (ahead > 0 && ahead <= runs.run(DC > 0 ? 0 : 1, from + toRow * delta, DC, &jump))) {
                stop = toRow;
            }
        }
        const int toColumn = (targetColumn - c) * DC;
        if (toColumn > 0 && toColumn < stop) {
            const int ahead = (targetRow - (r + toColumn * DR)) * DR;
            bool jump = false;
            if (ahead == 0 ||
                (ahead > 0 &&
                 ahead <= runs.run(DR > 0 ? 2 : 3, from + toColumn * delta, DR * columns, &jump))) {
                stop = toColumn;
            }
        }
        if (stop > reach) {
            return -1;
        }
        *steps = stop;
        return from + stop * delta;
    }

    template <int DC, int DR> int diagonalRun(int c, int r, int* steps) {
        return Listener::hearsScans ? diagonal<DC, DR>(c, r, steps)
                                    : diagonalAtOnce<DC, DR>(c, r, steps);
    }

    // The run from (c, r) in a slot's way.
    int run(int slot, int c, int r, int* steps) {
        switch (slot) {
        case 0:
            return diagonalRun<-1, -1>(c, r, steps);
        case 1:
            return straight<0, -1>(c, r, steps);
        case 2:
            return diagonalRun<1, -1>(c, r, steps);
        case 3:
            return straight<-1, 0>(c, r, steps);
        case 4:
            return straight<1, 0>(c, r, steps);
        case 5:
            return diagonalRun<-1, 1>(c, r, steps);
        case 6:
            return straight<0, 1>(c, r, steps);
        default:
            return diagonalRun<1, 1>(c, r, steps);
        }
    }
};

// The directions to jump in from (column, row), reached from `parent` (-1: the start), as
// slots: straight on, and the rule's forced neighbours; their count.
template <typename Listener, bool Guarded>
int jumpSlots(const Jumper<Listener, Guarded>& jumper, int column, int row, int parent,
              int slots[8]) {
    const int columns = jumper.columns;
    int count = 0;
    const auto add = [&](int dc, int dr) { slots[count++] = SlotOf[dr + 1][dc + 1]; };
    constexpr bool benchmark = Guarded;
    if (parent < 0) {
        for (int s = 0; s < 8; s++) {
            slots[count++] = s; // the runs themselves refuse what the rule does not allow
        }
    } else {
        const int dc = sign(column - parent % columns);
        const int dr = sign(row - parent / columns);
        if (dc != 0 && dr != 0) {
            add(dc, 0);
            add(0, dr);
            add(dc, dr);
            if (!benchmark) {
                if (!jumper.open(column - dc, row) && jumper.open(column - dc, row + dr)) {
                    add(-dc, dr);
                }
                if (!jumper.open(column, row - dr) && jumper.open(column + dc, row - dr)) {
                    add(dc, -dr);
                }
            }
        } else {
            add(dc, dr);
            // Across the run: (sc, sr) and its opposite.
            const int sc = dr != 0 ? 1 : 0;
            const int sr = dc != 0 ? 1 : 0;
            for (int side : {-1, 1}) {
                const int c = column + side * sc;
                const int r = row + side * sr;
                if (benchmark) {
                    if (jumper.open(c, r) && !jumper.open(c - dc, r - dr)) {
                        add(side * sc, side * sr);
                        add(dc + side * sc, dr + side * sr);
                    }
                } else if (!jumper.open(c, r) && jumper.open(c + dc, r + dr)) {
                    add(dc + side * sc, dr + side * sr);
                }
            }
        }
    }

    return count;
}

template <typename Listener, bool Guarded>
bool jumpFrom(GridSearch& s, const Board& board, Listener& listen, int current) {
    Jumper<Listener, Guarded> jumper{board,
                                     runsOf(board, Guarded),
                                     s.columns,
                                     s.rows,
                                     s.targetColumn + s.targetRow * s.columns,
                                     s.targetColumn,
                                     s.targetRow,
                                     listen,
                                     s.frontier.closed};
    const int column = current % s.stride - 1;
    const int row = current / s.stride - 1;
    const int parent = s.frontier.cells[current].parent;
    const int from = parent < 0 ? -1 : (parent / s.stride - 1) * s.columns + parent % s.stride - 1;

    int slots[8];
    const int count = jumpSlots(jumper, column, row, from, slots);

    const double g = s.frontier.cells[current].g;
    for (int k = 0; k < count; k++) {
        const int slot = slots[k];
        const int dc = SlotColumn[slot], dr = SlotRow[slot];
        int steps = 0;
        const int jump = jumper.run(slot, column, row, &steps);
        if (jump < 0) {
            continue;
        }
        // The jump point, `steps` along the slot's way: no division to find its cell.
        const int cell = current + steps * s.cellOffsets[slot];
        if (s.frontier.isClosed(cell)) {
            continue;
        }
        const double newG = g + steps * s.stepLengths[slot];
        const double h = s.heuristicAt(column + steps * dc, row + steps * dr);
        if (!s.frontier.known(cell)) {
            joinCell(s, listen, cell, newG, current, h);
        } else if (s.frontier.cells[cell].g > newG) {
            lowerCell(s, cell, newG, current, h);
        }
    }
    return false;
}

} // namespace

template <typename Listener>
bool expandJumps(GridSearch& s, const Board& board, Listener& listen, int current) {
    return s.costs.cornersGuarded ? jumpFrom<Listener, true>(s, board, listen, current)
                                  : jumpFrom<Listener, false>(s, board, listen, current);
}

template bool expandJumps<Unheard>(GridSearch&, const Board&, Unheard&, int);
template bool expandJumps<Recorder>(GridSearch&, const Board&, Recorder&, int);
