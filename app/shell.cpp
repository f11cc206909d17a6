// Start-up and the frame loop.
#include "app/app.h"
#include "platform/glfw2.h"
#include "ui/panel.h"
#include "view/camera.h"
#include "view/mouse.h"
#include "view/race.h"
#include "view/search_view.h"
#include "world/world.h"

#include <GL/gl.h>

int windowWidth = StartWindowWidth;
int windowHeight = StartWindowHeight;
bool running = true;
bool escapeRequested = false;
FrameClock frameClock;

namespace {

// A click's search closes at most this many tiles in the frame of the click, then goes on
// over the next frames for a share of each, so that a big board's search never stalls the
// window; the monkey waits for it.
constexpr long long SearchSliceTiles = 8192;
constexpr double SearchSecondsPerFrame = 0.008;
double lastFrameStart = -1.0;

// The world's walk first, then the racers', one after another, until the frame's share of
// time is used.
void carryOnSearches() {
    const double until = glfwGetTime() + SearchSecondsPerFrame;
    do {
        if (world.walk.searching()) {
            world.advanceWalk(world.walk, SearchSliceTiles);
        } else if (!advanceRace(world, SearchSliceTiles)) {
            return;
        }
    } while (glfwGetTime() < until);
}

} // namespace

bool startUp() {
    glfwInit(); // a failed initialisation shows up as a failed window open
    if (glfwOpenWindow(windowWidth, windowHeight, 0, 0, 0, 0, 16, 0, GLFW_WINDOW) == 0) {
        glfwTerminate();
        return false;
    }
    glfwSetKeyCallback(keyCallback);
    glfwSetWindowTitle("GLFW Application");
    glfwSetMouseWheel(15);
    world.stepFrames = 10;
    setupGlState();
    startPanel();
    putViewBack();
    world.searchSlice = SearchSliceTiles;
    return true;
}

void updateViewport() {
    glfwGetWindowSize(&windowWidth, &windowHeight);
    // A minimised window has no height; the camera's aspect ratio divides by it.
    if (windowHeight < 1) {
        windowHeight = 1;
    }
    glViewport(0, 0, windowWidth, windowHeight);
}

// One pass of the loop. The order matters: the mouse step reads the depth buffer and the
// matrices of the frame just drawn, the panel is drawn over the scene after that, and events
// (the key callback among them) are processed inside the swap.

void runFrame() {
    frameClock.frameStartTime = glfwGetTime();
    ++frameClock.framesThisInterval;
    updateViewport();
    panWithKeys(lastFrameStart < 0.0 ? 0.0 : frameClock.frameStartTime - lastFrameStart);
    lastFrameStart = frameClock.frameStartTime;
    carryOnSearches();
    applyCamera();
    advanceSearchView(world, frameClock.frameStartTime);
    drawBoard(world);
    // The board goes to the renderer's threads now, to be drawn while the mouse step and the
    // panel are made, rather than all at the swap.
    glFlush();
    handleMouse();
    drawPanel();
    glfwSwapBuffers();
    capFrameRate();
    updateTitle();
    running = !escapeRequested && glfwGetKey(GLFW_KEY_ESC) == GLFW_RELEASE &&
              glfwGetWindowParam(GLFW_OPENED) != 0;
}

void runFrameLoop() {
    while (running) {
        runFrame();
    }
}
