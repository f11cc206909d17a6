// Camera state, the reset, and the zoom derived from the mouse wheel.
#include "view/camera.h"
#include "platform/glfw2.h"

#include <algorithm>
#include <cmath>

Camera camera;

// Puts the eye and the angles back; the zoom is the wheel's and stays.
void resetCamera() {
    camera.yaw = 0.0f;
    camera.yawVelocity = 0.0;
    camera.pitchVelocity = 0.0;
    camera.cameraX = static_cast<float>(camera.cameraStartX);
    camera.pitch = 0.0f;
    camera.cameraY = static_cast<float>(camera.cameraStartY);
    camera.cameraZ = static_cast<float>(camera.cameraStartZ);
}

void applyWheelZoom() {
    int w = glfwGetMouseWheel();
    if (w <= 1) {
        // Pulled back, so that turning the wheel down past 1 leaves nothing to undo.
        camera.wheelPosition = 1;
        glfwSetMouseWheel(1);
    } else {
        camera.wheelPosition = w;
    }
    double z =
        static_cast<double>(camera.wheelPosition) * static_cast<double>(camera.zoomPerWheelStep);
    // A field of view of 180 degrees is the widest a perspective can be.
    if (z * camera.fieldOfView >= 180.0) {
        camera.zoom = static_cast<float>(180.0 / camera.fieldOfView);
    } else {
        camera.zoom = static_cast<float>(z);
    }
}

namespace {

// The ground's height in view at the eye's height and the zoom of the moment.
double viewHeightOnGround() {
    const double fov = static_cast<double>(camera.fieldOfView) * static_cast<double>(camera.zoom);
    return 2.0 * static_cast<double>(camera.cameraY) * std::tan(fov * Pi / 360.0);
}

} // namespace

void fitCameraStart(int columns, int rows, int areaWidth, int width, int height) {
    camera.cameraStartX = 0;
    camera.cameraStartY = 200;
    camera.cameraStartZ = 0;
    if (columns <= 16 && rows <= 16) {
        return;
    }
    // At height 200 a side of 16 tiles fills the window's height with its margin; the eye
    // rises with the side, the columns measured against the part of the window they get.
    const double byRows = rows / 16.0;
    const double byColumns = columns / 16.0 * height / std::max(areaWidth, 1);
    camera.cameraStartY = static_cast<int>(std::ceil(200.0 * std::max(byRows, byColumns)));
    // Over the board's centre (half a tile off for an odd count), then shifted so that the
    // centre shows in the middle of its part of the window.
    // At the wheel's zoom, which the first frame has not yet taken up.
    const double fov = static_cast<double>(camera.fieldOfView) * camera.zoomPerWheelStep *
                       std::max(glfwGetMouseWheel(), 1);
    const double unitsPerPixel =
        2.0 * camera.cameraStartY * std::tan(fov * Pi / 360.0) / std::max(height, 1);
    camera.cameraStartX = static_cast<int>(
        std::lround(5.0 * (columns % 2) + (width - areaWidth) / 2.0 * unitsPerPixel));
    camera.cameraStartZ = 5 * (rows % 2);
}

void panCamera(double right, double down) {
    const double screen = viewHeightOnGround();
    camera.cameraX += static_cast<float>(right * screen);
    camera.cameraZ += static_cast<float>(down * screen);
}
