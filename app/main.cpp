// Tanglor pathfinding: click a tile for the monkey, another for the banana, and watch the
// monkey walk the A* path between them.
//   tanglor [FOLDER | MAPFILE [SCENFILE]] | --help | --version
// FOLDER holds map.txt and the models (default: the current folder); MAPFILE is a map in
// either format, its models beside it or else the shipped ones; SCENFILE a benchmark scenario
// of problems on that map, opened under the benchmark's rule.
#include "app/app.h"
#include "app/command.h"
#include "platform/glfw2.h"
#include "ui/panel.h"
#include "world/map_file.h"
#include "world/trace_file.h"
#include "world/world.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

// Built before the window exists: reading the map and the models needs no OpenGL.
World world("map.txt");

namespace {

const char* const Usage = "usage: tanglor [FOLDER | MAPFILE [SCENFILE]] [--fog R] [--trace FILE]";

// What --help adds to the usage line.
const char* const Words =
    "Click a tile for the monkey, another for the banana, and watch the monkey walk the A*\n"
    "path between them.\n"
    "  FOLDER           holds map.txt and the eight models (default: the current folder)\n"
    "  MAPFILE          a map file in either format; its models beside it, else the\n"
    "                   shipped ones\n"
    "  SCENFILE         a benchmark scenario file of problems on MAPFILE: the map opens\n"
    "                   under the benchmark's rule at its first problem; [ and ] go to\n"
    "                   the one before and after\n"
    "  --fog R          start with fog on: the monkey sees R tiles round it, 1 to 64 (F\n"
    "                   turns fog on and off)\n"
    "  --trace FILE     play a search trace (YAML or JSON, format 1.x, ours or another\n"
    "                   solver's over the same map) in the search view\n";

// `--fog R` taken out of the arguments: R, 0 when not given, -1 after saying what is wrong.
int takeFog(std::vector<std::string>& args) {
    const auto at = std::find(args.begin(), args.end(), "--fog");
    if (at == args.end()) {
        return 0;
    }
    const std::string value = at + 1 == args.end() ? "" : *(at + 1);
    int sight = 0;
    const char* end = value.data() + value.size();
    const auto [after, error] = std::from_chars(value.data(), end, sight);
    if (value.empty() || error != std::errc() || after != end || sight < 1 || sight > MaxSight) {
        std::cerr << "tanglor: --fog takes a whole number from 1 to 64, not \"" << value << "\"\n";
        return -1;
    }
    args.erase(at, at + 2);
    return sight;
}

// `--trace FILE` taken out of the arguments: FILE, "" when not given; false after saying what
// is wrong.
bool takeTrace(std::vector<std::string>& args, std::string* file) {
    const auto at = std::find(args.begin(), args.end(), "--trace");
    if (at == args.end()) {
        return true;
    }
    if (at + 1 == args.end() || (at + 1)->empty()) {
        std::cerr << "tanglor: --trace takes the name of a search trace file\n";
        return false;
    }
    *file = *(at + 1);
    args.erase(at, at + 2);
    return true;
}

// Works in `folder` from here on, as if started there, so that files read or written later
// are found there too; 0 when that worked, else the exit status after one line saying why.
int enterFolder(const std::string& folder) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(folder, error);
    if (std::filesystem::is_regular_file(status)) {
        // A map file: read where it is, saved back to it.
        const std::string map = std::filesystem::absolute(folder, error).string();
        world = World(map, modelFolderFor(map, shippedAssetsFolder()));
        return 0;
    }
    if (!std::filesystem::is_directory(status)) {
        std::cerr << "tanglor: " << folder
                  << (std::filesystem::exists(status) ? ": is not a folder" : ": no such folder")
                  << " (" << Usage << ")\n";
        return 2;
    }
    std::filesystem::current_path(folder, error);
    if (error) {
        std::cerr << "tanglor: " << folder << ": " << error.message() << '\n';
        return 1;
    }
    world = World("map.txt");
    return 0;
}

// The problems of `fileName` on the map read (a MAPFILE, or a FOLDER's map.txt), which then
// steps by the benchmark's rule; 0
// when they were read, else the exit status after a line per problem.
int openScenario(const std::string& fileName) {
    if (!world.problems.empty()) {
        return 0; // the map's own problems are told below
    }
    std::vector<std::string> problems;
    if (!readScenario(fileName, world, world.scenario, problems)) {
        for (const std::string& problem : problems) {
            std::cerr << "tanglor: " << problem << '\n';
        }
        return 1;
    }
    world.board.rule = MoveRule::Benchmark;
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (const std::optional<int> status =
            answerHelpOrVersion(argc, argv, "tanglor", std::string(Usage) + "\n" + Words)) {
        return *status;
    }
    std::vector<std::string> args(argv + 1, argv + argc);
    const int sight = takeFog(args);
    std::string traceFile;
    if (sight < 0 || !takeTrace(args, &traceFile)) {
        return 2;
    }
    // Named from where the program was started, not from the folder it works in.
    std::error_code error;
    const std::string tracePath =
        traceFile.empty() ? "" : std::filesystem::absolute(traceFile, error).string();
    if (args.size() > 2) {
        std::cerr << Usage << '\n';
        return 2;
    }
    std::string scenarioFile = args.size() == 2 ? args[1] : "";
    if (!args.empty()) {
        std::error_code error;
        if (!scenarioFile.empty() && std::filesystem::is_directory(args[0], error)) {
            // Named from where the program was started, not from the folder it works in.
            scenarioFile = std::filesystem::absolute(scenarioFile, error).string();
        }
        if (const int status = enterFolder(args[0])) {
            return status;
        }
    }
    if (sight > 0) {
        world.session.fog = true;
        world.session.sight = sight;
    }
    if (!scenarioFile.empty()) {
        if (const int status = openScenario(scenarioFile)) {
            return status;
        }
    }
    // A missing or broken map or model would show a wrong scene; say what is wrong instead.
    if (!world.problems.empty()) {
        for (const std::string& problem : world.problems) {
            std::cerr << "tanglor: " << problem;
            // Most often the program was started from another folder: say how to name one.
            if (problem.rfind("map.txt: not found in ", 0) == 0) {
                std::cerr << " (give the folder that holds it: tanglor FOLDER)";
            }
            std::cerr << '\n';
        }
        return 1;
    }
    SearchTrace trace;
    if (!traceFile.empty()) {
        if (const std::string why = readTraceFile(tracePath, world.board, trace, traceFile);
            !why.empty()) {
            std::cerr << "tanglor: " << why << '\n';
            return 1;
        }
    }
    if (!startUp()) {
        std::cerr << "tanglor: cannot open the window: " << glfwGetOpenError() << '\n';
        return 1;
    }
    goToProblem(1); // none without a scenario
    if (!traceFile.empty()) {
        world.showTrace(trace);
    }
    runFrameLoop();
    stopPanel();
    glfwTerminate();
    return 0;
}
