// Making JPS's run table: each way swept against its direction, so that a tile's run is the
// next tile's run one step longer, unless the next tile stops it. The straight ways are made
// first: a diagonal run stops where a straight run from its tile finds a jump point.
#include "path/jps_runs.h"

namespace {

// Way w's step: east, west, south, north, up-left, up-right, down-left, down-right.
constexpr int WayColumn[8] = {1, -1, 0, 0, -1, 1, -1, 1};
constexpr int WayRow[8] = {0, 0, 1, -1, -1, -1, 1, 1};

// The straight way of a step (dc, dr), one of them 0.
int straightWay(int dc, int dr) {
    return dc > 0 ? 0 : dc < 0 ? 1 : dr > 0 ? 2 : 3;
}

struct Sweep {
    const Board& board;
    const BoardRuns& runs;
    bool guarded;

    bool open(int c, int r) const { return tileOpen(board, c, r); }
    // Whether a diagonal run (dc, dr) stepping onto (c, r) stops there: a forced neighbour
    // (cutting corners only), or a straight run along either of its parts finds a jump point.
    bool stops(int c, int r, int dc, int dr) const {
        if (!guarded && ((!open(c - dc, r) && open(c - dc, r + dr)) ||
                         (!open(c, r - dr) && open(c + dc, r - dr)))) {
            return true;
        }
        const int tile = r * board.columns + c;
        bool jump = false;
        runs.run(straightWay(dc, 0), tile, dc, &jump);
        if (!jump) {
            runs.run(straightWay(0, dr), tile, dr * board.columns, &jump);
        }
        return jump;
    }
    std::int16_t entry(int w, int c, int r) const {
        const int dc = WayColumn[w], dr = WayRow[w];
        const int nc = c + dc, nr = r + dr;
        const bool diagonal = dc != 0 && dr != 0;
        if (!open(nc, nr) || (diagonal && guarded && !(open(nc, r) && open(c, nr)))) {
            return 0;
        }
        if (diagonal ? stops(nc, nr, dc, dr) : runMustTurn(board, guarded, nc, nr, dc, dr)) {
            return 1;
        }
        const int next = runs.ways[(static_cast<std::size_t>(nr) * board.columns + nc) * 8 +
                                   static_cast<std::size_t>(w)];
        if (next == Farther || next == Longest || next == -Longest) {
            return Farther;
        }
        return static_cast<std::int16_t>(next > 0 ? next + 1 : next - 1);
    }
};

} // namespace

const BoardRuns& runsOf(const Board& board, bool guarded) {
    thread_local BoardRuns runs;
    if (runs.tiles == board.tilesSerial && runs.columns == board.columns &&
        runs.rows == board.rows && runs.guarded == guarded) {
        return runs;
    }
    runs.tiles = board.tilesSerial;
    runs.columns = board.columns;
    runs.rows = board.rows;
    runs.guarded = guarded;
    const Sweep sweep{board, runs, guarded};
    const int count = board.tileCount();
    runs.ways.assign(static_cast<std::size_t>(count) * 8, 0);
    for (int w = 0; w < 8; w++) {
        // Against the way: a tile's next tile is made before it.
        const bool down = WayRow[w] > 0 || (WayRow[w] == 0 && WayColumn[w] > 0);
        for (int k = 0; k < count; k++) {
            const int tile = down ? count - 1 - k : k;
            runs.ways[static_cast<std::size_t>(tile) * 8 + static_cast<std::size_t>(w)] =
                sweep.entry(w, tile % board.columns, tile / board.columns);
        }
    }
    return runs;
}
