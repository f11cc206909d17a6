// Mouse input, once per frame after the drawing and before the swap: the left button picks
// a ground point and asks the world for a path on release, the right button turns and
// tilts the scene with inertia, and the wheel zooms while the right button is up.
#include "view/mouse.h"

#include "app/app.h"
#include "platform/glfw2.h"
#include "view/camera.h"
#include "world/world.h"

float dragGain = 3.0f;
int mouseX = 0;
int mouseY = 0;
// windowWidth and windowHeight are constant-initialised, so they hold 1280 and 720 here.
int lastMouseX = windowWidth / 2;
int lastMouseY = windowHeight / 2;
bool leftButtonHeld = false;
bool rightButtonHeld = false;
Vec3 pickedPoint = {0.0, 0.0, 0.0};

// Whether the pick of the latest held frame came from a real unprojection. A failed pick
// names no tile, so its press requests nothing.
static bool pickedPointOk = false;

// Truncation toward zero is what the world expects; a value beyond int range (a pick on a
// near-degenerate projection) cannot be converted safely and names no tile anyway.
static bool fitsInt(double value) {
    return value > -2147483649.0 && value < 2147483648.0;
}

void handleMouse() {
    glfwGetMousePos(&mouseX, &mouseY);

    // The pick repeats every held frame, so the target follows the cursor.
    if (glfwGetMouseButton(GLFW_MOUSE_BUTTON_LEFT) == GLFW_PRESS) {
        bool ok = false;
        pickedPoint = pickGround(mouseX, mouseY, &ok);
        pickedPointOk = ok;
        leftButtonHeld = true;
    }

    // One request per press, on release, for the point of the last held frame.
    if (leftButtonHeld && glfwGetMouseButton(GLFW_MOUSE_BUTTON_LEFT) == GLFW_RELEASE) {
        leftButtonHeld = false;
        if (pickedPointOk && fitsInt(pickedPoint.x) && fitsInt(pickedPoint.z)) {
            world.requestPath(int(pickedPoint.x), int(pickedPoint.z));
        }
    }

    if (glfwGetMouseButton(GLFW_MOUSE_BUTTON_RIGHT) == GLFW_PRESS) {
        // The drag starts where the button went down: a move made before the press, in the
        // same event processing, is no drag.
        if (!rightButtonHeld) {
            glfwGetMousePressPos(GLFW_MOUSE_BUTTON_RIGHT, &lastMouseX, &lastMouseY);
            rightButtonHeld = true;
        }
        // Scaled by the previous frame's work time, so the turn rate doesn't depend on how
        // fast frames come. Not damped while held: the velocity keeps what the drag adds.
        double gain = frameBusyTime * dragGain;
        glfwGetMousePos(&mouseX, &mouseY);
        yawVelocity += (mouseX - lastMouseX) * gain;
        pitchVelocity += (mouseY - lastMouseY) * gain;
    } else {
        rightButtonHeld = false;
        yawVelocity *= 0.9;
        pitchVelocity *= 0.9;
    }

    // Runs every frame, button or not, so lastMouse always holds the previous frame's
    // cursor, which a held drag turns by.
    yaw = float(yaw + yawVelocity);
    pitch = float(pitch + pitchVelocity);
    lastMouseX = mouseX;
    lastMouseY = mouseY;
    // Only the angle is held in range; the velocity keeps its value and decays as usual.
    if (pitch > 90.0f) {
        pitch = 90.0f;
    } else if (pitch < 0.0f) {
        pitch = 0.0f;
    }

    // While dragging, the wheel is not looked at.
    if (glfwGetMouseButton(GLFW_MOUSE_BUTTON_RIGHT) == GLFW_PRESS) {
        return;
    }
    applyWheelZoom();
}
