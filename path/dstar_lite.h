// D* Lite (after Koenig and Likhachev, 2002): a search from the target back to the walker,
// kept between plans. The walker's moves cost nothing (the key modifier km keeps the old
// keys valid), and after a change of tiles only the tiles whose costs the change reaches are
// opened again. Each tile has g, its cost to the target as last settled, and rhs, the cost
// its neighbours' g and the steps to them now give; a tile where they differ is on the open
// list, keyed (min(g, rhs) + h + km, min(g, rhs)).
#pragma once

#include "path/cost_model.h"
#include "path/frontier.h"
#include "path/heuristics.h"

#include <cstdint>
#include <vector>

struct DStarLite {
    // Begun anew on `board` (its size and rule), from the walker on `start` to `target`;
    // nothing is settled until the first plan.
    void begin(const Board& board, int start, int target);
    // The walker now stands on `tile`: the keys of the next plan count from there.
    void moveTo(const Board& board, int tile);
    // `tile` was given another cost (or can now, or no longer, be entered): the tiles whose
    // steps it changes are looked at again by the next plan.
    void tileChanged(const Board& board, int tile);
    // Settles what the walker's cost to the target needs: the whole search the first time, a
    // repair after. Returns the tiles it closed.
    int plan(const Board& board);
    // The same a slice at a time: a plan begun, then carried on by at most `tiles` closings a
    // call; true once it has ended.
    void startPlan();
    bool carryOn(const Board& board, long long tiles);
    bool planning() const { return underWay; }

    // The walker's cost to the target as last planned; infinite when there is no walk.
    double cost() const;
    bool found() const;
    // The walk from the walker's tile, first step first, by the cheapest step each time.
    std::vector<int> walk(const Board& board) const;
    // The tiles the last plan closed, in order; and whether a tile was settled before it.
    const std::vector<int>& closedLastPlan() const { return lastClosed; }
    bool settledBefore(int tile) const;
    // What it knows of `tile`: its g (infinite: none).
    double gOf(int tile) const { return g[cellOf(tile)]; }
    MoveRule ruleOf() const { return costs.rule; }
    int targetTile() const { return targetCell < 0 ? -1 : tileOf(targetCell); }

  private:
    struct Key {
        double first;
        double second;
        int cell;
    };
    CostModel costs = CornersCutCosts;
    Heuristic heuristic = Heuristic::Octile;
    int columns = 0;
    int stride = 0;
    int cellOffsets[8] = {};
    int startCell = -1;
    int lastCell = -1; // where the walker stood when km was last brought up to date
    int targetCell = -1;
    double km = 0;
    std::vector<double> g, rhs;
    std::vector<OpenEntry> queuedAt; // each open cell's entry in the heap
    std::vector<std::uint8_t> queued;
    std::vector<long long> settledAt; // the plan that last closed each cell (-1: none)
    std::vector<int> bestNext;        // the neighbour each cell's rhs came through (-1: none)
    long long plans = 0;
    bool underWay = false;
    OpenHeap heap; // the smallest key on top; stale entries are passed over
    std::vector<int> lastClosed;

    int cellOf(int tile) const { return (tile / columns + 1) * stride + tile % columns + 1; }
    int tileOf(int cell) const { return (cell / stride - 1) * columns + cell % stride - 1; }
    double h(int from, int to) const;
    Key keyOf(int cell) const;
    void updateVertex(const Board& board, int cell);
    void requeue(int cell);
    // A step along `slot` into `to` and on from there: one expression everywhere, so that a
    // rhs made of it compares equal to it again.
    double stepInto(const Board& board, int slot, int to) const {
        return costs.step(slot) + costs.extra(board.extra[to]) + g[to];
    }
    void settleRhs(const Board& board, int cell);
    void push(int cell);
    void catchUp();
    static bool before(const Key& top, const Key& start);
    bool topKey(Key* top);
};
