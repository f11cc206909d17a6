// Frame cost of the real program: the shipped map and models, the monkey walking back and
// forth along the longest path the map has, the real frame (runFrame) with its 70 frames a
// second cap. Each frame's work time (frameBusyTime, taken before the cap's sleep) is
// collected and set beside the cost of an empty frame (clear and swap only) timed the same
// way on the same renderer. Needs a display; without a screen run it under xvfb-run.
//
//   frame_bench [FRAMES] [marks|costs] [hidden] [race]
//
// FRAMES of each kind, 3000 when not given; with marks or costs, the search view is on (each
// walk then waits for the playback of its search, whose frames count too); with hidden, the
// panel is hidden as by H; with race, the four race viewports are drawn (as by C). The words
// may come in any order.
//
//   frame_bench FOLDER [FRAMES]
//
// The boards' suite: FOLDER's map.txt, then generated boards of 64, 256 and 1024 tiles a side
// (65 % ground, 20 % trees, 10 % stones, 5 % water) with FOLDER's models, each at its start
// view with the search view off and with its marks; FRAMES (300 when not given) of each,
// the monkey walking from a tile near the top-left corner to one near the bottom-right.
#include "app/app.h"
#include "platform/glfw2.h"
#include "tools/longest_walk.h"
#include "ui/panel.h"
#include "view/race.h"
#include "view/search_view.h"
#include "world/world.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

// The process-wide world the frame draws, built from the shipped assets as the program
// builds it from its working directory.
World world(TANGLOR_ASSETS_DIR "/map.txt");

namespace {

struct Summary {
    double median = 0.0;
    double p90 = 0.0;
    double p99 = 0.0;
    double max = 0.0;
    double mean = 0.0;
    size_t overPeriod = 0;
};

// Nearest-rank percentiles.
Summary summarise(std::vector<double> samples, double period) {
    Summary s;
    std::sort(samples.begin(), samples.end());
    auto rank = [&](double p) {
        size_t i = static_cast<size_t>(p * static_cast<double>(samples.size()) + 0.999999);
        return samples[std::clamp<size_t>(i, 1, samples.size()) - 1];
    };
    s.median = rank(0.5);
    s.p90 = rank(0.9);
    s.p99 = rank(0.99);
    s.max = samples.back();
    for (double t : samples) {
        s.mean += t;
        s.overPeriod += t >= period ? 1 : 0;
    }
    s.mean /= static_cast<double>(samples.size());
    return s;
}

void print(const char* name, const Summary& s, size_t count) {
    std::printf("%-12s frames %5zu  median %7.3f ms  p90 %7.3f ms  p99 %7.3f ms  max %7.3f ms  "
                "mean %7.3f ms  over the period %zu\n",
                name, count, s.median * 1e3, s.p90 * 1e3, s.p99 * 1e3, s.max * 1e3, s.mean * 1e3,
                s.overPeriod);
}

// The machine is shared: how busy it was belongs beside the figures.
std::string loadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string one, five, fifteen;
    file >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

// Clear and swap, timed and capped like a real frame.
double emptyFrame() {
    double begin = glfwGetTime();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glfwSwapBuffers();
    double busy = glfwGetTime() - begin;
    double period = 1.0 / targetFrameRate;
    if (period > busy) {
        glfwSleep(period - busy);
    }
    return busy;
}

// The first passable tile from `from` on, stepping by `step`.
int passableFrom(const World& w, int from, int step) {
    for (int i = from; i >= 0 && i < w.board.nodeCount; i += step) {
        if (w.board.nodes[i].passable()) {
            return i;
        }
    }
    return from;
}

// FRAMES frames of the board in `map` at its start view, with the search view in `mode`;
// the median and p99 work beside the empty frame's.
void boardRun(const std::string& name, const std::string& map, SearchViewMode mode, int frames) {
    world = World(map);
    if (!world.problems.empty()) {
        std::printf("%s: %s\n", name.c_str(), world.problems[0].c_str());
        return;
    }
    world.searchSlice = 8192; // as the window's
    world.stepFrames = 10;
    searchView = SearchView();
    searchView.mode = mode;
    putViewBack();
    // The longest walk on a small board; on a big one, from near one corner to the other.
    int start = passableFrom(world, world.board.columns / 8 * (world.board.columns + 1), 1);
    int target = passableFrom(
        world, world.board.nodeCount - 1 - world.board.columns / 8 * (world.board.columns + 1), -1);
    if (world.board.nodeCount <= 32 * 32) {
        longestWalk(world, &start, &target);
    }
    std::vector<double> busy, empty;
    int walks = 0;
    for (int i = 0; i < 30; ++i) {
        runFrame(); // settle
    }
    while (static_cast<int>(busy.size()) < frames) {
        for (int i = 0; i < 50 && static_cast<int>(busy.size()) < frames; ++i) {
            if (!world.walk.walking && !world.walk.searching()) {
                const bool back = walks++ % 2 == 1;
                world.clickTile(back ? target : start);
                world.clickTile(back ? start : target);
            }
            runFrame();
            busy.push_back(frameBusyTime);
        }
        for (int i = 0; i < 50 && static_cast<int>(empty.size()) < frames; ++i) {
            empty.push_back(emptyFrame());
        }
    }
    const double period = 1.0 / targetFrameRate;
    const Summary real = summarise(busy, period);
    const Summary bare = summarise(empty, period);
    std::printf("%-10s %-6s %4dx%-4d  median %7.3f ms  p99 %7.3f ms   empty: median %6.3f ms  "
                "p99 %6.3f ms   walks %d\n",
                name.c_str(), mode == SearchViewMode::Off ? "off" : "marks", world.board.columns,
                world.board.rows, real.median * 1e3, real.p99 * 1e3, bare.median * 1e3,
                bare.p99 * 1e3, walks);
    std::fflush(stdout);
}

int boardSuite(const std::string& folder, int frames) {
    namespace fs = std::filesystem;
    std::string scratch = (fs::temp_directory_path() / "frame_bench_XXXXXX").string();
    if (mkdtemp(scratch.data()) == nullptr) {
        std::fprintf(stderr, "frame_bench: no scratch folder\n");
        return 1;
    }
    std::vector<std::pair<std::string, std::string>> maps{{"given", folder + "/map.txt"}};
    for (int side : {64, 256, 1024}) {
        const fs::path dir = fs::path(scratch) / std::to_string(side);
        fs::create_directories(dir);
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (entry.path().extension() == ".obj") {
                fs::copy_file(entry.path(), dir / entry.path().filename());
            }
        }
        std::mt19937 rng(static_cast<unsigned>(side));
        std::discrete_distribution<> kinds{65, 20, 10, 5};
        std::ofstream out(dir / "map.txt");
        for (int r = 0; r < side; ++r) {
            for (int c = 0; c < side; ++c) {
                out << (c ? " " : "") << kinds(rng);
            }
            out << '\n';
        }
        maps.emplace_back("random", (dir / "map.txt").string());
    }
    if (!startUp()) {
        std::fprintf(stderr, "frame_bench: no window: %s\n", glfwGetOpenError());
        return 1;
    }
    std::printf("load average at the start: %s\n", loadAverage().c_str());
    for (const auto& [name, map] : maps) {
        for (SearchViewMode mode : {SearchViewMode::Off, SearchViewMode::Marks}) {
            boardRun(name, map, mode, frames);
        }
    }
    std::printf("load average at the end:   %s\n", loadAverage().c_str());
    stopPanel();
    glfwTerminate();
    fs::remove_all(scratch);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::filesystem::is_directory(argv[1])) {
        return boardSuite(argv[1], argc > 2 ? std::atoi(argv[2]) : 300);
    }
    int frames = 3000;
    bool racing = false;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "marks" || word == "costs") {
            searchView.mode = word == "marks" ? SearchViewMode::Marks : SearchViewMode::Costs;
        } else if (word == "race") {
            racing = true;
        } else if (word == "hidden") {
            panel.shown = false;
        } else {
            frames = std::atoi(word.c_str());
        }
    }
    if (!world.problems.empty() || frames < 1) {
        std::fprintf(stderr, "frame_bench: %s\n",
                     frames < 1 ? "FRAMES must be a positive number" : world.problems[0].c_str());
        return 1;
    }
    int start = 0;
    int target = 0;
    if (!longestWalk(world, &start, &target)) {
        std::fprintf(stderr, "frame_bench: the map has no walk\n");
        return 1;
    }
    if (!startUp()) {
        std::fprintf(stderr, "frame_bench: no window: %s\n", glfwGetOpenError());
        return 1;
    }
    std::printf("load average at the start: %s\n", loadAverage().c_str());
    std::printf("GL_RENDERER: %s\nGL_VERSION:  %s\n",
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
                reinterpret_cast<const char*>(glGetString(GL_VERSION)));

    // A few frames to settle the window and the renderer's threads before counting.
    for (int i = 0; i < 70; ++i) {
        runFrame();
    }

    // The two kinds alternate in blocks, so that load from other processes falls on both.
    const int block = 250;
    std::vector<double> busy;
    std::vector<double> empty;
    busy.reserve(static_cast<size_t>(frames));
    empty.reserve(static_cast<size_t>(frames));
    int walks = 0;
    size_t steps = 0;
    while (static_cast<int>(busy.size()) < frames) {
        for (int i = 0; i < block && static_cast<int>(busy.size()) < frames; ++i) {
            // A new walk, the other way, as soon as the last one ends. The search runs
            // between frames here; its own benchmark measures it.
            if (!world.walk.walking) {
                bool back = walks % 2 == 1;
                world.clickTile(back ? target : start);
                world.clickTile(back ? start : target);
                steps = world.walk.path.size();
                ++walks;
                if (racing) {
                    raceOn() ? raceFollowClick(world) : setRace(world, true);
                }
            }
            runFrame();
            busy.push_back(frameBusyTime);
        }
        for (int i = 0; i < block && static_cast<int>(empty.size()) < frames; ++i) {
            empty.push_back(emptyFrame());
        }
    }
    stopPanel();
    glfwTerminate();
    std::printf("load average at the end:   %s\n", loadAverage().c_str());

    const double period = 1.0 / targetFrameRate;
    Summary real = summarise(busy, period);
    Summary bare = summarise(empty, period);
    std::printf("walk: tile %d to tile %d and back, %zu steps, %d walks; panel %s%s; frame "
                "period %.3f ms\n",
                start, target, steps, walks, panel.shown ? "shown" : "hidden",
                racing ? ", racing" : "", period * 1e3);
    print("real frame", real, busy.size());
    print("empty frame", bare, empty.size());
    std::printf("ratio real / empty: median %.2f  p99 %.2f\n", real.median / bare.median,
                real.p99 / bare.p99);
    std::printf("targets: median %.3f ms <= %.3f ms (half the period): %s;  "
                "p99 %.3f ms < %.3f ms (the period): %s\n",
                real.median * 1e3, period * 0.5e3, real.median <= period * 0.5 ? "met" : "MISSED",
                real.p99 * 1e3, period * 1e3, real.p99 < period ? "met" : "MISSED");
    return 0;
}
