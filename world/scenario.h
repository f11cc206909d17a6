// The scenario files of the grid benchmark sets: a "version 1" line, then one problem a line
// (bucket, map, map width and height, start, goal, listed length), read strictly against the
// board they are for.
#pragma once

#include <string>
#include <vector>

struct MapBoard;

struct ScenarioProblem {
    int line = 0;   // its line in the file, from 1 (the version line is line 1)
    int number = 0; // its place after the version line, from 1
    int bucket = 0;
    int startColumn = 0, startRow = 0, goalColumn = 0, goalRow = 0;
    double listed = 0; // the listed length of a shortest walk
};

// How far a walk may be from the listed length and still match it: the competitions accept
// up to 1.000005 times it, and some sets print their lengths to six digits only.
inline constexpr double ListedTolerance = 1.000005;
inline constexpr double ListedShortest = 0.99999;

struct Scenario {
    std::string fileName;
    std::vector<ScenarioProblem> problems;
};

// Reads a scenario file for the board of `map`, whose tiles say where no problem may start
// or end; on any problem, adds one line per problem to `problems` (via addProblem from
// world/map_file.h) and returns false, leaving `scenario` without problems.
bool readScenario(const std::string& fileName, const MapBoard& map, Scenario& scenario,
                  std::vector<std::string>& problems);
