// The one scene object: the board read from the map (its tiles' codes, world/map_board.h),
// the tiles' and the two figures' models, the pace, and the world's own walk. Every walk, the
// world's own and each racer's, is a value (world/walk.h) that the world's operations are handed.
#pragma once

#include "mesh/mesh.h"
#include "path/board.h"
#include "path/search.h"
#include "path/search_trace.h"
#include "world/map_board.h"
#include "world/scenario.h"
#include "world/session.h"
#include "world/tile_geometry.h"
#include "world/walk.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct MapCodes;

// The random source for tile turns and tree choice: integers from 0 to 32767. Tests point
// it at a scripted sequence; the program keeps the default, seeded from the clock.
extern int (*randomDraw)();
int defaultRandomDraw();

// The format the map was read in, so that a save writes it back the same way: the map.txt
// codes, or the benchmark sets' characters with the header and line ends read.
struct MapFormat {
    bool benchmark = false;
    std::vector<char> chars;
    std::string header;
    bool crlf = false;
};

// The figures' models and their colours.
struct FigureModel {
    const char* file;
    double color[3];
};
inline constexpr FigureModel MonkeyModel{"monkey.obj", {1.0, 0.6, 0.2}};
inline constexpr FigureModel BananaModel{"banan.obj", {1.0, 1.0, 0.0}};

// The part of the board a view draws: tiles outside the columns and rows from 0 to 1 are not
// drawn, and with `models` off none is drawn as a model: the view draws the board flat, as
// it looks from far above.
struct DrawnTiles {
    int column0 = 0;
    int column1 = INT_MAX;
    int row0 = 0;
    int row1 = INT_MAX;
    bool models = true;
};

// Calls `act` with each tile of the board the view draws, row by row.
template <typename Act>
void forEachTileInSight(const Board& board, const DrawnTiles& sight, Act act) {
    const int c0 = std::max(sight.column0, 0);
    const int c1 = std::min(sight.column1, board.columns - 1);
    const int r1 = std::min(sight.row1, board.rows - 1);
    for (int r = std::max(sight.row0, 0); r <= r1; r++) {
        for (int c = c0; c <= c1; c++) {
            act(r * board.columns + c);
        }
    }
}

// What a left press on a tile may drag.
enum class DraggedFigure : std::uint8_t { None, Monkey, Banana };

struct World : MapBoard {
    // 0: the next accepted click chooses the start tile; 1: it chooses the target tile.
    std::uint8_t clickPhase = 0;
    // Frames every monkey takes from one waypoint to the next.
    int stepFrames = 100;
    // Each tile's model, placed at its anchor (none for a code without a kind, or outside).
    std::vector<Mesh> tileModels;
    Mesh banana;
    Walk walk; // the world's own
    // The racers' walks beside it and the views' state (world/session.h): what the world does
    // to its walk, the session does to every racer's.
    Session session;
    // Every distinct problem met while reading the map and the models, one line each,
    // e.g. `map.txt:3: "x7" is not a tile code`. Empty when the world is sound.
    std::vector<std::string> problems;
    // The map file the world was read from, and the folder of the models: beside the map
    // when `modelFolder` is empty.
    std::string mapFileName;
    std::string modelFolder;
    MapFormat mapFormat;
    // Each model, read once and shared by the tiles and figures that show it; a model the map
    // never needed is read when first painted.
    std::map<std::string, std::shared_ptr<MeshShape>> models;
    std::shared_ptr<MeshShape> model(const std::string& modelName);
    // Tiles painted since the map was read or saved.
    bool unsavedPaints = false;
    // The benchmark problems opened with the map (none: no problems), and the one the walk
    // was last set to, from 1 (0: none yet).
    Scenario scenario;
    int problemAt = 0;
    // The most tiles a plan closes when asked; the window sets a slice so that its frames go
    // on while a big board is searched. The rest of the program searches at once.
    long long searchSlice = LLONG_MAX;

    explicit World(std::string mapFileName, std::string modelFolder = "");
    // A world of tiles given in memory (a made map), its models read as for `mapFileName`.
    World(MapCodes map, std::string mapFileName, std::string modelFolder);
    void build(MapCodes map);
    // The board sized, every tile ground with no model, placed at its anchor.
    void buildGrid(int columns, int rows);
    World(const World&) = delete;
    World& operator=(const World&) = delete;
    World(World&&) = default;
    World& operator=(World&&) = default;

    // Giving a tile its kind (world/world.cpp): model, extra cost, turn and colour as the
    // map's code says, the model at the tile's anchor. `read` reads a model into a mesh; when it
    // cannot, the tile stays as it was and this returns false.
    using ModelReader = std::function<bool(const std::string& modelName, Mesh& into)>;
    bool setTileKind(int index, int code, const ModelReader& read);
    // Takes a tile off the board: no model, no kind, never entered.
    void makeOutside(int index);
    std::string modelPath(const std::string& modelName) const;

    // A walk's life (world/walks.cpp). A new walk with `kind`, its monkey hidden.
    Walk newWalk(SearchKind kind) const;
    // The monkey stands on `tile`, lit; whatever the walk did before is gone.
    void startWalk(Walk& walk, int tile);
    // Nothing chosen, nothing lit, no search; the monkey keeps its place and visibility.
    void clearWalk(Walk& walk);
    // Plans the walk from its start to its target, closing at most `tiles` now; the rest
    // goes on with advanceWalk. It returns true once nothing more is under way.
    void planWalk(Walk& walk, long long tiles);
    bool advanceWalk(Walk& walk, long long tiles);
    // The search has ended: the monkey's path and the lights from what it found; the
    // cheapest walk comes next, unless the search promises one or found none.
    void endPlan(Walk& walk);
    // Plans the walk again from where its monkey is, to its target (after a paint or a new
    // search): from the tile it stands on, or the one it steps onto, finishing that step.
    // `sameWalk` false: a walk of its own from there (a new target), its cost counted anew.
    void replan(Walk& walk, long long tiles, bool sameWalk = true);
    // Before a plan from `tile` part way along the last: the steps taken to it, counted in
    // the walk's cost, so that a walk's figures are of the whole walk.
    void countStepsTaken(Walk& walk, int tile) const;
    // The tiles lit for the walk, worked out anew from its start, target and walk found.
    void relight(Walk& walk) const;
    int monkeyTile(const Walk& walk) const;
    // Whether the walk's monkey stands on `tile` or steps onto it, or the banana is there; and
    // whether any walk's figure does (world/session.cpp).
    bool figureOn(const Walk& walk, int tile) const;
    bool anyFigureOn(int tile) const;
    // Every walk of the session: the world's own and, in a race, the racers'.
    template <typename Act> void forEachWalk(Act act) {
        act(walk);
        for (int i = 0; session.racing && i < RacerCount; i++) {
            act(session.racers[i].walk);
        }
    }
    // How walks step: every walk set up is planned again under the new rule.
    void setRule(MoveRule rule);

    // Fog (world/fog_walks.cpp). The board a walk is planned on: what its monkey knows under
    // fog, else the board. Fog turned on or off for every walk, each planned again from where
    // its monkey stands; a walk's knowledge begun on its start; its monkey looking round from
    // the tile it has come to, planning again when what it sees differs from what the plan
    // assumed on the way ahead.
    const Board& planBoard(const Walk& walk) const {
        return walk.fogged() ? walk.fog.known : board;
    }
    void setFog(bool on);
    void beginFog(Walk& walk, int tile) const;
    void lookAround(Walk& walk);
    // D* Lite (world/dstar_walks.cpp): the walk planned, or its last plan repaired, at once;
    // a tile changed, told to every walk that repairs.
    void planWithDStar(Walk& walk, long long tiles);
    void noteChanged(int tile);

    // Click cycle (world/click.cpp): the world's own walk, and the racers after it.
    void requestPath(int x, int v);
    void clickAt(int x, int v); // the world's walk alone
    void setStart(int x, int v);
    void setTarget(int x, int v);
    // A click on the centre of a tile, handed over as the mouse step hands a pick.
    void clickTile(int index);
    // The world's own walk planned at once, from its start to its target.
    void findPath();
    // The banana shown on the world's walk's target.
    void placeBanana();
    // A search trace read from a file (world/trace_walk.cpp) shown as the world's walk: the
    // monkey on its source, the banana on its destination, the search view on and playing it,
    // then the monkey walking the walk its parents give.
    void showTrace(const SearchTrace& trace);

    // Dragging a figure with the left button (world/click.cpp); the click cycle is left as it
    // is. Whether `walk`'s monkey shows on `tile`: the one it stands on or last stood on, or
    // while it walks the one it steps onto.
    bool monkeyOn(const Walk& walk, int tile) const;
    // The figure a press on `tile` drags: the banana where it lies (it wins where both stand),
    // else the monkey of `walk` (the world's, or in a race the pressed view's racer's).
    DraggedFigure figureAt(const Walk& walk, int tile) const;
    // The world's monkey put on `tile`, its walk stopped, and planned from there through the
    // sliced search while the banana is shown; the banana put on `tile` and the walk planned
    // again from where the monkey is (it finishes the step it is taking). Each returns false,
    // and changes nothing, where the figure cannot stand (a tree, outside the board, off it)
    // or is not shown.
    bool dragMonkeyTo(int tile);
    bool dragBananaTo(int tile);
    // While the monkey is dragged it waits where it was put: the steps its plan gave the
    // walker are let go (the drag plans the walk again when it is let go).
    void holdMonkey(Walk& walk) const;
    void holdMonkeys();

    // Painting (world/paint.cpp). paintTile gives a tile a new kind, as the map would have,
    // and plans the world's walk again while the banana is shown; it returns "" or why the
    // tile stays as it was. A tree is never painted under a figure.
    int paintCycle(int index) const;
    std::string paintTile(int index, int code);

    // Walker (world/walker.cpp)
    void stepWalker(Walk& walk) const;

    // Drawing (world/scene_draw.cpp)
    void drawTiles(const Walk& walk, const DrawnTiles& sight) const;
};

// The process-wide world, built from "map.txt" beside the entry point.
extern World world;

// Frame drawing (world/scene_draw.cpp): drawFrame clears and draws the world's own walk
// over the whole board; drawScene draws one walk's scene: the light, the tiles, the walker's
// step (unless `held`: the monkey waits at a waypoint), the figures and the ground.
void setupLight();
void drawFrame();
void drawScene(World& w, Walk& walk, const DrawnTiles& sight, bool held);
