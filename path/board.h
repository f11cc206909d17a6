// The board: the tiles read from the map, linked to their neighbours, and the geometry that
// places them on the ground. It knows nothing of the walks on it: every walk (the world's
// own, each racer's) is a value of its own that reads the board.
#pragma once

#include "path/grid_node.h"

#include <vector>

// A number no earlier call returned, in the whole process: records, tiles and views compare
// these to tell what changed, so one from another world or walk never matches by chance.
long long nextSerial();

struct Board {
    std::vector<GridNode> nodes;
    int columns = 0;
    int rows = 0;
    int nodeCount = 0;
    int outsideTiles = 0; // tiles not part of the board
    // Every tile's terrain cost again, packed together for the searches, which read it
    // for every neighbour they look at; setKind keeps the two the same.
    std::vector<int> costs;
    // A new serial with every tile given a kind (a paint among them): what shows changed.
    long long tilesSerial = nextSerial();

    Board() = default;
    // Every link points into `nodes`: a copy would point into the original. A move keeps the
    // storage, and with it every link.
    Board(const Board&) = delete;
    Board& operator=(const Board&) = delete;
    Board(Board&&) = default;
    Board& operator=(Board&&) = default;

    // Sizes, links and numbers the tiles, and places each at its anchor.
    void buildGrid(int columns, int rows);
    // A tile's map code and terrain cost.
    void setKind(int tile, int kind, int terrainCost);
    // The tile under ground point (x, -v), or -1 off the board.
    int tileIndexAt(int x, int v) const;
    int tileIndexOf(float column, float row) const;
    // A tile's anchor (its corner with the largest x and smallest z, where its model is
    // placed) and centre on the ground; the tile of a path waypoint (an anchor).
    Vec3 tileAnchor(int index) const;
    Vec3 tileCentre(int index) const;
    int tileOfWaypoint(const Vec3& waypoint) const;
    // The board's edges on the ground: x from `left` to `right`, z from `top` to `bottom`.
    struct Edges {
        float left, right, top, bottom;
    };
    Edges boardEdges() const;
    // What one step between neighbouring tiles costs; ImpassableCost when it is no step.
    int stepCost(int from, int to) const;
    bool passable(int tile) const { return nodes[tile].passable(); }
    // The ground point of a tile's centre as a click hands it over: x and -z, truncated.
    void clickPoint(int tile, int* x, int* v) const;

    // Text dumps for debugging by hand (path/diagnostics.cpp).
    void printHeuristics() const;
    void printTileCodes(int column, int row) const;
};
