// Theta*, the any-angle search: its line of sight at the corners, held to a plain geometric
// test; its walks on random boards of one cost beside A*'s; the lit tiles and the monkey's
// path of its walk; and the walker on a segment, at the pace of straight steps.
#include "path/any_angle.h"
#include "world_files.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>
#include <set>

namespace {

// Whether the line between the centres of `a` and `b` meets the square of `tile`: its inside
// (`closed` false), or the square with its edges and corners (`closed` true). Liang-Barsky
// with every coordinate doubled, so that the tiles' edges and centres are whole numbers:
// each bound is a quotient of small whole numbers, which a double rounds alike however it is
// written, so that equal bounds compare equal.
bool meets(const Board& board, int a, int b, int tile, bool closed) {
    const int columns = board.columns;
    const double px = 2 * (a % columns) + 1, py = 2 * (a / columns) + 1;
    const double dx = 2 * (b % columns) + 1 - px, dy = 2 * (b / columns) + 1 - py;
    double low = 0, high = 1;
    const auto bound = [&](double p, double d, double from, double to) {
        if (d == 0) {
            return closed ? from <= p && p <= to : from < p && p < to;
        }
        const double t0 = std::min((from - p) / d, (to - p) / d);
        const double t1 = std::max((from - p) / d, (to - p) / d);
        low = std::max(low, t0);
        high = std::min(high, t1);
        return true;
    };
    const double x0 = 2 * (tile % columns), y0 = 2 * (tile / columns);
    if (!bound(px, dx, x0, x0 + 2) || !bound(py, dy, y0, y0 + 2)) {
        return false;
    }
    return closed ? low <= high : low < high;
}

// Line of sight by the definition: no blocked tile's inside met, nor under the benchmark's
// rule its corners.
bool sightByDefinition(const Board& board, int a, int b, MoveRule rule) {
    for (int tile = 0; tile < board.tileCount(); tile++) {
        if (!board.passable(tile) && meets(board, a, b, tile, rule == MoveRule::Benchmark)) {
            return false;
        }
    }
    return true;
}

// What a walk of the grid's steps measures as straight lines: 10 or 10√2 a step, or 1 or √2.
double straightLength(const Board& board, int from, const std::vector<int>& tiles) {
    double length = 0;
    for (int to : tiles) {
        length += tileLength(board.rule) * segmentTileLengths(board.columns, from, to);
        from = to;
    }
    return length;
}

World boardOf(int columns, int rows, const std::vector<int>& trees, MoveRule rule) {
    World w{std::string()};
    w.buildGrid(columns, rows);
    w.board.rule = rule;
    for (int tile : trees) {
        plant(w, tile, TreeCode);
    }
    return w;
}

constexpr MoveRule BothRules[] = {MoveRule::CornersCut, MoveRule::Benchmark};

} // namespace

TEST(ThetaStar, LineOfSightAtCornersAndEdgesUnderEitherRule) {
    // On a 6 x 3 board, from 0,0 to 3,1: the line passes exactly through the corner 2,1
    // (tile units), touching 2,0 and 1,1 there and crossing 0,0 1,0 2,1 3,1.
    const int from = 0, to = 1 * 6 + 3;
    const struct {
        const char* what;
        std::vector<int> trees;
        bool cornersCut, benchmark;
    } cases[] = {
        {"open ground", {}, true, true},
        {"grazing a tree's corner", {2}, true, false},
        {"grazing the other side's corner", {6 + 1}, true, false},
        {"exactly between two trees meeting at the corner", {2, 6 + 1}, true, false},
        {"through a tree's inside", {1}, false, false},
        {"a tree on its end", {to}, false, false},
        {"beyond the corner, off the line", {2 * 6 + 1, 3}, true, true},
    };
    for (const auto& c : cases) {
        for (MoveRule rule : BothRules) {
            SCOPED_TRACE(std::string(c.what) + " under " + ruleName(rule));
            World w = boardOf(6, 3, c.trees, rule);
            const bool expected = rule == MoveRule::CornersCut ? c.cornersCut : c.benchmark;
            EXPECT_EQ(lineOfSight(w.board, from, to, rule), expected);
            EXPECT_EQ(lineOfSight(w.board, to, from, rule), expected);
            EXPECT_EQ(sightByDefinition(w.board, from, to, rule), expected);
        }
    }
    // Along a wall of trees (row 1): a line down row 0 keeps half a tile off its edge; one
    // from row 0 to row 2 passes through it, and one down row 1 ends in it.
    for (MoveRule rule : BothRules) {
        World wall = boardOf(6, 3, {6, 7, 8, 9, 10, 11}, rule);
        EXPECT_TRUE(lineOfSight(wall.board, 0, 5, rule));
        EXPECT_TRUE(lineOfSight(wall.board, 2 * 6, 2 * 6 + 5, rule));
        EXPECT_FALSE(lineOfSight(wall.board, 0, 2 * 6 + 5, rule));
        EXPECT_FALSE(lineOfSight(wall.board, 6, 11, rule));
    }
    // The tiles crossed: the two beside the corner are only touched.
    World open = boardOf(6, 3, {}, MoveRule::CornersCut);
    std::vector<int> crossed;
    appendSegmentTiles(open.board, from, to, crossed);
    EXPECT_EQ(crossed, (std::vector<int>{0, 1, 6 + 2, 6 + 3}));

    // Two trees meeting at a corner, and the diagonal step between them: a line of sight
    // exactly when the rule lets the step pass (and only then a walk).
    World pair = boardOf(2, 2, {1, 2}, MoveRule::CornersCut);
    EXPECT_TRUE(lineOfSight(pair.board, 0, 3, MoveRule::CornersCut));
    EXPECT_FALSE(lineOfSight(pair.board, 0, 3, MoveRule::Benchmark));
    EXPECT_NEAR(segmentsLength(pair.board, 0, {3}), 10 * Sqrt2, 1e-12);
    pair.board.rule = MoveRule::Benchmark;
    EXPECT_EQ(segmentsLength(pair.board, 0, {3}), -1);

    // Tiles outside a benchmark map block as trees do: through one never, past its corner
    // only under the program's own rule; an index off the board is no line at all.
    TempFolder folder;
    World edge(folder.write("edge.map", "type octile\nheight 3\nwidth 6\nmap\n..@...\n"
                                        "......\n@.....\n"));
    for (MoveRule rule : BothRules) {
        EXPECT_EQ(lineOfSight(edge.board, from, to, rule), rule == MoveRule::CornersCut);
        EXPECT_FALSE(lineOfSight(edge.board, 1, 3, rule)); // 1,0 to 3,0 crosses 2,0
        EXPECT_FALSE(lineOfSight(edge.board, 0, 2, rule)); // 0,0 to 2,0 ends on it
        // 0,1 to 1,2 passes the corner of 0,2, as a diagonal step does.
        EXPECT_EQ(lineOfSight(edge.board, 6, 2 * 6 + 1, rule), rule == MoveRule::CornersCut);
        EXPECT_FALSE(lineOfSight(edge.board, -1, 3, rule));
        EXPECT_FALSE(lineOfSight(edge.board, 3, edge.board.tileCount(), rule));
    }
}

TEST(ThetaStar, LineOfSightAndTilesCrossedMatchTheGeometryOnRandomBoards) {
    std::mt19937 rng(11);
    int blocked[2] = {0, 0};
    for (int map = 0; map < 60; ++map) {
        World w = randomMap(rng, 2 + int(rng() % 12), 2 + int(rng() % 12), {70, 30, 0, 0});
        for (int pair = 0; pair < 40; ++pair) {
            const int a = int(rng() % w.tiles.size()), b = int(rng() % w.tiles.size());
            for (MoveRule rule : BothRules) {
                const bool sight = lineOfSight(w.board, a, b, rule);
                ASSERT_EQ(sight, sightByDefinition(w.board, a, b, rule))
                    << "map " << map << ", " << a << " to " << b << " under " << ruleName(rule);
                ASSERT_EQ(sight, lineOfSight(w.board, b, a, rule));
                blocked[int(rule)] += !sight;
            }
            // The tiles crossed are those whose inside the line meets, from a to b, each once.
            std::vector<int> crossed;
            appendSegmentTiles(w.board, a, b, crossed);
            std::vector<int> expected;
            for (int tile = 0; tile < w.board.tileCount(); tile++) {
                if (meets(w.board, a, b, tile, false)) {
                    expected.push_back(tile);
                }
            }
            ASSERT_EQ(std::set<int>(crossed.begin(), crossed.end()),
                      std::set<int>(expected.begin(), expected.end()));
            ASSERT_EQ(crossed.size(), expected.size());
            ASSERT_EQ(std::tuple(crossed.front(), crossed.back()), std::tuple(a, b));
        }
    }
    EXPECT_GT(blocked[0], 300);
    EXPECT_GT(blocked[1], blocked[0]); // corners block only under the benchmark's rule
}

TEST(ThetaStar, FindsAWalkExactlyWhenAStarDoesInLineOfSightAndNeverLonger) {
    std::mt19937 rng(7);
    int walks = 0, shorter = 0, tried = 0;
    for (int map = 0; tried < 400; ++map) {
        const MoveRule rule = BothRules[map % 2];
        World w = randomMap(rng, 2 + int(rng() % 30), 2 + int(rng() % 30), {70, 30, 0, 0});
        w.board.rule = rule;
        const int from = int(rng() % w.tiles.size()), to = int(rng() % w.tiles.size());
        if (!w.board.passable(from) || !w.board.passable(to)) {
            continue;
        }
        tried++;
        SCOPED_TRACE("map " + std::to_string(map) + " under " + ruleName(rule));
        const Route grid = cheapestRoute(w.board, from, to);
        w.walk.kind = SearchKind::ThetaStar;
        w.clickPhase = 0;
        w.clickTile(from);
        w.clickTile(to);
        const Walk& walk = w.walk;
        ASSERT_EQ(walk.search.found, grid.cost >= 0);
        ASSERT_FALSE(walk.search.refused);
        if (!walk.search.found) {
            continue;
        }
        walks++;
        // Each segment in line of sight, the walk's cost its length, and the same as the
        // search's cost of the target.
        int at = from;
        for (int waypoint : walk.search.walk) {
            ASSERT_TRUE(lineOfSight(w.board, at, waypoint, rule)) << at << " to " << waypoint;
            at = waypoint;
        }
        ASSERT_EQ(at, to);
        const double length = segmentsLength(w.board, from, walk.search.walk);
        ASSERT_GE(length, 0);
        ASSERT_EQ(walk.found.cost, length);
        ASSERT_EQ(walkCost(w.board, SearchKind::ThetaStar, from, walk.search.walk), length);
        if (from != to) {
            ASSERT_EQ(walk.query.costsOf(to).g, length);
        }
        // Never longer than A*'s walk measured the same way, each step as a straight line.
        const double gridLength = straightLength(w.board, from, grid.tiles);
        ASSERT_LE(length, gridLength + 1e-9);
        shorter += length < gridLength - 1e-9;
        // Lit: the tiles its segments cross; the monkey walks to the waypoints.
        const std::vector<int> crossed = segmentsTiles(w.board, from, walk.search.walk);
        std::set<int> lit(crossed.begin(), crossed.end());
        lit.insert(to);
        ASSERT_EQ(std::set<int>(walk.litTiles.begin(), walk.litTiles.end()), lit);
        std::vector<int> path = pathTiles(w);
        std::reverse(path.begin(), path.end());
        ASSERT_EQ(path, walk.search.walk);
    }
    EXPECT_GT(walks, 200);
    EXPECT_GT(shorter, 100);
    // On stones or water it does not run.
    World weighted = randomMap(rng, 4, 4, {0, 0, 1, 0});
    SearchRecord record;
    GridSearch search;
    search.begin(weighted.board, SearchKind::ThetaStar, 0, 15, record);
    EXPECT_TRUE(record.refused && !record.found);
}

TEST(ThetaStar, TheMonkeyWalksASegmentAtThePaceOfStraightSteps) {
    // From x = 20, z = 0 at 10 frames a step: a segment of k tile lengths glides a tenth of a
    // tile length a frame and takes 10 k frames; the call after ends the walk.
    const struct {
        Vec3 to;
        int frames;
    } segments[] = {
        {{50, 0, 0}, 30},  // 3 tile lengths
        {{50, 0, 40}, 50}, // 5: a 3-4-5 line
        {{56, 0, 0}, 36},  // 3.6
        {{30, 0, 10}, 15}, // a diagonal neighbour: √2, 14.14 frames, so 15
    };
    for (const auto& s : segments) {
        SCOPED_TRACE(s.frames);
        const double length = std::hypot(s.to.x - 20, s.to.z) / TileSize;
        World w{std::string()};
        std::tie(w.stepFrames, w.walk.walkFromX, w.walk.walking, w.walk.path) =
            std::tuple(10, 20.0f, true, std::vector<Vec3>{s.to});
        w.walk.search.kind = SearchKind::ThetaStar;
        int calls = 0;
        while (w.walk.walking && calls < 1000) {
            w.stepWalker(w.walk);
            calls++;
            const double along = std::min(calls - 1, s.frames) / 10.0 / length;
            if (calls <= s.frames) {
                EXPECT_NEAR(w.walk.monkey.position[0], 20 + along * (s.to.x - 20), 1e-4);
                EXPECT_NEAR(w.walk.monkey.position[2], along * s.to.z, 1e-4);
                // A waypoint shows as for a step: stepFrame 10 at the end only.
                EXPECT_EQ(w.walk.stepFrame == 10, calls == s.frames);
                EXPECT_TRUE(w.walk.stepFrame > 0 && w.walk.stepFrame <= 10);
            }
        }
        EXPECT_EQ(calls, s.frames + 1);
    }
    // A walk of the grid's steps takes 10 frames for the same diagonal step, as ever.
    World grid{std::string()};
    std::tie(grid.stepFrames, grid.walk.walkFromX, grid.walk.walking, grid.walk.path) =
        std::tuple(10, 20.0f, true, std::vector<Vec3>{{30, 0, 10}});
    grid.walk.search.kind = SearchKind::AStar;
    int calls = 0;
    for (; grid.walk.walking; calls++) {
        grid.stepWalker(grid.walk);
    }
    EXPECT_EQ(calls, 11);
}
