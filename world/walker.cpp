// The monkey walker: glides the monkey from waypoint to waypoint, one frame per call,
// turning it toward where it goes and bobbing it up and down.
#include "world/world.h"

#include <cmath>

namespace {

// The bobbing counter runs 1..901 and starts over, so the sine never sees a large argument.
constexpr int BobWrap = 900;
// The height changes only every fifth frame: a slow, stepped bob.
constexpr int BobFramesPerStep = 5;
// Headings are defined with this value, not full-precision pi; keep it so they stay put.
constexpr double HalfTurnRadians = 3.14159265;

} // namespace

void World::stepWalker() {
    if (bobFrame > BobWrap) {
        bobFrame = 0;
    }
    ++bobFrame;

    if (path.empty()) {
        walking = false;
        return;
    }

    // Arrival: the waypoint at the back becomes the next step's start. On the last one the
    // monkey keeps the place of the previous frame, one glide short of the target point.
    if (stepFrame == stepFrames) {
        walkFromX = float(path.back().x);
        walkFromZ = float(path.back().z);
        path.pop_back();
        if (path.empty()) {
            walking = false;
            return;
        }
        stepFrame = 0;
    }

    // stepFrames is read afresh every frame, so a key press changes the pace mid-step.
    const Vec3& to = path.back();
    double t = double(stepFrames - stepFrame) / double(stepFrames);
    double u = 1.0 - t;
    monkey.position[0] = float(double(walkFromX) * t + to.x * u);
    monkey.position[2] = float(double(walkFromZ) * t + to.z * u);
    monkey.position[1] = float(std::sin(double(bobFrame / BobFramesPerStep)) + 1.0);
    // x difference first: heading 0 faces +z, 90 faces +x.
    monkey.angle = float(std::atan2(to.x - double(walkFromX), to.z - double(walkFromZ)) * 180.0 /
                         HalfTurnRadians);
    ++stepFrame;
}
