// Mouse input, once per frame after the drawing and before the swap: the left button picks
// a ground point and asks the world for a path on release, the middle button (or the left
// with Shift) paints tiles, the right button turns and tilts the scene with inertia, and
// the wheel zooms while the right button is up.
#include "view/mouse.h"

#include "app/app.h"
#include "platform/glfw2.h"
#include "ui/panel.h"
#include "view/camera.h"
#include "view/race.h"
#include "view/search_view.h"
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

// Presses that went down on the panel are the panel's: they reach nothing on the board.
static bool leftOnPanel = false;
static bool middleHeld = false;
static bool middleOnPanel = false;
static bool rightOnPanel = false;

// Whether `button`, down since the last poll or longer, went down over the panel.
static bool pressedOnPanel(int button) {
    int x = 0;
    int y = 0;
    glfwGetMousePressPos(button, &x, &y);
    return overPanel(x, y);
}

// Painting: whether the left press paints (Shift was down when it went down), and, while a
// paint button is held, the kind it paints and the tile painted last.
static bool leftPaints = false;
static bool paintHeld = false;
static int paintKind = -1;
static int paintedTile = -1;

// Truncation toward zero is what the world expects; a value beyond int range (a pick on a
// near-degenerate projection) cannot be converted safely and names no tile anyway.
static bool fitsInt(double value) {
    return value > -2147483649.0 && value < 2147483648.0;
}

// The tile under the cursor in the frame just drawn, or -1.
static int tileUnderCursor() {
    bool ok = false;
    const Vec3 point = pickGround(mouseX, mouseY, &ok);
    return ok && fitsInt(point.x) && fitsInt(point.z)
               ? world.board.tileIndexAt(int(point.x), int(point.z))
               : -1;
}

// The first tile takes the next kind of the paint cycle; every further tile the cursor
// enters while the button is held takes that same kind, as a wall is drawn.
static void paint(bool held) {
    if (!held) {
        paintHeld = false;
        return;
    }
    if (!paintHeld) {
        paintHeld = true;
        paintKind = -1;
        paintedTile = -1;
    }
    const int tile = tileUnderCursor();
    if (tile < 0 || tile == paintedTile) {
        return;
    }
    if (paintKind < 0) {
        paintKind = brushKind(world, tile);
    }
    paintTileNow(tile, paintKind, frameStartTime);
    paintedTile = tile;
}

void handleMouse() {
    glfwGetMousePos(&mouseX, &mouseY);
    // In a race, picks read the view under the cursor.
    aimPickAt(mouseX, mouseY);

    // Scrolling over the panel scrolls the panel, not the zoom.
    glfwSetWheelArea(panelLeft(windowWidth), 0, windowWidth, windowHeight);

    // Shift is read when the left button goes down: it makes the whole press a paint.
    const bool left = glfwGetMouseButton(GLFW_MOUSE_BUTTON_LEFT) == GLFW_PRESS;
    if (left && !leftButtonHeld) {
        leftOnPanel = pressedOnPanel(GLFW_MOUSE_BUTTON_LEFT);
        leftPaints = !leftOnPanel && glfwGetMousePressShift(GLFW_MOUSE_BUTTON_LEFT) != 0;
    }
    const bool middle = glfwGetMouseButton(GLFW_MOUSE_BUTTON_MIDDLE) == GLFW_PRESS;
    if (middle && !middleHeld) {
        middleOnPanel = pressedOnPanel(GLFW_MOUSE_BUTTON_MIDDLE);
    }
    middleHeld = middle;
    paint((middle && !middleOnPanel) || (left && leftPaints));

    // The pick repeats every held frame, so the target follows the cursor.
    if (left && !leftPaints && !leftOnPanel) {
        bool ok = false;
        pickedPoint = pickGround(mouseX, mouseY, &ok);
        pickedPointOk = ok;
    }
    leftButtonHeld = leftButtonHeld || left;

    // One request per press, on release, for the point of the last held frame; a paint
    // press is never a click of the monkey and banana.
    if (leftButtonHeld && !left) {
        leftButtonHeld = false;
        if (!leftPaints && !leftOnPanel && pickedPointOk && fitsInt(pickedPoint.x) &&
            fitsInt(pickedPoint.z)) {
            const long long serial = world.walk.search.serial;
            world.requestPath(int(pickedPoint.x), int(pickedPoint.z));
            if (world.walk.search.serial != serial) { // started over or searched: the race follows
                raceFollowClick(world);
            }
        }
    }

    // A right press that went down on the panel turns nothing: to the board the button is up.
    const bool right = glfwGetMouseButton(GLFW_MOUSE_BUTTON_RIGHT) == GLFW_PRESS;
    if (right && !rightButtonHeld) {
        rightOnPanel = pressedOnPanel(GLFW_MOUSE_BUTTON_RIGHT);
    }
    const bool dragging = right && !rightOnPanel;
    if (dragging) {
        // The drag starts where the button went down: a move made before the press, in the
        // same event processing, is no drag.
        if (!rightButtonHeld) {
            glfwGetMousePressPos(GLFW_MOUSE_BUTTON_RIGHT, &lastMouseX, &lastMouseY);
        }
        // Scaled by the previous frame's work time, so the turn rate doesn't depend on how
        // fast frames come. Not damped while held: the velocity keeps what the drag adds.
        double gain = frameBusyTime * dragGain;
        glfwGetMousePos(&mouseX, &mouseY);
        yawVelocity += (mouseX - lastMouseX) * gain;
        pitchVelocity += (mouseY - lastMouseY) * gain;
    } else {
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

    rightButtonHeld = right;

    // The costs view and the panel name the tile under the cursor, five times a second: a
    // read-back every frame would only slow the frames down. Over the panel there is none.
    static double hoverPickedAt = -1.0;
    if ((searchView.mode == SearchViewMode::Costs || panel.shown) &&
        (frameStartTime - hoverPickedAt > 0.2 || frameStartTime < hoverPickedAt)) {
        searchView.hoverTile = overPanel(mouseX, mouseY) ? -1 : tileUnderCursor();
        searchView.hoverView = raceOn() ? raceViewportAt(mouseX, mouseY) : -1;
        hoverPickedAt = frameStartTime;
    }

    // While dragging, the wheel is not looked at.
    if (dragging) {
        return;
    }
    applyWheelZoom();
}
