// The demo's last scenes: the two searches of a board of one cost, on open ground of their own.
#pragma once

#include "tools/xdriver/x_driver.h"

#include <string>

// Runs PROGRAM on a map the demo writes (ground and a few stands of trees) and saves JPS's
// scans (9-jps.png) and Theta*'s lines (10-theta.png) in `out`; the program's exit status.
int showSearchesOnOpenGround(XDriver& x, const std::string& program, const std::string& out);
