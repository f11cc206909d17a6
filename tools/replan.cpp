// Every problem of a benchmark scenario file walked under fog: the monkey plans on what it
// knows, steps, looks round and plans again, with D* Lite repairing one search (or another
// search planning from nothing), and at every plan A* from nothing on the same knowledge
// beside it. It checks each plan's cost against A*'s and that no walk enters a tree.
//
//   replan MAPFILE SCENFILE [--fog R] [--search NAME] [--rule RULE] [--every N] [--csv FILE]
//          [--walks FILE]
#include "app/command.h"
#include "path/fogged_walk.h"
#include "tools/map_input.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

const char* const Usage =
    "usage: replan MAPFILE SCENFILE [--fog R] [--search NAME] [--rule RULE] [--every N]\n"
    "              [--csv FILE] [--walks FILE]\n";

const char* const OptionLines =
    "  --fog R          the monkey sees R tiles round every tile it stands on, 1 to 64\n"
    "                   (default 5)\n"
    "  --search NAME    plan with that search from nothing each time, in D* Lite's place\n"
    "  --rule RULE      benchmark (the default), \"corners cut\" or \"four ways\"\n"
    "  --every N        problems 1, 1 + N, 1 + 2N, ... only\n"
    "  --csv FILE       a row per plan: problem,plan,column,row,cost,scratch_cost,closed,\n"
    "                   scratch_closed\n"
    "  --walks FILE     a line per problem: every tile the monkey stood on, in order\n";

struct Options {
    std::string mapFile, scenarioFile, csv, walks;
    int fog = DefaultSight;
    int every = 1;
    SearchKind kind = SearchKind::DStarLite;
    MoveRule rule = MoveRule::Benchmark;
};

int usage(const std::string& why) {
    if (!why.empty()) {
        std::cerr << "replan: " << why << '\n';
    }
    std::cerr << Usage;
    return 2;
}

bool wholeIn(const std::string& value, int least, int most, int* out) {
    const char* end = value.data() + value.size();
    const auto [after, error] = std::from_chars(value.data(), end, *out);
    return error == std::errc() && after == end && *out >= least && *out <= most;
}

// The options, or the exit status of a usage error (2) after saying what is wrong.
int parseOptions(int argc, char** argv, Options* o) {
    std::vector<std::string> files;
    for (int i = 1; i < argc; i++) {
        const std::string word = argv[i];
        const bool valued = word == "--fog" || word == "--search" || word == "--rule" ||
                            word == "--every" || word == "--csv" || word == "--walks";
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
        if (word == "--fog" && !wholeIn(value, 1, MaxSight, &o->fog)) {
            return usage("--fog takes a whole number from 1 to 64, not \"" + value + "\"");
        } else if (word == "--search" && !searchNamed(value, &o->kind)) {
            return usage("\"" + value + "\" is not a search");
        } else if (word == "--search" && anyAngle(o->kind)) {
            return usage(value + " walks in segments; a fogged walk steps tile by tile");
        } else if (word == "--rule" && !ruleNamed(value, &o->rule)) {
            return usage("--rule takes benchmark, \"corners cut\" or \"four ways\"");
        } else if (word == "--every" && !wholeIn(value, 1, 1 << 30, &o->every)) {
            return usage("--every takes a whole number from 1");
        } else if (word == "--csv") {
            o->csv = value;
        } else if (word == "--walks") {
            o->walks = value;
        }
    }
    if (files.size() != 2) {
        return usage("");
    }
    o->mapFile = files[0];
    o->scenarioFile = files[1];
    return 0;
}

std::string costWords(double cost) {
    if (cost == HUGE_VAL) {
        return "-";
    }
    char text[48];
    std::snprintf(text, sizeof text, "%.8f", cost);
    return text;
}

// Whether a plan's cost is A*'s, within a relative 1e-9 (both none counts as the same).
bool sameCost(double a, double b) {
    if (a == HUGE_VAL || b == HUGE_VAL) {
        return a == b;
    }
    return std::abs(a - b) <= 1e-9 * std::max({1.0, std::abs(a), std::abs(b)});
}

struct Totals {
    int problems = 0, walked = 0;
    long long plans = 0, closed = 0, scratchClosed = 0;
    double seconds = 0, scratchSeconds = 0;
    bool failed = false;
};

// One problem walked: its rows to the files, its figures to the totals; false on a fault.
void walkProblem(const Board& board, const Options& o, const ScenarioProblem& p, std::ostream* csv,
                 std::ostream* walks, Totals& t) {
    const int start = p.startRow * board.columns + p.startColumn;
    const int goal = p.goalRow * board.columns + p.goalColumn;
    const FoggedWalk walk = walkUnderFog(board, start, goal, o.fog, o.kind);
    const std::string where = o.scenarioFile + ":" + std::to_string(p.line);
    t.problems++;
    t.walked += walk.reached;
    t.seconds += walk.seconds;
    t.scratchSeconds += walk.scratchSeconds;
    const bool checked = promiseOf(o.kind, {}, board.rule) == Promise::Shortest;
    for (std::size_t i = 0; i < walk.plans.size(); i++) {
        const FoggedPlan& plan = walk.plans[i];
        t.plans++;
        t.closed += plan.closed;
        t.scratchClosed += plan.scratchClosed;
        if (csv) {
            *csv << p.number << ',' << i + 1 << ',' << plan.tile % board.columns << ','
                 << plan.tile / board.columns << ',' << costWords(plan.cost) << ','
                 << costWords(plan.scratchCost) << ',' << plan.closed << ',' << plan.scratchClosed
                 << '\n';
        }
        if (checked && !sameCost(plan.cost, plan.scratchCost) && !t.failed) {
            std::cerr << "replan: " << where << ": plan " << i + 1 << ": " << searchName(o.kind)
                      << " found " << costWords(plan.cost) << ", A* from nothing "
                      << costWords(plan.scratchCost) << '\n';
            t.failed = true;
        }
    }
    if (walks) {
        *walks << p.number << ':';
        for (int tile : walk.stood) {
            *walks << ' ' << tile % board.columns << ',' << tile / board.columns;
        }
        *walks << '\n';
    }
    if (walk.intoTree) {
        const int at = walk.stood.back();
        std::cerr << "replan: " << where
                  << ": the walk entered a tile that cannot be entered after " << at % board.columns
                  << ',' << at / board.columns << '\n';
        t.failed = true;
    }
    if (walk.gaveUp) {
        std::cerr << "problem " << p.number << ": gave up after " << MostPlans << " plans\n";
        t.failed = true;
    }
}

} // namespace

int main(int argc, char** argv) {
    if (const std::optional<int> status =
            answerHelpOrVersion(argc, argv, "replan", std::string(Usage) + OptionLines)) {
        return *status;
    }
    Options o;
    if (const int status = parseOptions(argc, argv, &o)) {
        return status;
    }
    MapBoard map;
    Scenario scenario;
    if (!readMapAndScenario("replan", o.mapFile, o.scenarioFile, map, scenario)) {
        return 1;
    }
    map.board.rule = o.rule;
    std::ofstream csv, walks;
    for (auto [file, name] : {std::pair{&csv, o.csv}, std::pair{&walks, o.walks}}) {
        if (!name.empty() && !(file->open(name), *file)) {
            std::cerr << "replan: " << name << ": cannot be written\n";
            return 1;
        }
    }
    if (csv.is_open()) {
        csv << "problem,plan,column,row,cost,scratch_cost,closed,scratch_closed\n";
    }
    Totals t;
    for (const ScenarioProblem& p : scenario.problems) {
        if ((p.number - 1) % o.every == 0) {
            walkProblem(map.board, o, p, csv.is_open() ? &csv : nullptr,
                        walks.is_open() ? &walks : nullptr, t);
        }
    }
    for (auto [file, name] : {std::pair{&csv, o.csv}, std::pair{&walks, o.walks}}) {
        if (file->is_open() && !file->flush()) {
            std::cerr << "replan: " << name << ": could not be written to the end\n";
            return 1;
        }
    }
    std::printf("%-22s %8s %8s %12s %18s %8s\n", "search", "problems", "plans", "closed_all",
                "scratch_closed_all", "walked");
    std::printf("%-22s %8d %8lld %12lld %18lld %8d\n", searchName(o.kind), t.problems, t.plans,
                t.closed, t.scratchClosed, t.walked);
    std::fprintf(stderr, "replan: plans %.3f s in all, A* from nothing %.3f s\n", t.seconds,
                 t.scratchSeconds);
    return t.failed ? 1 : 0;
}
