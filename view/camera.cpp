// Camera state, the reset, and the zoom derived from the mouse wheel.
#include "view/camera.h"
#include "platform/glfw2.h"

#include <algorithm>
#include <cmath>

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

namespace {

// The ground's height in view at the eye's height and the zoom of the moment.
double viewHeightOnGround() {
    constexpr double Pi = 3.14159265358979323846;
    const double fov = static_cast<double>(fieldOfView) * static_cast<double>(zoom);
    return 2.0 * static_cast<double>(cameraY) * std::tan(fov * Pi / 360.0);
}

} // namespace

void fitCameraStart(int columns, int rows, int areaWidth, int width, int height) {
    cameraStartX = 0;
    cameraStartY = 200;
    cameraStartZ = 0;
    if (columns <= 16 && rows <= 16) {
        return;
    }
    // At height 200 a side of 16 tiles fills the window's height with its margin; the eye
    // rises with the side, the columns measured against the part of the window they get.
    const double byRows = rows / 16.0;
    const double byColumns = columns / 16.0 * height / std::max(areaWidth, 1);
    cameraStartY = static_cast<int>(std::ceil(200.0 * std::max(byRows, byColumns)));
    // Over the board's centre (half a tile off for an odd count), then shifted so that the
    // centre shows in the middle of its part of the window.
    // At the wheel's zoom, which the first frame has not yet taken up.
    const double fov =
        static_cast<double>(fieldOfView) * zoomPerWheelStep * std::max(glfwGetMouseWheel(), 1);
    const double unitsPerPixel =
        2.0 * cameraStartY * std::tan(fov * 3.14159265358979323846 / 360.0) / std::max(height, 1);
    cameraStartX = static_cast<int>(
        std::lround(5.0 * (columns % 2) + (width - areaWidth) / 2.0 * unitsPerPixel));
    cameraStartZ = 5 * (rows % 2);
}

void panCamera(double right, double down) {
    const double screen = viewHeightOnGround();
    cameraX += static_cast<float>(right * screen);
    cameraZ += static_cast<float>(down * screen);
}
