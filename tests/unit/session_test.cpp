// One session of walks: whatever is done to the world's walk while a race is on, every racer
// follows it: the same start and banana, its own search planned on the board and under the
// rule as they now are.
#include "app/actions.h"
#include "app/app.h"
#include "view/race.h"
#include "world/tile_kinds.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// Every racer's walk as its own search, run alone from the same tiles, would plan it now.
void expectRacersInStep(const std::string& action) {
    SCOPED_TRACE(action);
    ASSERT_TRUE(world.session.racing);
    for (const Racer& racer : world.session.racers) {
        const Walk& r = racer.walk;
        SCOPED_TRACE(searchName(r.kind));
        ASSERT_EQ(r.monkey.visible, world.walk.monkey.visible);
        if (!world.walk.monkey.visible) {
            continue;
        }
        EXPECT_EQ(r.start, world.walk.start);
        if (!world.banana.visible) {
            EXPECT_EQ(r.search.start, -1) << "no banana: nothing planned";
            continue;
        }
        ASSERT_FALSE(r.searching());
        EXPECT_EQ(r.search.target, world.walk.target);
        EXPECT_EQ(r.search.start, world.walk.search.start);
        GridSearch alone;
        SearchRecord record;
        alone.begin(world.board, r.kind, r.search.start, r.search.target, record, r.settings);
        alone.advance(world.board, record, LLONG_MAX);
        EXPECT_EQ(record.closed, r.search.closed);
        EXPECT_EQ(record.walk, r.search.walk);
        EXPECT_EQ(r.found.tiles, record.walk);
    }
}

struct SessionTest : testing::Test {
    void SetUp() override { world = World(std::string(TANGLOR_ASSETS_DIR) + "/map.txt"); }
    void TearDown() override { world = World(std::string()); }
};

int tile(int column, int row) {
    return row * world.board.columns + column;
}

} // namespace

TEST_F(SessionTest, ARacerIsNeverOutOfStepWithTheWorldsWalk) {
    chooseRace(true);
    expectRacersInStep("race on, nothing chosen");
    world.clickTile(tile(1, 1));
    expectRacersInStep("first click");
    world.clickTile(tile(12, 9));
    expectRacersInStep("second click");
    chooseRacer(2, SearchKind::BidirectionalDijkstra);
    chooseRacerSettings(1, SearchSettings{true, Heuristic::Chebyshev, 2});
    expectRacersInStep("a racer's search and settings");
    ASSERT_TRUE(world.dragMonkeyTo(tile(0, 5)));
    expectRacersInStep("monkey dragged");
    ASSERT_TRUE(world.dragBananaTo(tile(14, 12)));
    expectRacersInStep("banana dragged");
    // A tree across the racers' walks, then water on one.
    const int across = world.session.racers[1].walk.found.tiles[3];
    paintTileNow(across, TreeCode, 0.0);
    ASSERT_EQ(world.tiles[across].kind, TreeCode);
    expectRacersInStep("tree painted");
    paintTileNow(world.session.racers[3].walk.found.tiles[1], WaterCode, 0.0);
    expectRacersInStep("water painted");
    for (MoveRule rule : {MoveRule::Benchmark, MoveRule::FourWays, MoveRule::CornersCut}) {
        chooseRule(rule);
        expectRacersInStep(std::string("rule ") + ruleName(rule));
    }
    chooseSearch(SearchKind::BidirectionalAStar);
    chooseSettings(SearchSettings{true, Heuristic::Manhattan, 3});
    expectRacersInStep("the world's search and settings");
    reloadMap(0.0); // unsaved paints: warned first
    reloadMap(0.0);
    EXPECT_FALSE(world.unsavedPaints);
    expectRacersInStep("map read again");
    world.scenario.problems = {ScenarioProblem{2, 1, 0, 0, 0, 15, 15, 1}};
    goToProblem(1);
    EXPECT_EQ(world.walk.target, tile(15, 15));
    expectRacersInStep("a problem");
    world.clickTile(tile(3, 0));
    expectRacersInStep("third click: starting over");
    world.clickTile(tile(7, 9));
    expectRacersInStep("a new walk");
    chooseRace(false);
    EXPECT_FALSE(world.session.racing);
}
