// Theta*: A* whose tiles may take as parent any tile in line of sight, so that its walk is
// straight segments across open ground rather than a zigzag along the grid. Its step is in
// path/search_loop.h (expandNeighbours with parents in sight); here are the lines it draws
// between tile centres: whether one is clear, the tiles it crosses, and a walk's length.
#include "path/any_angle.h"

#include <cstdlib>

namespace {

// Walks the line from `a`'s centre to `b`'s tile by tile, exactly, in whole numbers: calls
// `enter(tile)` for each tile whose inside it passes through (`a` first, `b` last) and
// `corner(side1, side2)` where it passes exactly through a corner of four tiles, with the two
// it only touches there. Either returning false stops the walk, and the call returns false.
//
// In tile units the line starts at (c0 + 1/2, r0 + 1/2) and runs dc columns and dr rows. It
// crosses its k-th column edge (k from 1 to |dc|) at the fraction (2k - 1) / 2|dc| of its
// length, and its j-th row edge at (2j - 1) / 2|dr|: comparing (2k - 1)|dr| with (2j - 1)|dc|
// tells which comes first, and equal ones are a corner. Every tile it visits lies between
// `a` and `b`, so on the board.
template <typename Enter, typename Corner>
bool walkLine(int columns, int a, int b, Enter enter, Corner corner) {
    int c = a % columns;
    int r = a / columns;
    const int dc = b % columns - c;
    const int dr = b / columns - r;
    const int stepC = dc > 0 ? 1 : -1;
    const int stepR = dr > 0 ? 1 : -1;
    const long long n = std::abs(dc);
    const long long m = std::abs(dr);
    if (!enter(a)) {
        return false;
    }
    long long k = 0; // column edges crossed
    long long j = 0; // row edges crossed
    while (k < n || j < m) {
        // The next column edge against the next row edge, both as fractions of the line.
        const long long columnAt = k < n ? (2 * k + 1) * m : -1;
        const long long rowAt = j < m ? (2 * j + 1) * n : -1;
        if (j == m || (k < n && columnAt < rowAt)) {
            c += stepC;
            k++;
        } else if (k == n || rowAt < columnAt) {
            r += stepR;
            j++;
        } else {
            // Through the corner: the tiles beside the line there are only touched.
            if (!corner(r * columns + c + stepC, (r + stepR) * columns + c)) {
                return false;
            }
            c += stepC;
            r += stepR;
            k++;
            j++;
        }
        if (!enter(r * columns + c)) {
            return false;
        }
    }
    return true;
}

bool onBoard(const Board& board, int tile) {
    return tile >= 0 && tile < board.tileCount();
}

} // namespace

bool lineOfSight(const Board& board, int a, int b, MoveRule rule) {
    if (!onBoard(board, a) || !onBoard(board, b)) {
        return false;
    }
    const auto open = [&board](int tile) { return board.passable(tile); };
    const bool cornersCut = !costModel(rule).cornersGuarded;
    return walkLine(board.columns, a, b, open, [&](int side1, int side2) {
        return cornersCut || (open(side1) && open(side2));
    });
}

void appendSegmentTiles(const Board& board, int a, int b, std::vector<int>& tiles) {
    if (!onBoard(board, a) || !onBoard(board, b)) {
        return;
    }
    walkLine(
        board.columns, a, b,
        [&tiles](int tile) {
            tiles.push_back(tile);
            return true;
        },
        [](int, int) { return true; });
}

std::vector<int> segmentsTiles(const Board& board, int from, const std::vector<int>& waypoints) {
    std::vector<int> tiles;
    for (int to : waypoints) {
        // Each segment starts on the tile the one before ended on: that one is not again.
        const std::size_t first = tiles.size();
        appendSegmentTiles(board, from, to, tiles);
        if (first > 0 && tiles.size() > first) {
            tiles.erase(tiles.begin() + static_cast<long>(first));
        }
        from = to;
    }
    return tiles;
}

double segmentsLength(const Board& board, int from, const std::vector<int>& tiles) {
    // Summed as the search sums its g: a segment's length in the rule's unit at a time.
    const double unit = tileLength(board.rule);
    double length = 0;
    for (int to : tiles) {
        if (!lineOfSight(board, from, to, board.rule)) {
            return -1;
        }
        length += unit * segmentTileLengths(board.columns, from, to);
        from = to;
    }
    return length;
}
