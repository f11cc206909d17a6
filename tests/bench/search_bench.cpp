// Cost of one click-to-path search: the second accepted click, World::requestPath for the
// target tile, which fills the heuristic, runs the program's A* (plain vectors scanned from
// the front) and makes the path. On the shipped map for its worst pair of tiles; on
// generated maps of 32, 64 and 128 tiles a side (open ground, 30 % trees, a maze) beside a
// binary-heap A* written here that finds the same path, so the cost of the lists shows.
//
// Before the benchmarks run, the worst pair of the shipped map is looked for (every ordered
// pair of tiles a click accepts, timed once; the slowest ones timed again) and every map's
// pair is searched by both searches, which must give the same path.
#include "tools/longest_walk.h"
#include "world/world.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <time.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point begin) {
    return std::chrono::duration<double>(Clock::now() - begin).count();
}

// The program's search from a start tile already chosen: only the target click is timed.
double timedSearch(World& map, int start, int target) {
    map.clickTile(start);
    Clock::time_point begin = Clock::now();
    map.clickTile(target);
    return secondsSince(begin);
}

double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The same in processor time of this thread: on a shared machine, other processes taking
// turns on the processor would pick the worst pair at random.
double cpuTimedSearch(World& map, int start, int target) {
    map.clickTile(start);
    double begin = threadSeconds();
    map.clickTile(target);
    return threadSeconds() - begin;
}

// ---------------------------------------------------------------------------------------
// The reference: A* with a binary heap and per-tile state arrays, made to follow the same
// rules as the program's search: the same step costs and heuristic (10 x Manhattan), the
// neighbours in slot order, the stop at the first sight of the target, no reopening of a
// closed tile, and among equal f the tile that was first added to the open set. A tile keeps
// the sequence number of its first addition; an improved tile is pushed again with it, and
// an entry whose f is no longer the tile's own is stale (f only ever falls).

struct HeapSearch {
    enum : std::uint8_t { Unseen, Open, Closed };
    struct Entry {
        int f;
        std::uint32_t order;
        int tile;
    };

    const World* map = nullptr;
    std::vector<int> g, f, h, parent;
    std::vector<std::uint32_t> order;
    std::vector<std::uint8_t> state;
    std::vector<Entry> heap;
    std::vector<int> path; // target first, the tile after the start last, like World::path
    size_t expanded = 0;

    explicit HeapSearch(const World& world) : map(&world) {
        size_t n = world.nodes.size();
        g.resize(n);
        f.resize(n);
        h.resize(n);
        parent.resize(n);
        order.resize(n);
        state.resize(n);
        heap.reserve(n);
        path.reserve(n);
    }

    static bool later(const Entry& a, const Entry& b) {
        return a.f != b.f ? a.f > b.f : a.order > b.order;
    }

    // True when a path was made (or start and target are one tile, which makes none).
    bool run(int start, int target) {
        const int columns = map->columns;
        const int targetRow = target / columns;
        const int targetColumn = target % columns;
        const int rows = static_cast<int>(h.size()) / columns;
        for (int r = 0, i = 0; r < rows; ++r) {
            const int rowPart = 10 * std::abs(r - targetRow);
            for (int c = 0; c < columns; ++c, ++i) {
                h[i] = rowPart + 10 * std::abs(c - targetColumn);
            }
        }
        std::fill(state.begin(), state.end(), Unseen);
        heap.clear();
        path.clear();
        expanded = 1;
        std::uint32_t added = 0;

        g[start] = 0;
        f[start] = h[start];
        state[start] = Closed;
        if (start == target) {
            return true;
        }
        int current = start;
        for (;;) {
            const GridNode& node = map->nodes[current];
            for (int s = 0; s < 8; ++s) {
                const GridNode* n = node.neighbours[s];
                if (!n || state[n->index] == Closed || !n->passable()) {
                    continue;
                }
                int next = n->index;
                if (next == target) {
                    parent[next] = current;
                    for (int t = target; t != start; t = parent[t]) {
                        path.push_back(t);
                    }
                    return true;
                }
                int newG = StepCosts[s] + g[current] + n->terrainCost;
                if (state[next] == Unseen) {
                    state[next] = Open;
                    order[next] = added++;
                } else if (g[next] <= newG) {
                    continue;
                }
                parent[next] = current;
                g[next] = newG;
                f[next] = newG + h[next];
                heap.push_back(Entry{f[next], order[next], next});
                std::push_heap(heap.begin(), heap.end(), later);
            }
            for (;;) {
                if (heap.empty()) {
                    return false;
                }
                std::pop_heap(heap.begin(), heap.end(), later);
                Entry best = heap.back();
                heap.pop_back();
                if (state[best.tile] == Open && best.f == f[best.tile]) {
                    current = best.tile;
                    break;
                }
            }
            state[current] = Closed;
            ++expanded;
        }
    }
};

// The program's result and the reference's must be the same walk, point for point.
bool samePath(const World& map, const HeapSearch& reference, bool referenceFound) {
    if (referenceFound != map.walking || map.path.size() != reference.path.size()) {
        return false;
    }
    for (size_t i = 0; i < map.path.size(); ++i) {
        if (map.tileOfWaypoint(map.path[i]) != reference.path[i]) {
            return false;
        }
    }
    return true;
}

// ---------------------------------------------------------------------------------------
// Maps.

struct Case {
    std::string name;
    std::unique_ptr<World> map;
    int start = 0;
    int target = 0;
    size_t closed = 0; // tiles the program's search expanded
    size_t open = 0;   // tiles left in its open list
    size_t steps = 0;  // points of the path
    bool found = false;
};

// Builds a world the way the program does, from a map file beside its eight models. The
// search never looks at a model, so generated maps get one small square under every name.
std::unique_ptr<World> worldFromCodes(const std::vector<int>& codes, int side) {
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("tanglor_search_bench_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    {
        std::ofstream file(dir / "map.txt");
        for (int r = 0; r < side; ++r) {
            for (int c = 0; c < side; ++c) {
                file << codes[r * side + c] << (c + 1 < side ? " " : "\n");
            }
        }
    }
    for (const char* model : {"ground3.obj", "tree.obj", "tree2.obj", "tree3.obj",
                              "ground_stones.obj", "water.obj", "monkey.obj", "banan.obj"}) {
        std::filesystem::copy_file(std::filesystem::path(TANGLOR_ASSETS_DIR) / "water.obj",
                                   dir / model, std::filesystem::copy_options::overwrite_existing);
    }
    auto world = std::make_unique<World>((dir / "map.txt").string());
    std::filesystem::remove_all(dir);
    return world;
}

std::vector<int> openGround(int side) {
    return std::vector<int>(static_cast<size_t>(side * side), 0);
}

// Every tile a tree with a chance of 3 in 10, the two corners kept free.
std::vector<int> scatteredTrees(int side, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<int> codes(static_cast<size_t>(side * side));
    for (int& code : codes) {
        code = random() % 100 < 30 ? 1 : 0;
    }
    codes.front() = 0;
    codes.back() = 0;
    return codes;
}

// A perfect maze (depth-first carving) of rooms on the even rows and columns; the walls
// between them, the odd crossings and the last row and column are trees.
std::vector<int> maze(int side, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<int> codes(static_cast<size_t>(side * side), 1);
    int rooms = side / 2;
    std::vector<bool> seen(static_cast<size_t>(rooms * rooms), false);
    std::vector<std::pair<int, int>> stack = {{0, 0}};
    seen[0] = true;
    codes[0] = 0;
    const int step[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    while (!stack.empty()) {
        auto [c, r] = stack.back();
        int choices[4];
        int count = 0;
        for (int d = 0; d < 4; ++d) {
            int nc = c + step[d][0];
            int nr = r + step[d][1];
            if (nc >= 0 && nc < rooms && nr >= 0 && nr < rooms && !seen[nr * rooms + nc]) {
                choices[count++] = d;
            }
        }
        if (count == 0) {
            stack.pop_back();
            continue;
        }
        int d = choices[random() % count];
        int nc = c + step[d][0];
        int nr = r + step[d][1];
        seen[nr * rooms + nc] = true;
        codes[(2 * r + step[d][1]) * side + 2 * c + step[d][0]] = 0; // the wall between
        codes[2 * nr * side + 2 * nc] = 0;
        stack.push_back({nc, nr});
    }
    return codes;
}

void measure(Case& item) {
    timedSearch(*item.map, item.start, item.target);
    item.closed = item.map->closedList.size();
    item.open = static_cast<size_t>(item.map->search.stillOpen());
    item.steps = item.map->path.size();
    item.found = item.map->walking;
}

// The shipped map's worst pairs: every ordered pair of tiles a click accepts is searched
// once, timed (processor time), and checked against the reference; the slowest 20 are timed
// 15 times more
// and the one with the largest median is taken. Once among all pairs (a target walled in by
// trees makes the search try every tile it can reach), once among the pairs with a path.
struct WorstPairs {
    std::pair<int, int> any;
    std::pair<int, int> withPath;
    size_t pairs = 0;
    size_t walledIn = 0;
    size_t different = 0;
};

std::pair<int, int> slowest(World& map, std::vector<std::pair<double, std::pair<int, int>>> times) {
    size_t keep = std::min<size_t>(20, times.size());
    std::partial_sort(times.begin(), times.begin() + static_cast<long>(keep), times.end(),
                      [](const auto& a, const auto& b) { return a.first > b.first; });
    std::pair<int, int> worst = times[0].second;
    double worstMedian = 0.0;
    for (size_t i = 0; i < keep; ++i) {
        auto [from, to] = times[i].second;
        std::vector<double> again;
        for (int k = 0; k < 15; ++k) {
            again.push_back(cpuTimedSearch(map, from, to));
        }
        std::nth_element(again.begin(), again.begin() + 7, again.end());
        if (again[7] > worstMedian) {
            worstMedian = again[7];
            worst = {from, to};
        }
    }
    return worst;
}

WorstPairs worstPairs(World& map) {
    WorstPairs result;
    HeapSearch reference(map);
    std::vector<std::pair<double, std::pair<int, int>>> any;
    std::vector<std::pair<double, std::pair<int, int>>> withPath;
    for (int from = 0; from < map.nodeCount; ++from) {
        for (int to = 0; to < map.nodeCount; ++to) {
            if (from == to || !map.nodes[from].passable() || !map.nodes[to].passable()) {
                continue;
            }
            double t = cpuTimedSearch(map, from, to);
            ++result.pairs;
            any.push_back({t, {from, to}});
            if (map.walking) {
                withPath.push_back({t, {from, to}});
            } else {
                ++result.walledIn;
            }
            if (!samePath(map, reference, reference.run(from, to))) {
                ++result.different;
            }
        }
    }
    result.any = slowest(map, any);
    result.withPath = slowest(map, withPath);
    return result;
}

std::vector<Case> cases;

void BM_ProgramSearch(benchmark::State& state, Case* item) {
    World& map = *item->map;
    for (auto _ : state) {
        state.SetIterationTime(timedSearch(map, item->start, item->target));
    }
    if (map.walking != item->found || map.path.size() != item->steps) {
        state.SkipWithError("the search gave another result than in the setup");
    }
    state.counters["closed"] = static_cast<double>(item->closed);
    state.counters["open"] = static_cast<double>(item->open);
    state.counters["steps"] = static_cast<double>(item->steps);
}

// The heuristic fill alone, as the target click runs it: a part of every program search
// that grows with the map, not with the search.
void BM_ProgramFill(benchmark::State& state, Case* item) {
    World& map = *item->map;
    GridNode* target = &map.nodes[item->target];
    for (auto _ : state) {
        map.fillHeuristic(target, 1, 0);
        map.fillHeuristic(target, 6, 0);
        map.fillHeuristic(target, 3, 0);
        map.fillHeuristic(target, 4, 0);
        benchmark::DoNotOptimize(map.nodes.data());
    }
}

void BM_HeapSearch(benchmark::State& state, Case* item) {
    HeapSearch search(*item->map);
    for (auto _ : state) {
        bool found = search.run(item->start, item->target);
        benchmark::DoNotOptimize(found);
        benchmark::DoNotOptimize(search.path.data());
    }
    state.counters["closed"] = static_cast<double>(search.expanded);
    state.counters["steps"] = static_cast<double>(search.path.size());
}

std::string tileName(const World& map, int index) {
    return "(" + std::to_string(index % map.columns) + "," + std::to_string(index / map.columns) +
           ")";
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }

    // The shipped map: its worst pair, and its worst pair among those with a path.
    auto shipped = std::make_unique<World>(std::string(TANGLOR_ASSETS_DIR) + "/map.txt");
    if (!shipped->problems.empty()) {
        std::fprintf(stderr, "search_bench: %s\n", shipped->problems[0].c_str());
        return 1;
    }
    WorstPairs worst = worstPairs(*shipped);
    std::printf("shipped map: %zu ordered pairs of tiles a click accepts, %zu of them walled "
                "in; heap A*: %zu different paths\n",
                worst.pairs, worst.walledIn, worst.different);
    if (worst.different != 0) {
        return 1;
    }
    {
        Case item;
        item.name = "shipped/worst";
        item.start = worst.any.first;
        item.target = worst.any.second;
        item.map = std::move(shipped);
        cases.push_back(std::move(item));
    }
    if (worst.withPath != worst.any) {
        Case item;
        item.name = "shipped/worst_with_path";
        item.start = worst.withPath.first;
        item.target = worst.withPath.second;
        item.map = std::make_unique<World>(std::string(TANGLOR_ASSETS_DIR) + "/map.txt");
        cases.push_back(std::move(item));
    }

    // Generated maps, corner to corner (the maze's last room for a maze).
    for (int side : {32, 64, 128}) {
        const std::string size = std::to_string(side) + "x" + std::to_string(side);
        {
            Case item;
            item.name = "open/" + size;
            item.map = worldFromCodes(openGround(side), side);
            item.target = side * side - 1;
            cases.push_back(std::move(item));
        }
        for (unsigned seed = 1;; ++seed) {
            Case item;
            item.name = "trees30/" + size;
            item.map = worldFromCodes(scatteredTrees(side, seed), side);
            item.target = side * side - 1;
            measure(item);
            if (item.found) {
                cases.push_back(std::move(item));
                break;
            }
        }
        {
            Case item;
            item.name = "maze/" + size;
            item.map = worldFromCodes(maze(side, 1), side);
            item.target = (side - 2) * side + side - 2;
            cases.push_back(std::move(item));
        }
    }

    // Both searches must make the same walk before either is timed.
    for (Case& item : cases) {
        measure(item);
        HeapSearch reference(*item.map);
        bool found = reference.run(item.start, item.target);
        bool same = samePath(*item.map, reference, found);
        std::printf("%-24s %4dx%-4d start %-9s target %-9s path %s, %3zu steps, closed %5zu, "
                    "open %4zu; heap A*: %s\n",
                    item.name.c_str(), item.map->columns, item.map->rows,
                    tileName(*item.map, item.start).c_str(),
                    tileName(*item.map, item.target).c_str(), item.found ? "found" : "none",
                    item.steps, item.closed, item.open,
                    same ? "the same path" : "A DIFFERENT PATH");
        if (!same) {
            return 1;
        }
    }
    std::fflush(stdout);

    for (Case& item : cases) {
        benchmark::RegisterBenchmark(("program/" + item.name).c_str(), BM_ProgramSearch, &item)
            ->UseManualTime()
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("program_fill/" + item.name).c_str(), BM_ProgramFill, &item)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("heap/" + item.name).c_str(), BM_HeapSearch, &item)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
