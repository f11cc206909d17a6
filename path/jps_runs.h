// JPS's runs read from a table: for every tile and each of the eight ways, how far a run from
// it goes and whether it ends on a jump point or dies, as if the search had no target (the
// target, which ends a run where it lies on it, is the search's to find). A run then costs a
// look-up however long it is; the table is made again only when the board's tiles change.
#pragma once

#include "path/board.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

// A run's entry: s > 0, a jump point s steps on; s <= 0, it dies after -s steps; Farther, it
// goes Longest steps past nothing, and the tile there has the rest.
inline constexpr std::int16_t Farther = INT16_MIN;
inline constexpr int Longest = 32767;

// Whether (c, r) can be entered; a run steps a tile at a time from the board, so it asks at
// most one tile beyond an edge, which the board's border answers.
inline bool tileOpen(const Board& board, int c, int r) {
    return board.cellEnterable((r + 1) * board.stride + c + 1);
}

// Whether a straight run (dc, dr) stepping onto (c, r) must stop there for a turn. Under a
// rule that guards corners: a tile beside it that can be entered, with the one behind that
// not (a diagonal step from behind could not reach it). Cutting corners: a tile beside it
// that cannot be entered, with the one beyond it that can.
inline bool runMustTurn(const Board& board, bool guarded, int c, int r, int dc, int dr) {
    const int pc = dr != 0 ? 1 : 0, pr = dc != 0 ? 1 : 0;
    for (int side : {-1, 1}) {
        const int sc = c + side * pc, sr = r + side * pr;
        if (guarded ? tileOpen(board, sc, sr) && !tileOpen(board, sc - dc, sr - dr)
                    : !tileOpen(board, sc, sr) && tileOpen(board, sc + dc, sr + dr)) {
            return true;
        }
    }
    return false;
}

struct BoardRuns {
    long long tiles = -1; // the board's tilesSerial they were made at
    int columns = 0;
    int rows = 0;
    bool guarded = false; // under a rule whose diagonal steps pass no corner
    // Eight a tile, side by side: east, west, south, north, then up-left, up-right,
    // down-left, down-right. A diagonal run asks two straight ways of the tile it stops on.
    std::vector<std::int16_t> ways;

    // The run from `tile` in way `w`, `delta` tiles a step: its steps, and whether it ends on
    // a jump point.
    int run(int w, int tile, int delta, bool* jump) const {
        int steps = 0;
        for (;;) {
            const int s = ways[static_cast<std::size_t>(tile) * 8 + static_cast<std::size_t>(w)];
            if (s != Farther) {
                *jump = s > 0;
                return steps + (s > 0 ? s : -s);
            }
            steps += Longest;
            tile += Longest * delta;
        }
    }
};

// The runs of the board last searched under a rule that guards corners or not. Per thread, so
// that searches on two threads never share them.
const BoardRuns& runsOf(const Board& board, bool guarded);

// A run's tiles as an iterator: its `k`-th tile, `delta` after the one before, for inserting
// a run's tiles in one go.
struct Run {
    using iterator_category = std::random_access_iterator_tag;
    using value_type = int;
    using difference_type = std::ptrdiff_t;
    using pointer = const int*;
    using reference = const int&;
    int tile;
    int delta;
    int k;
    const int& operator*() const { return tile; }
    int operator[](difference_type n) const { return tile + static_cast<int>(n) * delta; }
    Run& operator+=(difference_type n) {
        tile += static_cast<int>(n) * delta;
        k += static_cast<int>(n);
        return *this;
    }
    Run& operator++() { return *this += 1; }
    Run& operator--() { return *this += -1; }
    Run operator++(int) {
        const Run was = *this;
        *this += 1;
        return was;
    }
    Run operator+(difference_type n) const { return Run(*this) += n; }
    difference_type operator-(const Run& other) const { return k - other.k; }
    bool operator==(const Run& other) const { return k == other.k; }
    auto operator<=>(const Run& other) const { return k <=> other.k; }
};
