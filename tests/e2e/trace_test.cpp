// The trace tool on a small map worked out by hand, on words that are not tiles and tiles no
// walk joins, and beside the search view's title, whose figures must be its own.
#include "platform/glfw2.h"
#include "view/race.h"
#include "view/search_view.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Traced {
    std::string output;
    int status = -1;
};

// Runs the tool on `map` with the shipped models beside it, in a folder removed afterwards.
Traced trace(const std::string& map, const std::string& tiles) {
    namespace fs = std::filesystem;
    std::string name = (fs::temp_directory_path() / "tanglor_trace_XXXXXX").string();
    if (mkdtemp(name.data()) == nullptr) {
        return {"no scratch folder for the map\n", -1};
    }
    const fs::path folder = name;
    for (const auto& entry : fs::directory_iterator(TANGLOR_ASSETS_DIR)) {
        if (entry.path().extension() == ".obj") {
            fs::copy_file(entry.path(), folder / entry.path().filename());
        }
    }
    std::ofstream(folder / "map.txt") << map;
    Traced run{"the trace tool could not be started\n", -1};
    const std::string command = std::string(TRACE_EXE) + " '" + folder.string() + "' " + tiles;
    if (FILE* pipe = popen((command + " 2>&1").c_str(), "r")) {
        run.output.clear();
        char buffer[4096];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            run.output.append(buffer, n);
        }
        const int status = pclose(pipe);
        run.status = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    fs::remove_all(folder);
    return run;
}

TEST(Trace, ShowsTheWalkItsCostAndTheCheapest) {
    // From 2,0 the search closes the start, then 1,1 (f 44, added before 3,1), and stops
    // there at its first sight of the target 1,2: 34 + 30 = 64 through two stones tiles.
    // Round by 3,1 and 2,2 it costs 14 + 14 + 30 = 58.
    const Traced run = trace("0 2 2 0 0\n1 2 2 0 1\n0 2 0 0 1\n2 0 0 0 3\n", "2,0 1,2");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, "map and walk   search\n"
                          ". s S . .   o o S o .\n"
                          "T * s . T   T x o o T\n"
                          ". G . . T   o G . . T\n"
                          "s . . . ~   . . . . .\n"
                          "S start, G target, * walk; . ground, T tree, s stones (+20), ~ water "
                          "(+40), blank a code without a kind\n"
                          "search: x closed, o still open when it stopped\n\n"
                          "step  tile    move      enter  cost\n"
                          "   1  1,1     diagonal    +20    34\n"
                          "   2  1,2     straight    +20    64\n\n"
                          "walk: 2 steps, cost 64\n"
                          "search: 2 tiles closed, 6 left open\n"
                          "cheapest walk: cost 58\n"
                          "The walk costs 6 more: the search stops at its first sight of the "
                          "target and never reopens a closed tile.\n");
}

TEST(Trace, RefusesWordsThatAreNotTilesAndSaysWhenNoWalkJoinsTheTwo) {
    const std::string usage =
        "usage: trace [FOLDER | MAPFILE] START TARGET [--search NAME] [--rule RULE] [--compare]\n";
    const struct {
        const char* words;
        int status;
        std::string output; // its start
    } rows[] = {
        // The start is walled in; so is the target, seen from the start.
        {"0,0 2,0", 1, "trace: no walk joins 0,0 and 2,0: trees part them (1 tile searched"},
        {"2,0 0,0 --dump", 1, "trace: no walk joins 2,0 and 0,0: trees part them (2 tiles"},
        {"2,0 0,0 1,1 --dump", 2, usage},
        {"4294967298,0 2,0", 2, "trace: \"4294967298,0\" is not a tile: write it as column,row\n"},
        {"2,0 +0,0", 2, "trace: \"+0,0\" is not a tile"},
        {"2,0 -0,0", 2, "trace: \"-0,0\" is not a tile"},
        {"' 2,0' 0,0", 2, "trace: \" 2,0\" is not a tile"},
        {"2,0 '0,0 '", 2, "trace: \"0,0 \" is not a tile"},
        {"2,0 0,0x", 2, "trace: \"0,0x\" is not a tile"},
        {"2,0 0,0 --search A* --weight nan", 2, "trace: --weight takes a number from 1 to 10"},
        {"2,0 0,0 --search A* --heuristic octal", 2, "trace: \"octal\" is not a heuristic"},
        {"2,0 0,0 --heuristic octile", 2,
         "trace: --heuristic is for A*, greedy, JPS and bidirectional A*, not"},
    };
    for (const auto& row : rows) {
        const Traced run = trace("0 1 0\n1 1 0\n", row.words);
        EXPECT_EQ(run.status, row.status) << row.words;
        EXPECT_EQ(run.output.rfind(row.output, 0), 0u) << row.words << ": " << run.output;
    }
}

TEST(Trace, TheSearchViewsTitleGivesTheFiguresItGives) {
    std::ifstream file(std::string(TANGLOR_ASSETS_DIR) + "/map.txt");
    const std::string map(std::istreambuf_iterator<char>(file), {});
    // column, row of start and target: found dearer than the cheapest; across the board;
    // round the stones field; a start walled in.
    const int pairs[][4] = {{7, 9, 9, 1}, {0, 15, 15, 0}, {0, 11, 6, 11}, {3, 3, 6, 4}};
    for (const auto& [c0, r0, c1, r1] : pairs) {
        World w(std::string(TANGLOR_ASSETS_DIR) + "/map.txt");
        w.clickTile(r0 * w.board.columns + c0);
        w.clickTile(r1 * w.board.columns + c1);
        cycleSearchView(w);
        const std::string title = searchViewTitle(w);

        const std::string tiles = std::to_string(c0) + "," + std::to_string(r0) + " " +
                                  std::to_string(c1) + "," + std::to_string(r1);
        const Traced run = trace(map, tiles);
        int steps = 0, walk = 0, closed = 0, open = 0, cheapest = 0;
        const size_t at = run.output.find("\nwalk: ");
        if (at != std::string::npos) {
            EXPECT_EQ(std::sscanf(run.output.c_str() + at,
                                  "\nwalk: %d steps, cost %d\nsearch: %d tiles closed, %d left "
                                  "open\ncheapest walk: cost %d",
                                  &steps, &walk, &closed, &open, &cheapest),
                      5)
                << run.output;
            EXPECT_EQ(title, " | closed " + std::to_string(closed) + ", open " +
                                 std::to_string(open) + ", walk " + std::to_string(walk) +
                                 ", cheapest " + std::to_string(cheapest));
        } else {
            EXPECT_EQ(std::sscanf(run.output.c_str(),
                                  "trace: no walk joins %*s and %*s trees part "
                                  "them (%d tiles",
                                  &closed),
                      1)
                << run.output;
            EXPECT_EQ(title, " | closed " + std::to_string(closed) + ", open 0, no walk");
        }
    }
}

std::string shippedMap() {
    std::ifstream file(std::string(TANGLOR_ASSETS_DIR) + "/map.txt");
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// The race in the window and the comparison of the tool run the same searches: the race's
// title gives, for each viewport, the figures of that search's row.
TEST(Trace, ComparesTheFiveSearchesAsTheRaceTitlesThem) {
    const int pairs[][4] = {{7, 9, 9, 1}, {0, 15, 15, 0}, {3, 3, 6, 4}};
    for (const auto& [c0, r0, c1, r1] : pairs) {
        const std::string tiles = std::to_string(c0) + "," + std::to_string(r0) + " " +
                                  std::to_string(c1) + "," + std::to_string(r1);
        const Traced run = trace(shippedMap(), tiles + " --compare");
        ASSERT_EQ(run.status, 0) << run.output;
        const size_t header = run.output.find(
            "search                  closed    open  steps   cost cheapest      us\n");
        ASSERT_NE(header, std::string::npos) << run.output;
        std::istringstream rows(run.output.substr(run.output.find('\n', header) + 1));
        std::string expected = " | race:";
        for (const char* name : {"first-sight A*", "A*", "Dijkstra", "greedy", "breadth-first"}) {
            std::string line, closed, open, steps, cost;
            std::getline(rows, line);
            ASSERT_EQ(line.rfind(name, 0), 0u) << line;
            std::istringstream(line.substr(22)) >> closed >> open >> steps >> cost;
            if (std::string(name) != "breadth-first") {
                expected += std::string(expected.size() > 8 ? ";" : "") + " " + name + " closed " +
                            closed + (cost == "-" ? " no walk" : " walk " + cost);
            }
        }
        World w(std::string(TANGLOR_ASSETS_DIR) + "/map.txt");
        w.clickTile(r0 * w.board.columns + c0);
        w.clickTile(r1 * w.board.columns + c1);
        setRace(w, true);
        EXPECT_EQ(raceTitle(w), expected) << tiles;
    }

    const Traced breadth = trace(shippedMap(), "7,9 9,1 --search breadth-first");
    EXPECT_NE(
        breadth.output.find("walk: 8 steps, cost 152\nsearch: 174 tiles closed, 19 left open\n"),
        std::string::npos)
        << breadth.output;
    EXPECT_EQ(trace(shippedMap(), "7,9 9,1 --search 'best-first'").status, 2);

    // Four ways: no diagonal step, 10 a step.
    const Traced four = trace(shippedMap(), "7,9 9,1 --rule 'four ways'");
    EXPECT_NE(four.output.find("walk: 16 steps, cost 160\n"), std::string::npos) << four.output;

    // A* weighted takes the dearer walk the program's own search takes, and says why.
    const Traced weighted = trace(shippedMap(), "7,9 9,1 --search A* --weight 2");
    EXPECT_NE(weighted.output.find("walk: 8 steps, cost 144\n"), std::string::npos)
        << weighted.output;
    EXPECT_NE(weighted.output.find("its weight lets it take a walk of at most 2 x shortest"),
              std::string::npos)
        << weighted.output;
}

} // namespace
