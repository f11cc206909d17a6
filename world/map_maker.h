// Maps made on request: a perfect maze, rooms joined by doors, or tiles drawn at random.
// The same recipe and seed give the same map on every machine.
#pragma once

#include "world/map_file.h"

#include <string>

enum class MapKind { Maze, Rooms, Random };

struct MapRecipe {
    MapKind kind = MapKind::Maze;
    int columns = 16;
    int rows = 16;
    unsigned seed = 1;
    // Random maps: the share of each kind in percent; the rest is ground.
    int trees = 20;
    int stones = 10;
    int water = 5;
};

// "maze", "rooms", "random".
const char* mapKindName(MapKind kind);
bool mapKindNamed(const std::string& name, MapKind* kind);
// "" when the recipe can be made, else why not: a side below 3 or past the map limits, or
// shares that are not 0 to 100 or add up past 100.
std::string recipeProblem(const MapRecipe& recipe);
// The map's codes, row by row, kinds of the tile table.
MapCodes makeMap(const MapRecipe& recipe);
// The map in the map.txt format.
std::string mapText(const MapCodes& map);
