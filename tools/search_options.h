// --heuristic NAME and --weight W, as trace and bench both read them.
#pragma once

#include "path/search_kinds.h"

#include <string>
#include <vector>

// What the two options gave, and whether each was given.
struct ChosenSettings {
    SearchSettings settings;
    bool heuristicGiven = false;
    bool weightGiven = false;
};

// Reads the value of --heuristic or --weight into `chosen`: "" or what is wrong with it.
std::string readHeuristic(const std::string& value, ChosenSettings* chosen);
std::string readWeight(const std::string& value, ChosenSettings* chosen);
// "" when the searches to run take what was given, or why not: a single search that takes
// no heuristic, or no weight. With several searches those that take none ignore them.
std::string settingsRefusal(const std::vector<SearchKind>& searches, const ChosenSettings& chosen);
