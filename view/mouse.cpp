// Mouse input, once per frame after the drawing and before the swap: the left button picks
// a ground point and asks the world for a path on release, or drags a figure it went down on
// (view/drag.cpp); the middle button (or the left with Shift) paints tiles, the right button
// turns and tilts the scene with inertia, and the wheel zooms while the right button is up.
#include "view/mouse.h"

#include "platform/glfw2.h"
#include "ui/panel.h"
#include "view/camera.h"
#include "view/race.h"
#include "view/search_view.h"
#include "world/world.h"

Mouse mouse;

namespace {

// Whether `button`, down since the last poll or longer, went down over the panel.
bool pressedOnPanel(int button) {
    int x = 0;
    int y = 0;
    glfwGetMousePressPos(button, &x, &y);
    return overPanel(x, y);
}

// Truncation toward zero is what the world expects; a value beyond int range (a pick on a
// near-degenerate projection) cannot be converted safely and names no tile anyway.
bool fitsInt(double value) {
    return value > -2147483649.0 && value < 2147483648.0;
}

// The tile under the cursor in the frame just drawn, or -1.
int tileUnderCursor() {
    bool ok = false;
    const Vec3 point = pickGround(mouse.mouseX, mouse.mouseY, &ok);
    return tileOfPick(point, ok);
}

// The first tile takes the next kind of the paint cycle; every further tile the cursor
// enters while the button is held takes that same kind, as a wall is drawn.
void paint(bool held) {
    if (!held) {
        mouse.paintHeld = false;
        return;
    }
    if (!mouse.paintHeld) {
        mouse.paintHeld = true;
        mouse.paintKind = -1;
        mouse.paintedTile = -1;
    }
    const int tile = tileUnderCursor();
    if (tile < 0 || tile == mouse.paintedTile) {
        return;
    }
    if (mouse.paintKind < 0) {
        mouse.paintKind = brushKind(world, tile);
    }
    paintTileNow(tile, mouse.paintKind, frameClock.frameStartTime);
    mouse.paintedTile = tile;
}

// The left and middle buttons: a paint while the middle is held, or the left with Shift;
// otherwise the left picks every held frame and, unless it drags a figure, asks for a path
// once, on release.
void pickAndPaint() {
    // Shift is read when the left button goes down: it makes the whole press a paint.
    const bool left = glfwGetMouseButton(GLFW_MOUSE_BUTTON_LEFT) == GLFW_PRESS;
    if (left && !mouse.leftButtonHeld) {
        mouse.leftOnPanel = pressedOnPanel(GLFW_MOUSE_BUTTON_LEFT);
        mouse.leftPaints =
            !mouse.leftOnPanel && glfwGetMousePressShift(GLFW_MOUSE_BUTTON_LEFT) != 0;
        if (!mouse.leftOnPanel && !mouse.leftPaints) {
            pressFigure();
        }
    }
    const bool middle = glfwGetMouseButton(GLFW_MOUSE_BUTTON_MIDDLE) == GLFW_PRESS;
    if (middle && !mouse.middleHeld) {
        mouse.middleOnPanel = pressedOnPanel(GLFW_MOUSE_BUTTON_MIDDLE);
    }
    mouse.middleHeld = middle;
    paint((middle && !mouse.middleOnPanel) || (left && mouse.leftPaints));

    // The pick repeats every held frame, so the target, or a dragged figure, follows the
    // cursor; over the panel a dragged figure finds no tile.
    if (left && !mouse.leftPaints && !mouse.leftOnPanel) {
        mouse.pickedPoint = pickGround(mouse.mouseX, mouse.mouseY, &mouse.pickedPointOk);
        const bool panelled = overPanel(mouse.mouseX, mouse.mouseY);
        dragFigure(panelled ? -1 : tileOfPick(mouse.pickedPoint, mouse.pickedPointOk),
                   panelled || mouse.pickedPointOk);
    }
    mouse.leftButtonHeld = mouse.leftButtonHeld || left;

    // One request per press, on release, for the point of the last held frame; a paint
    // press, or a drag of a figure, is never a click of the monkey and banana.
    if (mouse.leftButtonHeld && !left) {
        mouse.leftButtonHeld = false;
        const bool dragged = releaseFigure();
        const Vec3& at = mouse.pickedPoint;
        if (!dragged && !mouse.leftPaints && !mouse.leftOnPanel && mouse.pickedPointOk &&
            fitsInt(at.x) && fitsInt(at.z)) {
            world.requestPath(int(at.x), int(at.z));
        }
    }
}

// The right button turns and tilts the scene; it coasts on after release. Returns whether
// it drags, so that the wheel waits.
bool turn() {
    // A right press that went down on the panel turns nothing: to the board the button is up.
    const bool right = glfwGetMouseButton(GLFW_MOUSE_BUTTON_RIGHT) == GLFW_PRESS;
    if (right && !mouse.rightButtonHeld) {
        mouse.rightOnPanel = pressedOnPanel(GLFW_MOUSE_BUTTON_RIGHT);
    }
    const bool dragging = right && !mouse.rightOnPanel;
    if (dragging) {
        // The drag starts where the button went down: a move made before the press, in the
        // same event processing, is no drag.
        if (!mouse.rightButtonHeld) {
            glfwGetMousePressPos(GLFW_MOUSE_BUTTON_RIGHT, &mouse.lastMouseX, &mouse.lastMouseY);
        }
        // Scaled by the previous frame's work time, so the turn rate doesn't depend on how
        // fast frames come. Not damped while held: the velocity keeps what the drag adds.
        double gain = frameClock.frameBusyTime * mouse.dragGain;
        glfwGetMousePos(&mouse.mouseX, &mouse.mouseY);
        camera.yawVelocity += (mouse.mouseX - mouse.lastMouseX) * gain;
        camera.pitchVelocity += (mouse.mouseY - mouse.lastMouseY) * gain;
    } else {
        camera.yawVelocity *= 0.9;
        camera.pitchVelocity *= 0.9;
    }

    // Runs every frame, button or not, so lastMouse always holds the previous frame's
    // cursor, which a held drag turns by.
    camera.yaw = float(camera.yaw + camera.yawVelocity);
    camera.pitch = float(camera.pitch + camera.pitchVelocity);
    mouse.lastMouseX = mouse.mouseX;
    mouse.lastMouseY = mouse.mouseY;
    // Only the angle is held in range; the velocity keeps its value and decays as usual.
    if (camera.pitch > 90.0f) {
        camera.pitch = 90.0f;
    } else if (camera.pitch < 0.0f) {
        camera.pitch = 0.0f;
    }
    mouse.rightButtonHeld = right;
    return dragging;
}

// The costs view and the panel name the tile under the cursor, five times a second: a
// read-back every frame would only slow the frames down. Over the panel there is none.
void lookUpHover() {
    const double now = frameClock.frameStartTime;
    if ((world.session.view.mode == SearchViewMode::Costs || panel.shown) &&
        (now - mouse.hoverPickedAt > 0.2 || now < mouse.hoverPickedAt)) {
        world.session.view.hoverTile =
            overPanel(mouse.mouseX, mouse.mouseY) ? -1 : tileUnderCursor();
        world.session.view.hoverView =
            raceOn(world) ? raceViewportAt(mouse.mouseX, mouse.mouseY) : -1;
        mouse.hoverPickedAt = now;
    }
}

} // namespace

int tileOfPick(const Vec3& point, bool ok) {
    return ok && fitsInt(point.x) && fitsInt(point.z)
               ? tileIndexAt(world.board, int(point.x), int(point.z))
               : -1;
}

void handleMouse() {
    glfwGetMousePos(&mouse.mouseX, &mouse.mouseY);
    // In a race, picks read the view under the cursor.
    aimPickAt(mouse.mouseX, mouse.mouseY);
    // Scrolling over the panel scrolls the panel, not the zoom.
    glfwSetWheelArea(panelLeft(windowWidth), 0, windowWidth, windowHeight);
    pickAndPaint();
    settleDrag();
    const bool dragging = turn();
    lookUpHover();
    // While dragging, the wheel is not looked at.
    if (!dragging) {
        applyWheelZoom();
    }
}
