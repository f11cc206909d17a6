// The search view: its playback shows, step by step, what the search's own lists held at
// that step; the monkey waits for it; turning it off mid-way leaves nothing behind.
#include "app/app.h"
#include "platform/glfw2.h"
#include "tests/support/call_log.h"
#include "view/search_view.h"
#include "world_files.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using Tiles = std::set<int>;
struct Lists {
    Tiles closed, open;
};
std::vector<Lists> watched;

// The tiles on one of the search's lists as it stands.
Tiles onList(const GridSearch& search, TileList list) {
    Tiles tiles;
    for (int i = 0; i < search.tileCount(); ++i) {
        if (search.listOf(i) == list) {
            tiles.insert(i);
        }
    }
    return tiles;
}

// The meeting of a search from both ends, marked once it shows whole, is left out.
Lists shown(const World& w) {
    Lists lists;
    for (int i = 0; i < w.board.tileCount(); ++i) {
        const TileMark mark = searchViewMark(w.session.view, w.walk, i);
        if (mark != TileMark::None && mark != TileMark::Meeting) {
            (closedMark(mark) ? lists.closed : lists.open).insert(i);
        }
    }
    return lists;
}

Lists withoutMeeting(Lists lists, int meeting) {
    lists.closed.erase(meeting);
    lists.open.erase(meeting);
    return lists;
}

void press(int key) {
    keyCallback(key, GLFW_PRESS);
    keyCallback(key, GLFW_RELEASE); // acts on the press only
}

struct SearchViewTest : testing::Test {
    void SetUp() override {
        world = World(std::string(TANGLOR_ASSETS_DIR) + "/map.txt");
        world.session.view = SearchView();
        press('O');
    }
    void TearDown() override {
        searchStepWatcher = nullptr;
        world = World(std::string());
        world.session.view = SearchView();
    }
};

TEST_F(SearchViewTest, PlaybackShowsTheSearchsOwnListsAtEveryStepForwardAndBackForEverySearch) {
    searchStepWatcher = [](const GridSearch& search, const SearchRecord& record) {
        if (&record == &world.walk.search) { // not the cheapest walk's search after it
            watched.push_back({onList(search, OnClosedList), onList(search, OnOpenList)});
        }
    };
    // A walk found (by the program's search, dearer than the cheapest); a start walled in.
    for (int run = 0; run < SearchKindCount * 2; ++run) {
        const auto [from, to] =
            run % 2 ? std::pair{3 * 16 + 3, 4 * 16 + 6} : std::pair{9 * 16 + 7, 16 + 9};
        world.walk.kind = static_cast<SearchKind>(run / 2);
        if (world.walk.kind == SearchKind::DStarLite) {
            continue; // its plans are D* Lite's own, shown as tests/unit/fog_test.cpp tells
        }
        watched.clear();
        world.clickTile(from);
        world.clickTile(to);
        advanceSearchView(world, 0.0);
        press('P');
        ASSERT_EQ(watched.size(), world.walk.search.closed.size()) << run;
        EXPECT_TRUE(shown(world).closed.empty() && shown(world).open.empty());
        for (size_t k = 1; k <= watched.size(); ++k) {
            press(GLFW_KEY_RIGHT);
            const Lists own = k == watched.size()
                                  ? withoutMeeting(watched[k - 1], world.walk.search.meeting)
                                  : watched[k - 1];
            EXPECT_EQ(shown(world).closed, own.closed) << run << " step " << k;
            EXPECT_EQ(shown(world).open, own.open) << run << " step " << k;
        }
        press(GLFW_KEY_RIGHT); // no step beyond the last
        for (size_t k = watched.size(); k-- > 1;) {
            press(GLFW_KEY_LEFT);
            EXPECT_EQ(shown(world).closed, watched[k - 1].closed) << run << " back to " << k;
            EXPECT_EQ(shown(world).open, watched[k - 1].open) << run << " back to " << k;
        }
    }
    world.clickTile(0); // start over: nothing left to show
    advanceSearchView(world, 0.0);
    EXPECT_TRUE(shown(world).closed.empty() && shown(world).open.empty());
}

TEST_F(SearchViewTest, TheMonkeyWaitsForThePlaybackAndTurningItOffMidWayLeavesNoMark) {
    world.clickTile(9 * 16 + 7);
    world.clickTile(1 * 16 + 9);
    // About two seconds for the whole search, whatever its size; a stall is no jump.
    advanceSearchView(world, 10.0);
    for (double t = 10.0; t < 10.95; t += 0.05) {
        advanceSearchView(world, t);
    }
    advanceSearchView(world, 30.0);
    EXPECT_EQ(playbackStep(world.walk), 23 / 2);
    EXPECT_TRUE(searchViewHoldsWalk(world.session.view, world.walk));
    calls.clear();
    drawSearchMarks(world.board, world.session.view, world.walk, DrawnTiles{});
    EXPECT_GT(calls.size(), 23u * 4);

    press('O'); // costs
    press('O'); // off
    EXPECT_FALSE(searchViewHoldsWalk(world.session.view, world.walk))
        << "off ends the playback: the monkey sets off";
    calls.clear();
    drawSearchMarks(world.board, world.session.view, world.walk, DrawnTiles{});
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(searchViewTitle(world), "");

    // On again after the search: the finished picture at once, and the walk goes on.
    press('O');
    advanceSearchView(world, 31.0);
    EXPECT_EQ(playbackStep(world.walk), 23);
    EXPECT_FALSE(searchViewHoldsWalk(world.session.view, world.walk));
    press(GLFW_KEY_LEFT); // back into the record, paused there, the walk still going
    const Walk& walk = world.walk;
    EXPECT_TRUE(walk.playback.paused && playbackStep(walk) == 22 &&
                !searchViewHoldsWalk(world.session.view, walk));
}

} // namespace
