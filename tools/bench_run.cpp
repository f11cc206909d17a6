// Running a scenario's problems with each search, timed one by one, and the table of what
// they did.
#include "tools/bench.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <cstdio>
#include <iostream>
#include <ostream>
#include <thread>
#include <vector>

#include <unistd.h>

namespace {

// A bar of 40 marks, drawn again only when it grows, so that it costs nothing beside the
// searches; the last one ends its line.
void showProgress(std::size_t done, std::size_t total) {
    // Into a file or a pipe a bar would be a log of a hundred lines run together.
    static const bool terminal = isatty(STDERR_FILENO) != 0;
    if (!terminal) {
        return;
    }
    static int shown = -1;
    const int marks = total == 0 ? 40 : static_cast<int>(done * 40 / total);
    if (marks == shown && done != total) {
        return;
    }
    shown = marks;
    std::fprintf(stderr, "\rbench: [%s%s] %zu of %zu problems", std::string(marks, '#').c_str(),
                 std::string(40 - marks, '.').c_str(), done, total);
    if (done == total) {
        std::fputc('\n', stderr);
        shown = -1;
    }
}

// One problem with one search: the walk's length under the board's rule (-1: none found),
// the tiles closed and the microseconds the search alone took.
struct Run {
    double length = -1;
    std::size_t closed = 0;
    double us = 0;
};

// Nobody listens to the search: it records nothing, and the walk is read from its frontier
// after the clock has stopped.
Run runOne(const Board& board, GridSearch& search, SearchKind kind, const SearchSettings& settings,
           int start, int goal) {
    prepareSearch(board, kind); // once for the board: what it makes is kept
    const auto began = std::chrono::steady_clock::now();
    search.begin(board, kind, start, goal, settings);
    search.advance(board, LLONG_MAX);
    const auto took = std::chrono::steady_clock::now() - began;
    Run run;
    run.us = std::chrono::duration<double, std::micro>(took).count();
    run.closed = static_cast<std::size_t>(search.closedCount());
    if (search.found) {
        run.length = walkCost(board, kind, start, search.walkFound());
    }
    return run;
}

// Whether a length matches the listed one: no longer than the competitions accept, and no
// shorter than the listed lengths' six printed digits allow.
bool matches(double length, double listed) {
    return length >= 0 && length <= listed * ListedTolerance && length >= listed * ListedShortest;
}

// Whether a walk keeps what its search promised: the listed length, or no more than the
// weight times it.
bool keeps(Promise promise, double weight, double length, double listed) {
    switch (promise) {
    case Promise::Shortest:
        return matches(length, listed);
    case Promise::Bounded:
        return length >= 0 && length <= weight * listed * ListedTolerance &&
               length >= listed * ListedShortest;
    case Promise::None:
        break;
    }
    return true;
}

} // namespace

namespace {

// The problems this run takes: every `every`-th, then its shard of them, contiguous.
std::vector<std::size_t> problemsRun(const Scenario& scenario, const BenchOptions& options) {
    std::vector<std::size_t> all;
    for (std::size_t p = 0; p < scenario.problems.size(); p += options.every) {
        all.push_back(p);
    }
    const std::size_t n = all.size(), shards = options.shards, k = options.shard;
    return std::vector<std::size_t>(all.begin() + static_cast<long>((k - 1) * n / shards),
                                    all.begin() + static_cast<long>(k * n / shards));
}

// Every search on every problem taken, on `jobs` threads, each with its own searches, taking
// the problems a few at a time as it comes free: a scenario's problems grow longer down the
// file, so equal parts would leave one thread the long ones. Each problem is timed alone on
// its thread, and its row kept in its place.
std::vector<Run> runAll(const Board& board, const Scenario& scenario,
                        const std::vector<std::size_t>& taken, const BenchOptions& options) {
    constexpr std::size_t Block = 8;
    const std::size_t searches = options.searches.size();
    std::vector<Run> runs(taken.size() * searches);
    std::atomic<std::size_t> next{0}, done{0};
    const auto work = [&](bool shows) {
        GridSearch search; // its frontier kept from one problem to the next
        for (std::size_t from; (from = next.fetch_add(Block)) < taken.size();) {
            for (std::size_t i = from; i < std::min(from + Block, taken.size()); i++) {
                const ScenarioProblem& problem = scenario.problems[taken[i]];
                const int start = problem.startRow * board.columns + problem.startColumn;
                const int goal = problem.goalRow * board.columns + problem.goalColumn;
                for (std::size_t k = 0; k < searches; k++) {
                    runs[i * searches + k] = runOne(board, search, options.searches[k],
                                                    options.chosen.settings, start, goal);
                }
                const std::size_t now = ++done;
                if (shows) {
                    showProgress(now, taken.size());
                }
            }
        }
    };
    const std::size_t jobs = std::max<std::size_t>(
        1, std::min<std::size_t>(static_cast<std::size_t>(options.jobs), taken.size()));
    std::vector<std::thread> threads;
    for (std::size_t j = 1; j < jobs; j++) {
        threads.emplace_back(work, false);
    }
    work(true);
    for (std::thread& t : threads) {
        t.join();
    }
    if (jobs > 1 && !taken.empty()) {
        showProgress(taken.size(), taken.size());
    }
    return runs;
}

} // namespace

BenchTally runScenario(const Board& board, const Scenario& scenario, const BenchOptions& options,
                       std::ostream* csv) {
    BenchTally tally;
    for (SearchKind kind : options.searches) {
        tally.searches.push_back(SearchTally{kind});
    }
    const bool benchmark = options.rule == MoveRule::Benchmark;
    const int decimals = benchmark ? 8 : 0;
    const std::vector<std::size_t> taken = problemsRun(scenario, options);
    const std::vector<Run> runs = runAll(board, scenario, taken, options);
    // The rows and the tally in the problems' order, whatever thread ran them.
    for (std::size_t i = 0; i < taken.size(); i++) {
        const ScenarioProblem& problem = scenario.problems[taken[i]];
        for (std::size_t k = 0; k < tally.searches.size(); k++) {
            SearchTally& t = tally.searches[k];
            const Run& run = runs[i * tally.searches.size() + k];
            t.problems++;
            t.closed += static_cast<double>(run.closed);
            t.us += run.us;
            if (benchmark && problem.listed > 0 && run.length >= 0) {
                t.worst = std::max(t.worst, run.length / problem.listed);
            }
            const bool match = matches(run.length, problem.listed);
            t.optimal += match;
            if (benchmark &&
                !keeps(promiseOf(t.kind, options.chosen.settings, options.rule),
                       weightOf(t.kind, options.chosen.settings), run.length, problem.listed)) {
                char line[256];
                std::snprintf(line, sizeof line, "%s:%d: %s found %s, listed %.8f",
                              scenario.fileName.c_str(), problem.line, searchName(t.kind),
                              run.length < 0 ? "no walk"
                                             : costText(run.length, options.rule, 8).c_str(),
                              problem.listed);
                tally.mismatches.push_back(line);
            }
            if (csv != nullptr) {
                *csv << problem.number << ',' << problem.bucket << ',' << searchName(t.kind) << ','
                     << costText(problem.listed, MoveRule::Benchmark, 8) << ','
                     << (run.length < 0 ? "" : costText(run.length, options.rule, decimals)) << ','
                     << run.closed << ',' << costText(run.us, MoveRule::Benchmark, 1) << '\n';
            }
        }
    }
    return tally;
}

void printTally(const BenchTally& tally, const BenchOptions& options) {
    for (const std::string& line : tally.mismatches) {
        std::cerr << "bench: " << line << '\n';
    }
    const bool benchmark = options.rule == MoveRule::Benchmark;
    std::printf("%-22s %8s %8s %10s %12s %10s\n", "search", "problems", "optimal", "worst",
                "mean_closed", "mean_us");
    for (const SearchTally& t : tally.searches) {
        const double n = std::max(t.problems, 1);
        char optimal[16] = "-", worst[24] = "-";
        if (benchmark) {
            std::snprintf(optimal, sizeof optimal, "%d", t.optimal);
            std::snprintf(worst, sizeof worst, "%.6f", t.worst);
        }
        std::printf("%-22s %8d %8s %10s %12.1f %10.1f\n", searchName(t.kind), t.problems, optimal,
                    worst, t.closed / n, t.us / n);
    }
}
