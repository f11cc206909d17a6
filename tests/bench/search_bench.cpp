// Cost of one click-to-walk search: the second click of a pair, World::clickTile on the
// target, which fills the heuristic, runs the chosen search and makes the path.
//
//   shipped/...        the shipped map, its longest walk, each search
//   random256/...      256 x 256, 20 % trees, 10 % stones, 5 % water, corner to corner,
//                      each search and all five one after another (the race and the panel
//                      run several on one click)
//   closed256, closed1024
//                      open ground with a ring of trees round the target: every reachable
//                      tile is searched
#include "tools/longest_walk.h"
#include "world/tile_kinds.h"
#include "world/world.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

struct Case {
    std::string name;
    std::unique_ptr<World> map;
    int start = 0;
    int target = 0;
};
std::vector<Case> cases;

// A board of `side` x `side` without models: ground, trees, stones and water at the given
// weights.
std::unique_ptr<World> generated(int side, std::array<int, 4> weights, unsigned seed) {
    auto map = std::make_unique<World>(std::string());
    map->buildGrid(side, side);
    std::mt19937 rng(seed);
    std::discrete_distribution<> kinds(weights.begin(), weights.end());
    for (int i = 0; i < map->board.tileCount(); i++) {
        const TileKind& kind = TileKinds[kinds(rng)];
        map->setTileCode(i, kind.code);
    }
    return map;
}

void plant(World& map, int tile, int kind) {
    map.setTileCode(tile, kind);
}

void search(World& map, SearchKind kind, int start, int target) {
    map.walk.kind = kind;
    map.clickPhase = 0;
    map.clickTile(start);
    map.clickTile(target);
}

void BM_Search(benchmark::State& state, Case* item, int kind) {
    World& map = *item->map;
    const int first = kind < 0 ? 0 : kind;
    const int last = kind < 0 ? SearchKindCount - 1 : kind;
    for (auto _ : state) {
        state.PauseTiming();
        map.clickPhase = 0;
        map.clickTile(item->start);
        state.ResumeTiming();
        for (int k = first; k <= last; ++k) {
            map.walk.kind = static_cast<SearchKind>(k);
            map.clickPhase = 1;
            map.clickTile(item->target);
            benchmark::DoNotOptimize(map.walk.search.closed.data());
        }
    }
    state.counters["closed"] = static_cast<double>(map.walk.search.closed.size());
    state.counters["steps"] = static_cast<double>(map.walk.search.walk.size());
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    {
        Case item{"shipped", std::make_unique<World>(std::string(TANGLOR_ASSETS_DIR) + "/map.txt")};
        if (!item.map->problems.empty()) {
            std::fprintf(stderr, "search_bench: %s\n", item.map->problems[0].c_str());
            return 1;
        }
        longestWalk(*item.map, &item.start, &item.target);
        cases.push_back(std::move(item));
    }
    {
        Case item{"random256", generated(256, {65, 20, 10, 5}, 1)};
        // From the first ground tile to the last, that a walk joins.
        for (unsigned seed = 2;
             !item.map->board.passable(0) || !item.map->board.passable(256 * 256 - 1) ||
             (search(*item.map, SearchKind::AStar, 0, 256 * 256 - 1), !item.map->walk.search.found);
             ++seed) {
            item.map = generated(256, {65, 20, 10, 5}, seed);
        }
        item.target = 256 * 256 - 1;
        cases.push_back(std::move(item));
    }
    for (int side : {256, 1024}) {
        Case item{"closed" + std::to_string(side), generated(side, {1, 0, 0, 0}, 1)};
        item.target = (side / 2) * side + side / 2;
        for (int s = 0; s < 8; s++) { // never on the board's edge
            plant(*item.map, item.target + SlotRow[s] * side + SlotColumn[s], TreeCode);
        }
        cases.push_back(std::move(item));
    }

    for (Case& item : cases) {
        for (int k = -1; k < SearchKindCount; ++k) {
            const std::string name =
                item.name + "/" + (k < 0 ? "all five" : searchName(static_cast<SearchKind>(k)));
            benchmark::RegisterBenchmark(name.c_str(), BM_Search, &item, k)
                ->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
