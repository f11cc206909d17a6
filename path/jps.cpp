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
#include "path/jps_jumper.h"

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
                                     Listener::hearsScans ? nullptr : &runsOf(board, Guarded),
                                     s.columns,
                                     s.rows,
                                     s.targetColumn + s.targetRow * s.columns,
                                     s.targetColumn,
                                     s.targetRow,
                                     listen,
                                     s.frontier.closed};
    const int paddedRow = s.paddedRow(current);
    const int column = current - paddedRow * s.stride - 1;
    const int row = paddedRow - 1;
    const int parent = s.frontier.cells[current].parent;
    const int from = parent < 0 ? -1 : (parent / s.stride - 1) * s.columns + parent % s.stride - 1;

    int slots[8];
    const int count = jumpSlots(jumper, column, row, from, slots);

    const double g = s.frontier.cells[current].g;
    for (int k = 0; k < count; k++) {
        int steps = 0;
        if (jumper.run(slots[k], column, row, &steps) >= 0) {
            reachJumpPoint(s, listen, current, column, row, slots[k], steps, g);
        }
    }
    return false;
}

} // namespace

template <typename Listener>
bool expandJumps(GridSearch& s, const Board& board, Listener& listen, int current) {
    if (!s.costs.diagonals) {
        return expandFourWayJumps(s, board, listen, current);
    }
    return s.costs.cornersGuarded ? jumpFrom<Listener, true>(s, board, listen, current)
                                  : jumpFrom<Listener, false>(s, board, listen, current);
}

template bool expandJumps<Unheard>(GridSearch&, const Board&, Unheard&, int);
template bool expandJumps<Recorder>(GridSearch&, const Board&, Recorder&, int);
template bool expandJumps<Tracer>(GridSearch&, const Board&, Tracer&, int);
