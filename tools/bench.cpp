// Every problem of a benchmark scenario file, run with one search or all of them: how many
// walks match the listed length, the worst ratio, the tiles closed and the time a problem.
//
//   bench MAPFILE SCENFILE [--search NAME | --search all] [--rule RULE] [--csv FILE]
//         [--every N]
//
// Under the benchmark's rule (the default) every search that promises a cheapest walk is
// checked against every listed length: a mismatch is named on standard error, with exit
// status 1.
#include "tools/bench.h"
#include "app/command.h"
#include "tools/map_input.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <thread>

namespace {

const char* const Usage =
    "usage: bench MAPFILE SCENFILE [--search NAME | --search all] [--rule RULE] [--csv FILE]\n"
    "             [--every N] [--heuristic NAME] [--weight W] [--jobs N] [--shard K/N]\n";

const char* const OptionLines =
    "  MAPFILE          a map in either format\n"
    "  SCENFILE         a benchmark scenario file of problems on it\n"
    "  --search NAME    first-sight A*, A*, Dijkstra, greedy, breadth-first, JPS, Theta*,\n"
    "                   bidirectional A*, bidirectional Dijkstra or D* Lite; all (the\n"
    "                   default) runs each\n"
    "  --rule RULE      benchmark (the default: no corner cut, diagonals 1.41421356) or\n"
    "                   \"corners cut\" or \"four ways\" (the program's own, where listed\n"
    "                   lengths do not apply)\n"
    "  --csv FILE       a row per problem and search: problem,bucket,search,listed,length,\n"
    "                   closed,us\n"
    "  --every N        problems 1, 1 + N, 1 + 2N, ... only\n"
    "  --jobs N         run the problems on N threads (default: every core); rows and\n"
    "                   table as on one, in the problems' order\n"
    "  --shard K/N      only the K-th of N contiguous, equal shares of the problems (after\n"
    "                   --every): the CSVs of shards 1 to N in turn are one run's\n"
    "  --heuristic NAME octile, Manhattan, Euclidean, Chebyshev or none, for A*, greedy,\n"
    "                   JPS and bidirectional A* (the others ignore it in a run of several)\n"
    "  --weight W       the value of A*, JPS and bidirectional A* is g + W x h, W from 1 to\n"
    "                   10 (default 1)\n";

int usage(const std::string& why) {
    if (!why.empty()) {
        std::cerr << "bench: " << why << '\n';
    }
    std::cerr << Usage;
    return 2;
}

bool wholeFrom1(const std::string& value, int* out) {
    const char* end = value.data() + value.size();
    const auto [after, error] = std::from_chars(value.data(), end, *out);
    return !value.empty() && error == std::errc() && after == end && *out >= 1;
}

// The options, or the exit status of a usage error (2) after saying what is wrong.
int parseOptions(int argc, char** argv, BenchOptions* options) {
    options->jobs = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    std::vector<std::string> files;
    for (int i = 1; i < argc; i++) {
        const std::string word = argv[i];
        const bool valued = word == "--search" || word == "--rule" || word == "--csv" ||
                            word == "--every" || word == "--heuristic" || word == "--weight" ||
                            word == "--jobs" || word == "--shard";
        if (!valued) {
            if (word.rfind("--", 0) == 0) {
                return usage("\"" + word + "\" is not an option");
            }
            files.push_back(word);
            continue;
        }
        if (i + 1 == argc) {
            return usage(word + " needs a value");
        }
        const std::string value = argv[++i];
        if (word == "--search") {
            SearchKind kind = SearchKind::AStar;
            if (value != "all" && !searchNamed(value, &kind)) {
                return usage("\"" + value + "\" is not a search");
            }
            // Several --search NAME run together; all, or the first NAME, starts the list.
            if (value == "all" || !options->oneSearch) {
                options->searches.clear();
            }
            options->oneSearch = value != "all";
            for (int k = 0; k < SearchKindCount; k++) {
                const SearchKind each = static_cast<SearchKind>(k);
                const bool listed = std::find(options->searches.begin(), options->searches.end(),
                                              each) != options->searches.end();
                if ((value == "all" || each == kind) && !listed) {
                    options->searches.push_back(each);
                }
            }
        } else if (word == "--rule" && !ruleNamed(value, &options->rule)) {
            return usage("--rule takes \"corners cut\", benchmark or \"four ways\"");
        } else if (word == "--heuristic" || word == "--weight") {
            const std::string why = word == "--weight" ? readWeight(value, &options->chosen)
                                                       : readHeuristic(value, &options->chosen);
            if (!why.empty()) {
                return usage(why);
            }
        } else if (word == "--csv") {
            options->csv = value;
        } else if (word == "--jobs" && !wholeFrom1(value, &options->jobs)) {
            return usage("--jobs takes a whole number from 1, not \"" + value + "\"");
        } else if (word == "--shard") {
            const std::size_t slash = value.find('/');
            if (slash == value.npos || !wholeFrom1(value.substr(0, slash), &options->shard) ||
                !wholeFrom1(value.substr(slash + 1), &options->shards) ||
                options->shard > options->shards) {
                return usage("--shard takes K/N with 1 <= K <= N, not \"" + value + "\"");
            }
        } else if (word == "--every") {
            const char* end = value.data() + value.size();
            const auto [after, error] = std::from_chars(value.data(), end, options->every);
            if (error != std::errc() || after != end || options->every < 1) {
                return usage("--every takes a whole number from 1");
            }
        }
    }
    if (files.size() != 2) {
        return usage("");
    }
    if (const std::string why = settingsRefusal(options->searches, options->chosen); !why.empty()) {
        return usage(why);
    }
    options->mapFile = files[0];
    options->scenarioFile = files[1];
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (const std::optional<int> status =
            answerHelpOrVersion(argc, argv, "bench", std::string(Usage) + OptionLines)) {
        return *status;
    }
    BenchOptions options;
    if (const int status = parseOptions(argc, argv, &options)) {
        return status;
    }
    // The map's tiles alone: the searches need no model.
    MapBoard map;
    Scenario scenario;
    if (!readMapAndScenario("bench", options.mapFile, options.scenarioFile, map, scenario)) {
        return 1;
    }
    map.board.rule = options.rule;
    if (options.rule == MoveRule::Benchmark && !map.board.oneCost()) {
        std::cerr << "bench: warning: " << options.mapFile
                  << " has stones or water, and the listed lengths assume a board of one cost\n";
    }
    // The searches that need a board of one cost are left out of a run of all, and refused
    // when named.
    std::erase_if(options.searches, [&](SearchKind kind) {
        const bool out = !searchRunsOn(kind, map.board);
        if (out) {
            std::cerr << "bench: " << oneCostNotice(kind) << '\n';
        }
        return out;
    });
    if (options.searches.empty()) {
        return 1;
    }
    std::ofstream csv;
    if (!options.csv.empty()) {
        csv.open(options.csv);
        if (!csv) {
            std::cerr << "bench: " << options.csv << ": cannot be written\n";
            return 1;
        }
        csv << "problem,bucket,search,listed,length,closed,us\n";
    }
    const BenchTally tally =
        runScenario(map.board, scenario, options, csv.is_open() ? &csv : nullptr);
    if (csv.is_open() && !csv.flush()) {
        std::cerr << "bench: " << options.csv << ": could not be written to the end\n";
        return 1;
    }
    printTally(tally, options);
    return tally.mismatches.empty() ? 0 : 1;
}
