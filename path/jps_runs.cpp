// Making JPS's run table: each way swept against its direction, so that a tile's run is the
// next tile's run one step longer, unless the next tile stops it.
#include "path/jps_runs.h"

namespace {

// Way w's step: east, west, south, north.
constexpr int WayColumn[4] = {1, -1, 0, 0};
constexpr int WayRow[4] = {0, 0, 1, -1};

struct Sweep {
    const Board& board;
    bool guarded;

    bool open(int c, int r) const { return board.cellEnterable((r + 1) * board.stride + c + 1); }
    // Whether a run (dc, dr) stepping onto (c, r) must stop there for a turn. Under a rule that
    // guards corners: a tile beside it that can be entered, with the one behind that not (a
    // diagonal step from behind could not reach it). Cutting corners: a tile beside it that
    // cannot be entered, with the one beyond it that can.
    bool forced(int c, int r, int dc, int dr) const {
        const int pc = dr != 0 ? 1 : 0, pr = dc != 0 ? 1 : 0;
        for (int side : {-1, 1}) {
            const int sc = c + side * pc, sr = r + side * pr;
            if (guarded ? open(sc, sr) && !open(sc - dc, sr - dr)
                        : !open(sc, sr) && open(sc + dc, sr + dr)) {
                return true;
            }
        }
        return false;
    }
    std::int16_t entry(const std::vector<std::int16_t>& ways, int w, int c, int r, int dc,
                       int dr) const {
        const int nc = c + dc, nr = r + dr;
        if (!open(nc, nr)) {
            return 0;
        }
        if (forced(nc, nr, dc, dr)) {
            return 1;
        }
        const int next = ways[(static_cast<std::size_t>(nr) * board.columns + nc) * 4 + w];
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
    const Sweep sweep{board, guarded};
    const int count = board.tileCount();
    runs.ways.assign(static_cast<std::size_t>(count) * 4, 0);
    for (int w = 0; w < 4; w++) {
        const int dc = WayColumn[w], dr = WayRow[w];
        // Against the way: a tile's next tile is made before it.
        const bool down = dc > 0 || dr > 0;
        for (int k = 0; k < count; k++) {
            const int tile = down ? count - 1 - k : k;
            const int c = tile % board.columns, r = tile / board.columns;
            runs.ways[static_cast<std::size_t>(tile) * 4 + w] =
                sweep.entry(runs.ways, w, c, r, dc, dr);
        }
    }
    return runs;
}
