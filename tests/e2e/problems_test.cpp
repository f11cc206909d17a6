// Benchmark problems: bench's table, CSV and exit status on a small map whose lengths are
// worked out by hand, and the window opened with a scenario, stepping through its problems.
#include "tools/xdriver/x_driver.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// Trees at 2,1 and 2,2. From 0,0 to 5,3 the walk may not pass the trees' corners: three
// straight steps along the top, two diagonal, one straight: 4 + 2√2. From 0,3 to 1,3: 1.
const char* BenchmarkMap = "type octile\nheight 4\nwidth 6\nmap\n......\n..T...\n..T...\n......\n";
const char* Problems = "version 1\n"
                       "1\tsmall.map\t6\t4\t0\t0\t5\t3\t6.82842712\n"
                       "0\tsmall.map\t6\t4\t0\t3\t1\t3\t1.00000000\n";

struct Ran {
    std::string out, err;
    int status = -1;
};

// Runs `command`, its standard error kept in `errFile` meanwhile.
Ran run(const std::string& command, const std::string& errFile) {
    Ran ran;
    if (FILE* pipe = popen((command + " 2>" + errFile).c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            ran.out.append(buffer, n);
        }
        const int status = pclose(pipe);
        ran.status = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::stringstream err;
    err << std::ifstream(errFile).rdbuf();
    ran.err = err.str();
    std::remove(errFile.c_str());
    return ran;
}

// A row of bench's table: the search's name, then its figures.
std::string row(const std::string& out, const std::string& search) {
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(search + " ", 0) == 0) {
            std::istringstream words(line.substr(search.size()));
            std::string word, figures;
            while (words >> word) {
                figures += (figures.empty() ? "" : " ") + word;
            }
            return figures;
        }
    }
    return "";
}

} // namespace

TEST(Bench, ChecksEveryListedLengthAndSaysWhichDoNotMatch) {
    SceneFolder folder(BenchmarkMap);
    ASSERT_TRUE(folder.made);
    const std::string dir = folder.dir.string();
    std::ofstream(folder.dir / "small.map") << BenchmarkMap;
    std::ofstream(folder.dir / "good.scen") << Problems;
    const std::string bench = std::string(BENCH_EXE) + " '" + dir + "/small.map' '" + dir + "/";
    const auto run = [&](const std::string& command) { return ::run(command, dir + "/err.txt"); };

    const Ran good = run(bench + "good.scen' --csv '" + dir + "/rows.csv'");
    EXPECT_EQ(good.status, 0) << good.err;
    EXPECT_EQ(good.out.substr(0, good.out.find('\n')).find("search"), 0u);
    for (const char* search : {"A*", "Dijkstra"}) {
        EXPECT_EQ(row(good.out, search).substr(0, 13), "2 2 1.000000 ") << good.out;
    }
    EXPECT_EQ(good.err.find("problems"), std::string::npos) << "no progress bar in a file";
    std::ifstream csv(folder.dir / "rows.csv");
    std::string header, line;
    std::getline(csv, header);
    EXPECT_EQ(header, "problem,bucket,search,listed,length,closed,us");
    int rows = 0;
    while (std::getline(csv, line)) {
        rows++;
        if (line.rfind("1,1,A*,6.82842712,6.82842712,", 0) == 0) {
            rows += 100; // the first problem's A* row, its length in the benchmark's unit
        }
    }
    EXPECT_EQ(rows, 2 * 10 + 100); // two problems, ten searches

    // A wrong listed length: named with its line and both lengths, and exit status 1.
    std::string wrong = Problems;
    wrong.replace(wrong.rfind("1.00000000"), 10, "2.50000000");
    std::ofstream(folder.dir / "wrong.scen") << wrong;
    const Ran bad = run(bench + "wrong.scen' --search A*");
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("wrong.scen:3: A* found 1.00000000, listed 2.50000000"),
              std::string::npos)
        << bad.err;
    EXPECT_EQ(row(bad.out, "A*").substr(0, 4), "2 1 ") << bad.out;

    // A weight promises no more than that many times the listed length; names and weights
    // outside the accepted ones, or given to a search that takes none, are usage errors.
    std::string close = Problems;
    close.replace(close.rfind("1.00000000"), 10, "0.80000000");
    std::ofstream(folder.dir / "close.scen") << close;
    EXPECT_EQ(run(bench + "close.scen' --search A*").status, 1);
    EXPECT_EQ(run(bench + "close.scen' --search A* --weight 1.5").status, 0);
    EXPECT_EQ(run(bench + "close.scen' --search A* --weight 1.2").status, 1);
    for (const char* options :
         {"--weight nan", "--weight 1.5x", "--weight 10.5", "--heuristic manhattan",
          "--search Dijkstra --heuristic octile", "--search greedy --weight 2"}) {
        const Ran refused = run(bench + "good.scen' " + options);
        EXPECT_EQ(refused.status, 2) << options;
        EXPECT_EQ(refused.out, "") << options;
    }

    // Under the program's own rule the listed lengths do not apply.
    for (const char* rule : {"'corners cut'", "'four ways'"}) {
        const Ran own = run(bench + "wrong.scen' --rule " + rule + " --every 2");
        EXPECT_EQ(own.status, 0) << own.err;
        EXPECT_EQ(row(own.out, "A*").substr(0, 6), "1 - - ") << rule << own.out;
    }

    // --every 3 runs problems 1, 4 and 7 of seven.
    std::string seven = "version 1\n";
    for (int i = 0; i < 7; i++) {
        seven += "0\tsmall.map\t6\t4\t0\t3\t" + std::to_string(i % 6) + "\t3\t" +
                 std::to_string(i % 6) + ".00000000\n";
    }
    std::ofstream(folder.dir / "seven.scen") << seven;
    EXPECT_EQ(run(bench + "seven.scen' --search A* --every 3 --csv '" + dir + "/seven.csv'").status,
              0);
    std::ifstream sevenCsv(folder.dir / "seven.csv");
    std::string numbers;
    std::getline(sevenCsv, line); // the header
    while (std::getline(sevenCsv, line)) {
        numbers += line.substr(0, line.find(',')) + " ";
    }
    EXPECT_EQ(numbers, "1 4 7 ");

    // On two threads, and in shards put together, the same rows as on one (but the times).
    const auto rowsOf = [&](const std::string& options, const std::string& file) {
        EXPECT_EQ(
            run(bench + "seven.scen' --every 1 " + options + " --csv '" + dir + "/" + file + "'")
                .status,
            0)
            << options;
        std::ifstream in(folder.dir / file);
        std::string all;
        std::getline(in, line); // the header
        while (std::getline(in, line)) {
            all += line.substr(0, line.rfind(',')) + "\n";
        }
        return all;
    };
    const std::string one = rowsOf("--jobs 1", "one.csv");
    EXPECT_EQ(rowsOf("--jobs 2", "two.csv"), one);
    EXPECT_EQ(rowsOf("--shard 1/3", "s1.csv") + rowsOf("--shard 2/3", "s2.csv") +
                  rowsOf("--shard 3/3", "s3.csv"),
              one);
    for (const char* bad : {"--jobs 0", "--jobs x", "--shard 0/2", "--shard 3/2", "--shard 2"}) {
        EXPECT_EQ(run(bench + "seven.scen' " + bad).status, 2) << bad;
    }

    // Stones or water: a warning; a broken scenario: its line, and exit status 1.
    std::ofstream(folder.dir / "wet.map") << "type octile\nheight 4\nwidth 6\nmap\n......\n"
                                             "..T...\n..TW..\n......\n";
    const Ran wet = run(std::string(BENCH_EXE) + " '" + dir + "/wet.map' '" + dir + "/good.scen'");
    EXPECT_NE(wet.err.find("warning"), std::string::npos) << wet.err;
    std::ofstream(folder.dir / "broken.scen") << "version 1\n1\tsmall.map\t6\t4\t0\t0\t5\n";
    const Ran broken = run(bench + "broken.scen'");
    EXPECT_EQ(broken.status, 1);
    EXPECT_NE(broken.err.find("broken.scen:2:"), std::string::npos) << broken.err;
}

TEST(Problems, TheWindowGoesFromProblemToProblemUnderTheBenchmarkRule) {
    SceneFolder folder(BenchmarkMap);
    ASSERT_TRUE(folder.made);
    std::ofstream(folder.dir / "small.map") << BenchmarkMap;
    std::ofstream(folder.dir / "good.scen") << Problems;
    XDriver x;
    RunningProgram program(TANGLOR_EXE, folder.dir.string(), true, {"small.map", "good.scen"});
    ASSERT_NE(findWindow(x, program.pid, 30.0), 0u) << program.errorText();
    auto titleHas = [&](const std::string& words) {
        return waitUntil([&] { return windowTitle(x).find(words) != std::string::npos; }, 30.0);
    };
    EXPECT_TRUE(titleHas(" | benchmark rule | problem 1 of 2: listed 6.83")) << windowTitle(x);
    tapKey(x, XK_bracketright);
    EXPECT_TRUE(titleHas(" | problem 2 of 2: listed 1.00")) << windowTitle(x);
    tapKey(x, XK_bracketright); // there is no third
    tapKey(x, XK_bracketleft);
    EXPECT_TRUE(titleHas(" | problem 1 of 2: listed 6.83")) << windowTitle(x);
    tapKey(x, XK_b);
    EXPECT_TRUE(waitUntil([&] { return windowTitle(x).find("rule") == std::string::npos; }, 30.0))
        << windowTitle(x);
    tapKey(x, XK_Escape);
    EXPECT_EQ(program.exitStatus(30.0), 0) << program.errorText();

    // A problem on a tree: refused before the window opens, naming the line.
    std::ofstream(folder.dir / "tree.scen") << "version 1\n1\tsmall.map\t6\t4\t2\t1\t5\t3\t5\n";
    RunningProgram refused(TANGLOR_EXE, folder.dir.string(), true, {"small.map", "tree.scen"});
    EXPECT_EQ(refused.exitStatus(30.0), 1);
    EXPECT_NE(refused.errorText().find("tree.scen:2:"), std::string::npos) << refused.errorText();
}
