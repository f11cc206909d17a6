// The monkey walker: glides a walk's monkey from waypoint to waypoint, one frame per call,
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

void World::stepWalker(Walk& walk) const {
    if (walk.bobFrame > BobWrap) {
        walk.bobFrame = 0;
    }
    ++walk.bobFrame;

    std::vector<Vec3>& path = walk.path;
    if (path.empty()) {
        walk.walking = false;
        return;
    }

    // Arrival: the waypoint at the back becomes the next step's start. On the last one the
    // monkey keeps the place of the previous frame, one glide short of the target point.
    if (walk.stepFrame == stepFrames) {
        walk.walkFromX = float(path.back().x);
        walk.walkFromZ = float(path.back().z);
        path.pop_back();
        if (path.empty()) {
            walk.walking = false;
            return;
        }
        walk.stepFrame = 0;
    }

    // stepFrames is read afresh every frame, so a key press changes the pace mid-step.
    const Vec3& to = path.back();
    double t = double(stepFrames - walk.stepFrame) / double(stepFrames);
    double u = 1.0 - t;
    float* position = walk.monkey.position;
    position[0] = float(double(walk.walkFromX) * t + to.x * u);
    position[2] = float(double(walk.walkFromZ) * t + to.z * u);
    position[1] = float(std::sin(double(walk.bobFrame / BobFramesPerStep)) + 1.0);
    // x difference first: heading 0 faces +z, 90 faces +x.
    walk.monkey.angle =
        float(std::atan2(to.x - double(walk.walkFromX), to.z - double(walk.walkFromZ)) * 180.0 /
              HalfTurnRadians);
    ++walk.stepFrame;
}
