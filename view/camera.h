// The camera: hovers above the scene looking straight down; the mouse turns, tilts and
// zooms it.
#pragma once

extern float fieldOfView;
extern float zoom;
extern float zoomPerWheelStep;
extern int cameraStartX;
extern int cameraStartY;
extern int cameraStartZ;

extern float cameraX;
extern float cameraY;
extern float cameraZ;
extern float pitch;
extern float yaw;
extern double pitchVelocity;
extern double yawVelocity;
extern int wheelPosition;

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
