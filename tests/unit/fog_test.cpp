// Walks under fog in the world, and D* Lite repairing its walk: the monkey never steps into a
// tree it could not see, unseen tiles show dimmed until seen, and a paint on D* Lite's way is
// repaired, not planned from nothing.
#include "app/actions.h"
#include "app/app.h"
#include "view/board_sight.h"
#include "view/search_view.h"
#include "world/tile_kinds.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <set>

namespace {

struct FogTest : testing::Test {
    void SetUp() override { world = World(std::string(TANGLOR_ASSETS_DIR) + "/map.txt"); }
    void TearDown() override { world = World(std::string()); }
};

int tile(int column, int row) {
    return row * world.board.columns + column;
}

// The world's monkey walked to its end, a frame at a time, as the window steps it: every
// tile it stands on, in order.
std::vector<int> walkToTheEnd(World& w) {
    std::vector<int> stood{w.monkeyTile(w.walk)};
    for (int frame = 0; frame < 200000 && (w.walk.walking || w.walk.searching()); frame++) {
        w.advanceWalk(w.walk, LLONG_MAX);
        if (w.walk.walking) {
            w.stepWalker(w.walk);
            w.lookAround(w.walk);
        }
        if (w.monkeyTile(w.walk) != stood.back()) {
            stood.push_back(w.monkeyTile(w.walk));
        }
    }
    return stood;
}

double aStarCost(const Board& board, int from, int to) {
    GridSearch search;
    search.begin(board, SearchKind::AStar, from, to);
    search.advance(board, LLONG_MAX);
    return search.found ? search.costsOf(to).g : -1;
}

} // namespace

TEST_F(FogTest, AFoggedWalkPlansAgainAsItSeesAndNeverEntersATree) {
    world.stepFrames = 2;
    world.session.sight = 1; // little seen: many plans
    for (SearchKind kind : {SearchKind::AStar, SearchKind::DStarLite, SearchKind::Greedy}) {
        SCOPED_TRACE(searchName(kind));
        world.walk.kind = kind;
        world.setFog(true);
        world.clickTile(tile(1, 1));
        world.clickTile(tile(14, 12));
        ASSERT_TRUE(world.walk.fogged());
        const std::vector<int> stood = walkToTheEnd(world);
        EXPECT_EQ(stood.back(), tile(14, 12));
        for (std::size_t i = 1; i < stood.size(); i++) {
            ASSERT_TRUE(world.board.passable(stood[i])) << stood[i];
            ASSERT_NE(world.board.stepCost(stood[i - 1], stood[i]), NoStep);
        }
        // It planned more than once, and every tile it stood beside is seen.
        EXPECT_GT(world.walk.closedInAll, static_cast<long long>(world.walk.search.closed.size()));
        for (int t : stood) {
            EXPECT_TRUE(world.walk.fog.isSeen(t));
        }
        // The figures count the walk taken: never below the cheapest walk from its start.
        EXPECT_GE(world.walk.found.cost, aStarCost(world.board, tile(1, 1), tile(14, 12)));
        world.clickTile(tile(0, 0)); // a third click: a new walk sees only its start's sight
        EXPECT_FALSE(world.walk.fog.isSeen(tile(14, 12)));
        world.clickTile(tile(0, 1));
        world.setFog(false);
        EXPECT_FALSE(world.walk.fogged());
    }
}

TEST_F(FogTest, UnseenTilesShowDimmedAndTheirKindOnceSeen) {
    world.setFog(true);
    world.session.view.mode = SearchViewMode::Off;
    world.clickTile(tile(0, 0));
    const int near = tile(2, 1), far = tile(15, 15);
    std::uint8_t rgb[3], own[3];
    flatColour(world, world.session.view, world.walk, far, rgb);
    EXPECT_EQ(0, std::memcmp(rgb, UnseenColour, 3));
    flatColour(world, world.session.view, world.walk, near, rgb);
    tileColour(world, near, false, own);
    EXPECT_EQ(0, std::memcmp(rgb, own, 3)) << "within sight: its own kind";
    // The dim is apart from every kind, lit or not, and from the background.
    for (const TileKind& kind : TileKinds) {
        EXPECT_NE(0, std::memcmp(UnseenColour, kind.above, 3)) << kind.word;
        EXPECT_NE(0, std::memcmp(UnseenColour, kind.lit, 3)) << kind.word;
    }
    paintTileNow(far, StonesCode, 0.0);
    flatColour(world, world.session.view, world.walk, far, rgb);
    tileColour(world, far, false, own);
    EXPECT_EQ(0, std::memcmp(rgb, own, 3)) << "a painted tile is known";
}

TEST_F(FogTest, APaintOnDStarLitesWayIsRepairedNotPlannedFromNothing) {
    world.session.view.mode = SearchViewMode::Marks;
    world.walk.kind = SearchKind::DStarLite;
    world.clickTile(tile(0, 0));
    world.clickTile(tile(15, 15));
    ASSERT_TRUE(world.walk.search.found);
    EXPECT_EQ(world.walk.newSearchClosed, -1) << "the first plan is no repair";
    const int ahead = world.walk.search.walk[4];
    paintTileNow(ahead, TreeCode, 0.0);
    ASSERT_EQ(world.tiles[ahead].kind, TreeCode);
    EXPECT_GE(world.walk.newSearchClosed, 0) << "repaired";
    EXPECT_EQ(world.walk.found.cost,
              aStarCost(world.board, world.walk.search.start, world.walk.target));
    char figures[FiguresLength];
    writeSearchFigures(world.board, world.walk, figures, sizeof figures);
    EXPECT_EQ(std::string(figures).rfind("D* Lite: repaired: closed ", 0), 0u) << figures;
    // Shown whole: what the repair closed, and paler what it kept from the plan before.
    world.walk.playback = Playback{world.walk.search.serial, 1e9, false, false};
    int closed = 0, kept = 0;
    for (int t = 0; t < world.board.tileCount(); t++) {
        const TileMark mark = searchViewMark(world.session.view, world.walk, t);
        closed += mark == TileMark::Closed;
        kept += mark == TileMark::Kept;
    }
    // A tile may be closed twice in one plan (raised, then settled lower): it shows once.
    const std::set<int> distinct(world.walk.search.closed.begin(), world.walk.search.closed.end());
    EXPECT_EQ(closed, static_cast<int>(distinct.size()));
    EXPECT_GT(kept, 0);
}

TEST_F(FogTest, APlanPartWayCountsTheStepsTakenSoTheWalkNeverBeatsTheCheapest) {
    world.stepFrames = 2;
    world.clickTile(tile(1, 1));
    world.clickTile(tile(14, 12));
    const double least = aStarCost(world.board, tile(1, 1), tile(14, 12));
    for (int frame = 0; frame < 12; frame++) { // a few steps along the way
        world.stepWalker(world.walk);
    }
    const int at = world.monkeyTile(world.walk);
    ASSERT_NE(at, tile(1, 1));
    chooseSearch(SearchKind::AStar); // planned again from where the monkey is
    while (world.walk.searching()) {
        world.advanceWalk(world.walk, LLONG_MAX);
    }
    EXPECT_GE(world.walk.found.cost, least);
    EXPECT_EQ(world.walk.cheapest.cost, least) << "the whole walk's cheapest";
    EXPECT_GT(world.walk.found.cost, aStarCost(world.board, world.walk.start, tile(14, 12)));
}

TEST_F(FogTest, ANewSearchOrRuleOnAProblemPlansItAgainFromItsStart) {
    world.stepFrames = 2;
    world.scenario.problems = {ScenarioProblem{2, 1, 0, 1, 1, 14, 12, 1}};
    goToProblem(1);
    for (int frame = 0; frame < 12; frame++) {
        world.stepWalker(world.walk);
    }
    ASSERT_NE(world.monkeyTile(world.walk), tile(1, 1));
    chooseSearch(SearchKind::AStar);
    EXPECT_EQ(world.monkeyTile(world.walk), tile(1, 1)) << "put back on the problem's start";
    EXPECT_EQ(world.walk.found.cost, aStarCost(world.board, tile(1, 1), tile(14, 12)));
    chooseRule(MoveRule::Benchmark);
    EXPECT_EQ(world.walk.search.start, tile(1, 1));
    EXPECT_NEAR(world.walk.found.cost, aStarCost(world.board, tile(1, 1), tile(14, 12)), 1e-9);
}
