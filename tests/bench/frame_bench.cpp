// Frame cost of the real program: the shipped map and models, the monkey walking back and
// forth along the longest path the map has, the real frame (runFrame) with its 70 frames a
// second cap. Each frame's work time (frameBusyTime, taken before the cap's sleep) is
// collected and set beside the cost of an empty frame (clear and swap only) timed the same
// way on the same renderer. Needs a display; without a screen run it under xvfb-run.
//
//   frame_bench [FRAMES] [marks|costs] [hidden|panel] [race]
//
// FRAMES of each kind, 3000 when not given; with marks or costs, the search view is on (each
// walk then waits for the playback of its search, whose frames count too); with hidden, the
// panel is hidden as by H; with panel, the frames beside the real ones are real frames with
// the panel hidden instead of empty ones, so that the panel's cost is measured in one run;
// with race, the four race viewports are drawn (as by C). The words may come in any order.
// Boards of other sizes are measured by board_bench.
#include "app/app.h"
#include "platform/glfw2.h"
#include "tests/bench/frame_stats.h"
#include "tools/longest_walk.h"
#include "ui/panel.h"
#include "view/race.h"
#include "view/search_view.h"
#include "world/world.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// The process-wide world the frame draws, built from the shipped assets as the program
// builds it from its working directory.
World world(TANGLOR_ASSETS_DIR "/map.txt");

namespace {

// What the command line asks for; the search view's mode and the panel are set straight away.
struct Options {
    int frames = 3000;
    bool racing = false;
    bool panelPairs = false;
};

Options readWords(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "marks" || word == "costs") {
            world.session.view.mode =
                word == "marks" ? SearchViewMode::Marks : SearchViewMode::Costs;
        } else if (word == "race") {
            options.racing = true;
        } else if (word == "hidden") {
            panel.shown = false;
        } else if (word == "panel") {
            options.panelPairs = true;
        } else {
            options.frames = std::atoi(word.c_str());
        }
    }
    return options;
}

// Whether any racer's monkey is still on its way or waits for its search.
bool raceUnderWay() {
    bool underWay = !raceOn(world);
    for (const Racer& racer : world.session.racers) {
        underWay = underWay || racer.walk.walking || racer.walk.searching();
    }
    return underWay && raceOn(world);
}

// The work times of both kinds of frame, and the walks taken meanwhile.
struct Timed {
    std::vector<double> busy;
    std::vector<double> empty;
    int walks = 0;
    size_t steps = 0; // of the last walk
};

// A new walk, the other way, as soon as the last one ends. The search runs between frames
// here; its own benchmark measures it.
void walkOnWhenDone(const Options& options, int start, int target, Timed& timed) {
    if (options.racing ? raceUnderWay() : world.walk.walking) {
        return;
    }
    bool back = timed.walks % 2 == 1;
    world.clickTile(back ? target : start);
    world.clickTile(back ? start : target);
    timed.steps = world.walk.path.size();
    ++timed.walks;
    if (options.racing) {
        raceOn(world) ? racersStartOver(world) : setRace(world, true);
    }
}

Timed timeFrames(const Options& options, int start, int target) {
    // The two kinds alternate in blocks, so that load from other processes falls on both.
    const int block = 250;
    const int frames = options.frames;
    Timed timed;
    timed.busy.reserve(static_cast<size_t>(frames));
    timed.empty.reserve(static_cast<size_t>(frames));
    while (static_cast<int>(timed.busy.size()) < frames) {
        for (int i = 0; i < block && static_cast<int>(timed.busy.size()) < frames; ++i) {
            walkOnWhenDone(options, start, target, timed);
            runFrame();
            timed.busy.push_back(frameClock.frameBusyTime);
        }
        for (int i = 0; i < block && static_cast<int>(timed.empty.size()) < frames; ++i) {
            if (!options.panelPairs) {
                timed.empty.push_back(emptyFrame());
                continue;
            }
            panel.shown = false;
            walkOnWhenDone(options, start, target, timed);
            runFrame();
            timed.empty.push_back(frameClock.frameBusyTime);
            panel.shown = true;
        }
    }
    return timed;
}

void report(const Options& options, const Timed& timed, int start, int target) {
    const double period = 1.0 / frameClock.targetFrameRate;
    Summary real = summarise(timed.busy, period);
    Summary bare = summarise(timed.empty, period);
    std::printf("walk: tile %d to tile %d and back, %zu steps, %d walks; panel %s%s; frame "
                "period %.3f ms\n",
                start, target, timed.steps, timed.walks, panel.shown ? "shown" : "hidden",
                options.racing ? ", racing" : "", period * 1e3);
    print("real frame", real, timed.busy.size());
    print(options.panelPairs ? "panel hidden" : "empty frame", bare, timed.empty.size());
    if (options.panelPairs) {
        std::printf("the panel's cost: median %+.3f ms\n", (real.median - bare.median) * 1e3);
    }
    std::printf("ratio real / empty: median %.2f  p99 %.2f\n", real.median / bare.median,
                real.p99 / bare.p99);
    std::printf("targets: median %.3f ms <= %.3f ms (half the period): %s;  "
                "p99 %.3f ms < %.3f ms (the period): %s\n",
                real.median * 1e3, period * 0.5e3, real.median <= period * 0.5 ? "met" : "MISSED",
                real.p99 * 1e3, period * 1e3, real.p99 < period ? "met" : "MISSED");
}

} // namespace

int main(int argc, char** argv) {
    const Options options = readWords(argc, argv);
    if (!world.problems.empty() || options.frames < 1) {
        std::fprintf(stderr, "frame_bench: %s\n",
                     options.frames < 1 ? "FRAMES must be a positive number"
                                        : world.problems[0].c_str());
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
    const Timed timed = timeFrames(options, start, target);
    stopPanel();
    glfwTerminate();
    std::printf("load average at the end:   %s\n", loadAverage().c_str());
    report(options, timed, start, target);
    return 0;
}
