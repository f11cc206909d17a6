// Dragging the figures in the real program, driven by real X events: the monkey alone moved
// before the banana is out, the monkey dragged off a walk, the banana dragged away with the
// monkey on it, each drag stopping on the last tile a figure can stand on; the title's
// figures and the lit walk checked against the program's own search run here.
#include "tools/xdriver/x_driver.h"
#include "view/search_view.h"
#include "world/world.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <string>
#include <utility>

namespace {

// Trees down column 3 and in column 6, a pond in the middle (as the walk test's map).
const char* MapText = "0 0 0 0 0 0 0 0\n0 0 0 1 0 0 0 0\n0 0 0 1 0 3 3 0\n0 0 0 1 0 3 3 0\n"
                      "0 0 0 1 0 0 0 0\n0 0 0 0 0 0 1 0\n0 0 0 0 0 0 1 0\n0 0 0 0 0 0 0 0\n";

int at(int column, int row) {
    return row * 8 + column;
}

std::pair<int, int> tilePixel(const World& map, int index) {
    const Vec3 centre = tileCentre(map.board, index);
    return startCameraPixel(centre.x, centre.z);
}

// Some of the monkey (lit orange) within 3 units of the tile's centre.
bool monkeyOn(const Picture& picture, const World& map, int index) {
    const Vec3 centre = tileCentre(map.board, index);
    for (int i = 0; i < 25 * 25; ++i) {
        const unsigned char* p = picture.at(
            startCameraPixel(centre.x + i % 25 / 4.0 - 3.0, centre.z + i / 25 / 4.0 - 3.0));
        if (p[0] > 200 && p[1] > 120 && p[1] < 235 && p[2] < 140) {
            return true;
        }
    }
    return false;
}

// A lit tile's colour is overdriven; looked at on its south side, clear of the figures.
bool tileLit(const Picture& picture, const World& map, int index) {
    const Vec3 centre = tileCentre(map.board, index);
    const unsigned char* p = picture.at(startCameraPixel(centre.x, centre.z + 3.5));
    return p[1] > 235 || p[2] > 235;
}

// The title's figures for a walk the program's own search plans from `from` to `to`, and
// the tiles it lights.
struct Reference {
    std::string figures;
    std::set<int> lit;
};
Reference referenceWalk(const std::string& mapFile, int from, int to) {
    World map(mapFile);
    map.clickTile(from);
    map.clickTile(to);
    setSearchViewMode(map, SearchViewMode::Marks);
    return {searchViewTitle(map),
            std::set<int>(map.walk.litTiles.begin(), map.walk.litTiles.end())};
}

// The left button pressed on the first tile, the pointer through the others, a frame seen
// at each, let go on the last.
void drag(XDriver& x, const World& map, std::initializer_list<int> tiles) {
    const auto pointAt = [&](int tile) {
        const auto [px, py] = tilePixel(map, tile);
        movePointer(x, px, py);
    };
    pointAt(*tiles.begin());
    button(x, 1, true);
    for (int tile : tiles) {
        pointAt(tile);
        settle(x);
    }
    button(x, 1, false);
    settle(x);
}

TEST(Drag, TheMonkeyAndTheBananaFollowTheCursorAndTheWalkFollowsThem) {
    SceneFolder folder(MapText);
    ASSERT_TRUE(folder.made);
    const std::string mapFile = (folder.dir / "map.txt").string();
    const World map(mapFile);
    XDriver x;
    RunningProgram program(TANGLOR_EXE, folder.dir.string());
    ASSERT_NE(findWindow(x, program.pid, 30.0), 0u) << program.errorText();
    ASSERT_TRUE(settle(x));
    tapKey(x, XK_o);
    const auto titled = [&](const std::string& figures) {
        return waitUntil([&] { return windowTitle(x).ends_with(figures); }, 30.0);
    };
    ASSERT_TRUE(titled(" | closed 0, open 0, no walk")) << windowTitle(x);

    // The monkey alone: dragged up column 1, it only moves; nothing is planned.
    click(x, tilePixel(map, at(1, 6)));
    ASSERT_TRUE(waitUntil([&] { return monkeyOn(grabWindow(x), map, at(1, 6)); }, 30.0));
    drag(x, map, {at(1, 6), at(1, 5), at(1, 4), at(1, 2)});
    EXPECT_TRUE(waitUntil([&] { return monkeyOn(grabWindow(x), map, at(1, 2)); }, 30.0));
    EXPECT_TRUE(windowTitle(x).ends_with(" | closed 0, open 0, no walk")) << windowTitle(x);

    // The banana; P holds the monkey with the playback. Dragged on to a tree, the monkey stays
    // on the tile before it, and walks from there to the banana.
    click(x, tilePixel(map, at(7, 3)));
    tapKey(x, XK_p);
    ASSERT_TRUE(settle(x)); // the click and the drag's press never in one frame
    drag(x, map, {at(1, 2), at(2, 3), at(3, 4)});
    const Reference dragged = referenceWalk(mapFile, at(2, 3), at(7, 3));
    ASSERT_EQ(dragged.figures.rfind(" | closed ", 0), 0u) << dragged.figures;
    EXPECT_TRUE(titled(dragged.figures)) << windowTitle(x) << " against " << dragged.figures;
    ASSERT_TRUE(waitUntil([&] { return monkeyOn(grabWindow(x), map, at(7, 3)); }, 30.0));

    // The banana, under the monkey, dragged to the bottom row and on to a tree: the walk from
    // the monkey's tile to where it stays, and no click started over.
    drag(x, map, {at(7, 3), at(6, 7), at(6, 6)});
    const Reference moved = referenceWalk(mapFile, at(7, 3), at(6, 7));
    EXPECT_TRUE(titled(moved.figures)) << windowTitle(x) << " against " << moved.figures;
    EXPECT_TRUE(waitUntil([&] { return monkeyOn(grabWindow(x), map, at(6, 7)); }, 30.0));

    // With the search view off, the lit tiles are the walk's.
    tapKey(x, XK_o);
    tapKey(x, XK_o);
    ASSERT_TRUE(settle(x));
    const Picture lit = grabWindow(x);
    for (int tile = 0; tile < 64; ++tile) {
        EXPECT_EQ(tileLit(lit, map, tile), moved.lit.count(tile) == 1) << "tile " << tile;
    }
    tapKey(x, XK_Escape);
    EXPECT_EQ(program.exitStatus(30.0), 0);
    EXPECT_EQ(program.errorText(), "");
}

} // namespace
