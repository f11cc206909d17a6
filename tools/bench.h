// bench's parts: what its command line asks for, running the problems, and the table.
#pragma once

#include "path/search.h"
#include "tools/search_options.h"
#include "world/scenario.h"

#include <iosfwd>
#include <string>
#include <vector>

inline std::vector<SearchKind> everySearch() {
    std::vector<SearchKind> all;
    for (int k = 0; k < SearchKindCount; k++) {
        all.push_back(static_cast<SearchKind>(k));
    }
    return all;
}

struct BenchOptions {
    std::string mapFile;
    std::string scenarioFile;
    std::vector<SearchKind> searches = everySearch();
    bool oneSearch = false; // --search named one
    ChosenSettings chosen;  // --heuristic and --weight, for the searches that take them
    MoveRule rule = MoveRule::Benchmark;
    std::string csv;
    int every = 1;
    int jobs = 1;  // threads the problems are run on
    int shard = 1; // this run takes the shard-th of `shards` contiguous shares
    int shards = 1;
};

// One search's figures over the problems run.
struct SearchTally {
    SearchKind kind = SearchKind::AStar;
    int problems = 0;
    int optimal = 0;
    double worst = 0;
    double closed = 0; // sums, for the means
    double us = 0;
};

struct BenchTally {
    std::vector<SearchTally> searches;
    // A line for each listed length a search that promises a cheapest walk did not match.
    std::vector<std::string> mismatches;
};

// Runs the problems with each search asked for, a row per problem and search to `csv` when
// given, with a progress bar on standard error.
BenchTally runScenario(const Board& board, const Scenario& scenario, const BenchOptions& options,
                       std::ostream* csv);
// The table on standard output; the mismatches on standard error.
void printTally(const BenchTally& tally, const BenchOptions& options);
