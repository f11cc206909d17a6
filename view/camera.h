// The camera: hovers above the scene looking straight down; the mouse turns, tilts and
// zooms it.
#pragma once

#include <numbers>

// Pi, for the views' turns and fields of view.
inline constexpr double Pi = std::numbers::pi;

// The camera, one process-wide record: its settings, then its state.
struct Camera {
    float fieldOfView = 65.0f;
    float zoom = 1.0f;
    float zoomPerWheelStep = 0.05f;
    // The eye at the start and after a reset; also how far below the eye the looked-at point
    // lies (y) and how far toward -z.
    int cameraStartX = 0;
    int cameraStartY = 200;
    int cameraStartZ = 0;

    float cameraX = 0.0f;
    float cameraY = static_cast<float>(cameraStartY);
    float cameraZ = static_cast<float>(cameraStartZ);
    float pitch = 0.0f; // tilt, kept within 0 to 90 by the mouse step
    float yaw = 0.0f;   // turn about the world's vertical axis, unbounded
    double pitchVelocity = 0.0;
    double yawVelocity = 0.0;
    int wheelPosition = 0; // the wheel position last read
};

extern Camera camera;

// The start view (and Space's) for a board of `columns` x `rows`, seen in the part of the
// window from its left edge to `areaWidth`: up to 16 x 16 the fixed view, height 200 over
// the middle; a bigger board raises the eye until it fits whole with a margin, centred in
// that part. Takes effect at the next resetCamera.
void fitCameraStart(int columns, int rows, int areaWidth, int width, int height);
// Moves the view over the board: `right` and `down` in screens, at the height and zoom of
// the moment (W, A, S and D held).
void panCamera(double right, double down);

void applyCamera();
// The camera for a viewport of `width` x `height` pixels (the window's, or a race view's).
void applyCameraFor(int width, int height);
void resetCamera();
void applyWheelZoom();
