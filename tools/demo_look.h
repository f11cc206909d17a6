// What the demo reads off a picture of the window: where the monkey stands on a walk and
// which way it lies from the window's middle. The monkey is found by its lit orange.
#pragma once

#include "tools/xdriver/x_driver.h"
#include "world/world.h"

#include <vector>

// Where the monkey stands on the walk (`walk` holds its tiles, the start first): the
// position in `walk` of the tile nearest the monkey, or -1 when it does not show.
int monkeyStep(const Picture& picture, const World& map, const std::vector<int>& walk);

// The monkey's direction from the window's middle, about which the view turns, in
// degrees; not a number when it does not show.
double monkeyBearing(const Picture& picture);

// The pixels round the centre of `tile` at the start view: a paint, a light or a figure there
// changes them.
std::vector<unsigned char> tilePatch(const Picture& picture, const World& map, int tile);
