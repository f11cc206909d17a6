// The search view: marks on the tiles the last search closed and left open, played back in
// the order the search went, the cheapest walk beside the one found, and the search's
// figures in the title. The O key cycles it: off, marks, marks with costs, off. Its state,
// playback and title are here, its marks in view/search_marks.cpp, the race of four searches
// side by side in view/race.cpp.
#pragma once

#include "world/world.h"

#include <cstddef>
#include <string>
#include <vector>

enum class SearchViewMode { Off, Marks, Costs };
enum class TileMark { None, Open, Closed };

// One search's record taken up for showing: per tile, its place in the closing order and in
// the list of tiles that joined the open list (-1 for never); the walk found against the
// cheapest. Taken up for every search, the view on or off, so that the panel always has it.
struct ShownSearch {
    int serial = -1; // the record's serial when taken up
    std::vector<int> closedRank;
    std::vector<int> openedIndex;
    Walk found;
    Walk cheapest;
};

struct SearchView {
    SearchViewMode mode = SearchViewMode::Off;
    // Steps shown: step k shows the first k tiles closed and the open list as it stood after
    // the k-th was expanded. The fraction is the next step under way.
    double shown = 0.0;
    // Playing back a search made while the view was on: the monkey waits for the end.
    bool playing = false;
    bool paused = false;
    double lastTime = -1.0;
    // The tile under the cursor, looked up while costs or the panel are shown; -1 for none.
    int hoverTile = -1;
    int hoverView = -1; // in a race, the view the cursor is over

    // The world's search; during a race, that of the racer being drawn or asked.
    ShownSearch search;
};

extern SearchView searchView;
// Seconds the playback of a whole search takes, whatever its size.
extern double searchPlaySeconds;

void searchViewKey(const World& w, int key, int action);
// The view's mode as O or the panel sets it: from off the last search shows finished, and
// off ends a playback.
void setSearchViewMode(const World& w, SearchViewMode mode);
// Takes up a record the view has not seen yet (a search made since the last frame), and plays
// it back while the view is on.
void syncSearchView(const World& w);
// Takes up the world's record into `searchView.search`, nothing else.
void takeUpSearch(const World& w);
// Starts the playback of `steps` steps over again while the view is on; shows them all at
// once while it is off.
void restartPlayback(int steps);
// For a new world: its record is taken up afresh.
void forgetSearchView();
// Once per frame, before the drawing: takes up a new record and moves the playback on.
void advanceSearchView(const World& w, double now);
// Steps of the playback: the world's search's closed tiles, the most of the four in a race.
int playbackSteps(const World& w);
int searchViewSteps(const World& w);
int searchViewStep();
TileMark searchViewMark(const World& w, int tile);
// The cost from the start of a tile the shown search closed.
int closedCost(const World& w, int tile);
// Whether the world's walker waits for the playback of its search.
bool searchViewHoldsWalk(const World& w);
// What the title adds after the frame rate, "" while the view is off.
std::string searchViewTitle(const World& w);
// The last search's figures, as the title and the panel show them: "closed 23, open 31,
// walk 136, cheapest 118", or "closed 4, open 0, no walk"; after the search's name and a
// colon for any search but the program's own ("A*: closed 22, ...").
constexpr size_t FiguresLength = 96;
void writeSearchFigures(const World& w, char* out, size_t size);
// What the last search knows of `tile`: "g 14, h 80, f 94, from 7,9", "start", "target, from
// 8,2", or "" for a tile it never touched.
void writeHoverFigures(const World& w, int tile, char* out, size_t size);
// The marks of the shown search (view/search_marks.cpp); nothing while the view is off.
void drawSearchMarks(const World& w);
