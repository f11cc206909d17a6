// Every control of the program, named once: the keys, the panel and the demo all call these,
// so a control does the same whichever way it comes. Each acts on the process-wide world,
// its race and the view.
#pragma once

#include "path/search.h"
#include "view/search_view.h"

struct MapRecipe;

// The walking pace: a step of 5 frames more or fewer a tile; faster only while the pace is
// above 6 frames. Every monkey keeps its place along its step (the frames it has done are
// scaled with the step).
void slowerPace();
void fasterPace();

// The search view (view/search_view.h has the rest: cycleSearchView, pausePlayback,
// stepPlayback): its mode, and the seconds a whole search's playback takes.
void chooseSearchView(SearchViewMode mode);
void setPlaybackSeconds(double seconds);

// The map (app/map_edit.cpp): read it again (twice with unsaved paints), save it, a new one
// of a recipe or of the next seed.
void reloadMap(double now);
void saveMap(double now);
void makeNewMap(const MapRecipe& recipe, double now);
void makeNextMap(double now);

// The searches: the one the world's walk is planned with (planned again), the race on or
// off, and which search a race viewport runs.
void chooseSearch(SearchKind kind);
void chooseRace(bool on);
void chooseRacer(int viewport, SearchKind kind);
// The heuristic and weight the world's walk is planned with, where its search takes them
// (planned again).
void chooseSettings(const SearchSettings& settings);
void chooseRacerSettings(int viewport, const SearchSettings& settings);

// How walks step, the program's own rule, the benchmark sets' or four ways (path/board.h):
// every walk set up is planned again under it.
void chooseRule(MoveRule rule);

// The scenario's problems (app/problems.cpp): the walk set to problem `number` (from 1, kept
// within the scenario), or to the one before or after the last one gone to.
void goToProblem(int number);
void previousProblem();
void nextProblem();

// Fog on or off for every walk: each monkey then knows only what it has seen, and plans
// again from where it stands.
void toggleFog();

// The view: the panel shown or hidden, and the start view back (the zoom stays).
void togglePanel();
void putViewBack();
