// Search traces out and in, as other tools meet them: what trace --posthoc writes parses with
// Python's yaml and json and follows the format; its map beside it; and the program opens
// the trace with the search view on, its title giving the trace's figures.
#include "tools/xdriver/x_driver.h"
#include "view/search_view.h"
#include "world/trace_file.h"
#include "world/world.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

const char* MapText = "0 0 0 0 0 0 0 0\n0 0 0 1 0 0 0 0\n0 0 0 1 0 3 3 0\n0 0 0 1 0 3 3 0\n"
                      "0 0 0 1 0 0 0 0\n0 0 0 0 0 0 1 0\n0 0 2 2 0 0 1 0\n0 0 0 0 0 0 0 0\n";

// Standard output and exit status of a shell command.
std::pair<std::string, int> run(const std::string& command) {
    std::string output;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return {"could not start: " + command, -1};
    }
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, n);
    }
    const int status = pclose(pipe);
    return {output, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

// Reads the file with Python's own parser and checks it against the format: the version,
// a view, events in order (source, destination, the start taken first, end last with the
// walk's cost), every tile's id its row x 8 + column, costs where they apply. Prints the
// number of expanding events.
const char* Checker = R"(
import json, sys, yaml
name = sys.argv[1]
doc = json.load(open(name)) if name.endswith('.json') else yaml.safe_load(open(name))
assert doc['version'] == '1.4.0', doc['version']
assert doc['views']['main'][0]['$'] == 'rect'
ev = doc['events']
assert [e['type'] for e in ev[:2]] == ['source', 'destination']
assert ev[2]['type'] == 'expanding' and ev[2]['id'] == ev[0]['id'] and 'pId' not in ev[2]
assert ev[-1]['type'] == 'end' and ev[-1]['g'] > 0
known = {'source', 'destination', 'expanding', 'generating', 'updating', 'closing', 'end'}
for e in ev:
    assert e['type'] in known and e['id'] == e['y'] * 8 + e['x'], e
    if e['type'] in ('expanding', 'closing', 'updating'):
        assert 'g' in e and 'f' in e, e
print(sum(e['type'] == 'expanding' for e in ev))
)";

TEST(Posthoc, TracesWrittenParseInPythonAndPlayInTheWindowWithTheirFigures) {
    SceneFolder folder(MapText);
    ASSERT_TRUE(folder.made);
    const std::string dir = folder.dir.string();
    std::ofstream(folder.dir / "check.py") << Checker;
    for (const char* name : {"a.trace.yaml", "b.trace.json"}) {
        const std::string file = dir + "/" + name;
        const auto [said, status] = run(std::string(TRACE_EXE) + " '" + dir + "' 0,0 7,7 " +
                                        "--search 'bidirectional A*' --posthoc '" + file + "'");
        ASSERT_EQ(status, 0) << said;
        const auto [checked, valid] = run("/usr/bin/python3 '" + dir + "/check.py' '" + file + "'");
        ASSERT_EQ(valid, 0) << checked;
        std::ifstream grid(file + ".grid");
        std::stringstream gridText;
        gridText << grid.rdbuf();
        EXPECT_EQ(gridText.str().substr(0, 60),
                  "type octile\nheight 8\nwidth 8\nmap\n........\n...T....\n...T.WW.\n");

        // The window's title: the figures the program's own logic gives the same trace.
        World map((folder.dir / "map.txt").string());
        SearchTrace trace;
        ASSERT_EQ(readTraceFile(file, map.board, trace), "");
        map.showTrace(trace);
        const std::string figures = searchViewTitle(map);
        EXPECT_EQ(figures.rfind(
                      " | trace: closed " + checked.substr(0, checked.size() - 1) + ", open ", 0),
                  0u)
            << figures;
        XDriver x;
        RunningProgram program(TANGLOR_EXE, dir, true, {"map.txt", "--trace", file});
        ASSERT_NE(findWindow(x, program.pid, 30.0), 0u) << program.errorText();
        EXPECT_TRUE(waitUntil([&] { return windowTitle(x).ends_with(figures); }, 30.0))
            << windowTitle(x) << " against " << figures;
        tapKey(x, 0xff1b); // Escape
        EXPECT_EQ(program.exitStatus(30.0), 0);
        EXPECT_EQ(program.errorText(), "");
    }
}

} // namespace
