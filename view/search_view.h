// The search view: marks on the tiles the last search closed and left open, played back in
// the order the search went, the cheapest walk beside the one found, and the search's
// figures in the title. The O key cycles it: off, marks, marks with costs, off.
#pragma once

#include "world/world.h"

#include <cstddef>
#include <string>
#include <vector>

enum class SearchViewMode { Off, Marks, Costs };
enum class TileMark { None, Open, Closed };

struct SearchView {
    SearchViewMode mode = SearchViewMode::Off;
    // The record shown, by its serial; a new serial while the view is on plays it back.
    int serial = 0;
    // Steps shown: step k shows the first k tiles closed and the open list as it stood after
    // the k-th was expanded. The fraction is the next step under way.
    double shown = 0.0;
    // Playing back a search made while the view was on: the monkey waits for the end.
    bool playing = false;
    bool paused = false;
    double lastTime = -1.0;
    // The tile under the cursor, looked up while costs are shown; -1 for none.
    int hoverTile = -1;
    // Per tile, from the record: its place in the closing order, and how many tiles were
    // closed when it joined the open list; -1 for never.
    std::vector<int> closedRank;
    std::vector<int> openedAt;
    Walk found;
    Walk cheapest;
};

extern SearchView searchView;
// Seconds the playback of a whole search takes, whatever its size.
extern double searchPlaySeconds;

void searchViewKey(const World& w, int key, int action);
// The view's mode as O or the panel sets it: from off the last search shows finished, and
// off ends a playback.
void setSearchViewMode(const World& w, SearchViewMode mode);
// Takes up a record the view has not seen yet (a search made since the last frame).
void syncSearchView(const World& w);
// For a new world: its record is taken up afresh.
void forgetSearchView();
// Once per frame, before the drawing: takes up a new record and moves the playback on.
void advanceSearchView(const World& w, double now);
int searchViewSteps(const World& w);
int searchViewStep();
TileMark searchViewMark(int tile);
bool searchViewHoldsWalk();
// What the title adds after the frame rate, "" while the view is off.
std::string searchViewTitle(const World& w);
// The last search's figures, as the title and the panel show them: "closed 23, open 31,
// walk 136, cheapest 118", or "closed 4, open 0, no walk".
constexpr size_t FiguresLength = 96;
void writeSearchFigures(const World& w, char* out, size_t size);
// What the last search knows of `tile`: "g 14, h 80, f 94, from 7,9", "start", "target, from
// 8,2", or "" for a tile it never touched.
void writeHoverFigures(const World& w, int tile, char* out, size_t size);
