// Camera state, the reset, and the zoom derived from the mouse wheel.
#include "view/camera.h"
#include "platform/glfw2.h"

float fieldOfView = 65.0f;
float zoom = 1.0f;
float zoomPerWheelStep = 0.05f;
int cameraStartX = 0;
int cameraStartY = 200;
int cameraStartZ = 0;

float cameraX = 0.0f;
float cameraY = static_cast<float>(cameraStartY);
float cameraZ = static_cast<float>(cameraStartZ);
float pitch = 0.0f;
float yaw = 0.0f;
double pitchVelocity = 0.0;
double yawVelocity = 0.0;
int wheelPosition = 0;

// Puts the eye and the angles back; the zoom is the wheel's and stays.
void resetCamera() {
    yaw = 0.0f;
    yawVelocity = 0.0;
    pitchVelocity = 0.0;
    cameraX = static_cast<float>(cameraStartX);
    pitch = 0.0f;
    cameraY = static_cast<float>(cameraStartY);
    cameraZ = static_cast<float>(cameraStartZ);
}

void applyWheelZoom() {
    int w = glfwGetMouseWheel();
    if (w <= 1) {
        // Pulled back, so that turning the wheel down past 1 leaves nothing to undo.
        wheelPosition = 1;
        glfwSetMouseWheel(1);
    } else {
        wheelPosition = w;
    }
    double z = static_cast<double>(wheelPosition) * static_cast<double>(zoomPerWheelStep);
    // A field of view of 180 degrees is the widest a perspective can be.
    if (z * fieldOfView >= 180.0) {
        zoom = static_cast<float>(180.0 / fieldOfView);
    } else {
        zoom = static_cast<float>(z);
    }
}
