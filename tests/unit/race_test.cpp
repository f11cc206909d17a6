// The race: each viewport draws and describes its own racer's walk, flat or with models, and
// a racer's search spread over frames ends as the same search run at once.
#include "tests/support/call_log.h"
#include "view/board_sight.h"
#include "view/camera.h"
#include "view/race.h"
#include "view/search_view.h"
#include "world_files.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <random>

namespace {

// A board where the four differ: greedy rushes, Dijkstra floods, A* and the program's own
// search lie between.
World racingBoard(unsigned seed, int columns = 40, int rows = 30) {
    std::mt19937 rng(seed);
    World w = randomMap(rng, columns, rows, {70, 18, 8, 4});
    plant(w, 0, GroundCode);
    plant(w, w.board.tileCount() - 1, GroundCode);
    return w;
}

// The playback of every shown walk run to its end.
void playToTheEnd(World& w) {
    for (double t = 0.0; t < 30.0; t += 0.1) {
        advanceSearchView(w, t);
    }
}

// The marks each race viewport drew over its models, as corners at the marks' height (a
// closed square has 4, an open frame 16), one count a viewport.
std::vector<int> drawnMarkCorners() {
    std::vector<int> corners;
    for (const Call& call : calls) {
        if (call.name == "glViewport") {
            corners.push_back(0);
        } else if (call.name == "glVertex3f" && std::abs(call.args[1] - 2.55) < 1e-6) {
            corners.back()++;
        }
    }
    return corners;
}

// The racer's picture of the flat board: each tile as its own walk shows it.
void expectFlatPicture(const World& map, const Racer& racer) {
    const Board& board = map.board;
    ASSERT_EQ(racer.flat.texels.size(), std::size_t(board.tileCount()) * 4);
    for (int t = 0; t < board.tileCount(); ++t) {
        std::uint8_t rgb[3];
        flatColour(map, map.session.view, racer.walk, t, rgb);
        ASSERT_EQ(0, std::memcmp(rgb, &racer.flat.texels[t * 4], 3)) << "tile " << t;
    }
}

struct RaceTest : testing::Test {
    void SetUp() override {
        world.session = Session();
        world.session.view = SearchView();
        world.session.view.mode = SearchViewMode::Marks;
    }
    void TearDown() override {
        world.session = Session();
        world.session.view = SearchView();
        world = World(std::string());
        camera.zoom = 1.0f;
        camera.cameraY = 200.0f;
    }
};

} // namespace

TEST_F(RaceTest, EachViewportDrawsAndDescribesItsOwnWalkWithModelsAndFlat) {
    world = racingBoard(4, 18, 14); // whole in view at the start height, with models
    camera.zoom = 0.75f;
    world.clickTile(0);
    world.clickTile(world.board.tileCount() - 1);
    setRace(world, true);
    playToTheEnd(world);
    for (int i = 0; i < RacerCount; ++i) {
        const Walk& walk = world.session.racers[i].walk;
        SCOPED_TRACE(searchName(walk.kind));
        ASSERT_GE(playbackStep(walk), int(walk.search.closed.size())) << "the playback is over";
        // What the racer's search alone does between the same tiles.
        GridSearch alone;
        SearchRecord record;
        alone.begin(world.board, walk.kind, 0, world.board.tileCount() - 1, record);
        alone.advance(world.board, record, LLONG_MAX);
        ASSERT_EQ(walk.search.closed, record.closed);

        // Its label and figures are its own.
        char label[160];
        writeRacerLabel(world, i, label, sizeof label);
        const std::string expected =
            std::string(searchName(walk.kind)) + ": closed " +
            std::to_string(record.closed.size()) + ", open " + std::to_string(record.stillOpen()) +
            ", walk " + costText(routeCost(world.board, 0, record.walk), world.board.rule);
        EXPECT_EQ(std::string(label).rfind(expected + ",", 0), 0u) << label;
        EXPECT_NE(std::string(label).find(std::string("\n") + "1234"[racePlace(world, i) - 1]),
                  std::string::npos)
            << "its place once the race is over: " << label;

        // With models, drawn as the window draws the race: a mark on each of its own tiles.
        camera.cameraY = 200.0f;
        calls.clear();
        drawBoard(world);
        EXPECT_EQ(drawnMarkCorners().at(i),
                  4 * int(record.closed.size()) + 16 * record.stillOpen());

        // Flat, seen from high above: its own picture, each tile as its own walk shows it.
        camera.cameraY = 20000.0f;
        drawBoard(world);
        expectFlatPicture(world, world.session.racers[i]);
        camera.cameraY = 200.0f;
    }
    // The races really differ, or the test above could not tell one from another.
    EXPECT_GT(world.session.racers[2].walk.search.closed.size(),
              3 * world.session.racers[3].walk.search.closed.size());
    // A racer that changes its search shows its new walk: its picture is keyed by its walk.
    setRacer(world, 3, SearchKind::BreadthFirst);
    playToTheEnd(world);
    camera.cameraY = 20000.0f;
    drawBoard(world);
    expectFlatPicture(world, world.session.racers[3]);

    // A view's heuristic and weight are its own: its walk is planned with them, and its
    // label names them.
    setRacer(world, 1, SearchKind::AStar);
    const SearchSettings twice{true, Heuristic::Manhattan, 2};
    setRacerSettings(world, 1, twice);
    playToTheEnd(world);
    GridSearch weighted;
    SearchRecord record;
    // Planned again from where its monkey stood.
    weighted.begin(world.board, SearchKind::AStar, world.session.racers[1].walk.search.start,
                   world.board.tileCount() - 1, record, twice);
    weighted.advance(world.board, record, LLONG_MAX);
    EXPECT_EQ(world.session.racers[1].walk.search.closed, record.closed);
    char label[160];
    writeRacerLabel(world, 1, label, sizeof label);
    EXPECT_EQ(std::string(label).rfind("A* Manhattan x2: closed ", 0), 0u) << label;
}

TEST_F(RaceTest, ARacersSearchSpreadOverFramesEndsAsTheSameSearchRunAtOnce) {
    for (unsigned seed = 1; seed <= 6; ++seed) {
        world = racingBoard(seed);
        world.clickTile(0);
        world.clickTile(world.board.tileCount() - 1);
        setRace(world, true);
        std::vector<SearchRecord> atOnce;
        for (const Racer& r : world.session.racers) {
            atOnce.push_back(r.walk.search);
        }

        world.session = Session();
        world.searchSlice = 5; // as a window's frames would, a few tiles at a time
        setRace(world, true);
        int frames = 0;
        while (advanceRace(world, 5)) {
            ++frames;
        }
        EXPECT_GT(frames, 4 * 3);
        for (int i = 0; i < RacerCount; ++i) {
            const Walk& walk = world.session.racers[i].walk;
            EXPECT_EQ(std::tuple(walk.search.closed, walk.search.opened, walk.search.walk),
                      std::tuple(atOnce[i].closed, atOnce[i].opened, atOnce[i].walk))
                << searchName(walk.kind) << " on seed " << seed;
            EXPECT_TRUE(walk.walking && walk.cheapest.cost >= 0);
        }
        world.session = Session();
    }
}
