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

void applyCamera();
// The camera for a viewport of `width` x `height` pixels (the window's, or a race view's).
void applyCameraFor(int width, int height);
void resetCamera();
void applyWheelZoom();
