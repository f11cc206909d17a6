// The four searches beside the program's own: what each promises of its walk on random
// maps, and the tie rule where it decides the walk.
#include "linear_search.h"
#include "world_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <random>
#include <set>

namespace {

// The fewest steps from `from` to `to` over tiles that are not trees, or -1.
int fewestSteps(const World& w, int from, int to) {
    std::vector<int> steps(w.tiles.size(), -1);
    std::deque<int> queue{from};
    steps[from] = 0;
    while (!queue.empty()) {
        const int tile = queue.front();
        queue.pop_front();
        for (int s = 0; s < 8; s++) {
            const int n = neighbourOf(w.board, tile, s);
            if (n >= 0 && w.board.passable(n) && steps[n] < 0) {
                steps[n] = steps[tile] + 1;
                queue.push_back(n);
            }
        }
    }
    return steps[to];
}

World& search(World& w, SearchKind kind, int from, int to) {
    w.walk.kind = kind;
    w.clickPhase = 0;
    w.clickTile(from);
    w.clickTile(to);
    return w;
}

} // namespace

TEST(Searches, KeepWhatEachPromisesOfItsWalkOnRandomMaps) {
    std::mt19937 rng(3);
    int walks = 0, dearerGreedy = 0;
    for (int map = 0; map < 400; ++map) {
        World w = randomMap(rng, 2 + int(rng() % 30), 2 + int(rng() % 30), {50, 25, 15, 10});
        const int from = int(rng() % w.tiles.size()), to = int(rng() % w.tiles.size());
        if (!w.board.passable(from) || !w.board.passable(to) || from == to) {
            continue;
        }
        const Route cheapest = exhaustiveCheapest(w.board, from, to);
        walks += cheapest.cost >= 0;
        for (int k = 0; k < SearchKindCount; ++k) {
            const SearchKind kind = static_cast<SearchKind>(k);
            const SearchRecord& r = search(w, kind, from, to).walk.search;
            SCOPED_TRACE(std::string(searchName(kind)) + " on map " + std::to_string(map));
            if (needsOneCost(kind) || anyAngle(kind)) {
                continue; // held to their own promises on boards of one cost
            }
            // Every search finds a walk exactly when there is one, and closes no tile twice
            // from one side.
            ASSERT_EQ(r.found, cheapest.cost >= 0);
            std::set<std::pair<int, bool>> closings;
            for (std::size_t i = 0; i < r.closed.size(); i++) {
                closings.insert({r.closed[i], !r.fromTarget.empty() && r.fromTarget[i]});
            }
            ASSERT_EQ(closings.size(), r.closed.size());
            if (!r.found) {
                continue;
            }
            const int cost = routeCost(w.board, from, r.walk);
            ASSERT_GE(cost, cheapest.cost);
            if (promisesCheapest(kind)) {
                ASSERT_EQ(cost, cheapest.cost);
            }
            if (kind == SearchKind::BreadthFirst) {
                ASSERT_EQ(int(r.walk.size()), fewestSteps(w, from, to));
            }
            // The searches from one end close the target: the playback shows where they
            // stopped. From both, the walk goes through where the sides met.
            if (searchRow(kind).fromTarget) {
                ASSERT_EQ(r.closed.back(), from); // from the target back to the walker
            } else if (r.fromTarget.empty()) {
                ASSERT_EQ(r.closed.back() == to, kind != SearchKind::FirstSightAStar);
            } else {
                ASSERT_TRUE(r.meeting == from ||
                            std::find(r.walk.begin(), r.walk.end(), r.meeting) != r.walk.end());
            }
            dearerGreedy += kind == SearchKind::Greedy && cost > cheapest.cost;
        }
    }
    EXPECT_GT(walks, 150);
    EXPECT_GT(dearerGreedy, 20); // greedy's rush shows often enough to be tested
}

// Ground round a stones tile, from the top-left corner to the bottom-right one: two walks
// of equal cost, by the top row or by the left column, and many ties on the way. Among
// equals the tile that joined the open list first is taken: 1 before 3, 5 before 7, 2
// before 6, 4 before 8. Greedy goes over the stones, nearest the target as the crow flies.
TEST(Searches, TakeTheTileThatJoinedFirstAmongEquals) {
    TempFolder folder;
    const struct {
        SearchKind kind;
        std::vector<int> closed;
        std::vector<int> walk;
    } cases[] = {
        {SearchKind::AStar, {0, 1, 3, 5, 7, 8}, {1, 5, 8}},
        {SearchKind::Dijkstra, {0, 1, 3, 2, 6, 5, 7, 4, 8}, {1, 5, 8}},
        {SearchKind::Greedy, {0, 4, 8}, {4, 8}},
        {SearchKind::BreadthFirst, {0, 1, 3, 4, 2, 5, 6, 7, 8}, {4, 8}},
    };
    for (const auto& c : cases) {
        World w = mapOf(folder, "0 0 0/0 2 0/0 0 0");
        const SearchRecord& r = search(w, c.kind, 0, 8).walk.search;
        EXPECT_EQ(r.closed, c.closed) << searchName(c.kind);
        EXPECT_EQ(r.walk, c.walk) << searchName(c.kind);
    }
}
