// Where a frame's time goes: the frame of the shipped map built up part by part (clear and
// swap, then the camera and light, each kind of tile, the two figures, and finally the whole
// drawFrame, which adds the green ground square), each part timed like a real frame and
// capped to 70 frames a second. Two more rows: every tile drawn with the two-triangle water
// square instead of its own model (what is left when the models cost nothing), and every
// tile drawn far out of view (the cost of a mesh draw call alone). Frames of the kinds take
// turns, ten at a time, so that load from other processes falls on all of them alike.
// Needs a display; without a screen run it under xvfb-run.
//
//   frame_parts_bench [FRAMES]     FRAMES of each kind, 300 when not given
#include "app/app.h"
#include "platform/glfw2.h"
#include "ui/panel.h"
#include "view/camera.h"
#include "world/world.h"

#include <GL/gl.h>

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

World world(TANGLOR_ASSETS_DIR "/map.txt");

namespace {

Mesh square;

double clockSeconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

enum class Tiles { Own, Square, OutOfView };

void drawTilesOfKind(int kind, Tiles how) {
    for (int tile = 0; tile < world.board.tileCount(); tile++) {
        if (world.tiles[tile].kind != kind) {
            continue;
        }
        Mesh& mesh = world.tileModels[tile];
        if (how == Tiles::Own) {
            mesh.draw(world.walk.lit(tile));
        } else if (how == Tiles::Square) {
            std::copy(mesh.color, mesh.color + 3, square.color);
            std::copy(mesh.position, mesh.position + 3, square.position);
            square.angle = mesh.angle;
            square.draw(world.walk.lit(tile));
        } else {
            float x = mesh.position[0];
            mesh.position[0] = x + 100000.0f;
            mesh.draw(world.walk.lit(tile));
            mesh.position[0] = x;
        }
    }
}

// The frame up to part `parts`: 0 camera and light, 1 ground tiles, 2 trees, 3 stones,
// 4 water, 5 the figures.
void partialFrame(int parts, Tiles how) {
    updateViewport();
    applyCamera();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    setupLight();
    for (int kind = 0; kind < 4 && kind < parts; ++kind) {
        drawTilesOfKind(kind, how);
    }
    if (parts >= 5) {
        world.walk.monkey.draw(false);
        world.banana.draw(false);
    }
}

struct Part {
    const char* name;
    std::function<void()> draw;
};

// The frame built up part by part, then the whole frame, then the two rows that set the
// models' cost apart from the draw calls'.
std::vector<Part> frameParts() {
    return {
        {"clear and swap (the empty frame)",
         [] { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }},
        {"+ viewport, camera, light", [] { partialFrame(0, Tiles::Own); }},
        {"+ ground tiles", [] { partialFrame(1, Tiles::Own); }},
        {"+ tree tiles", [] { partialFrame(2, Tiles::Own); }},
        {"+ stones tiles", [] { partialFrame(3, Tiles::Own); }},
        {"+ water tiles", [] { partialFrame(4, Tiles::Own); }},
        {"+ monkey and banana", [] { partialFrame(5, Tiles::Own); }},
        {"drawFrame (+ ground square)",
         [] {
             updateViewport();
             applyCamera();
             drawFrame();
         }},
        {"drawFrame and the panel",
         [] {
             updateViewport();
             applyCamera();
             drawFrame();
             drawPanel();
         }},
        {"as '+ monkey and banana', every tile a 2-triangle square",
         [] { partialFrame(5, Tiles::Square); }},
        {"as '+ monkey and banana', every tile out of view",
         [] { partialFrame(5, Tiles::OutOfView); }},
    };
}

// The figures stand on two tiles, as during a walk; the zoom is the one of every frame after
// the first.
void placeFigures() {
    world.walk.monkey.visible = true;
    world.banana.visible = true;
    world.walk.monkey.position[0] = world.tileModels.front().position[0];
    world.walk.monkey.position[2] = world.tileModels.front().position[2];
    world.banana.position[0] = world.tileModels.back().position[0];
    world.banana.position[2] = world.tileModels.back().position[2];
    applyWheelZoom();
}

struct Samples {
    std::vector<double> wall, process, mainThread;
};

// One frame of `part`, timed on the wall clock, the process's and the main thread's, and
// capped like a real frame.
void timeFrame(const Part& part, Samples& taken) {
    double wall = glfwGetTime();
    double process = clockSeconds(CLOCK_PROCESS_CPUTIME_ID);
    double mainThread = clockSeconds(CLOCK_THREAD_CPUTIME_ID);
    part.draw();
    glfwSwapBuffers();
    taken.mainThread.push_back(clockSeconds(CLOCK_THREAD_CPUTIME_ID) - mainThread);
    taken.process.push_back(clockSeconds(CLOCK_PROCESS_CPUTIME_ID) - process);
    taken.wall.push_back(glfwGetTime() - wall);
    double period = 1.0 / frameClock.targetFrameRate;
    if (taken.wall.back() < period) {
        glfwSleep(period - taken.wall.back());
    }
}

std::vector<Samples> timeParts(const std::vector<Part>& parts, int frames) {
    std::vector<Samples> samples(parts.size());
    for (int round = 0; round < frames / 10; ++round) {
        for (size_t p = 0; p < parts.size(); ++p) {
            for (int i = 0; i < 10; ++i) {
                timeFrame(parts[p], samples[p]);
            }
        }
    }
    return samples;
}

void report(const std::vector<Part>& parts, const std::vector<Samples>& samples, int frames) {
    std::printf("%-58s %8s %10s %12s  (medians of %d frames, ms)\n", "frame", "wall", "processor",
                "main thread", frames / 10 * 10);
    for (size_t p = 0; p < parts.size(); ++p) {
        std::printf("%-58s %8.2f %10.2f %12.2f\n", parts[p].name, median(samples[p].wall) * 1e3,
                    median(samples[p].process) * 1e3, median(samples[p].mainThread) * 1e3);
    }
}

} // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::atoi(argv[1]) : 300;
    square.load(TANGLOR_ASSETS_DIR "/water.obj");
    if (!world.problems.empty() || !square.geometry().error.empty() || frames < 10) {
        std::fprintf(
            stderr, "frame_parts_bench: %s\n",
            frames < 10
                ? "FRAMES must be 10 or more"
                : (world.problems.empty() ? square.geometry().error : world.problems[0]).c_str());
        return 1;
    }
    if (!startUp()) {
        std::fprintf(stderr, "frame_parts_bench: no window: %s\n", glfwGetOpenError());
        return 1;
    }
    placeFigures();
    const std::vector<Part> parts = frameParts();
    const std::vector<Samples> samples = timeParts(parts, frames);
    stopPanel();
    glfwTerminate();
    report(parts, samples, frames);
    return 0;
}
