// The keyboard: each key calls its action (app/actions.h). Called by the platform layer
// while it processes events inside glfwSwapBuffers.
#include "app/app.h"
#include "platform/glfw2.h"
#include "view/camera.h"
#include "view/race.h"
#include "world/world.h"

#include <algorithm>

namespace {

bool ctrlHeld() {
    return glfwGetKey(GLFW_KEY_LCTRL) == GLFW_PRESS || glfwGetKey(GLFW_KEY_RCTRL) == GLFW_PRESS;
}

// The keys that act once, as they go down.
struct PressKey {
    int key;
    void (*act)();
};
const PressKey PressKeys[] = {
    {'R', [] { reloadMap(frameClock.frameStartTime); }},
    {'G', [] { makeNextMap(frameClock.frameStartTime); }},
    {'H', togglePanel},
    {'F', toggleFog},
    {'C', [] { chooseRace(!raceOn(world)); }},
    {'B', // the three rules in turn: corners cut, benchmark, four ways
     [] { chooseRule(static_cast<MoveRule>((int(world.board.rule) + 1) % MoveRuleCount)); }},
    {'[', previousProblem},
    {']', nextProblem},
    {'O', [] { cycleSearchView(world); }},
    {'P', [] { pausePlayback(world); }},
    {GLFW_KEY_LEFT, [] { stepPlayback(world, -1); }},
    {GLFW_KEY_RIGHT, [] { stepPlayback(world, 1); }},
};

} // namespace

void panWithKeys(double seconds) {
    // Half a screen a second, whatever the height and zoom; clamped so that a stalled frame
    // does not throw the view off the board.
    const double step = 0.5 * std::min(seconds, 0.1);
    auto held = [](int key) { return glfwGetKey(key) == GLFW_PRESS ? 1.0 : 0.0; };
    const double right = held('D') - held('A');
    const double down = (ctrlHeld() ? 0.0 : held('S')) - held('W'); // Ctrl+S saves
    if (right != 0.0 || down != 0.0) {
        panCamera(right * step, down * step);
    }
}

void keyCallback(int key, int action) {
    if (key == GLFW_KEY_ESC) {
        // Kept until the end of the frame: a press and release within one event poll
        // would otherwise never be seen by the end-of-frame poll of the key.
        escapeRequested = escapeRequested || action == GLFW_PRESS;
    } else if (key == GLFW_KEY_SPACE) {
        if (action == GLFW_RELEASE) {
            putViewBack();
        }
    } else if (key == GLFW_KEY_KP_ADD) {
        fasterPace(); // on the press and on the release alike
    } else if (key == GLFW_KEY_KP_SUBTRACT) {
        slowerPace();
    } else if (action != GLFW_PRESS) {
        return;
    } else if (key == 'S' && ctrlHeld()) {
        saveMap(frameClock.frameStartTime);
    } else if (SearchKind kind;
               key > 0 && key < 128 && searchKeyed(static_cast<char>(key), &kind)) {
        chooseSearch(kind);
    } else {
        for (const PressKey& press : PressKeys) {
            if (press.key == key) {
                press.act();
            }
        }
    }
}
