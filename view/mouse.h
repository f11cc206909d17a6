// Mouse input: left-button ground picking, right-button turning with inertia, wheel zoom.
#pragma once

#include "mesh/mesh.h"

extern float dragGain;
extern int mouseX;
extern int mouseY;
extern int lastMouseX;
extern int lastMouseY;
extern bool leftButtonHeld;
extern bool rightButtonHeld;
extern Vec3 pickedPoint;

void handleMouse();
// Window pixel (origin top left) to world point (x, y, -z) from the depth buffer. Sets
// `ok` false, and returns (0, 0, 0), when the point cannot be unprojected.
Vec3 pickGround(int x, int y, bool* ok = nullptr);
