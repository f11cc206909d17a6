// The panel's logic: what it says for a given state, the brush, and which mouse input is the
// panel's and which the board's.
#include "tests/support/fake_glfw.h"
#include "ui/panel.h"
#include "view/search_view.h"
#include "world/tile_kinds.h"
#include "world_files.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct PanelTest : testing::Test {
    void SetUp() override {
        resetFakes();
        panel.shown = true;
        world.session.view = SearchView();
        world = World(std::string(TANGLOR_ASSETS_DIR) + "/map.txt");
    }
    void TearDown() override {
        world = World(std::string());
        world.session.view = SearchView();
    }
    static int tile(int column, int row) { return row * 16 + column; }
};

TEST_F(PanelTest, LinesSayWhatTheTitleSaysWithTheViewOnOrOff) {
    PanelText text;
    buildPanelText(world, -1, -1, text);
    EXPECT_EQ(std::string(text.start) + text.target + text.figures + text.step + text.tile, "");
    EXPECT_STREQ(text.pace, "100 frames a step");

    world.clickTile(tile(7, 9));
    buildPanelText(world, -1, -1, text);
    EXPECT_STREQ(text.start, "start 7,9");
    EXPECT_STREQ(text.figures, "") << "no search yet";
    world.clickTile(tile(9, 1));
    buildPanelText(world, tile(8, 8), -1, text);
    EXPECT_STREQ(text.target, "target 9,1");
    EXPECT_STREQ(text.figures, "closed 23, open 31, walk 136, cheapest 118") << "view off";
    EXPECT_STREQ(text.tile, "tile 8,8: ground");
    EXPECT_STREQ(text.tileFigures, "g 14, h 80, f 94, from 7,9");

    // The view turned on afterwards: the title's part is the panel's line.
    setSearchViewMode(world, SearchViewMode::Costs);
    world.session.view.hoverTile = tile(8, 8);
    EXPECT_EQ(searchViewTitle(world),
              std::string(" | ") + text.figures + " | tile 8,8: " + text.tileFigures);
    const std::pair<int, const char*> tiles[] = {{tile(7, 9), "start"},
                                                 {tile(9, 1), "target, from 8,2"},
                                                 {tile(2, 1), ""}, // a tree never touched
                                                 {tile(15, 15), ""}};
    for (const auto& [at, figures] : tiles) {
        buildPanelText(world, at, -1, text);
        EXPECT_STREQ(text.tileFigures, figures) << at;
    }
    buildPanelText(world, tile(2, 1), -1, text);
    EXPECT_STREQ(text.tile, "tile 2,1: tree");

    // A search made with the view on plays back: the step shown of the total, then the
    // final figures all along.
    world.clickTile(tile(0, 15));
    world.clickTile(tile(15, 0));
    advanceSearchView(world, 10.0);
    advanceSearchView(world, 10.05);
    buildPanelText(world, -1, -1, text);
    const int steps = searchSteps(world.walk);
    EXPECT_EQ(std::string(text.step),
              "step " + std::to_string(playbackStep(world.walk)) + " of " + std::to_string(steps));
    EXPECT_EQ(std::string(" | ") + text.figures, searchViewTitle(world));
    EXPECT_EQ(std::string(text.figures).rfind("closed " + std::to_string(steps) + ",", 0), 0u);
    for (double t = 10.1; world.walk.playback.playing; t += 0.1) {
        advanceSearchView(world, t);
    }
    buildPanelText(world, -1, -1, text);
    EXPECT_STREQ(text.step, "") << "the playback has ended";
}

TEST_F(PanelTest, TheBrushPaintsItsKindAndTheCycleAsBefore) {
    TempFolder folder;
    writeModels(folder);
    world = mapOf(folder, "0 0 0 0/0 0 0 0");
    EXPECT_EQ(brushKind(world, 0), 2) << "the cycle: ground becomes stones";
    EXPECT_STREQ(kindName(7), "bare tile");

    // A middle drag from tile 0 to tile 1 paints both with the brush's kind.
    for (const int brush : {3, 1, 0}) {
        panel.brush = brush;
        fakeGlfw.buttons[GLFW_MOUSE_BUTTON_MIDDLE] = GLFW_PRESS;
        for (const int at : {0, 1}) {
            const Vec3 centre = tileCentre(world.board, at);
            fakeGl.unProjected[0] = centre.x;
            fakeGl.unProjected[2] = centre.z;
            handleMouse();
        }
        fakeGlfw.buttons[GLFW_MOUSE_BUTTON_MIDDLE] = GLFW_RELEASE;
        handleMouse();
        EXPECT_EQ(world.tiles[0].kind, brush);
        EXPECT_EQ(world.tiles[1].kind, brush);
    }
    // A tree brush skips the tile a figure stands on.
    world.clickTile(2);
    EXPECT_EQ(world.paintTile(2, TreeCode), "");
    EXPECT_EQ(world.tiles[2].kind, 0);
}

TEST_F(PanelTest, PressesThatGoDownOnThePanelNeverReachTheBoard) {
    world = World(std::string());
    world.buildGrid(200, 100); // tiles everywhere under the cursor, the panel's part too
    EXPECT_EQ(panelLeft(1280), 1000);
    EXPECT_TRUE(overPanel(1000, 0) && overPanel(1279, 719));
    EXPECT_FALSE(overPanel(999, 0) || overPanel(1280, 5) || overPanel(1100, 720));
    handleMouse();
    EXPECT_EQ(std::vector<int>(fakeGlfw.wheelArea, fakeGlfw.wheelArea + 4),
              (std::vector<int>{1000, 0, 1280, 720}))
        << "the wheel scrolls the panel";

    // A left click that went down on the panel picks nothing and places no monkey; a right
    // drag that starts there turns nothing.
    fakeGlfw.pressX = 1100;
    fakeGlfw.buttons[GLFW_MOUSE_BUTTON_LEFT] = GLFW_PRESS;
    fakeGlfw.mouseX = 500; // dragged out over the board
    handleMouse();
    fakeGlfw.buttons[GLFW_MOUSE_BUTTON_LEFT] = GLFW_RELEASE;
    handleMouse();
    EXPECT_FALSE(world.walk.monkey.visible);
    frameClock.frameBusyTime = 0.02;
    fakeGlfw.buttons[GLFW_MOUSE_BUTTON_RIGHT] = GLFW_PRESS;
    fakeGlfw.mouseX = 1150;
    handleMouse();
    fakeGlfw.mouseX = 1250;
    handleMouse();
    EXPECT_EQ(camera.yawVelocity, 0.0);
    fakeGlfw.buttons[GLFW_MOUSE_BUTTON_RIGHT] = GLFW_RELEASE;
    handleMouse();

    // Went down on the board: the drag goes on over the panel, and the click is the board's.
    fakeGlfw.pressX = 900;
    fakeGlfw.buttons[GLFW_MOUSE_BUTTON_RIGHT] = GLFW_PRESS;
    fakeGlfw.mouseX = 900;
    handleMouse();
    fakeGlfw.mouseX = 1200;
    handleMouse();
    EXPECT_NEAR(camera.yawVelocity, 300 * 0.02 * 3.0, 1e-9);
    fakeGlfw.buttons[GLFW_MOUSE_BUTTON_RIGHT] = GLFW_RELEASE;
    fakeGlfw.buttons[GLFW_MOUSE_BUTTON_LEFT] = GLFW_PRESS;
    handleMouse();
    fakeGlfw.buttons[GLFW_MOUSE_BUTTON_LEFT] = GLFW_RELEASE;
    handleMouse();
    EXPECT_TRUE(world.walk.monkey.visible);

    // Hidden (H), the panel takes nothing, not even the wheel.
    keyCallback('H', GLFW_PRESS);
    handleMouse();
    EXPECT_FALSE(panel.shown || overPanel(1100, 100));
    EXPECT_EQ(fakeGlfw.wheelArea[0], fakeGlfw.wheelArea[2]);
}

} // namespace
