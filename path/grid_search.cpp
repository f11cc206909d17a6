// The searches, one loop: each closes the tile it takes from the open list and looks at
// its eight neighbours in slot order, with the same steps and costs. They differ only in
// what they take next (the key), whether a tile's cost may drop once it is open, and when
// they stop:
//
//   first-sight A*  g + h, h 10 x Manhattan   updates   when the target is first seen
//   A*              g + h, h octile           updates   when the target is taken
//   Dijkstra        g                         updates   when the target is taken
//   greedy          h, octile                 joins once when the target is taken
//   breadth-first   the order of joining      joins once when the target is taken
//   Theta*          g + h, h Euclidean        updates   when the target is taken
//
// Theta* (on a board of one cost) takes the same neighbours, but a neighbour in line of sight
// of the tile's own parent is reached straight from that parent, the length of the line
// between their centres: its walk is segments between tiles that need not be neighbours
// (path/theta_star.cpp). Its steps are as long as they are straight: 10 and 10√2, or 1 and √2.
//
// Under the benchmark's rule the same, in its unit, and no diagonal step passes a tree's corner.
// Among equal keys the tile that joined first is taken. The open list is a binary heap of
// (key, order of joining), so no step scans a list, and each tile knows which list it is on.
#include "path/any_angle.h"
#include "path/search.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <utility>

void (*searchStepWatcher)(const GridSearch&, const SearchRecord&) = nullptr;

namespace {

// The smallest key first; among equals the earliest to join. std::push_heap keeps the
// largest on top, so this is "comes later". A type, not a function, so that the heap's
// every comparison is inlined.
struct Later {
    bool operator()(const OpenEntry& a, const OpenEntry& b) const {
        return a.key > b.key || (a.key == b.key && a.order > b.order);
    }
};
constexpr Later later;

bool joinsOnce(SearchKind kind) {
    return kind == SearchKind::Greedy || kind == SearchKind::BreadthFirst;
}

double keyOf(SearchKind kind, const SearchCell& cell) {
    switch (kind) {
    case SearchKind::Dijkstra:
        return cell.g;
    case SearchKind::Greedy:
        return cell.h;
    case SearchKind::BreadthFirst:
        return 0; // the order of joining alone
    default:
        return cell.g + cell.h;
    }
}

// Memory given back, not only emptied: a big board's search holds tens of megabytes.
template <typename T> void release(std::vector<T>& v) {
    std::vector<T>().swap(v);
}

} // namespace

double GridSearch::heuristicOf(int tile) const {
    return searchHeuristic(kind, rule, columns, tile, target);
}

void GridSearch::begin(const Board& board, SearchKind searchKind, int start, int to,
                       SearchRecord& record) {
    kind = searchKind;
    rule = board.rule;
    for (int s = 0; s < 8; s++) {
        stepLengths[s] =
            rule == MoveRule::Benchmark ? (SlotDiagonal[s] ? Sqrt2 : 1.0) : StepCosts[s];
        if (anyAngle(kind)) {
            // A step is a segment too: as long as the line between the two centres.
            stepLengths[s] =
                tileLength(rule) * std::hypot(double(SlotColumn[s]), double(SlotRow[s]));
        }
    }
    terrainUnit = rule == MoveRule::Benchmark ? 10 : 1;
    columns = board.columns;
    rows = board.rows;
    target = to;
    // Emptied but not let go: searches run one after another (bench's thousands) reuse the
    // room of the lists instead of asking the system for it again.
    SearchRecord fresh;
    for (auto [into, from] : {std::pair{&fresh.closed, &record.closed},
                              {&fresh.opened, &record.opened},
                              {&fresh.openedAt, &record.openedAt},
                              {&fresh.walk, &record.walk},
                              {&fresh.scanned, &record.scanned},
                              {&fresh.scannedAt, &record.scannedAt}}) {
        from->clear();
        std::swap(*into, *from);
    }
    record = std::move(fresh);
    record.serial = nextSerial();
    record.kind = kind;
    record.start = start;
    record.target = target;
    open.clear();
    onList.assign(std::size_t(board.tileCount()), NotListed);
    // Not cleared: a cell is written when its tile joins, and a big board's would take long.
    // Kept when the next search is on a board of the same size, as bench's thousands are.
    if (cellCount != std::size_t(board.tileCount())) {
        cells = std::make_unique_for_overwrite<SearchCell[]>(std::size_t(board.tileCount()));
        cellCount = std::size_t(board.tileCount());
    }
    joined = 0;
    queueHead = 0;
    found = false;
    if (needsOneCost(kind) && !board.oneCost()) {
        record.refused = true; // it would not keep its promise here: no walk, and why
        finish(record);
        return;
    }
    cells[start] = SearchCell{0, heuristicOf(start), -1, -1, -1};
    close(record, start);
    next = start;
    found = start == target;
    if (found) {
        finish(record);
    }
}

bool GridSearch::advance(const Board& board, SearchRecord& record, long long tiles) {
    if (next < 0) {
        return true; // ended already
    }
    for (; next >= 0 && tiles > 0; tiles--) {
        const bool sighted = kind == SearchKind::JPS ? expandJumps(board, record, next)
                                                     : expand(board, record, next);
        if (searchStepWatcher) {
            searchStepWatcher(*this, record);
        }
        if (sighted) {
            found = true;
            break;
        }
        const int taken = takeNext(record);
        if (taken < 0) {
            // Nothing left to try: trees part the start from the target (either may be the
            // one walled in). No walk.
            break;
        }
        close(record, taken);
        next = taken;
        if (taken == target) {
            if (searchStepWatcher) {
                searchStepWatcher(*this, record); // closing the target is the last step
            }
            found = true;
            break;
        }
    }
    if (!found && next >= 0 && tiles == 0) {
        return false;
    }
    finish(record);
    return true;
}

bool GridSearch::expand(const Board& board, SearchRecord& record, int current) {
    const bool firstSight = kind == SearchKind::FirstSightAStar;
    const bool cornersGuarded = rule == MoveRule::Benchmark;
    // Theta*: the parent of the tile expanded, whose line of sight a neighbour may share.
    const int lineFrom = kind == SearchKind::ThetaStar ? cells[current].parent : -1;
    const int column = current % columns;
    const int row = current / columns;
    for (int s = 0; s < 8; s++) {
        const int c = column + SlotColumn[s];
        const int r = row + SlotRow[s];
        if (c < 0 || c >= columns || r < 0 || r >= rows) {
            continue;
        }
        const int n = r * columns + c;
        const int cost = board.extraCost(n);
        if (onList[n] == OnClosedList || cost == ImpassableCost ||
            (cornersGuarded && SlotDiagonal[s] && !(board.passable(row * columns + c) && board.passable(r * columns + column)))) {
            continue;
        }
        SearchCell& cell = cells[n];
        if (firstSight && n == target) {
            // Stop at the first sight of the target: its own cost never counts.
            cell.parent = current;
            return true;
        }
        double newG = stepLengths[s] + cells[current].g + cost / terrainUnit;
        int from = current;
        if (lineFrom >= 0) {
            // Straight from the parent when in its line of sight: never longer than by way of
            // `current`. An open tile that neither way would make cheaper is not looked at.
            const double straight =
                cells[lineFrom].g + tileLength(rule) * segmentTileLengths(columns, lineFrom, n);
            if ((onList[n] != OnOpenList || std::min(straight, newG) < cell.g) &&
                lineOfSight(board, lineFrom, n, rule)) {
                newG = straight;
                from = lineFrom;
            }
        }
        if (onList[n] != OnOpenList) {
            join(record, n, newG, from);
        } else if (!joinsOnce(kind) && cell.g > newG) {
            // A cheaper way: new costs and parent, the same place in the order of joining.
            cell.g = newG;
            cell.parent = from;
            open.push_back(OpenEntry{keyOf(kind, cell), cell.order, n});
            std::push_heap(open.begin(), open.end(), later);
        }
    }
    return false;
}

void GridSearch::join(SearchRecord& record, int tile, double g, int from) {
    SearchCell& cell = cells[tile];
    cell = SearchCell{g, heuristicOf(tile), from, joined++, -1};
    onList[tile] = OnOpenList;
    record.opened.push_back(tile);
    record.openedAt.push_back(static_cast<int>(record.closed.size()));
    if (kind == SearchKind::BreadthFirst) {
        return; // its open list is record.opened itself, taken in order
    }
    open.push_back(OpenEntry{keyOf(kind, cell), cell.order, tile});
    std::push_heap(open.begin(), open.end(), later);
}

void GridSearch::close(SearchRecord& record, int tile) {
    onList[tile] = OnClosedList;
    cells[tile].closedAt = static_cast<int>(record.closed.size());
    record.closed.push_back(tile);
}

TileCosts GridSearch::costsOf(int tile) const {
    if (listOf(tile) == NotListed) {
        return TileCosts{};
    }
    const SearchCell& c = cells[tile];
    return TileCosts{c.g, c.h, c.g + c.h, c.parent};
}

// The smallest key; among equals the tile that joined first, which decides the ties of the
// walk. Breadth-first takes the tiles in the order they joined. Entries left behind by a
// tile whose cost dropped are passed over.
int GridSearch::takeNext(SearchRecord& record) {
    while (kind == SearchKind::BreadthFirst && queueHead < record.opened.size()) {
        const int tile = record.opened[queueHead++];
        if (onList[tile] == OnOpenList) {
            return tile;
        }
    }
    while (!open.empty()) {
        std::pop_heap(open.begin(), open.end(), later);
        const OpenEntry entry = open.back();
        open.pop_back();
        const SearchCell& cell = cells[entry.tile];
        if (onList[entry.tile] == OnOpenList && entry.key == keyOf(kind, cell)) {
            return entry.tile;
        }
    }
    return -1;
}

void GridSearch::finish(SearchRecord& record) {
    next = -1;
    if (found) {
        record.found = true;
        if (record.start != target) {
            record.targetFrom = cells[target].parent;
            for (int t = target; t != record.start; t = cells[t].parent) {
                // A jump's run, back to the tile it jumped from, a step at a time.
                for (int on = t; !anyAngle(kind) && on != cells[t].parent;) {
                    record.walk.push_back(on);
                    const int from = cells[t].parent;
                    const int dc =
                        (from % columns > on % columns) - (from % columns < on % columns);
                    const int dr =
                        (from / columns > on / columns) - (from / columns < on / columns);
                    on += dr * columns + dc;
                }
                if (anyAngle(kind)) {
                    record.walk.push_back(t);
                }
            }
            std::reverse(record.walk.begin(), record.walk.end());
        }
    }
    release(open); // the cells and lists stay: they tell what the search knew of each tile
}
