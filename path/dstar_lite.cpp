// D* Lite's plan and repair. A step from u to v costs what it costs a walk (the step, plus
// v's extra cost), so the search from the target looks at the steps into a tile from each
// neighbour that may take them.
#include "path/dstar_lite.h"
#include "path/search_loop.h"

#include <algorithm>
#include <climits>
#include <cmath>

// Whether `top` may still change the walker's cost: a key not above its own. Sums of the same
// steps taken in another order differ in their last bits, so a key within rounding of the
// walker's counts as a tie whatever its second part: the heap orders ties by their rounded
// first parts, and a tile of a smaller second part may lie behind one of a larger.
bool DStarLite::before(const Key& top, const Key& start) {
    if (start.first == HUGE_VAL) {
        return true;
    }
    return top.first <= start.first + 1e-9 * std::max(1.0, std::abs(start.first));
}

void DStarLite::begin(const Board& board, int start, int target) {
    costs = costModel(board.rule);
    heuristic = costs.diagonals ? Heuristic::Octile : Heuristic::Manhattan;
    columns = board.columns;
    stride = board.stride;
    for (int s = 0; s < 8; s++) {
        cellOffsets[s] = SlotRow[s] * stride + SlotColumn[s];
    }
    const std::size_t cells = board.extra.size();
    g.assign(cells, HUGE_VAL);
    rhs.assign(cells, HUGE_VAL);
    queuedAt.assign(cells, OpenEntry{0, 0});
    queued.assign(cells, 0);
    settledAt.assign(cells, -1);
    bestNext.assign(cells, -1);
    heap.clear();
    lastClosed.clear();
    plans = 0;
    underWay = false;
    km = 0;
    startCell = lastCell = cellOf(start);
    targetCell = cellOf(target);
    rhs[targetCell] = 0;
    push(targetCell);
}

double DStarLite::h(int from, int to) const {
    const int fc = from % stride, fr = from / stride, tc = to % stride, tr = to / stride;
    return estimate(heuristic, costs, std::abs(fc - tc), std::abs(fr - tr));
}

DStarLite::Key DStarLite::keyOf(int cell) const {
    const double least = std::min(g[cell], rhs[cell]);
    return Key{least + h(startCell, cell) + km, least, cell};
}

namespace {

// A key as one 128-bit number: the first part's bits above, the second part as a float's bits
// and the cell below. Parts never negative order as their bits do; the second part only
// breaks ties of the first, where a float's precision is plenty.
OpenEntry entryOf(double first, double second, int cell) {
    const auto low = std::bit_cast<std::uint32_t>(static_cast<float>(second + 0.0));
    return OpenEntry{keyBits(first), std::uint64_t{low} << 32 | static_cast<std::uint32_t>(cell)};
}

} // namespace

void DStarLite::push(int cell) {
    const Key key = keyOf(cell);
    const OpenEntry entry = entryOf(key.first, key.second, cell);
    queued[cell] = 1;
    queuedAt[cell] = entry;
    heap.push(entry);
}

// The top of the open list, stale entries (a cell since taken off, or pushed again with
// another key) dropped on the way; false when it is empty.
bool DStarLite::topKey(Key* top) {
    while (!heap.empty()) {
        const OpenEntry& e = heap.top();
        const int cell = e.cell();
        if (queued[cell] && queuedAt[cell].key == e.key &&
            queuedAt[cell].orderCell == e.orderCell) {
            *top = Key{std::bit_cast<double>(e.key), 0, cell};
            return true;
        }
        heap.pop();
    }
    return false;
}

// The cheapest a walk from `cell` gets by a step to a neighbour and that neighbour's g.
// rhs made anew: the cheapest a walk from `cell` gets by a step to a neighbour and that
// neighbour's g; the neighbour kept as the cell's next step.
void DStarLite::settleRhs(const Board& board, int cell) {
    double best = HUGE_VAL;
    int next = -1;
    const unsigned steps = board.cellEnterable(cell) ? enterableAround(board, cell, costs) : 0;
    for (unsigned around = steps; around != 0; around &= around - 1) {
        const int slot = std::countr_zero(around);
        const int n = cell + cellOffsets[slot];
        if (g[n] != HUGE_VAL && stepInto(board, slot, n) < best) {
            best = stepInto(board, slot, n);
            next = n;
        }
    }
    rhs[cell] = best;
    bestNext[cell] = next;
}

void DStarLite::updateVertex(const Board& board, int cell) {
    if (cell != targetCell) {
        settleRhs(board, cell);
    }
    requeue(cell);
}

void DStarLite::requeue(int cell) {
    queued[cell] = 0;
    if (g[cell] != rhs[cell]) {
        push(cell);
    }
}

void DStarLite::moveTo(const Board&, int tile) {
    startCell = cellOf(tile);
}

// The walker has moved since the keys were made: every key still in the heap counts from the
// old tile, and km makes up the difference (never more than the estimate).
void DStarLite::catchUp() {
    km += h(lastCell, startCell);
    lastCell = startCell;
}

void DStarLite::tileChanged(const Board& board, int tile) {
    catchUp();
    const int cell = cellOf(tile);
    updateVertex(board, cell);
    for (int s = 0; s < 8; s++) {
        updateVertex(board, cell + cellOffsets[s]);
    }
}

int DStarLite::plan(const Board& board) {
    startPlan();
    carryOn(board, LLONG_MAX);
    return static_cast<int>(lastClosed.size());
}

void DStarLite::startPlan() {
    catchUp();
    ++plans;
    lastClosed.clear();
    underWay = true;
}

bool DStarLite::carryOn(const Board& board, long long tiles) {
    Key top{};
    // The walker's own key needs no estimate: it is 0 from where it stands.
    const auto startKey = [this] {
        const double least = std::min(g[startCell], rhs[startCell]);
        return Key{least + km, least, startCell};
    };
    while (topKey(&top) && (before(top, startKey()) || rhs[startCell] != g[startCell])) {
        const int u = top.cell;
        const Key now = keyOf(u);
        if (OpenHeap::before(queuedAt[u], entryOf(now.first, now.second, u))) {
            push(u); // its key rose since it was entered
            continue;
        }
        if (tiles-- <= 0) {
            return false; // the rest on the next call
        }
        heap.pop();
        queued[u] = 0;
        lastClosed.push_back(tileOf(u));
        settledAt[u] = plans;
        // The tiles that may step into u: each neighbour u may step to steps back (the rule's
        // steps go both ways), unless u is a tile no walk enters.
        const unsigned into = board.cellEnterable(u) ? enterableAround(board, u, costs) : 0;
        if (g[u] > rhs[u]) {
            // Settled lower: a tile that may step into u is the cheaper for it, if at all.
            g[u] = rhs[u];
            for (unsigned around = into; around != 0; around &= around - 1) {
                const int back = std::countr_zero(around), s = 7 - back;
                const int from = u + cellOffsets[back];
                const double through = stepInto(board, s, u);
                if (from != targetCell && through < rhs[from]) {
                    rhs[from] = through;
                    bestNext[from] = u;
                    requeue(from);
                }
            }
            continue;
        }
        // Raised: the tiles whose best step went through u look for another.
        const double old = g[u];
        g[u] = HUGE_VAL;
        updateVertex(board, u);
        for (unsigned around = into; around != 0; around &= around - 1) {
            const int back = std::countr_zero(around), s = 7 - back;
            const int from = u + cellOffsets[back];
            if (from != targetCell &&
                rhs[from] == costs.step(s) + costs.extra(board.extra[u]) + old) {
                updateVertex(board, from);
            }
        }
    }
    underWay = false;
    return true;
}

double DStarLite::cost() const {
    return rhs[startCell];
}

bool DStarLite::found() const {
    return rhs[startCell] < HUGE_VAL;
}

bool DStarLite::settledBefore(int tile) const {
    const long long at = settledAt[cellOf(tile)];
    return at >= 0 && at < plans;
}

// Each tile's next step is the neighbour its rhs came through: once planned, the tiles on the
// walk are settled, so the steps chain to the target.
std::vector<int> DStarLite::walk(const Board&) const {
    std::vector<int> tiles;
    int at = startCell;
    // Never longer than the board has tiles: a walk that would is no walk.
    for (std::size_t steps = 0; found() && at != targetCell && steps < g.size(); steps++) {
        at = bestNext[at];
        if (at < 0) {
            return {};
        }
        tiles.push_back(tileOf(at));
    }
    return at == targetCell ? tiles : std::vector<int>{};
}
