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
#include "path/jps_lines.h"
#include "path/search.h"

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

// The open list's order, as path/grid_search.cpp keeps it: "comes later".
struct Later {
    bool operator()(const OpenEntry& a, const OpenEntry& b) const {
        return a.key > b.key || (a.key == b.key && a.order > b.order);
    }
};

int sign(int v) {
    return (v > 0) - (v < 0);
}

// The runs of one expansion: the board's costs and lines and what the scans are recorded with.
struct Jumper {
    const Board& board;
    const BoardLines& lines;
    int columns;
    int rows;
    int target;
    int targetColumn;
    int targetRow;
    bool benchmark;
    std::vector<int>& scanned;
    std::vector<int>& scannedAt;
    int closedCount;

    bool open(int c, int r) const {
        return static_cast<unsigned>(c) < static_cast<unsigned>(columns) &&
               static_cast<unsigned>(r) < static_cast<unsigned>(rows) &&
               board.passable(r * columns + c);
    }

    // Records the `length` tiles of a run from `from`, `delta` apart, as looked at: a run's
    // tiles at once, each list growing once and written straight, so that a long run costs
    // a fill rather than a call a tile.
    void look(int from, int delta, int length) {
        scanned.insert(scanned.end(), Run{from + delta, delta, 0}, Run{0, delta, length});
        scannedAt.insert(scannedAt.end(), static_cast<std::size_t>(length), closedCount);
    }

    // A straight run from (c, r) on (dc, dr), one of them 0: the jump point's tile, or -1.
    // `steps` gets the run's length.
    int straight(int c, int r, int dc, int dr, int* steps) {
        const int from = r * columns + c;
        // The run along its line, and where it starts on it; a step's change of tile.
        const Lines& way = dc > 0   ? lines.east
                           : dc < 0 ? lines.west
                           : dr > 0 ? lines.south
                                    : lines.north;
        const int k = dr == 0 ? r : c;
        const int j = dc > 0 ? c : dc < 0 ? columns - 1 - c : dr > 0 ? r : rows - 1 - r;
        const int delta = dr * columns + dc;
        const std::uint64_t* on = way.line(k);
        const std::uint64_t* sideA = way.line(k - 1);
        const std::uint64_t* sideB = way.line(k + 1);
        // The tiles it steps on are j + 1 on; 64 of them at a time. Blocked: where it dies.
        // Forced: under the benchmark's rule, a side tile passable beside one behind it that
        // is not; cutting corners, a tree beside and passable ground beyond it ahead.
        int length = 0;
        int jump = -1;
        for (int i = j + 1;; i += 64) {
            const std::uint64_t blocked = ~window(on, i);
            const std::uint64_t forced = benchmark ? (window(sideA, i) & ~window(sideA, i - 1)) |
                                                         (window(sideB, i) & ~window(sideB, i - 1))
                                                   : (~window(sideA, i) & window(sideA, i + 1)) |
                                                         (~window(sideB, i) & window(sideB, i + 1));
            if (forced != 0 &&
                (blocked == 0 || std::countr_zero(forced) < std::countr_zero(blocked))) {
                length = i + std::countr_zero(forced) - j;
                jump = from + length * delta;
                break;
            }
            if (blocked != 0) {
                length = i + std::countr_zero(blocked) - j - 1;
                break;
            }
        }
        // The target on the way ends the run there.
        const int ahead = dr == 0 ? (targetRow == r ? (targetColumn - c) * dc : 0)
                                  : (targetColumn == c ? (targetRow - r) * dr : 0);
        if (ahead > 0 && ahead <= length) {
            length = ahead;
            jump = target;
        }
        look(from, delta, length);
        *steps = length;
        return jump;
    }

    // A diagonal run from (c, r) on (dc, dr): the jump point's tile, or -1.
    int diagonal(int c, int r, int dc, int dr, int* steps) {
        for (int n = 1;; n++) {
            if (benchmark && !(open(c + dc, r) && open(c, r + dr))) {
                return -1; // a corner it may not pass
            }
            c += dc;
            r += dr;
            if (!open(c, r)) {
                return -1;
            }
            const int tile = r * columns + c;
            scanned.push_back(tile);
            scannedAt.push_back(closedCount);
            *steps = n;
            if (tile == target) {
                return tile;
            }
            if (!benchmark && ((!open(c - dc, r) && open(c - dc, r + dr)) ||
                               (!open(c, r - dr) && open(c + dc, r - dr)))) {
                return tile;
            }
            int ignored;
            if (straight(c, r, dc, 0, &ignored) >= 0 || straight(c, r, 0, dr, &ignored) >= 0) {
                return tile;
            }
        }
    }
};

// The directions to jump in from (column, row), reached from `parent` (-1: the start), as
// slots: straight on, and the rule's forced neighbours; their count.
int jumpSlots(const Jumper& jumper, int column, int row, int parent, int slots[8]) {
    const int columns = jumper.columns;
    int count = 0;
    const auto add = [&](int dc, int dr) { slots[count++] = SlotOf[dr + 1][dc + 1]; };
    const bool benchmark = jumper.benchmark;
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

} // namespace

bool GridSearch::expandJumps(const Board& board, SearchRecord& record, int current) {
    const bool benchmark = rule == MoveRule::Benchmark;
    if (record.scanned.capacity() == 0) {
        // Room for a usual search's scans (thousands on a board of some hundreds of tiles a
        // side), so that the lists seldom move as they grow. Under 64 KiB a list: the two
        // then fit in what the C library keeps at hand between searches (128 KiB), and a
        // search's scans are written to memory already in the cache rather than to pages
        // fetched from the system, which took longer than the search itself.
        const std::size_t room = std::min<std::size_t>(std::size_t(board.tileCount()), 12288);
        record.scanned.reserve(room);
        record.scannedAt.reserve(room);
    }
    Jumper jumper{board,
                  linesOf(board),
                  columns,
                  rows,
                  target,
                  target % columns,
                  target / columns,
                  benchmark,
                  record.scanned,
                  record.scannedAt,
                  static_cast<int>(record.closed.size())};
    const int column = current % columns;
    const int row = current / columns;

    int slots[8];
    const int count = jumpSlots(jumper, column, row, cells[current].parent, slots);

    const double g = cells[current].g;
    for (int k = 0; k < count; k++) {
        const int s = slots[k];
        int steps = 0;
        const int jump = SlotDiagonal[s]
                             ? jumper.diagonal(column, row, SlotColumn[s], SlotRow[s], &steps)
                             : jumper.straight(column, row, SlotColumn[s], SlotRow[s], &steps);
        if (jump < 0 || onList[jump] == OnClosedList) {
            continue;
        }
        const double newG = g + steps * stepLengths[s];
        if (onList[jump] != OnOpenList) {
            join(record, jump, newG, current);
        } else if (cells[jump].g > newG) {
            // A cheaper way: new costs and parent, the same place in the order of joining.
            SearchCell& cell = cells[jump];
            cell.g = newG;
            cell.parent = current;
            open.push_back(OpenEntry{cell.g + cell.h, cell.order, jump});
            std::push_heap(open.begin(), open.end(), Later{});
        }
    }
    return false;
}
