// The monkey walker: glides a walk's monkey from waypoint to waypoint, one frame per call,
// turning it toward where it goes and bobbing it up and down. A step of the grid takes
// stepFrames frames, straight or diagonal; a segment of an any-angle walk takes stepFrames
// frames for each tile length of it (3.6 tile lengths: 36 frames at 10 a step).
#include "world/world.h"

#include <algorithm>
#include <cmath>

namespace {

// The bobbing counter runs 1..901 and starts over, so the sine never sees a large argument.
constexpr int BobWrap = 900;
// The height changes only every fifth frame: a slow, stepped bob.
constexpr int BobFramesPerStep = 5;
// Headings are defined with this value, not full-precision pi; keep it so they stay put.
constexpr double HalfTurnRadians = 3.14159265;
// A segment's end is reached when what is left of it is less than this, in tile lengths:
// the sum of a tenth a frame may fall a rounding short of a whole number.
constexpr double SegmentEndSlack = 1e-9;

// Moves the monkey on along a segment: a stepFrames-th of a tile length a frame, at the
// pace of the frame. stepFrame follows the fraction walked: 0 only at the start and
// stepFrames only at the end, so the rest of the program tells a waypoint as for a step.
void walkOnSegment(Walk& walk, int stepFrames) {
    walk.stepWalked += 1.0 / stepFrames;
    if (walk.stepWalked >= walk.stepTiles - SegmentEndSlack) {
        walk.stepWalked = walk.stepTiles;
        walk.stepFrame = stepFrames;
        return;
    }
    const int part = static_cast<int>(walk.stepWalked / walk.stepTiles * stepFrames);
    walk.stepFrame = std::max(1, std::min(part, stepFrames - 1));
}

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
    // monkey keeps the place of the previous frame, one glide short of the target point. A
    // segment ends when all of it is walked (and stepFrame says so, whatever the pace did).
    const bool segment = walk.stepTiles > 0.0;
    if (walk.stepFrame == stepFrames && (!segment || walk.stepWalked >= walk.stepTiles)) {
        walk.walkFromX = float(path.back().x);
        walk.walkFromZ = float(path.back().z);
        path.pop_back();
        walk.stepTiles = walk.stepWalked = 0.0;
        if (path.empty()) {
            walk.walking = false;
            return;
        }
        walk.stepFrame = 0;
    }

    const Vec3& to = path.back();
    // A step begins: an any-angle walk's is a segment, as long as the line to its end.
    if (walk.stepFrame == 0 && walk.stepWalked == 0.0 && anyAngle(walk.search.kind)) {
        walk.stepTiles =
            std::hypot(to.x - double(walk.walkFromX), to.z - double(walk.walkFromZ)) / TileSize;
    }

    // stepFrames is read afresh every frame, so a key press changes the pace mid-step.
    double t = double(stepFrames - walk.stepFrame) / double(stepFrames);
    double u = 1.0 - t;
    if (walk.stepTiles > 0.0) {
        u = walk.stepWalked / walk.stepTiles;
        t = 1.0 - u;
    }
    float* position = walk.monkey.position;
    position[0] = float(double(walk.walkFromX) * t + to.x * u);
    position[2] = float(double(walk.walkFromZ) * t + to.z * u);
    position[1] = float(std::sin(double(walk.bobFrame / BobFramesPerStep)) + 1.0);
    // x difference first: heading 0 faces +z, 90 faces +x.
    walk.monkey.angle =
        float(std::atan2(to.x - double(walk.walkFromX), to.z - double(walk.walkFromZ)) * 180.0 /
              HalfTurnRadians);
    if (walk.stepTiles > 0.0) {
        walkOnSegment(walk, stepFrames);
    } else {
        ++walk.stepFrame;
    }
}
