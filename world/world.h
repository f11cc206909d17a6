// The one scene object: the tile grid read from the map, the search state, the monkey
// walker and the two figures.
#pragma once

#include "mesh/mesh.h"
#include "path/grid_node.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

// A walk as tiles, from the first step on to the target, and what it costs: each step 10 or
// 14, plus the extra cost of every tile entered, the target's included. Cost -1: no walk.
struct Walk {
    std::vector<int> tiles;
    int cost = -1;
};

// The searches a walk can be planned with, in the order the keys 1 to 5 choose them. The
// first is the program's own: A* that stops at its first sight of the target.
enum class SearchKind : std::uint8_t { FirstSightAStar, AStar, Dijkstra, Greedy, BreadthFirst };
constexpr int SearchKindCount = 5;
// "first-sight A*", "A*", "Dijkstra", "greedy", "breadth-first".
const char* searchName(SearchKind kind);
// The search of that name; false when no search has it.
bool searchNamed(const std::string& name, SearchKind* kind);

// What a search knew of a tile when it stopped: its cost from the start, its heuristic, their
// sum and the tile it was reached from.
struct TileCosts {
    int g = 0;
    int h = 0;
    int f = 0;
    int from = -1;
    bool operator==(const TileCosts&) const = default;
};

// What the last search did, step by step, for the search view. Kept for every search (a few
// appends a step) so that showing it never runs the search again.
struct SearchRecord {
    SearchKind kind = SearchKind::FirstSightAStar;
    int serial = 0; // grows with every search and every clearing: a new record
    int start = -1; // the tiles searched between
    int target = -1;
    std::vector<int> closed;   // tiles in the order the search expanded them, the start first
    std::vector<int> opened;   // tiles in the order they joined the open list
    std::vector<int> openedAt; // for each of `opened`: how many tiles were closed when it joined
    std::vector<int> walk;     // the walk found, first step first
    bool found = false;        // a walk was found (with no steps when start and target are one)
    // For each of `opened`: its costs when the search stopped; and the tile the target was
    // reached from (-1 for none).
    std::vector<TileCosts> openedCosts;
    int targetFrom = -1;

    // Tiles still open when the search stopped: every closed tile but the start left the
    // open list for it.
    int stillOpen() const {
        return static_cast<int>(opened.size()) - std::max(static_cast<int>(closed.size()) - 1, 0);
    }
};

// An entry of the open list, a binary heap: the tile, the value the search takes the
// smallest of, and the tile's place in the order of joining, which breaks ties. A tile whose
// cost drops is entered again with its old place; the entry it leaves behind is skipped.
struct OpenEntry {
    std::uint64_t rank = 0; // the key above, the order of joining below: one comparison
    int tile = 0;
};

// What the search under way knows of a tile: its costs, the tile it was reached from (-1:
// none), its place in the order of joining, and the extra cost of entering it.
struct SearchCell {
    int g = 0;
    int h = 0;
    int f = 0;
    int parent = -1;
    int order = 0;
    int cost = 0;
};

// Which list a tile is on in the search under way.
enum TileList : std::uint8_t { NotListed, OnOpenList, OnClosedList };

// Called after each step of a search with the lists as they stand; tests watch the search
// through it. The program leaves it empty.
struct World;
struct MapCodes;
extern void (*searchStepWatcher)(const World&);

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

struct World {
    std::uint8_t clickPhase = 0;
    bool walking = false;
    int stepFrames = 100;
    int stepFrame = 0;
    Mesh monkey;
    Mesh banana;
    std::vector<GridNode> nodes;
    std::vector<OpenEntry> openList;
    std::vector<GridNode*> closedList;
    std::vector<Vec3> path;
    int columns = 0;
    int rows = 0;
    int nodeCount = 0;
    GridNode* startNode = nullptr;
    GridNode* targetNode = nullptr;
    float walkFromX = 0.0f;
    float walkFromZ = 0.0f;
    int bobFrame = 0;
    // Every distinct problem met while reading the map and the models, one line each,
    // e.g. `map.txt:3: "x7" is not a tile code`. Empty when the world is sound.
    std::vector<std::string> problems;
    SearchRecord search;
    // The map file the world was read from, and the folder of the models: beside the map
    // when `modelFolder` is empty.
    std::string mapFileName;
    std::string modelFolder;
    MapFormat mapFormat;
    int outsideTiles = 0; // tiles not part of the board
    // Each tile model, read once and shared by the tiles that show it; a model the map never
    // needed is read when first painted.
    std::map<std::string, std::shared_ptr<const Mesh>> models;
    // Tiles painted since the map was read or saved.
    bool unsavedPaints = false;
    // The search the walk is planned with, and per tile the list it is on in the search.
    SearchKind searchKind = SearchKind::FirstSightAStar;
    std::vector<std::uint8_t> onList;
    int joined = 0;            // tiles that joined the open list in this search
    std::size_t queueHead = 0; // breadth-first: the next of search.opened to take
    std::vector<SearchCell> cells;
    int searchNext = -1; // the tile the search under way expands next; -1: none under way
    bool searchFound = false;
    // The most tiles a click's search closes at once; the window sets a slice so that its
    // frames go on while a big board is searched. The rest of the program searches at once.
    long long searchSlice = LLONG_MAX;
    // A re-plan that caught the monkey mid-step: the waypoint it finishes the step at once
    // the search ends.
    bool resumeStep = false;
    Vec3 resumeWaypoint{};
    // Grows with every tile given a kind (a paint among them): what shows on a tile changed.
    int tilesSerial = 0;
    // The walker waits at its next waypoint, for the playback of its search to end.
    bool walkHeld = false;

    explicit World(std::string mapFileName, std::string modelFolder = "");
    // A world of tiles given in memory (a made map), its models read as for `mapFileName`.
    World(MapCodes map, std::string mapFileName, std::string modelFolder);
    void build(MapCodes map);
    // Tiles, lists and the start and target point into `nodes`: a copy would point into
    // the original. A move keeps the tile storage, and with it every pointer.
    World(const World&) = delete;
    World& operator=(const World&) = delete;
    World(World&&) = default;
    World& operator=(World&&) = default;

    // Giving a tile its kind (world/world.cpp): model, terrain cost, turn and colour as the
    // map's code says. `read` reads a model into a mesh; when it cannot, the tile stays as
    // it was and this returns false.
    using ModelReader = std::function<bool(const std::string& modelName, Mesh& into)>;
    bool setTileKind(int index, int code, const ModelReader& read);
    // Takes a tile off the board: no model, no kind, never entered.
    void makeOutside(int index);
    std::string modelPath(const std::string& modelName) const;

    // Painting (world/paint.cpp). paintTile gives a tile a new kind, as the map would have,
    // and plans the walk again while the banana is shown; it returns "" or why the tile
    // stays as it was. A tree is never painted under a figure.
    int monkeyTile() const;
    bool figureOn(int index) const;
    int paintCycle(int index) const;
    std::string paintTile(int index, int code);
    void replan();

    // Grid (path/grid.cpp)
    void buildGrid(int columns, int rows);
    int tileIndexAt(int x, int v) const;
    int tileIndexOf(float column, float row) const;
    // Tile maths: a tile's anchor (its corner with the largest x and smallest z, where its
    // model is placed) and centre on the ground; the tile of a path waypoint (an anchor);
    // what one step between neighbouring tiles costs.
    Vec3 tileAnchor(int index) const;
    Vec3 tileCentre(int index) const;
    // The board's edges on the ground: x from `left` to `right`, z from `top` to `bottom`.
    struct Edges {
        float left, right, top, bottom;
    };
    Edges boardEdges() const;
    int tileOfWaypoint(const Vec3& waypoint) const;
    int stepCost(int from, int to) const;
    // A click on the centre of a tile, handed over as the mouse step hands a pick.
    void clickTile(int index);

    // Walks (path/walks.cpp). walkCost is -1 for tiles that are no walk from `from`.
    int walkCost(int from, const std::vector<int>& tiles) const;
    Walk cheapestWalk(int from, int to) const;

    // Click cycle (path/search.cpp)
    void requestPath(int x, int v);
    void setStart(int x, int v);
    void setTarget(int x, int v);
    void fillHeuristic(GridNode* node, int direction, int value);
    // The searches (path/best_first.cpp): findPath plans the walk from `startNode` to
    // `targetNode` with `searchKind` and records it. It is beginSearch, then advanceSearch
    // until the end; advanceSearch closes at most `tiles` tiles and says whether the search
    // ended, its walk made.
    void findPath();
    void beginSearch();
    bool advanceSearch(long long tiles);
    bool searchUnderWay() const;
    void finishSearch();
    void recordSearchEnd();
    bool expand(int current);
    void joinOpen(int tile, int g, int from);
    void closeTile(int tile);
    void clearSearchRecord();
    int lowestF();
    int heuristicOf(int tile) const;

    // Diagnostics (path/diagnostics.cpp)
    void printHeuristics() const;
    void printTileCodes(int column, int row) const;

    // Walker (world/walker.cpp)
    void stepWalker();

    // Drawing (world/scene_draw.cpp)
    void drawTiles() const;
};

// The kind a painted tile takes next: ground -> stones -> water -> tree -> ground; any other
// code becomes ground.
int nextPaintKind(int code);

// The part of the board a frame draws, set by the view before each scene (all of it unless
// told): tiles outside the columns and rows from 0 to 1 are not drawn, and with `models` off
// none is drawn as a model: the view draws the board flat, as it looks from far above.
struct DrawnTiles {
    int column0 = 0;
    int column1 = INT_MAX;
    int row0 = 0;
    int row1 = INT_MAX;
    bool models = true;
};
extern DrawnTiles drawnTiles;

// The process-wide world, built from "map.txt" beside the entry point.
extern World world;

// Frame drawing (world/scene_draw.cpp): drawFrame clears and draws the scene: the light,
// the tiles, the walker's step, the figures and the ground.
void setupLight();
void drawFrame();
void drawScene();
