// Mouse input: left-button ground picking, right-button turning with inertia, wheel zoom.
#pragma once

#include "app/app.h"
#include "mesh/mesh.h"

// What the mouse step knows between frames, one process-wide record.
struct Mouse {
    float dragGain = 3.0f;
    // The cursor in this step and at the end of the previous one, in window pixels, origin
    // top left; the previous one starts at the middle of the window's start size.
    int mouseX = 0;
    int mouseY = 0;
    int lastMouseX = StartWindowWidth / 2;
    int lastMouseY = StartWindowHeight / 2;
    bool leftButtonHeld = false;
    bool rightButtonHeld = false;
    Vec3 pickedPoint = {0.0, 0.0, 0.0};
    // Whether the pick of the latest held frame came from a real unprojection. A failed pick
    // names no tile, so its press requests nothing.
    bool pickedPointOk = false;
    // Presses that went down on the panel are the panel's: they reach nothing on the board.
    bool leftOnPanel = false;
    bool middleHeld = false;
    bool middleOnPanel = false;
    bool rightOnPanel = false;
    // Painting: whether the left press paints (Shift was down when it went down), and while
    // a paint button is held, the kind it paints and the tile painted last.
    bool leftPaints = false;
    bool paintHeld = false;
    int paintKind = -1;
    int paintedTile = -1;
    // When the tile under the cursor was last looked up.
    double hoverPickedAt = -1.0;
};

extern Mouse mouse;

void handleMouse();
// Window pixel (origin top left) to world point (x, y, -z) from the depth buffer. Sets
// `ok` false, and returns (0, 0, 0), when the point cannot be unprojected.
Vec3 pickGround(int x, int y, bool* ok = nullptr);
