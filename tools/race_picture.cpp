// The README's pictures of races: four settings (A* x1, A* x2, A* x5 and greedy); with
// `both` the searches from one end and from both (A*, bidirectional A*, Dijkstra,
// bidirectional Dijkstra); with `fog` A*, D* Lite, Dijkstra and breadth-first under fog of 3,
// each monkey at its banana, between the same two tiles of the shipped map, drawn by the
// program's own frame with its panel once every racer's playback is over and its monkey has
// arrived. With `trace`, no race: a search trace file played on MAPFILE, drawn halfway through
// its playback.
//
// Usage (needs a display; on a machine without one, under xvfb-run):
//   race_picture [OUT_PNG [both | fog [MAPFILE]]]       (default: race-settings.png)
//   race_picture OUT_PNG trace MAPFILE TRACEFILE
// On another map the race runs between the open tiles nearest its quarter points.
#include "app/actions.h"
#include "app/app.h"
#include "app/command.h"
#include "platform/glfw2.h"
#include "tools/png_write.h"
#include "view/race.h"
#include "world/map_file.h"
#include "world/trace_file.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

World world(TANGLOR_ASSETS_DIR "/map.txt");

namespace {

bool arrived() {
    for (const Racer& racer : world.session.racers) {
        if (racer.walk.walking || racer.walk.searching()) {
            return false;
        }
    }
    for (const Racer& racer : world.session.racers) {
        if (world.monkeyTile(racer.walk) != racer.walk.target) {
            return false;
        }
    }
    return raceOver(world);
}

bool saveFront(const std::string& path) {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(windowWidth) * windowHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK); // kept by the swap on this renderer
    glReadPixels(0, 0, windowWidth, windowHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    // OpenGL hands the bottom row first; PNG wants the top row first.
    std::vector<unsigned char> flipped(pixels.size());
    const std::size_t row = static_cast<std::size_t>(windowWidth) * 3;
    for (int r = 0; r < windowHeight; ++r) {
        std::copy_n(pixels.data() + row * (windowHeight - 1 - r), row, flipped.data() + row * r);
    }
    return writePng(path, windowWidth, windowHeight, flipped.data());
}

// The trace played until half its tiles closed show, with costs under the cursor's tile.
int tracePicture(const std::string& out, const std::string& traceFile) {
    SearchTrace trace;
    if (const std::string why = readTraceFile(traceFile, world.board, trace); !why.empty()) {
        std::cerr << "race_picture: " << why << '\n';
        return 1;
    }
    if (!startUp()) {
        std::cerr << "race_picture: cannot open a window\n";
        return 1;
    }
    world.showTrace(trace);
    setPlaybackSeconds(4.0);
    const double half = static_cast<double>(world.walk.search.closed.size()) / 2;
    for (int frame = 0; frame < 20000 && world.walk.playback.shown < half; frame++) {
        runFrame();
    }
    const bool saved = world.walk.playback.shown >= half && saveFront(out);
    std::cout << (saved ? out : "race_picture: the trace did not play") << '\n';
    glfwTerminate();
    return saved ? 0 : 1;
}

} // namespace

// The open tile nearest (column, row): the walks' ends on a map given.
int openNear(int column, int row) {
    const Board& b = world.board;
    for (int r = 0; r < std::max(b.columns, b.rows); r++) {
        for (int t = 0; t < b.tileCount(); t++) {
            if (std::abs(t % b.columns - column) <= r && std::abs(t / b.columns - row) <= r &&
                b.passable(t)) {
                return t;
            }
        }
    }
    return 0;
}

int main(int argc, char** argv) {
    const std::string out = argc > 1 ? argv[1] : "race-settings.png";
    if (argc > 3) {
        world = World(argv[3], modelFolderFor(argv[3], shippedAssetsFolder()));
    }
    if (argc > 4 && std::string(argv[2]) == "trace") {
        return tracePicture(out, argv[4]);
    }
    if (!startUp()) {
        std::cerr << "race_picture: cannot open a window\n";
        return 1;
    }
    const std::string mode = argc > 2 ? argv[2] : "";
    const bool bothEnds = mode == "both";
    const double weights[RacerCount] = {1, 2, 5, 1};
    const SearchKind settingsRace[RacerCount] = {SearchKind::AStar, SearchKind::AStar,
                                                 SearchKind::AStar, SearchKind::Greedy};
    const SearchKind endsRace[RacerCount] = {SearchKind::AStar, SearchKind::BidirectionalAStar,
                                             SearchKind::Dijkstra,
                                             SearchKind::BidirectionalDijkstra};
    const SearchKind fogRace[RacerCount] = {SearchKind::AStar, SearchKind::DStarLite,
                                            SearchKind::Dijkstra, SearchKind::BreadthFirst};
    if (mode == "fog") {
        world.session.sight = 3;
        toggleFog();
    }
    for (int i = 0; i < RacerCount; i++) {
        chooseRacer(i, mode == "fog" ? fogRace[i] : bothEnds ? endsRace[i] : settingsRace[i]);
        chooseRacerSettings(i, SearchSettings{false, Heuristic::Octile, bothEnds ? 1 : weights[i]});
    }
    const int columns = world.board.columns, rows = world.board.rows;
    world.clickTile(argc > 3 ? openNear(columns / 4, rows / 4) : 1 * columns + 1);
    world.clickTile(argc > 3 ? openNear(3 * columns / 4, 3 * rows / 4) : 12 * columns + 14);
    chooseRace(true);
    setPlaybackSeconds(0.5);
    world.stepFrames = argc > 3 ? 1 : world.stepFrames; // a long walk, quickly
    for (int frame = 0; frame < 20000 && !arrived(); frame++) {
        runFrame();
    }
    for (int frame = 0; frame < 5; frame++) { // the labels settle on the last places
        runFrame();
    }
    const bool saved = arrived() && saveFront(out);
    std::cout << (saved ? out : "race_picture: the race did not end") << '\n';
    glfwTerminate();
    return saved ? 0 : 1;
}
