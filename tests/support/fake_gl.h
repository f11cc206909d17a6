// A recording stand-in for the OpenGL and GLU functions the program calls: each call is
// appended to the call log with its arguments; the few queries answer from `fakeGl`.
#pragma once

struct FakeGl {
    int viewport[4] = {0, 0, 1280, 720};
    double modelview[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    double projection[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    float depth = 0.5f;
    bool unProjectOk = true;
    double unProjected[3] = {0.0, 0.0, 0.0};
    // Off for long runs: tens of thousands of calls a frame would fill the log.
    bool logging = true;
};

extern FakeGl fakeGl;
void resetFakeGl();
