// The search view: marks on the tiles the last search closed and left open, played back in
// the order the search went, the cheapest walk beside the one found, and the search's
// figures in the title. The O key cycles it: off, marks, marks with costs, off.
#pragma once

#include "world/world.h"

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
// Once per frame, before the drawing: takes up a new record and moves the playback on.
void advanceSearchView(const World& w, double now);
int searchViewSteps(const World& w);
int searchViewStep();
TileMark searchViewMark(int tile);
bool searchViewHoldsWalk();
// What the title adds after the frame rate, "" while the view is off.
std::string searchViewTitle(const World& w);
