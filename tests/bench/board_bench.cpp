// Frame cost on boards of many sizes: FOLDER's map.txt, then generated boards of 64, 256 and
// 1024 tiles a side (65 % ground, 20 % trees, 10 % stones, 5 % water) with FOLDER's models,
// each at its start view with the search view off and with its marks; FRAMES (300 when not
// given) of each, the monkey walking from a tile near the top-left corner to one near the
// bottom-right and back. The real frame (runFrame) with its cap; a click's work, made
// between frames here, counts in the frame after it, as it would in the window's.
//
//   board_bench FOLDER [FRAMES] [race] [side=N]
//
// With race, the four race viewports are drawn (as by C), every walk raced, and 100 frames
// into each race a tile of the walk is painted stones, so that all four plan again; side=N
// measures only the generated board of N a side. Needs a display; without a screen run it under
// xvfb-run.
#include "tests/bench/frame_stats.h"
#include "tools/longest_walk.h"
#include "ui/panel.h"
#include "view/race.h"
#include "view/search_view.h"

#include <cstdlib>
#include <filesystem>
#include <random>

World world(TANGLOR_ASSETS_DIR "/map.txt");

namespace {

// The first passable tile from `from` on, stepping by `step`.
int passableFrom(const World& w, int from, int step) {
    for (int i = from; i >= 0 && i < w.board.tileCount(); i += step) {
        if (w.board.passable(i)) {
            return i;
        }
    }
    return from;
}

// Whether a walk, the world's or the racers', is still on its way or waits for its search.
bool underWay(bool racing) {
    if (!racing) {
        return world.walk.walking || world.walk.searching();
    }
    bool any = false;
    for (const Racer& racer : world.session.racers) {
        any = any || racer.walk.walking || racer.walk.searching();
    }
    return any || world.walk.searching();
}

// The tiles from near the top-left corner to near the bottom-right; on a small board its
// longest walk.
void ends(int* start, int* target) {
    const int columns = world.board.columns;
    *start = passableFrom(world, columns / 8 * (columns + 1), 1);
    *target = passableFrom(world, world.board.tileCount() - 1 - columns / 8 * (columns + 1), -1);
    if (world.board.tileCount() <= 32 * 32) {
        longestWalk(world, start, target);
    }
}

// FRAMES frames of the board in `map` at its start view, with the search view in `mode`.
void boardRun(const std::string& name, const std::string& map, SearchViewMode mode, int frames,
              bool racing) {
    world = World(map);
    if (!world.problems.empty()) {
        std::printf("%s: %s\n", name.c_str(), world.problems[0].c_str());
        return;
    }
    int start = 0, target = 0;
    ends(&start, &target);
    world.searchSlice = 8192; // as the window's
    world.stepFrames = 10;
    world.session.view = SearchView();
    world.session.view.mode = mode;
    world.session = Session(); // no racer of the board before
    putViewBack();
    std::vector<double> busy, empty;
    int walks = 0;
    int sinceStart = 0; // frames since the race started on the latest walk
    for (int i = 0; i < 30; ++i) {
        runFrame(); // settle
    }
    while (static_cast<int>(busy.size()) < frames) {
        for (int i = 0; i < 50 && static_cast<int>(busy.size()) < frames; ++i) {
            // The clicks' work (and the race's start, a key of its own the first time) counts
            // in the frame after it.
            double clicks = glfwGetTime();
            if (racing && !raceOn(world) && walks > 0) {
                setRace(world, true);
                sinceStart = 0;
            } else if (racing && ++sinceStart == 100 && !world.walk.search.walk.empty()) {
                // A tile of the walk painted stones: all four plan again.
                const std::vector<int>& tiles = world.walk.search.walk;
                paintTileNow(tiles[tiles.size() / 2], 2, frameClock.frameStartTime);
            } else if (!underWay(racing)) {
                const bool back = walks++ % 2 == 1;
                world.clickTile(back ? target : start);
                world.clickTile(back ? start : target);
                racersStartOver(world);
                sinceStart = 0;
            }
            clicks = glfwGetTime() - clicks;
            runFrame();
            busy.push_back(frameClock.frameBusyTime + clicks);
        }
        for (int i = 0; i < 50 && static_cast<int>(empty.size()) < frames; ++i) {
            empty.push_back(emptyFrame());
        }
    }
    const double period = 1.0 / frameClock.targetFrameRate;
    const Summary real = summarise(busy, period);
    const Summary bare = summarise(empty, period);
    const long over50 = std::count_if(busy.begin(), busy.end(), [](double t) { return t > 0.05; });
    std::printf("%-7s %-5s %-6s %4dx%-4d  median %7.3f ms  p99 %7.3f ms  max %7.3f ms  over 50 "
                "ms %ld   empty: median %6.3f ms  p99 %6.3f ms   walks %d\n",
                name.c_str(), racing ? "race" : "one",
                mode == SearchViewMode::Off ? "off" : "marks", world.board.columns,
                world.board.rows, real.median * 1e3, real.p99 * 1e3, real.max * 1e3, over50,
                bare.median * 1e3, bare.p99 * 1e3, walks);
    std::fflush(stdout);
}

// A generated board of `side` x `side` in its own folder under `scratch`, with the models of
// `folder`.
std::string generatedBoard(const std::string& scratch, const std::string& folder, int side) {
    namespace fs = std::filesystem;
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
    return (dir / "map.txt").string();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || !std::filesystem::is_directory(argv[1])) {
        std::fprintf(stderr, "usage: board_bench FOLDER [FRAMES] [race] [side=N]\n");
        return 2;
    }
    const std::string folder = argv[1];
    int frames = 300, only = 0;
    bool racing = false;
    for (int i = 2; i < argc; ++i) {
        const std::string word = argv[i];
        racing = racing || word == "race";
        only = word.rfind("side=", 0) == 0 ? std::atoi(word.c_str() + 5) : only;
        frames = word[0] >= '0' && word[0] <= '9' ? std::atoi(word.c_str()) : frames;
    }
    std::string scratch = (std::filesystem::temp_directory_path() / "board_bench_XXXXXX").string();
    if (mkdtemp(scratch.data()) == nullptr || !startUp()) {
        std::fprintf(stderr, "board_bench: no scratch folder or no window\n");
        return 1;
    }
    std::vector<std::pair<std::string, std::string>> maps;
    if (only == 0) {
        maps.emplace_back("given", folder + "/map.txt");
    }
    for (int side : {64, 256, 1024}) {
        if (only == 0 || only == side) {
            maps.emplace_back("random", generatedBoard(scratch, folder, side));
        }
    }
    std::printf("load average at the start: %s\n", loadAverage().c_str());
    for (const auto& [name, map] : maps) {
        // A race turns the search view on: it is about the searches at work.
        for (SearchViewMode mode : {SearchViewMode::Off, SearchViewMode::Marks}) {
            if (!racing || mode == SearchViewMode::Marks) {
                boardRun(name, map, mode, frames, racing);
            }
        }
    }
    std::printf("load average at the end:   %s\n", loadAverage().c_str());
    stopPanel();
    glfwTerminate();
    std::filesystem::remove_all(scratch);
    return 0;
}
