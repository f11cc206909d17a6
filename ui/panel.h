// The side panel: a legend of what the board shows, the walk and its search's figures, the
// tile under the cursor, and a control for everything the keys and buttons do. Drawn with
// Dear ImGui after the scene, docked at the right edge of the window; H hides it.
#pragma once

#include "view/race.h"
#include "view/search_view.h"
#include "world/map_maker.h"
#include "world/world.h"

#include <cstddef>

// At the start view the board ends 300 px short of the window's right edge: the panel fits
// in that black margin with room to spare for a tree crown leaning outward.
constexpr int PanelWidth = 280;
// What a paint press gives the first tile: the next kind of the cycle, or one kind always.
constexpr int BrushCycle = -1;

struct Panel {
    bool shown = true;
    int brush = BrushCycle; // BrushCycle or the code of a tile kind
    // The New map section's recipe (size 0: the board's until the first is made), and
    // whether one was made: G then makes the next seed.
    MapRecipe newMap{MapKind::Maze, 0, 0, 1, 20, 10, 5};
    bool newMapMade = false;
};

extern Panel panel;

// The panel's first pixel column in a window `windowWidth` wide; that width while hidden.
int panelLeft(int windowWidth);
// Whether window pixel (x, y) lies on the panel: there, the mouse is the panel's.
bool overPanel(int x, int y);
// The kind a paint press gives `tile` with the brush chosen.
int brushKind(const World& w, int tile);

// One racer in the panel's race section: its tiles closed (or how far its search has got)
// and its walk's cost beside the cheapest (-1: none yet), and that cost as the figures say it.
struct RaceBar {
    const char* name = "";
    int closed = 0;
    bool searching = false;
    double cost = -1;
    double cheapest = -1;
    char costLabel[24] = "";
    long long closedInAll = -1; // under fog, every tile every plan of the walk closed; else -1
};

// The panel's lines, built once a frame from the state into fixed buffers; "" for a line
// that does not show.
struct PanelText {
    char start[32];
    char target[32];
    char figures[FiguresLength];
    char step[32];
    char tile[48];
    char tileFigures[FiguresLength];
    char pace[48];
    // With a scenario open: "problem 12 of 1000 (bucket 3)", and the walk found beside the
    // listed length, "found 46.04, listed 45.21 (+1.8 %)".
    char problem[48];
    char listed[80];
    // While racing: each view's label, the search's name and figures (and once the race is
    // over its place on a second line), and each racer's bars.
    char race[RacerCount][FiguresLength + 32];
    RaceBar bars[RacerCount];
};
// `hoverView`: in a race, the view under the cursor, whose search tells of the tile.
void buildPanelText(World& w, int hoverTile, int hoverView, PanelText& text);
// The walk found beside the problem's listed length (ui/panel_text.cpp): "listed 45.21" while
// nothing is found, "found 45.21, listed 45.21", and with the share more for a longer walk,
// "found 46.04, listed 45.21 (+1.8 %)".
void writeListedLine(const World& w, char* out, size_t size);

// Drawing (ui/panel.cpp): the library's context and renderer once the window is open, the
// panel once a frame before the swap (nothing while hidden), and the end before the window
// closes.
void startPanel();
void drawPanel();
void stopPanel();
