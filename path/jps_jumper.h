// JPS's runs from one tile: straight and diagonal, each way and each rule compiled apart
// (path/jps.cpp says what they stop at and why). A search whose scans are heard takes them
// a tile at a time; one nobody hears reads them from the board's run table.
#pragma once

#include "path/jps_runs.h"
#include "path/search_loop.h"

// The runs of one expansion: the board and its run table, and who is told of the scans;
// under a rule that guards corners or not.
template <typename Listener, bool Guarded> struct Jumper {
    const Board& board;
    const BoardRuns* runs; // none for a search whose scans are heard
    int columns;
    int rows;
    int target;
    int targetColumn;
    int targetRow;
    Listener& listen;
    int closedCount;

    // Whether (c, r) can be entered; a run steps a tile at a time from the board, so it asks
    // at most one tile beyond an edge, which the board's border answers.
    bool open(int c, int r) const { return tileOpen(board, c, r); }

    // A straight run from (c, r) on (DC, DR), one of them 0: the jump point's tile, or -1.
    // `steps` gets the run's length: it stops a step short of a tile that cannot be entered,
    // or on a tile with a forced neighbour (path/jps_runs.cpp), or on the target.
    template <int DC, int DR> int straight(int c, int r, int* steps) {
        static_assert(DC == 0 || DR == 0);
        const int from = r * columns + c;
        constexpr int way = DC > 0 ? 0 : DC < 0 ? 1 : DR > 0 ? 2 : 3;
        const int delta = DR * columns + DC;
        bool ends = false;
        int length = Listener::hearsScans ? stepAlong(c, r, DC, DR, &ends)
                                          : runs->run(way, from, delta, &ends);
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

    // A straight run taken a tile at a time, as a search that records every tile it scans
    // does anyway: it needs no table, which a big board takes long to make after a paint.
    int stepAlong(int c, int r, int dc, int dr, bool* ends) const {
        for (int length = 1;; length++) {
            c += dc;
            r += dr;
            if (!tileOpen(board, c, r)) {
                *ends = false;
                return length - 1;
            }
            if (runMustTurn(board, Guarded, c, r, dc, dr)) {
                *ends = true;
                return length;
            }
        }
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
        const int reach = runs->run(way, from, delta, &ends);
        int stop = ends ? reach : reach + 1; // past the reach: none
        // The step onto the target's row, and onto its column: there the target may lie ahead.
        const int toRow = (targetRow - r) * DR;
        if (toRow > 0 && toRow < stop) {
            const int ahead = (targetColumn - (c + toRow * DC)) * DC;
            bool jump = false;
            if (ahead == 0 || (ahead > 0 && ahead <= runs->run(DC > 0 ? 0 : 1, from + toRow * delta,
                                                               DC, &jump))) {
                stop = toRow;
            }
        }
        const int toColumn = (targetColumn - c) * DC;
        if (toColumn > 0 && toColumn < stop) {
            const int ahead = (targetRow - (r + toColumn * DR)) * DR;
            bool jump = false;
            if (ahead == 0 ||
                (ahead > 0 && ahead <= runs->run(DR > 0 ? 2 : 3, from + toColumn * delta,
                                                 DR * columns, &jump))) {
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
