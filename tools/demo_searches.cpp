// JPS and Theta* on open ground: a map with no stones or water, which both need, written to a
// scratch folder and opened by a second run of the program (its models are the shipped ones).
#include "tools/demo_searches.h"

#include "tools/demo_context.h"
#include "tools/demo_look.h"

#include <X11/keysym.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

// Open ground with stands of trees between the corners, so that jumps turn and lines bend.
const char* const OpenGround = "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n"
                               "0 0 0 0 0 0 0 0 0 0 0 1 0 0 0 0\n"
                               "0 0 0 0 0 0 0 0 0 0 0 1 0 0 0 0\n"
                               "0 0 0 1 1 1 0 0 0 0 0 1 0 0 0 0\n"
                               "0 0 0 0 0 1 0 0 0 0 0 1 1 1 0 0\n"
                               "0 0 0 0 0 1 0 0 0 0 0 0 0 0 0 0\n"
                               "0 0 0 0 0 0 0 0 1 1 0 0 0 0 0 0\n"
                               "0 0 0 0 0 0 0 0 1 1 0 0 0 0 0 0\n"
                               "0 0 1 0 0 0 0 0 0 0 0 0 0 1 0 0\n"
                               "0 0 1 0 0 0 0 0 0 0 0 0 0 1 0 0\n"
                               "0 0 1 1 1 0 0 0 0 0 0 0 0 1 0 0\n"
                               "0 0 0 0 0 0 0 1 0 0 0 0 0 0 0 0\n"
                               "0 0 0 0 0 0 0 1 0 0 0 0 0 0 0 0\n"
                               "0 0 0 0 0 0 0 1 1 1 0 0 0 0 0 0\n"
                               "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n"
                               "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n";

// One search's walk from the bottom-left to the top-right, watched to its end with the
// search view's marks; its picture saved as `name`.
bool showSearch(Demo& demo, int key, const char* name) {
    const std::vector<int> ends = {14 * 16 + 1, 1 * 16 + 14};
    tapKey(demo.x, key);
    clickTile(demo, ends[0]);
    if (!waitFor(demo, "the monkey on the start",
                 [&] { return monkeyStep(demo.seen, demo.map, ends) == 0; })) {
        return false;
    }
    clickTile(demo, ends[1]);
    // The playback, then the monkey's walk: past halfway it is nearer the target than the
    // start, and the picture is still once it has arrived.
    if (!waitFor(demo, "the monkey past halfway",
                 [&] { return monkeyStep(demo.seen, demo.map, ends) == 1; }) ||
        !waitFor(demo, "the walk's end", still(demo))) {
        return false;
    }
    save(demo, name);
    printTitle(demo);
    return true;
}

} // namespace

int showSearchesOnOpenGround(XDriver& x, const std::string& program, const std::string& out) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path folder = fs::temp_directory_path() / "tanglor-demo-open-ground";
    fs::create_directories(folder, error);
    const fs::path mapFile = folder / "open-ground.txt";
    std::ofstream(mapFile) << OpenGround;
    World map(mapFile.string());
    RunningProgram running(program, folder.string(), true, {mapFile.string()});
    Demo demo{.x = x, .running = running, .map = map, .out = out, .frames = "", .walk = {}};
    bool on = waitUntil([&] { return running.ended() || findWindow(x, running.pid, 0.0) != 0; },
                        Patience) &&
              !running.ended() && waitFor(demo, "a still picture", still(demo));
    if (on) {
        tapKey(x, XK_o);      // the search view's marks
        tapKey(x, XK_KP_Add); // the walks at twice the pace: the marks are the picture
        on = showSearch(demo, XK_6, "9-jps.png") && showSearch(demo, XK_7, "10-theta.png");
    }
    if (on) {
        tapKey(x, XK_Escape);
    }
    const int status = running.exitStatus(on ? Patience : 0.0);
    fs::remove_all(folder, error);
    return status;
}
