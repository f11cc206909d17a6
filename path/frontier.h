// A search's frontier: what it knows of each tile (a cell) and its open list, kept from one
// search to the next. Making it ready for the next search costs nothing per tile: every cell
// carries the number of the search that wrote it, and a cell of another search is unknown.
#pragma once

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

// What a search knows of a tile it touched: its cost from the start, the cell it was reached
// from (-1: none) and its place among the tiles that joined the open list (-1 for the start,
// which never joins).
struct SearchCell {
    double g;
    int parent;
    int order;
};
// Apart from the cells, as every neighbour looked at asks it and most are passed over: the
// search that wrote the tile, and its place among those closed (-1: still open).
struct CellState {
    std::uint32_t stamp;
    int closedAt;
};
static_assert(sizeof(SearchCell) + sizeof(CellState) == 24, "a big board's search: one a tile");

// An entry of the open list: the key the search takes the smallest of, the tile's place in
// the order of joining, which breaks ties, and its cell. A tile whose cost drops is entered
// again with its old place; the entry it leaves behind is passed over once the tile is closed.
// The key is kept as its bits: for keys that are never negative their order as whole numbers
// is their order as reals, and whole numbers compare without the branches of a real compare.
struct OpenEntry {
    std::uint64_t key;
    std::uint64_t orderCell; // the order above, the cell below: one tile, one order
    int cell() const { return static_cast<int>(orderCell & 0xffffffffu); }
};

inline std::uint64_t keyBits(double key) {
    return std::bit_cast<std::uint64_t>(key + 0.0); // + 0.0: a -0 would count as the largest
}

// A binary heap of entries, the smallest (key, order and cell) on top.
struct OpenHeap {
    std::vector<OpenEntry> entries;

    static bool before(const OpenEntry& a, const OpenEntry& b) {
        // As one 128-bit number, key above order: a single compare, no branch.
        __extension__ using Rank = unsigned __int128;
        return ((Rank{a.key} << 64) | a.orderCell) < ((Rank{b.key} << 64) | b.orderCell);
    }
    bool empty() const { return entries.empty(); }
    const OpenEntry& top() const { return entries.front(); }
    void clear() { entries.clear(); }
    void push(OpenEntry entry) {
        entries.push_back(entry);
        rise(entries.size() - 1, entry);
    }
    // The top taken off: its hole goes down to a leaf by the smaller child, a compare a level
    // with no branch to mispredict, and the last entry fills it from there, rising the few
    // levels it usually needs.
    void pop() {
        const OpenEntry last = entries.back();
        entries.pop_back();
        const std::size_t size = entries.size();
        if (size == 0) {
            return;
        }
        std::size_t hole = 0;
        for (std::size_t child = 1; child < size; child = 2 * hole + 1) {
            child += child + 1 < size && before(entries[child + 1], entries[child]);
            entries[hole] = entries[child];
            hole = child;
        }
        rise(hole, last);
    }

  private:
    // `entry` into the hole at `hole`, moved up past every entry it comes before.
    void rise(std::size_t hole, OpenEntry entry) {
        while (hole > 0) {
            const std::size_t up = (hole - 1) / 2;
            if (!before(entry, entries[up])) {
                break;
            }
            entries[hole] = entries[up];
            hole = up;
        }
        entries[hole] = entry;
    }
};

struct Frontier {
    // Given pages by the system as they are first touched, so that a board's cells cost
    // memory only where searches go; the states zeroed, and a stamp of 0 is no search's.
    struct Free {
        void operator()(void* p) const { std::free(p); }
    };
    std::unique_ptr<SearchCell[], Free> cells;
    std::unique_ptr<CellState[], Free> states;
    std::size_t cellCount = 0;
    std::uint32_t stamp = 0;
    OpenHeap heap;          // the smallest (key, order) on top
    std::vector<int> queue; // the open list of a search by order of joining
    std::size_t queueHead = 0;
    int joined = 0; // tiles that joined the open list
    int closed = 0; // tiles closed, the start among them

    // Ready for a new search over `count` cells.
    void reset(std::size_t count) {
        if (count != cellCount) {
            cells.reset(static_cast<SearchCell*>(std::malloc(count * sizeof(SearchCell))));
            states.reset(static_cast<CellState*>(std::calloc(count, sizeof(CellState))));
            if ((!cells || !states) && count > 0) {
                throw std::bad_alloc();
            }
            cellCount = count;
            stamp = 0;
        }
        if (++stamp == 0) { // every number used: start them over, and forget every cell
            for (std::size_t i = 0; i < cellCount; i++) {
                states[i].stamp = 0;
            }
            stamp = 1;
        }
        heap.clear();
        queue.clear();
        queueHead = 0;
        joined = 0;
        closed = 0;
    }

    bool known(int cell) const { return states[cell].stamp == stamp; }
    bool isClosed(int cell) const { return known(cell) && states[cell].closedAt >= 0; }

    void push(OpenEntry entry) { heap.push(entry); }
    // The open cell of the smallest key (among equals the first to join), off the list; -1
    // when none is left. An entry of a tile already closed was left behind by a cheaper way.
    int takeCheapest() {
        while (!heap.empty()) {
            const int cell = heap.top().cell();
            heap.pop();
            if (!isClosed(cell)) {
                return cell;
            }
        }
        return -1;
    }
    // The smallest key still open (stale entries dropped on the way); infinity for none.
    double cheapestKey() {
        while (!heap.empty() && isClosed(heap.top().cell())) {
            heap.pop();
        }
        return heap.empty() ? HUGE_VAL : std::bit_cast<double>(heap.top().key);
    }
    // The open cell that joined first; a tile joins a queue once, and leaves it only here.
    int takeQueued() { return queueHead < queue.size() ? queue[queueHead++] : -1; }
};
