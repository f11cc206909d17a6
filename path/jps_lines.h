// The board as bits for JPS's straight runs: a run reads 64 tiles at a time along its line
// and the two lines beside it; and a run's tiles as an iterator, to record them at once.
#pragma once

#include "path/board.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

// The board's passable tiles as bits, four ways: its rows left to right and right to left,
// its columns top to bottom and bottom to top, so that a straight run in any direction reads
// 64 tiles a word along its line and the two lines beside it. A line's tile j is bit 64 + j;
// before it a word, and after it two, of zeros, and a line of zeros before the first line
// and after the last: off the board reads as blocked.
struct Lines {
    int stride = 0; // words a line
    std::vector<std::uint64_t> words;

    void size(int lines, int length) {
        stride = (64 + length + 64) / 64 + 2;
        words.assign(static_cast<std::size_t>(lines + 2) * static_cast<std::size_t>(stride), 0);
    }
    void set(int line, int j) {
        const int b = 64 + j;
        words[static_cast<std::size_t>(line + 1) * stride + static_cast<std::size_t>(b >> 6)] |=
            std::uint64_t{1} << (b & 63);
    }
    const std::uint64_t* line(int k) const {
        return words.data() + static_cast<std::size_t>(k + 1) * stride;
    }
};

// 64 tiles of a line from tile j on: bit i is tile j + i.
inline std::uint64_t window(const std::uint64_t* line, int j) {
    const int b = 64 + j;
    const int s = b & 63;
    // The next word's bits above, in two shifts so that none is by 64 (s 0: nothing).
    return (line[b >> 6] >> s) | ((line[(b >> 6) + 1] << 1) << (63 - s));
}

struct BoardLines {
    long long tiles = -1; // the board's tilesSerial they were read at
    int columns = 0;
    int rows = 0;
    Lines east, west, south, north;
};

// The lines of the board last searched, read again only when its tiles changed: a search's
// every expansion reads them, and thousands of searches run on one board. Per thread, so that
// searches on two threads never share them.
const BoardLines& linesOf(const Board& board);

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
