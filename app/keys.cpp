// The keyboard: Space resets the view, keypad plus and minus change the walking pace, R
// reloads the map and Ctrl+S saves it, H hides and shows the panel, 1 to 5 choose the
// search, C races four of them, O, P and the arrows steer the search view.
// Called by the platform layer while it processes events inside glfwSwapBuffers.
#include "app/app.h"
#include "platform/glfw2.h"
#include "ui/panel.h"
#include "view/camera.h"
#include "view/race.h"
#include "view/search_view.h"
#include "world/world.h"

#include <algorithm>
#include <climits>

void chooseSearch(SearchKind kind) {
    if (world.walk.kind == kind) {
        return;
    }
    world.walk.kind = kind;
    // Planned again from where the monkey is, as after a paint.
    if (world.banana.visible) {
        world.replan(world.walk, world.searchSlice);
    }
}

namespace {

// Every walk's step progress, the world's and each racer's: a change of pace keeps each
// monkey where it is along its step.
template <typename Change> void eachStepFrame(Change change) {
    change(world.walk.stepFrame);
    for (Racer& racer : race.racers) {
        change(racer.walk.stepFrame);
    }
}

} // namespace

void putViewBack() {
    fitCameraStart(world.board.columns, world.board.rows, panelLeft(windowWidth), windowWidth,
                   windowHeight);
    resetCamera();
}

void panWithKeys(double seconds) {
    // Half a screen a second, whatever the height and zoom; clamped so that a stalled frame
    // does not throw the view off the board.
    const double step = 0.5 * std::min(seconds, 0.1);
    const bool ctrl =
        glfwGetKey(GLFW_KEY_LCTRL) == GLFW_PRESS || glfwGetKey(GLFW_KEY_RCTRL) == GLFW_PRESS;
    auto held = [](int key) { return glfwGetKey(key) == GLFW_PRESS ? 1.0 : 0.0; };
    const double right = held('D') - held('A');
    const double down = (ctrl ? 0.0 : held('S')) - held('W'); // Ctrl+S saves
    if (right != 0.0 || down != 0.0) {
        panCamera(right * step, down * step);
    }
}

void keyCallback(int key, int action) {
    if (key == GLFW_KEY_ESC) {
        // Kept until the end of the frame: a press and release within one event poll
        // would otherwise never be seen by the end-of-frame poll of the key.
        if (action == GLFW_PRESS) {
            escapeRequested = true;
        }
    } else if (key == GLFW_KEY_SPACE) {
        if (action == GLFW_RELEASE) {
            putViewBack();
        }
    } else if (key == GLFW_KEY_KP_ADD) {
        // Faster: shorter steps, with the progress scaled so the monkey keeps its place.
        if (world.stepFrames > 6) {
            int frames = world.stepFrames;
            float ratio = static_cast<float>((frames - 5.0) / frames);
            world.stepFrames = frames - 5;
            // At paces beyond float precision the ratio rounds up to 1; the progress must
            // still never pass the step's end (nor overflow on the way back to int).
            eachStepFrame([&](int& stepFrame) {
                double scaled = std::min<double>(stepFrame * ratio, world.stepFrames);
                stepFrame = static_cast<int>(scaled);
            });
        }
    } else if (key == GLFW_KEY_KP_SUBTRACT) {
        // Slower has no limit, short of the largest int.
        if (world.stepFrames <= INT_MAX - 5) {
            world.stepFrames += 5;
        }
    } else if (key == 'R' && action == GLFW_PRESS) {
        reloadMap(frameStartTime);
    } else if (key == 'S' && action == GLFW_PRESS &&
               (glfwGetKey(GLFW_KEY_LCTRL) == GLFW_PRESS ||
                glfwGetKey(GLFW_KEY_RCTRL) == GLFW_PRESS)) {
        saveMap(frameStartTime);
    } else if (key == 'G' && action == GLFW_PRESS) {
        makeNextMap(frameStartTime);
    } else if (key == 'H' && action == GLFW_PRESS) {
        panel.shown = !panel.shown;
    } else if (key >= '1' && key < '1' + SearchKindCount && action == GLFW_PRESS) {
        chooseSearch(static_cast<SearchKind>(key - '1'));
    } else if (key == 'C' && action == GLFW_PRESS) {
        setRace(world, !raceOn());
    } else {
        searchViewKey(world, key, action);
    }
}
