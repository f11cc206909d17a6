// The session: every walk the program shows, the world's own and in a race the four racers',
// and the state of the views that show them. An action (a click, a drag, a paint, a reload,
// a problem, a rule) goes to the world once, and the session applies it to every walk, so
// that a racer never misses one. It is part of the one world; nothing else holds a walk.
#pragma once

#include "path/fog.h"
#include "world/walk.h"

#include <cstdint>
#include <vector>

struct World;

// The search view's state (view/search_view.h acts on it). The O key cycles its mode: off,
// marks, marks with costs, off.
enum class SearchViewMode { Off, Marks, Costs };
struct SearchView {
    SearchViewMode mode = SearchViewMode::Off;
    double lastTime = -1.0;   // the frame clock at the last advance
    double playSeconds = 2.0; // what the playback of a whole search takes, whatever its size
    // The tile under the cursor, looked up while costs or the panel are shown; -1 for none.
    int hoverTile = -1;
    int hoverView = -1; // in a race, the view the cursor is over
    // While a figure is dragged each new record shows whole at once: no playback.
    bool atOnce = false;
};

// A view's picture of the board drawn flat: one texel a tile, kept while the walk it shows
// and the board stay as they were. Each view has its own (view/board_sight.h makes it).
struct FlatBoard {
    unsigned texture = 0; // an OpenGL texture name; 0 before the first drawing
    int columns = 0;
    int rows = 0;
    // What the texels were built from: the board's tiles, the walk's record and lights, the
    // view's mode and the playback's step.
    struct Key {
        long long tiles = -1;
        long long record = -1;
        long long marks = -1;
        int mode = -1;
        int step = -1;
        bool operator==(const Key&) const = default;
    } key;
    std::vector<std::uint8_t> texels; // red, green, blue and alpha
};

constexpr int RacerCount = 4;

struct Racer {
    Walk walk;
    FlatBoard flat;
};

struct Session {
    // The race: four searches side by side on the same board, each in a quarter of the
    // window, with its own walk, all to the same banana. C starts and ends it; the world's
    // own walk goes on under it and shows again when it ends.
    bool racing = false;
    // Fog: each walk's monkey knows only what it has seen, `sight` tiles round every tile it
    // stood on (F turns it on and off).
    bool fog = false;
    int sight = DefaultSight;
    // By viewport: top left, top right, bottom left, bottom right.
    Racer racers[RacerCount];
    SearchView view;
    FlatBoard flat; // the picture of the flat board in the one view outside a race
    Session();
};

// The session's actions on the racers (world/session.cpp), called by the world's own
// operations after they have acted on its walk, and by the controls.
//
// The race started on the world's walk, or ended.
void setRace(World& w, bool on);
// The world's walk started over or searched (a click, a drag, a problem): every racer
// starts over on its start and, with the banana out, is planned to it.
void racersStartOver(World& w);
// The board or the rule changed: every racer is planned again from where its monkey is.
void racersReplan(World& w);
// The map was read again: a race starts over on it.
void racersRestart(World& w);
// Viewport `index` races with `kind`, or counts with `settings`, from now on, planned again
// from where its monkey is.
void setRacer(World& w, int index, SearchKind kind);
void setRacerSettings(World& w, int index, const SearchSettings& settings);
// The racers' searches under way, carried on by `tiles` each, one racer after another;
// whether any is still under way.
bool advanceRace(World& w, long long tiles);
