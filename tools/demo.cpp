// A scripted demo of the real program for machines without a screen: under Xvfb it clicks
// a start and a target tile, lets the monkey walk, turns the view, and saves screenshots.
//
//   demo PROGRAM ASSETS_FOLDER OUT_FOLDER [FRAMES_FOLDER]
//
// With FRAMES_FOLDER it also saves a picture about every 0.1 s of the walk there, as
// walk-000.png and on, for an animation (scripts/walk-gif).
#include "tools/longest_walk.h"
#include "tools/png_write.h"
#include "tools/xdriver/x_driver.h"
#include "world/world.h"

#include <X11/keysym.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

// Clicks the centre of a tile, found from its anchor (the corner with the largest x and
// smallest z).
void clickTile(XDriver& x, const World& map, int index) {
    const float* anchor = map.nodes[index].mesh.position;
    click(x, startCameraPixel(anchor[0] - TileSize / 2.0, anchor[2] + TileSize / 2.0));
}

bool save(XDriver& x, const std::string& path) {
    Picture picture = grabWindow(x);
    bool ok =
        picture.width > 0 && writePng(path, picture.width, picture.height, picture.rgb.data());
    std::printf("  %s %s\n", ok ? "saved" : "could not save", path.c_str());
    return ok;
}

// Waits `seconds`; with a frames folder, saves the window there meanwhile, one picture about
// every 0.1 s.
void watch(XDriver& x, double seconds, const std::string& frames, int* saved) {
    if (frames.empty()) {
        pause(seconds);
        return;
    }
    char name[32];
    for (double waited = 0.0; waited < seconds; waited += 0.1) {
        std::snprintf(name, sizeof name, "/walk-%03d.png", (*saved)++);
        Picture picture = grabWindow(x);
        if (picture.width > 0) {
            writePng(frames + name, picture.width, picture.height, picture.rgb.data());
        }
        pause(0.1);
    }
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
    int framesSaved = 0;

    World map(assets + "/map.txt");
    int start = 0;
    int target = 0;
    size_t steps = 0;
    if (!map.problems.empty() || (steps = longestWalk(map, &start, &target, 3)) == 0) {
        std::fprintf(stderr, "demo: the map in %s has no walk to show\n", assets.c_str());
        return 1;
    }

    XDriver x;
    if (x.display == nullptr) {
        std::fprintf(stderr, "demo: no X display\n");
        return 1;
    }
    RunningProgram running(program, assets);
    if (findWindow(x, running.pid, 10.0) == 0) {
        std::fprintf(stderr, "demo: the program opened no window\n%s", running.errorText().c_str());
        return 1;
    }
    std::string title;
    waitUntil([&] { return (title = windowTitle(x)).rfind("Tanglor pathfinding - fps: ", 0) == 0; },
              3.0);
    std::printf("Window title: %s\n", title.c_str());

    std::printf("Screenshots:\n");
    save(x, out + "/1-before.png");
    clickTile(x, map, start);
    pause(0.3);
    clickTile(x, map, target);
    // Ten frames per step at 70 frames a second.
    double walk = (static_cast<double>(steps) + 1.0) * 10.0 / 70.0;
    watch(x, walk / 2.0, frames, &framesSaved);
    save(x, out + "/2-walking.png");
    watch(x, walk / 2.0 + 1.0, frames, &framesSaved);
    save(x, out + "/3-arrived.png");

    // Turn and tilt the scene with the right button, then let it coast.
    movePointer(x, 640, 360);
    pause(0.1);
    button(x, 3, true);
    for (int i = 1; i <= 20; ++i) {
        movePointer(x, 640 + i * 6, 360 + i * 3);
        pause(0.02);
    }
    button(x, 3, false);
    pause(1.0);
    save(x, out + "/4-turned.png");
    title = windowTitle(x);
    std::printf("Window title: %s\n", title.c_str());

    tapKey(x, XK_Escape);
    int status = running.exitStatus(5.0);
    std::printf("The program ended with status %d.\n", status);
    return status == 0 ? 0 : 1;
}
