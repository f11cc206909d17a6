// Drives a real program on an X display the way a user would: starts it, finds its
// window, sends real key and button events through XTest, and reads the window's pixels.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

struct RunningProgram {
    pid_t pid = -1;
    std::string stderrPath;
};

// Starts `exe` with `folder` as its working directory; its standard error goes to a file.
// Without a display, DISPLAY is removed from its environment.
RunningProgram startProgram(const std::string& exe, const std::string& folder,
                            bool withDisplay = true);
// The exit status, or -1 when it has not ended within `seconds` (it is then killed).
int waitForExit(RunningProgram& program, double seconds);
std::string readFile(const std::string& path);

// Xlib's own header stays out of the tests: its macros (None, Bool, Status) clash.
typedef struct _XDisplay Display;
using XWindow = unsigned long;

struct XDriver {
    Display* display = nullptr;
    XWindow window = 0;
};

bool openDisplay(XDriver& x);
void closeDisplay(XDriver& x);
// The top-level window of the process, or 0 when none appears within `seconds`.
XWindow findWindow(XDriver& x, pid_t pid, double seconds);
std::string windowTitle(XDriver& x);
// Waits until the title starts with `prefix`; returns the title it saw last.
std::string waitForTitle(XDriver& x, const std::string& prefix, double seconds);
void windowSize(XDriver& x, int* width, int* height);

void pressKey(XDriver& x, unsigned long keysym);
void releaseKey(XDriver& x, unsigned long keysym);
void tapKey(XDriver& x, unsigned long keysym);
// Pointer at a position inside the window (origin top left).
void movePointer(XDriver& x, int windowX, int windowY);
void pressButton(XDriver& x, int button);
void releaseButton(XDriver& x, int button);
void click(XDriver& x, int windowX, int windowY);

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb; // rows top to bottom
    const unsigned char* at(int px, int py) const { return &rgb[(py * width + px) * 3]; }
};

Picture grabWindow(XDriver& x);

// Where a point 1 unit above the ground (the models' base) shows in the 1280 x 720 window
// under the program's start camera: straight down from 200 units, field of view 65 x 0.75.
void startCameraPixel(double x, double z, int* px, int* py);
void pause(double seconds);
