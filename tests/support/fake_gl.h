// A recording stand-in for the OpenGL and GLU functions the program calls: each call goes
// into the call log with the arguments tests look at; unprojection answers from `fakeGl`.
#pragma once

struct FakeGl {
    bool unProjectOk = true;
    double unProjected[3] = {0.0, 0.0, 0.0};
};

extern FakeGl fakeGl;
