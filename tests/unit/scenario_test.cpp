// Scenario files: the problems of a good file read field by field, and every refusal naming
// the line it is about.
#include "world/scenario.h"
#include "world_files.h"

#include <gtest/gtest.h>

namespace {

// 4 x 3 tiles: a tree at 1,1 and a tile off the board at 2,1.
World boardOf(const TempFolder& folder) {
    writeModels(folder);
    return World(folder.write("m.map", "type octile\nheight 3\nwidth 4\nmap\n....\n.T@.\n....\n"));
}

// The problems of reading `text` as s.scen, each without the folder before the file name.
std::vector<std::string> refusals(const TempFolder& folder, const MapBoard& map,
                                  const std::string& text) {
    Scenario scenario;
    std::vector<std::string> problems;
    const bool read = readScenario(folder.write("s.scen", text), map, scenario, problems);
    for (std::string& p : problems) {
        p = p.substr(folder.dir.string().size() + 1);
    }
    EXPECT_EQ(read, problems.empty()) << text;
    EXPECT_TRUE(read || scenario.problems.empty()) << text;
    return problems;
}

} // namespace

TEST(Scenario, ReadsEveryFieldOfEachProblemLine) {
    TempFolder folder;
    const World w = boardOf(folder);
    ASSERT_TRUE(w.problems.empty()) << w.problems[0];
    // Tabs or blanks between fields, CRLF line ends, trailing blanks, empty lines at the end.
    for (const std::string text :
         {"version 1\n2\tm.map\t4\t3\t0\t0\t3\t2\t3.82842712\n11 m.map 4 3  3 0 0 2 4.5",
          "version 1.0 \r\n2\tm.map\t4\t3\t0\t0\t3\t2\t3.82842712\t\r\n"
          "11 m.map 4 3 3 0 0 2 4.5\r\n\r\n\n"}) {
        Scenario scenario;
        std::vector<std::string> problems;
        const std::string path = folder.write("s.scen", text);
        ASSERT_TRUE(readScenario(path, w, scenario, problems)) << problems[0];
        EXPECT_EQ(scenario.fileName, path);
        ASSERT_EQ(scenario.problems.size(), 2u);
        const ScenarioProblem& a = scenario.problems[0];
        const ScenarioProblem& b = scenario.problems[1];
        EXPECT_EQ(std::tuple(a.line, a.number, a.bucket, a.startColumn, a.startRow, a.goalColumn,
                             a.goalRow),
                  std::tuple(2, 1, 2, 0, 0, 3, 2));
        EXPECT_DOUBLE_EQ(a.listed, 3.82842712);
        EXPECT_EQ(std::tuple(b.line, b.number, b.bucket, b.startColumn, b.startRow, b.goalColumn,
                             b.goalRow),
                  std::tuple(3, 2, 11, 3, 0, 0, 2));
        EXPECT_DOUBLE_EQ(b.listed, 4.5);
    }
}

TEST(Scenario, RefusesEachFaultNamingItsLine) {
    TempFolder folder;
    const World w = boardOf(folder);
    const std::string v = "version 1\n";
    const std::string good = "0 m.map 4 3 0 0 3 2 3.8\n";
    const struct {
        std::string text;
        std::vector<std::string> problems;
    } cases[] = {
        {"", {"s.scen:1: the file is empty"}},
        {"version 2\n" + good, {"s.scen:1: the first line must be \"version 1\""}},
        {"\x7f"
         "ELF\x01\x02\n",
         {"s.scen:1: the first line must be \"version 1\""}},
        {good, {"s.scen:1: the first line must be \"version 1\""}},
        {v, {"s.scen: no problems after the version line"}},
        {v + "\n\n", {"s.scen: no problems after the version line"}},
        {v + good + "0 m.map 4 3 0 0 3 2\n0 m.map 4 3 0 0 3 2 1 1\n",
         {"s.scen:3: 8 fields, a problem has 9", "s.scen:4: 10 fields, a problem has 9"}},
        {v + good + "\n" + good, {"s.scen:3: an empty line among the problems"}},
        {v + "x m.map 4 3 0 0 3 2 1\n",
         {"s.scen:2: the bucket \"x\" is not a whole number of 0 or more"}},
        {v + "0 m.map 4 3 0 -1 3 2 1\n",
         {"s.scen:2: the start row \"-1\" is not a whole number of 0 or more"}},
        {v + "0 m.map 4 3 0 0 3 2\x1b[2J 1\n",
         {"s.scen:2: the goal row \"2\\x1b[2J\" is not a whole number of 0 or more"}},
        {v + "0 m.map 4 3 0 0 3 99999999999 1\n",
         {"s.scen:2: the goal row \"99999999999\" is too large"}},
        {v + "0 m.map 4 3 0 0 3 2 inf\n",
         {"s.scen:2: the length \"inf\" is not a number of 0 or more"}},
        {v + "0 m.map 4 3 0 0 3 2 -1\n",
         {"s.scen:2: the length \"-1\" is not a number of 0 or more"}},
        {v + "0 m.map 5 3 0 0 3 2 1\n",
         {"s.scen:2: the map is 4 x 3 tiles, the problem says 5 x 3"}},
        {v + "0 m.map 4 4 0 0 3 2 1\n",
         {"s.scen:2: the map is 4 x 3 tiles, the problem says 4 x 4"}},
        {v + "0 m.map 4 3 4 0 3 2 1\n", {"s.scen:2: the start 4,0 is off the map"}},
        {v + "0 m.map 4 3 0 0 0 3 1\n", {"s.scen:2: the goal 0,3 is off the map"}},
        {v + "0 m.map 4 3 1 1 3 2 1\n", {"s.scen:2: the start 1,1 is a tree"}},
        {v + "0 m.map 4 3 0 0 2 1 1\n", {"s.scen:2: the goal 2,1 is outside the map"}},
        // A line of any length is cut short, and the lines after it still read.
        {v + std::string(100000, '7') + "\n" + good + "0 m.map\n",
         {"s.scen:2: over 1000 characters, too long for a problem line",
          "s.scen:4: 2 fields, a problem has 9"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(refusals(folder, w, c.text), c.problems) << c.text;
    }
    // Each bad line is named, good ones between them not; ten say enough.
    std::string many = v + good;
    for (int i = 0; i < 30; i++) {
        many += "0 m.map 4 3 0 0 3 9 1\n" + good;
    }
    const std::vector<std::string> problems = refusals(folder, w, many);
    ASSERT_EQ(problems.size(), 10u);
    EXPECT_EQ(problems[0], "s.scen:3: the goal 3,9 is off the map");
    EXPECT_EQ(problems[9], "s.scen:21: the goal 3,9 is off the map");
}

TEST(Scenario, SaysWhenTheFileIsNoFile) {
    TempFolder folder;
    const World w = boardOf(folder);
    Scenario scenario;
    std::vector<std::string> problems;
    EXPECT_FALSE(readScenario(folder.path("none.scen"), w, scenario, problems));
    EXPECT_FALSE(readScenario(folder.dir.string(), w, scenario, problems));
    EXPECT_EQ(problems, (std::vector<std::string>{folder.path("none.scen") + ": not found",
                                                  folder.dir.string() +
                                                      ": is a folder, not a scenario file"}));
}
