// The search view: marks on the tiles a walk's search closed and left open, played back in
// the order the search went, the cheapest walk beside the one found, and the search's
// figures in the title. The O key cycles it: off, marks, marks with costs, off. Each walk
// holds its own playback; the view shows the world's walk, or in a race the four racers',
// played back in step. Its marks are drawn in view/search_marks.cpp, its words written in
// view/search_words.cpp.
#pragma once

#include "world/world.h"

#include <cstddef>
#include <string>

// Scanned: a tile JPS's jumps looked at on their way that is neither closed nor open at the
// step shown. From a search of both ends: ClosedFromTarget, a tile its target's side closed;
// Meeting, once the search is shown whole, the tile where the two sides' walks met.
// Kept: after a D* Lite repair, a tile settled by an earlier plan that this one left as it was.
enum class TileMark { None, Open, Closed, Scanned, ClosedFromTarget, Meeting, Kept };
inline bool closedMark(TileMark mark) {
    return mark == TileMark::Closed || mark == TileMark::ClosedFromTarget ||
           mark == TileMark::Meeting || mark == TileMark::Kept;
}

// The walks the view shows and plays back together: the world's own, or in a race the four
// racers', each closing one tile a step; `steps` is the most any of them closes.
struct ShownWalks {
    SearchView* view = nullptr;
    Walk* walks[4] = {};
    int count = 0;
    int steps = 0;
};
ShownWalks shownWalks(World& w);

// A walk's steps: the tiles its search closed, none while it is under way; and the step its
// playback shows (0 until the playback has taken up the walk's latest record).
int searchSteps(const Walk& walk);
int playbackStep(const Walk& walk);
// The view's mode as O or the panel sets it: from off the last search shows finished, and
// off ends a playback.
void setSearchViewMode(World& w, SearchViewMode mode);
// The view's controls (O, P and the arrows, and the panel's): off -> marks -> costs -> off;
// pause or resume the playback; while paused, a step on or back (`by` 1 or -1; back from
// the end pauses there). Nothing while the view is off, but turning it on.
void cycleSearchView(World& w);
void pausePlayback(World& w);
void stepPlayback(World& w, int by);
// Once per frame, before the drawing: a search ended since the last frame starts its
// playback (while the view is on), and the playback moves on.
void advanceSearchView(World& w, double now);
TileMark searchViewMark(const SearchView& view, const Walk& walk, int tile);
// Whether any of the walks the view shows has a record with scans (JPS's).
bool shownScans(World& w);
// Whether any of them is a search from both ends; a D* Lite repair.
bool shownBothEnds(World& w);
bool shownRepair(World& w);
// The cost from the start of a tile the walk's search closed (from the target, for a tile
// its target's side closed first).
double closedCost(const Walk& walk, int tile);
// Whether the walk's monkey waits for the playback of its search.
bool searchViewHoldsWalk(const SearchView& view, const Walk& walk);

// Words (view/search_words.cpp). A walk's figures, as the title and the panel show them:
// "closed 23, open 31, walk 136, cheapest 118" or "closed 4, open 0, no walk", after the
// search's name and a colon for any search but the program's own ("A*: closed 22, ..."); or
// while its search goes on "searching: 412,000 of 1,048,576 tiles".
constexpr size_t FiguresLength = 96;
void writeSearchFigures(const Board& board, const Walk& walk, char* out, size_t size,
                        bool named = true);
// What the walk's search knows of `tile`: "g 14, h 80, f 94, from 7,9", "start", "target,
// from 8,2", or "" for a tile it never touched.
void writeHoverFigures(const Board& board, const Walk& walk, int tile, char* out, size_t size);
// What the title adds after the frame rate: the figures while the view is on, the race's.
std::string searchViewTitle(const World& w);
// 1048576 as "1,048,576".
std::string withCommas(long long n);

// The marks of the walk's search on the tiles in sight (view/search_marks.cpp); nothing
// while the view is off.
void drawSearchMarks(const Board& board, const SearchView& view, const Walk& walk,
                     const DrawnTiles& sight);
