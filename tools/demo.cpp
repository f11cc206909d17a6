// A scripted demo of the real program for machines without a screen: under Xvfb it clicks
// a start and a target tile, lets the monkey walk, turns the view, watches a search with the
// search view on, paints a tile that sends a walk another way, races the searches, shows
// JPS's jumps and Theta*'s lines on open ground, and saves screenshots. It waits for what the
// window shows, never for a fixed time, so a slow or busy machine only makes it take longer: it
// fails only when the program does (ends with a non-zero status, never opens its window, or does
// not end on Escape).
//
//   demo PROGRAM ASSETS_FOLDER OUT_FOLDER [FRAMES_FOLDER]
//
// With FRAMES_FOLDER it also saves a picture about every 0.1 s of the walk there, as
// walk-000.png and on, for an animation (scripts/walk-gif).
//
// Each scene is one function, played in the order main lists them, on from where the one
// before left the program; a scene returns false once the program has ended.
#include "tools/demo_context.h"
#include "tools/demo_look.h"
#include "tools/demo_searches.h"
#include "tools/demo_walks.h"
#include "tools/longest_walk.h"
#include "view/search_view.h"

#include <X11/keysym.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

// The window opens and shows the frame rate in its title; the first still picture.
bool showStart(Demo& demo) {
    waitUntil(
        [&] { return demo.running.ended() || findWindow(demo.x, demo.running.pid, 0.0) != 0; },
        Patience);
    if (demo.running.ended()) {
        return false;
    }
    if (demo.x.window == 0) {
        std::fprintf(stderr, "demo: the program opened no window within %g s\n", Patience);
        return false;
    }
    std::string title;
    waitFor(demo, "frame rate in the title", [&] {
        return (title = windowTitle(demo.x)).rfind("Tanglor pathfinding - fps: ", 0) == 0;
    });
    std::printf("Window title: %s\n", title.c_str());
    // The first frames may still show the window at another size.
    if (!waitFor(demo, "still picture at the start", still(demo))) {
        return false;
    }
    std::printf("Screenshots:\n");
    save(demo, "1-before.png");
    return true;
}

// The first walk clicked, and the monkey on it from the start to the target; its frames are
// the ones recorded.
bool showWalk(Demo& demo) {
    const int last = static_cast<int>(demo.walk.size()) - 1;
    const auto step = [&] { return monkeyStep(demo.seen, demo.map, demo.walk); };
    // The second click only once the first shows, or both might fall into one frame.
    clickTile(demo, demo.start);
    if (!waitFor(demo, "monkey on the start", [&] { return step() == 0; })) {
        return false;
    }
    demo.recording = true;
    clickTile(demo, demo.target);
    if (!waitFor(demo, "monkey halfway", [&] { return step() >= last / 2; })) {
        return false;
    }
    save(demo, "2-walking.png");
    if (!waitFor(demo, "monkey on the target", [&] { return step() == last; }) ||
        !waitFor(demo, "end of the walk", still(demo))) {
        return false;
    }
    demo.recording = false;
    save(demo, "3-arrived.png");
    return true;
}

// Turn and tilt the scene with the right button, in small steps (see dragUntil) until the
// monkey has swung 20 degrees round the middle, then let it coast to a stop. The program
// sees the pointer in the middle before the drag.
bool showTurn(Demo& demo) {
    const double bearing = monkeyBearing(demo.seen);
    movePointer(demo.x, 640, 360);
    settle(demo.x);
    std::pair<int, int> pointer{640, 360};
    const bool turned = dragUntil(
        demo.x, 3, pointer, {3, 1},
        [&](const Picture& picture) {
            return std::abs(std::remainder(monkeyBearing(picture) - bearing, 360.0)) >= 20.0;
        },
        Patience);
    if (!turned) {
        std::printf("  (no turned board within %g s; going on)\n", Patience);
    }
    if (!waitFor(demo, "still picture after the turn", still(demo))) {
        return false;
    }
    save(demo, "4-turned.png");
    printTitle(demo);
    return true;
}

// The view back; the search view on, and a walk on which the search goes astray: its
// playback, then the walk, then the finished picture with the cheapest walk beside it.
bool showSearchView(Demo& demo) {
    tapKey(demo.x, XK_space);
    tapKey(demo.x, XK_o);
    tapKey(demo.x, XK_KP_Add); // five frames a step: the playback is the picture
    const auto [from, to] = astrayWalk(demo.map, 2);
    // What the title will say of that search once it is played back.
    const std::string figures = [&, from = from, to = to] {
        demo.map.clickTile(from);
        demo.map.clickTile(to);
        cycleSearchView(demo.map);
        return searchViewTitle(demo.map);
    }();
    const auto titled = [&] { return windowTitle(demo.x).find(figures) != std::string::npos; };
    clickTile(demo, from);
    if (!waitFor(demo, "search view on",
                 [&] { return windowTitle(demo.x).find(" | closed") != std::string::npos; }) ||
        !waitFor(demo, "monkey on the start", [&] {
            return monkeyStep(demo.seen, demo.map, {from, to}) == 0;
        })) {
        return false;
    }
    clickTile(demo, to);
    if (!waitFor(demo, "search's figures in the title", titled) ||
        !waitFor(demo, "end of the walk", still(demo))) {
        return false;
    }
    save(demo, "5-search-view.png");
    printTitle(demo);
    return true;
}

// The view off; the first walk again, slower, and three Shift clicks that turn a lawn tile
// ahead of the monkey into stones, water, then a tree: the lit path bends round it.
bool showPaint(Demo& demo) {
    tapKey(demo.x, XK_o);
    tapKey(demo.x, XK_o);
    const int paint = tileToPaint(demo.map, demo.start, demo.target);
    for (int i = 0; i < 4; ++i) {
        tapKey(demo.x, XK_KP_Subtract); // forty-five frames a step (ten a tap: press, release)
    }
    clickTile(demo, demo.start);
    if (!waitFor(demo, "monkey on the start",
                 [&] { return monkeyStep(demo.seen, demo.map, demo.walk) == 0; })) {
        return false;
    }
    // Each paint only once the frame before has shown what came before it: the walk planned
    // over the tile (it lights up), then each new kind. Clicks quicker than a frame count once.
    const auto changes = [&] {
        const std::vector<unsigned char> before = tilePatch(grabWindow(demo.x), demo.map, paint);
        return [&demo, paint, before] { return tilePatch(demo.seen, demo.map, paint) != before; };
    };
    if (paint < 0) {
        clickTile(demo, demo.target);
        settle(demo.x);
    } else {
        auto lit = changes();
        clickTile(demo, demo.target);
        waitFor(demo, "the walk lit", lit);
        holdKey(demo.x, XK_Shift_L, true);
        for (int i = 0; i < 3; ++i) {
            auto painted = changes();
            clickTile(demo, paint);
            waitFor(demo, "the tile painted", painted);
        }
        holdKey(demo.x, XK_Shift_L, false);
    }
    settle(demo.x); // the walk planned round the tree
    demo.seen = grabWindow(demo.x);
    save(demo, "6-painted.png");
    return true;
}

// The race on that walk: four searches side by side, each played back, then walked.
bool showRace(Demo& demo) {
    tapKey(demo.x, XK_c);
    if (!waitFor(demo, "race in the title",
                 [&] { return windowTitle(demo.x).find(" | race:") != std::string::npos; })) {
        return false;
    }
    settleFor(demo, std::chrono::milliseconds(2500)); // past the two-second playback, the
                                                      // monkeys under way
    demo.seen = grabWindow(demo.x);
    save(demo, "7-race.png");
    printTitle(demo);
    return true;
}

// A made maze (G: the board's size, seed 1), a walk across it, and the race on that.
bool showMazeRace(Demo& demo) {
    tapKey(demo.x, XK_c);
    tapKey(demo.x, XK_g);
    if (!waitFor(demo, "the new maze's notice",
                 [&] { return windowTitle(demo.x).find("new maze") != std::string::npos; })) {
        return false;
    }
    // The maze's cells lie on odd columns and rows: its first and its last.
    const Board& board = demo.map.board;
    const int lastColumn = 2 * ((board.columns - 1) / 2) - 1;
    const int lastRow = 2 * ((board.rows - 1) / 2) - 1;
    // A whole frame after each click: the walk before's monkey may still be walking over the
    // new maze, so no look at the picture tells a click has been taken.
    clickTile(demo, board.columns + 1);
    settle(demo.x);
    clickTile(demo, lastRow * board.columns + lastColumn);
    settle(demo.x);
    tapKey(demo.x, XK_c);
    settleFor(demo, std::chrono::milliseconds(2500)); // as above
    demo.seen = grabWindow(demo.x);
    save(demo, "8-maze-race.png");
    printTitle(demo);
    return true;
}

// The program's exit, reported; the demo's exit status.
int finish(RunningProgram& running, int status) {
    std::printf("The program ended with status %d.\n", status);
    std::fputs(running.errorText().c_str(), stderr);
    return status == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: demo PROGRAM ASSETS_FOLDER OUT_FOLDER [FRAMES_FOLDER]\n");
        return 2;
    }
    const std::string program = argv[1];
    const std::string assets = argv[2];

    World map(assets + "/map.txt");
    int start = 0;
    int target = 0;
    if (!map.problems.empty() || longestWalk(map, &start, &target, 3) == 0) {
        std::fprintf(stderr, "demo: the map in %s has no walk to show\n", assets.c_str());
        return 1;
    }
    std::vector<int> walk = walkTiles(map, start, target);

    XDriver x;
    if (x.display == nullptr) {
        std::fprintf(stderr, "demo: no X display\n");
        return 1;
    }
    RunningProgram running(program, assets);
    Demo demo{.x = x,
              .running = running,
              .map = map,
              .out = argv[3],
              .frames = argc == 5 ? argv[4] : "",
              .start = start,
              .target = target,
              .walk = std::move(walk)};

    using Scene = bool (*)(Demo&);
    for (const Scene scene : {
             showStart,
             showWalk,
             showTurn,
             showSearchView,
             showPaint,
             showRace,
             showMazeRace,
         }) {
        if (!scene(demo)) {
            return finish(running, running.exitStatus(0.0));
        }
    }
    tapKey(x, XK_Escape);
    const int status = running.exitStatus(Patience);
    if (status != 0) {
        return finish(running, status);
    }
    std::printf("The program ended with status 0.\nOn open ground:\n");
    return finish(running, showSearchesOnOpenGround(x, program, demo.out));
}
