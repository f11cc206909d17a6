// A scripted demo of the real program for machines without a screen: under Xvfb it clicks
// a start and a target tile, lets the monkey walk, turns the view, watches a search with the
// search view on, paints a tile that sends a walk another way, and saves screenshots.
// It waits for what the window shows, never for a fixed time, so a slow or busy machine
// only makes it take longer: it fails only when the program does (ends with a non-zero
// status, never opens its window, or does not end on Escape).
//
//   demo PROGRAM ASSETS_FOLDER OUT_FOLDER [FRAMES_FOLDER]
//
// With FRAMES_FOLDER it also saves a picture about every 0.1 s of the walk there, as
// walk-000.png and on, for an animation (scripts/walk-gif).
#include "tools/longest_walk.h"
#include "tools/png_write.h"
#include "tools/xdriver/x_driver.h"
#include "ui/panel.h"
#include "view/search_view.h"
#include "world/tile_kinds.h"
#include "world/world.h"

#include <X11/keysym.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

// How long the demo waits for anything the window should show: long enough for a busy
// machine's software OpenGL.
constexpr double Patience = 60.0;

bool save(const Picture& picture, const std::string& path) {
    bool ok =
        picture.width > 0 && writePng(path, picture.width, picture.height, picture.rgb.data());
    std::printf("  %s %s\n", ok ? "saved" : "could not save", path.c_str());
    return ok;
}

// The monkey's lit orange, apart from the banana's yellow (no blue), the greens and greys.
bool orange(const unsigned char* p) {
    return p[0] > 180 && p[1] > 100 && p[0] - p[1] >= 30 && p[2] > 25 && p[2] < 120;
}

// The middle of the monkey's orange in window pixels; false when none shows.
bool monkeyAt(const Picture& picture, double* x, double* y) {
    double count = 0.0;
    *x = *y = 0.0;
    for (int i = 0; i < picture.width * picture.height; ++i) {
        // The panel's legend has an orange swatch too: only the board counts.
        if (i % picture.width < picture.width - PanelWidth && orange(&picture.rgb[i * 3])) {
            *x += i % picture.width, *y += i / picture.width, count += 1.0;
        }
    }
    *x /= count, *y /= count;
    return count > 0.0;
}

// Where the monkey stands on the walk (`walk` holds its tiles, the start first): the
// position in `walk` of the tile nearest the monkey, or -1 when it does not show.
int monkeyStep(const Picture& picture, const World& map, const std::vector<int>& walk) {
    double x = 0.0, y = 0.0;
    const bool shows = monkeyAt(picture, &x, &y);
    int nearest = -1;
    double best = 0.0;
    for (int step = 0; shows && step < static_cast<int>(walk.size()); ++step) {
        const Vec3 centre = map.board.tileCentre(walk[step]);
        const auto [px, py] = startCameraPixel(centre.x, centre.z);
        const double dx = px - x, dy = py - y;
        if (nearest == -1 || dx * dx + dy * dy < best) {
            nearest = step, best = dx * dx + dy * dy;
        }
    }
    return nearest;
}

// The monkey's direction from the window's middle, about which the view turns, in
// degrees; not a number when it does not show.
double monkeyBearing(const Picture& picture) {
    double x = 0.0, y = 0.0;
    return monkeyAt(picture, &x, &y) ? std::atan2(360.0 - y, x - 640.0) * 180.0 / M_PI : NAN;
}

// A walk worth watching with the search view on: the one whose cost the search's early stop
// raises the most above the cheapest (ties: the longer), from every `stride`-th tile.
std::pair<int, int> astrayWalk(World& map, int stride) {
    std::pair<int, int> best{-1, -1};
    int worst = -1;
    for (int from = 0; from < map.board.nodeCount; from += stride) {
        for (int to = 0; to < map.board.nodeCount; to += stride) {
            if (from == to || !map.board.passable(from) || !map.board.passable(to)) {
                continue;
            }
            map.clickTile(from);
            map.clickTile(to);
            const int extra = map.walk.found.cost - map.walk.cheapest.cost;
            if (map.walk.search.found && extra > worst) {
                worst = extra;
                best = {from, to};
            }
        }
    }
    return best;
}

// A lawn tile of the walk from `from` to `to` that, painted a tree, sends the walk another
// way: the one nearest two thirds of the way, so that the monkey has not passed it when the
// paint comes.
int tileToPaint(World& map, int from, int to) {
    map.clickTile(from);
    map.clickTile(to);
    const std::vector<int> walk = map.walk.search.walk;
    int chosen = -1;
    for (size_t i = 0; i + 1 < walk.size(); ++i) {
        World painted(map.mapFileName);
        painted.clickTile(from);
        painted.clickTile(to);
        if (map.board.nodes[walk[i]].kind != GroundCode) {
            continue;
        }
        painted.paintTile(walk[i], TreeCode);
        const int goal = static_cast<int>(walk.size()) * 2 / 3;
        if (painted.walk.search.walk != walk &&
            (chosen < 0 || std::abs(int(i) - goal) < std::abs(chosen - goal))) {
            chosen = static_cast<int>(i);
        }
    }
    return chosen < 0 ? -1 : walk[chosen];
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
    std::string program = argv[1];
    std::string assets = argv[2];
    std::string out = argv[3];
    std::string frames = argc == 5 ? argv[4] : "";

    World map(assets + "/map.txt");
    int start = 0;
    int target = 0;
    if (!map.problems.empty() || longestWalk(map, &start, &target, 3) == 0) {
        std::fprintf(stderr, "demo: the map in %s has no walk to show\n", assets.c_str());
        return 1;
    }
    // The walk's tiles in order, the start first: the path holds the next waypoint last.
    map.clickTile(start);
    map.clickTile(target);
    std::vector<int> walk{start};
    for (int tile : map.walk.search.walk) {
        walk.push_back(tile);
    }
    const int last = static_cast<int>(walk.size()) - 1;

    XDriver x;
    if (x.display == nullptr) {
        std::fprintf(stderr, "demo: no X display\n");
        return 1;
    }
    const auto clickTile = [&](int index) {
        const Vec3 centre = map.board.tileCentre(index);
        click(x, startCameraPixel(centre.x, centre.z));
    };
    RunningProgram running(program, assets);
    waitUntil([&] { return running.ended() || findWindow(x, running.pid, 0.0) != 0; }, Patience);
    if (running.ended()) {
        return finish(running, running.exitStatus(0.0));
    }
    if (x.window == 0) {
        std::fprintf(stderr, "demo: the program opened no window within %g s\n", Patience);
        return finish(running, running.exitStatus(0.0));
    }

    // Polls the window until it shows what `shown` looks for in its picture (kept in `seen`),
    // with a frames folder saving a picture there about every 0.1 s while `recording`.
    // A wait that runs out is told and the demo goes on; false once the program has ended.
    Picture seen;
    bool recording = false;
    int framesSaved = 0;
    auto lastFrame = std::chrono::steady_clock::now();
    const auto waitFor = [&](const char* what, const std::function<bool()>& shown) {
        const bool ok = waitUntil(
            [&] {
                seen = grabWindow(x);
                const auto now = std::chrono::steady_clock::now();
                if (recording && !frames.empty() &&
                    now - lastFrame > std::chrono::milliseconds(100)) {
                    char name[32];
                    std::snprintf(name, sizeof name, "/walk-%03d.png", framesSaved++);
                    writePng(frames + name, seen.width, seen.height, seen.rgb.data());
                    lastFrame = now;
                }
                return running.ended() || shown();
            },
            Patience);
        if (!ok) {
            std::printf("  (no %s within %g s; going on)\n", what, Patience);
        }
        return !running.ended();
    };
    // Whether the picture is the one seen at the title's change before: a whole frame has
    // been drawn in between (the title changes at a frame's end) and nothing moved.
    const auto still = [&] {
        return [&, title = windowTitle(x), before = Picture{}]() mutable {
            const std::string now = windowTitle(x);
            return now != std::exchange(title, now) && std::exchange(before, seen) == seen;
        };
    };

    std::string title;
    waitFor("frame rate in the title",
            [&] { return (title = windowTitle(x)).rfind("Tanglor pathfinding - fps: ", 0) == 0; });
    std::printf("Window title: %s\n", title.c_str());

    // The first frames may still show the window at another size.
    if (!waitFor("still picture at the start", still())) {
        return finish(running, running.exitStatus(0.0));
    }
    std::printf("Screenshots:\n");
    save(seen, out + "/1-before.png");
    // The second click only once the first shows, or both might fall into one frame.
    clickTile(start);
    if (!waitFor("monkey on the start", [&] { return monkeyStep(seen, map, walk) == 0; })) {
        return finish(running, running.exitStatus(0.0));
    }
    recording = true;
    clickTile(target);
    if (!waitFor("monkey halfway", [&] { return monkeyStep(seen, map, walk) >= last / 2; })) {
        return finish(running, running.exitStatus(0.0));
    }
    save(seen, out + "/2-walking.png");
    if (!waitFor("monkey on the target", [&] { return monkeyStep(seen, map, walk) == last; }) ||
        !waitFor("end of the walk", still())) {
        return finish(running, running.exitStatus(0.0));
    }
    recording = false;
    save(seen, out + "/3-arrived.png");

    // Turn and tilt the scene with the right button, in small steps (see dragUntil) until
    // the monkey has swung 20 degrees round the middle, then let it coast to a stop. The
    // program sees the pointer in the middle before the drag.
    const double bearing = monkeyBearing(seen);
    movePointer(x, 640, 360);
    settle(x);
    std::pair<int, int> pointer{640, 360};
    const bool turned = dragUntil(
        x, 3, pointer, {3, 1},
        [&](const Picture& picture) {
            return std::abs(std::remainder(monkeyBearing(picture) - bearing, 360.0)) >= 20.0;
        },
        Patience);
    if (!turned) {
        std::printf("  (no turned board within %g s; going on)\n", Patience);
    }
    if (!waitFor("still picture after the turn", still())) {
        return finish(running, running.exitStatus(0.0));
    }
    save(seen, out + "/4-turned.png");
    std::printf("Window title: %s\n", windowTitle(x).c_str());

    // The view back; the search view on, and a walk on which the search goes astray: its
    // playback, then the walk, then the finished picture with the cheapest walk beside it.
    tapKey(x, XK_space);
    tapKey(x, XK_o);
    const auto [from, to] = astrayWalk(map, 2);
    const std::string figures = [&, from = from, to = to] {
        map.clickTile(from);
        map.clickTile(to);
        cycleSearchView(map);
        return searchViewTitle(map);
    }();
    const auto titled = [&] { return windowTitle(x).find(figures) != std::string::npos; };
    clickTile(from);
    if (!waitFor("search view on",
                 [&] { return windowTitle(x).find(" | closed") != std::string::npos; }) ||
        !waitFor("monkey on the start", [&] {
            return monkeyStep(seen, map, {from, to}) == 0;
        })) {
        return finish(running, running.exitStatus(0.0));
    }
    clickTile(to);
    if (!waitFor("search's figures in the title", titled) || !waitFor("end of the walk", still())) {
        return finish(running, running.exitStatus(0.0));
    }
    save(seen, out + "/5-search-view.png");
    std::printf("Window title: %s\n", windowTitle(x).c_str());

    // The view off; the first walk again, slower, and three Shift clicks that turn a lawn
    // tile ahead of the monkey into stones, water, then a tree: the lit path bends round it.
    tapKey(x, XK_o);
    tapKey(x, XK_o);
    const int paint = tileToPaint(map, start, target);
    for (int i = 0; i < 4; ++i) {
        tapKey(x, XK_KP_Subtract); // fifty frames a step
    }
    clickTile(start);
    if (!waitFor("monkey on the start", [&] { return monkeyStep(seen, map, walk) == 0; })) {
        return finish(running, running.exitStatus(0.0));
    }
    clickTile(target);
    settle(x); // the paint only once a frame has taken the second click
    if (paint >= 0) {
        holdKey(x, XK_Shift_L, true);
        for (int i = 0; i < 3; ++i) {
            clickTile(paint);
            settle(x); // one paint a frame at most: a click quicker than that counts once
        }
        holdKey(x, XK_Shift_L, false);
    }
    settle(x);
    seen = grabWindow(x);
    save(seen, out + "/6-painted.png");

    // The race on that walk: four searches side by side, each played back, then walked.
    tapKey(x, XK_c);
    if (!waitFor("race in the title",
                 [&] { return windowTitle(x).find(" | race:") != std::string::npos; })) {
        return finish(running, running.exitStatus(0.0));
    }
    for (const auto begin = std::chrono::steady_clock::now();
         std::chrono::steady_clock::now() - begin < std::chrono::milliseconds(3500);) {
        settle(x); // past the two-second playback, the monkeys under way
    }
    seen = grabWindow(x);
    save(seen, out + "/7-race.png");
    std::printf("Window title: %s\n", windowTitle(x).c_str());

    // A made maze (G: the board's size, seed 1), a walk across it, and the race on that.
    tapKey(x, XK_c);
    tapKey(x, XK_g);
    if (!waitFor("the new maze's notice",
                 [&] { return windowTitle(x).find("new maze") != std::string::npos; })) {
        return finish(running, running.exitStatus(0.0));
    }
    // The maze's cells lie on odd columns and rows: its first and its last.
    const int lastColumn = 2 * ((map.board.columns - 1) / 2) - 1;
    const int lastRow = 2 * ((map.board.rows - 1) / 2) - 1;
    clickTile(map.board.columns + 1);
    settle(x);
    clickTile(lastRow * map.board.columns + lastColumn);
    settle(x);
    tapKey(x, XK_c);
    for (const auto begin = std::chrono::steady_clock::now();
         std::chrono::steady_clock::now() - begin < std::chrono::milliseconds(3500);) {
        settle(x);
    }
    seen = grabWindow(x);
    save(seen, out + "/8-maze-race.png");
    std::printf("Window title: %s\n", windowTitle(x).c_str());

    tapKey(x, XK_Escape);
    return finish(running, running.exitStatus(Patience));
}
