// The map and scenario files a tool runs on, read as the program reads them: each problem
// said on standard error after the tool's name, one line each.
#pragma once

#include "world/map_board.h"
#include "world/map_file.h"
#include "world/scenario.h"

#include <iostream>
#include <string>
#include <vector>

// False, after saying why, when either file cannot be used.
inline bool readMapAndScenario(const char* tool, const std::string& mapFile,
                               const std::string& scenarioFile, MapBoard& map, Scenario& scenario) {
    std::vector<std::string> problems;
    readTiles(map, readMap(mapFile, problems));
    if (problems.empty()) {
        readScenario(scenarioFile, map, scenario, problems);
    }
    for (const std::string& problem : problems) {
        std::cerr << tool << ": " << problem << '\n';
    }
    return problems.empty();
}
