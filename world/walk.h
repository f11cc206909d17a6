// A walk: a monkey's way from its start to its target, as one value. The world's own walk is
// one, each racer's another; what acts on a walk (planning it, stepping its walker, drawing
// it, describing it) is handed the walk, and nothing swaps one into the world.
#pragma once

#include "mesh/mesh.h"
#include "path/dstar_lite.h"
#include "path/fog.h"
#include "path/search.h"

#include <cstdint>
#include <vector>

// Where the playback of a search stands: step k shows the first k tiles closed and the open
// list as it stood after the k-th was expanded; the fraction is the next step under way.
// `serial` is the record it plays: a new record starts it over.
struct Playback {
    long long serial = -1;
    double shown = 0.0;
    bool playing = false;
    bool paused = false;
};

// What a walk's search is doing: nothing, planning the walk, or finding the cheapest walk
// between the same tiles, which the figures set beside the one found.
enum class Planning : std::uint8_t { Idle, Walk, Cheapest };

struct Walk {
    // Its search, and the tiles it walks between (-1: not chosen).
    SearchKind kind = SearchKind::FirstSightAStar;
    SearchSettings settings; // its heuristic and weight, where its search takes them
    int start = -1;
    int target = -1;

    // Its search (under way, or ended and knowing what it knew of each tile), the record of
    // what it did, and the playback of it; while the cheapest walk is looked for, that
    // search and its record.
    Planning planning = Planning::Idle;
    GridSearch query;
    SearchRecord search;
    GridSearch cheapestQuery;
    SearchRecord cheapestSearch;
    Playback playback;
    Route found;    // the walk its search found, and its cost
    Route cheapest; // the cheapest walk between the same tiles

    // The tiles drawn lit: its start, its target and the tiles of the walk found (of an
    // any-angle walk, every tile its segments cross), per tile and as a list; a new serial
    // each time they are worked out.
    std::vector<std::uint8_t> marked;
    std::vector<int> litTiles;
    long long marksSerial = 0;

    // The walker: the waypoints still to reach (the target first, the next one last), the
    // frames done of the current step, where that step began, and the bobbing counter.
    bool walking = false;
    std::vector<Vec3> path;
    int stepFrame = 0;
    float walkFromX = 0.0f;
    float walkFromZ = 0.0f;
    int bobFrame = 0;
    // An any-angle walk's step is a segment, walked at the pace of straight steps: each tile
    // length of it takes the world's stepFrames frames. Its length in tile lengths (0: a step
    // of the grid, which takes stepFrames frames whatever its length) and how far along it the
    // monkey has got; stepFrame then follows, from 0 at its start to stepFrames at its end.
    double stepTiles = 0.0;
    double stepWalked = 0.0;
    // Its monkey: where it stands and faces, and whether it shows; the shape is shared.
    Mesh monkey;
    // A re-plan that caught the monkey mid-step: the waypoint it finishes that step at once
    // the search ends.
    bool resumeStep = false;
    Vec3 resumeWaypoint{};

    // Under fog: what its monkey knows of the board (nothing seen: no fog), the tile it last
    // looked round from, and every tile closed by every plan of this walk so far.
    Fog fog;
    int lookedFrom = -1;
    long long closedInAll = 0;
    double walkedCost = 0; // of the steps taken before the last plan: its cost counts them
    int origin = -1;       // the tile the walk began on, which its cheapest walk starts from
    bool fogged() const { return !fog.seen.empty(); }
    // Planned again part way (under fog, or after a paint or a new search): the cheapest
    // walk is the whole walk's, from where it began.
    bool partWay() const { return fogged() || walkedCost > 0; }
    int cheapestFrom() const { return partWay() ? origin : start; }

    // D* Lite's search, kept between the plans of this walk (`repairs`: begun on its target,
    // board and rule), the tiles changed since its last plan, and after a repair the tiles an
    // A* from nothing closed on the same knowledge (-1: the last plan was no repair). Each
    // tile's place in the last plan's closing order, for the search view (-1: not closed).
    DStarLite dstar;
    bool repairs = false;
    std::vector<int> changedTiles;
    long long newSearchClosed = -1;
    std::vector<int> dstarClosedAt;
    bool dstarBegun = false;     // a plan begun and not yet ended
    bool dstarRepairing = false; // and it repairs the one before

    bool searching() const { return planning != Planning::Idle; }
    bool lit(int tile) const {
        return tile >= 0 && tile < static_cast<int>(marked.size()) && marked[tile] != 0;
    }
};
