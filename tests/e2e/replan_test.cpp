// replan on a small map whose wall the fog hides until the monkey is near: its table, its
// rows of plans and walks, and its refusals.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// A wall at column 4, rows 1 to 3: from 0,2 to 9,2 the straight way is blocked.
const char* WalledMap = "type octile\nheight 5\nwidth 10\nmap\n..........\n....T.....\n"
                        "....T.....\n....T.....\n..........\n";
const char* Problems = "version 1\n"
                       "0\tw.map\t10\t5\t0\t2\t9\t2\t9.82842712\n"
                       "0\tw.map\t10\t5\t9\t0\t9\t4\t4.00000000\n";

struct Ran {
    std::string out;
    int status = -1;
};

Ran run(const std::string& command) {
    Ran ran;
    if (FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            ran.out.append(buffer, n);
        }
        const int status = pclose(pipe);
        ran.status = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return ran;
}

std::vector<std::string> lines(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::vector<std::string> all;
    for (std::string line; std::getline(in, line);) {
        all.push_back(line);
    }
    return all;
}

} // namespace

TEST(Replan, WalksEveryProblemUnderFogAndWritesItsPlansAndWalks) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("replan-test-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "w.map") << WalledMap;
    std::ofstream(dir / "w.scen") << Problems;
    const std::string replan = std::string(REPLAN_EXE) + " '" + (dir / "w.map").string() + "' '" +
                               (dir / "w.scen").string() + "'";

    const Ran ran = run(replan + " --fog 1 --csv '" + (dir / "plans.csv").string() + "' --walks '" +
                        (dir / "walks.txt").string() + "'");
    EXPECT_EQ(ran.status, 0);
    std::istringstream table(ran.out);
    std::string header, row;
    std::getline(table, header);
    std::getline(table, row);
    EXPECT_EQ(header.find("search"), 0u) << header;
    for (const char* column : {"problems", "plans", "closed_all", "scratch_closed_all", "walked"}) {
        EXPECT_NE(header.find(column), std::string::npos) << column;
    }
    std::istringstream figures(row.substr(std::string("D* Lite").size()));
    long long problems = 0, plans = 0, closed = 0, scratch = 0, walked = 0;
    figures >> problems >> plans >> closed >> scratch >> walked;
    EXPECT_EQ(row.rfind("D* Lite ", 0), 0u) << row;
    EXPECT_EQ(problems, 2);
    EXPECT_EQ(walked, 2);
    EXPECT_GT(plans, 2) << "the wall, once seen, made it plan again";

    const std::vector<std::string> csv = lines(dir / "plans.csv");
    ASSERT_GE(csv.size(), 4u);
    EXPECT_EQ(csv[0], "problem,plan,column,row,cost,scratch_cost,closed,scratch_closed");
    EXPECT_EQ(csv[1].rfind("1,1,0,2,9.00000000,9.00000000,", 0), 0u) << csv[1];
    EXPECT_EQ(static_cast<long long>(csv.size()) - 1, plans);
    const std::vector<std::string> walks = lines(dir / "walks.txt");
    ASSERT_EQ(walks.size(), 2u);
    EXPECT_EQ(walks[0].rfind("1: 0,2 1,2 ", 0), 0u) << walks[0];
    EXPECT_EQ(walks[0].substr(walks[0].size() - 4), " 9,2") << walks[0];
    EXPECT_EQ(walks[1], "2: 9,0 9,1 9,2 9,3 9,4");

    // Another search planning from nothing each time; and what is refused.
    const Ran astar = run(replan + " --search A* --every 2");
    EXPECT_EQ(astar.status, 0);
    const std::string astarRow = astar.out.substr(astar.out.find('\n') + 1);
    EXPECT_EQ(astarRow.rfind("A* ", 0), 0u) << astar.out;
    EXPECT_EQ(std::stoi(astarRow.substr(3)), 1) << "problems 1, 3, ...: the first only";
    for (const char* bad : {" --fog 0", " --fog 65", " --fog 2.5", " --fog x", " --search Theta*",
                            " --rule nowhere", " --every 0"}) {
        const Ran refused = run(replan + bad);
        EXPECT_EQ(refused.status, 2) << bad;
        EXPECT_EQ(refused.out, "") << bad;
    }
    std::filesystem::remove_all(dir);
}
