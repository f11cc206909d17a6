// Dragging the monkey and the banana through the mouse step, against the scripted platform
// layer: a drag's press, moves and release beside a click's, the last tile a figure can stand
// on, the walk planned again at each tile with the latest winning, the click cycle left as it
// is, the search view showing each plan whole, and the race following.
#include "tests/support/fake_glfw.h"
#include "view/race.h"
#include "view/search_view.h"
#include "world_files.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

namespace {

constexpr int Columns = 10;

int at(int column, int row, int columns = Columns) {
    return row * columns + column;
}

// Ground, with a wall of trees down column 4 from the top, so that walks bend round it.
World wallBoard(int columns = Columns, int rows = 6) {
    World w{std::string()};
    w.buildGrid(columns, rows);
    for (int row = 0; row < 4; row++) {
        plant(w, at(4, row, columns), TreeCode);
    }
    return w;
}

// A walk found: its tiles and its cost; the one `kind` finds on the same board as the world.
const auto walked = [](const Route& route) { return std::pair(route.tiles, route.cost); };
auto referenceWalk(int start, int target, SearchKind kind = SearchKind::FirstSightAStar) {
    World reference = wallBoard(world.board.columns, world.board.rows);
    reference.walk.kind = kind;
    reference.clickTile(start);
    reference.clickTile(target);
    return walked(reference.walk.found);
}

bool standsOn(const Mesh& figure, int tile) {
    const Vec3 anchor = tileAnchor(world.board, tile);
    return figure.position[0] == float(anchor.x) && figure.position[2] == float(anchor.z);
}

// A mouse step, the left button held or up, the pick on `tile`'s centre (-1: off the board).
void frame(bool held, int tile) {
    fakeGlfw.buttons[GLFW_MOUSE_BUTTON_LEFT] = held ? GLFW_PRESS : GLFW_RELEASE;
    int x = 100000, v = 100000;
    if (tile >= 0) {
        clickPoint(world.board, tile, &x, &v);
    }
    fakeGl.unProjected[0] = x;
    fakeGl.unProjected[2] = -v; // the pick hands z negated
    handleMouse();
}

// A press on the first tile, the cursor through the others held, a release on the last.
void drag(std::initializer_list<int> tiles) {
    for (int tile : tiles) {
        frame(true, tile);
    }
    frame(false, *(tiles.end() - 1));
}
const auto click = [](int tile) { drag({tile}); };

// The searches under way carried on to their end, a slice at a time as the frames do.
void carryOn() {
    while (world.walk.searching()) {
        world.advanceWalk(world.walk, world.searchSlice);
    }
}

// The monkey's tile, the walk's start and target, the click phase, which figures show.
auto figures() {
    return std::tuple(world.monkeyTile(world.walk), world.walk.start, world.walk.target,
                      int(world.clickPhase), world.walk.monkey.visible, world.banana.visible);
}

struct DragTest : testing::Test {
    void SetUp() override {
        resetFakes();
        TearDown();
        world = wallBoard();
    }
    void TearDown() override {
        world.session = Session();
        world.session.view = SearchView();
        world = World(std::string());
    }
};

} // namespace

TEST_F(DragTest, APressOnTheBananaMovedOffItDragsItAndTheReleaseIsNoClick) {
    const int start = at(1, 1), target = at(7, 1), dropped = at(8, 4);
    click(start);
    click(target);
    drag({target, at(8, 2), dropped});
    EXPECT_EQ(figures(), std::tuple(start, start, dropped, 0, true, true))
        << "the banana moved, the walk planned to it; no third click started over";
    EXPECT_TRUE(standsOn(world.banana, dropped) && world.walk.lit(dropped) &&
                !world.walk.lit(target));
    EXPECT_EQ(walked(world.walk.found), referenceWalk(start, dropped));

    // The same press without a move is a click as ever: the third, which starts over; then
    // pressed on the monkey, moved nowhere, the second, the banana on the monkey.
    click(dropped);
    drag({dropped, dropped, dropped});
    EXPECT_EQ(figures(), std::tuple(dropped, dropped, dropped, 0, true, true));
    // Pressed on bare ground and moved: a click where it is let go, as before.
    drag({at(6, 5), at(7, 5), at(8, 5)});
    EXPECT_EQ(figures(), std::tuple(at(8, 5), at(8, 5), -1, 1, true, false));
}

TEST_F(DragTest, TheMonkeyAloneStopsOnTheLastTileItCanStandOnAndOnlyTheStartMoves) {
    click(at(2, 3));
    // On to (3, 3), then a tree, off the board, over the panel: it stays on (3, 3).
    frame(true, at(2, 3));
    frame(true, at(3, 3));
    EXPECT_EQ(world.monkeyTile(world.walk), at(3, 3));
    frame(true, at(4, 2));
    frame(true, -1);
    panel.shown = true;
    fakeGlfw.mouseX = 1270; // over the panel: no tile, whatever lies under it
    frame(true, at(5, 3));
    EXPECT_EQ(world.monkeyTile(world.walk), at(3, 3));
    frame(false, at(5, 3));
    fakeGlfw.mouseX = 0;
    EXPECT_EQ(figures(), std::tuple(at(3, 3), at(3, 3), -1, 1, true, false));
    EXPECT_TRUE(!world.walk.searching() && world.walk.search.closed.empty()) << "not planned";

    // The click cycle goes on from where the drag left it: the banana, the walk from (3, 3).
    click(at(8, 0));
    EXPECT_EQ(figures(), std::tuple(at(3, 3), at(3, 3), at(8, 0), 0, true, true));
    EXPECT_EQ(walked(world.walk.found), referenceWalk(at(3, 3), at(8, 0)));

    // Pressed with Shift, it paints; pressed on the panel, it is the panel's.
    const TempFolder folder;
    writeModels(folder); // the painted kinds' models
    world.modelFolder = folder.dir.string();
    fakeGlfw.pressShift = 1;
    drag({at(3, 3), at(3, 4)});
    fakeGlfw.pressShift = 0;
    fakeGlfw.pressX = fakeGlfw.mouseX = 1270;
    drag({at(8, 0), at(8, 3)});
    EXPECT_EQ(std::tuple(world.tiles[at(3, 4)].kind, figures()),
              std::tuple(int(StonesCode), std::tuple(at(3, 3), at(3, 3), at(8, 0), 0, true, true)));
}

TEST_F(DragTest, EachTileChangePlansAgainOverFramesAndTheLatestWins) {
    world = wallBoard(40, 30);
    world.searchSlice = 16; // the window's frames carry a plan on; here a few tiles a slice
    const auto tile = [](int column, int row) { return at(column, row, 40); };
    click(tile(1, 1));
    click(tile(30, 25));
    carryOn();

    // The banana: a new plan at each tile, under way after the move's frame, the latest wins.
    frame(true, tile(30, 25));
    long long serial = world.walk.search.serial;
    for (int column : {31, 32, 33}) {
        frame(true, tile(column, 26));
        EXPECT_TRUE(world.walk.searching()) << "not planned at once: the frames carry it on";
        EXPECT_EQ(world.walk.search.target, tile(column, 26));
        EXPECT_NE(std::exchange(serial, world.walk.search.serial), world.walk.search.serial);
    }
    frame(true, tile(33, 26)); // still on the tile: no new plan
    EXPECT_EQ(world.walk.search.serial, serial);
    frame(false, tile(33, 26));
    carryOn();
    EXPECT_EQ(walked(world.walk.found), referenceWalk(tile(1, 1), tile(33, 26)));

    // The monkey: a walk from each tile it is put on, to the banana where it lies.
    drag({tile(1, 1), tile(2, 2), tile(3, 3), tile(3, 4)});
    EXPECT_EQ(figures(), std::tuple(tile(3, 4), tile(3, 4), tile(33, 26), 0, true, true));
    carryOn();
    EXPECT_EQ(walked(world.walk.found), referenceWalk(tile(3, 4), tile(33, 26)));
}

TEST_F(DragTest, TheMonkeyDraggedWhileItWalksStandsOnTheCursorsTileUntilLetGo) {
    const int start = at(0, 5), target = at(9, 0), dropped = at(0, 2); // off its way
    for (bool onto : {false, true}) { // pressed where it last stood, or where it steps onto
        SCOPED_TRACE(onto);
        world = wallBoard();
        world.stepFrames = 10;
        click(start);
        click(target);
        for (int i = 0; i < 15; i++) {
            world.stepWalker(world.walk); // a step and a half on
        }
        const int last = world.monkeyTile(world.walk);
        const int next = tileOfWaypoint(world.board, world.walk.path.back());
        ASSERT_NE(last, next);
        frame(true, onto ? next : last);
        frame(true, dropped);
        EXPECT_EQ(figures(), std::tuple(dropped, dropped, target, 0, true, true));
        EXPECT_EQ(walked(world.walk.found), referenceWalk(dropped, target));
        // Frames: the walker's step, the mouse step. Held, it stays; let go, it goes on.
        for (int i = 0; i < 25; i++) {
            world.stepWalker(world.walk);
            frame(true, dropped);
            EXPECT_TRUE(standsOn(world.walk.monkey, dropped)) << i;
        }
        frame(false, dropped);
        world.stepWalker(world.walk);
        world.stepWalker(world.walk);
        EXPECT_FALSE(standsOn(world.walk.monkey, dropped));
    }
}

TEST_F(DragTest, TheClickCycleIsTheSameWithDragsBetweenTheClicks) {
    // After each click, and after drags of the figures shown, the click phase and the figures
    // shown are those of the clicks alone.
    const int clicks[] = {at(1, 1), at(8, 1), at(5, 5), at(0, 0), at(9, 5)};
    const auto shown = [] {
        return std::tuple(int(world.clickPhase), world.walk.monkey.visible, world.banana.visible);
    };
    for (int i = 0; i < 5; i++) {
        click(clicks[i]);
        const auto cycle = std::tuple(i % 2 == 0 ? 1 : 0, true, i % 2 == 1);
        EXPECT_EQ(shown(), cycle);
        if (world.banana.visible) {
            drag({world.walk.target, at(6, 4), at(6, 5)});
        }
        drag({world.monkeyTile(world.walk), at(3, 5), at(2, 5)});
        EXPECT_EQ(std::tuple(world.walk.start, shown()), std::tuple(at(2, 5), cycle));
    }
}

TEST_F(DragTest, TheSearchViewShowsEachPlanWholeWhileDraggingAndTheLastAfter) {
    setSearchViewMode(world, SearchViewMode::Marks);
    world.searchSlice = 4;
    double now = 0.0;
    const auto whole = [&now] {
        carryOn();
        advanceSearchView(world, now += 0.01);
        return !world.walk.playback.playing &&
               playbackStep(world.walk) == int(world.walk.search.closed.size());
    };
    click(at(1, 1));
    click(at(8, 1));
    EXPECT_FALSE(whole()) << "a click's search plays back";

    frame(true, at(8, 1));
    for (int row : {2, 3, 4}) {
        frame(true, at(8, row));
        EXPECT_TRUE(world.session.view.atOnce && whole());
    }
    // Let go while the last plan is under way: it too shows whole once it ends.
    frame(true, at(8, 5));
    frame(false, at(8, 5));
    ASSERT_TRUE(world.walk.searching());
    EXPECT_TRUE(whole());
    frame(false, at(8, 5));
    EXPECT_FALSE(world.session.view.atOnce);

    // The next click's search plays back again.
    click(at(8, 5));
    click(at(2, 5));
    EXPECT_FALSE(whole());
}

TEST_F(DragTest, InARaceAllFourFollowTheDraggedFigure) {
    setRace(world, true);
    click(at(1, 1));
    click(at(8, 1));
    // The presses in the top-left view, on its racer's figures.
    const PixelRect view = raceViewport(0);
    fakeGlfw.pressX = fakeGlfw.mouseX = view.x + view.width / 2;
    fakeGlfw.pressY = fakeGlfw.mouseY = view.y + view.height / 2;
    // Each racer's walk from the world's start, its monkey there, waiting while held.
    const auto expectRacers = [](int start, int target, bool held) {
        for (const Racer& racer : world.session.racers) {
            EXPECT_EQ(
                std::tuple(racer.walk.start, world.monkeyTile(racer.walk), walked(racer.walk.found),
                           racer.walk.path.empty()),
                std::tuple(start, start, referenceWalk(start, target, racer.walk.kind), held));
        }
    };
    drag({at(8, 1), at(8, 4), at(7, 5)});
    expectRacers(at(1, 1), at(7, 5), false);

    // The monkey, held on its tile in every view until let go.
    frame(true, at(1, 1));
    frame(true, at(2, 4));
    frame(true, at(2, 4));
    expectRacers(at(2, 4), at(7, 5), true);
    for (Racer& racer : world.session.racers) {
        world.stepWalker(racer.walk);
        EXPECT_TRUE(standsOn(racer.walk.monkey, at(2, 4)));
    }
    frame(false, at(2, 4));
    EXPECT_EQ(figures(), std::tuple(at(2, 4), at(2, 4), at(7, 5), 0, true, true));
    expectRacers(at(2, 4), at(7, 5), false);
}
