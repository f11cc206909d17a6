// Drives a real program on an X display the way a user would: starts it, finds its
// window, sends real input through XTest, and reads the window's pixels back.
#pragma once

#include <sys/types.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// Asks `done` again and again until it holds or `seconds` have passed; whether it held.
bool waitUntil(const std::function<bool()>& done, double seconds);
void pause(double seconds);

// A program started in `folder` (without DISPLAY in its environment when `display` is
// false), ended when this is destroyed if it has not ended before. No process (pid -1) when
// it could not be started.
struct RunningProgram {
    std::shared_ptr<FILE> errors; // its standard error, in a file without a name
    pid_t pid = -1;               // -1 once it has ended
    int status = -1;              // its exit status once ended; -1 if a signal ended it
    RunningProgram(const std::string& exe, const std::string& folder, bool display = true,
                   const std::vector<std::string>& args = {});
    ~RunningProgram() { exitStatus(0.0); } // ended if still running
    RunningProgram(const RunningProgram&) = delete;
    // Whether it has ended (or never started), without waiting.
    bool ended();
    // Its exit status, or -1 when it has not ended within `seconds` (it is then killed), was
    // ended by a signal or never started.
    int exitStatus(double seconds);
    std::string errorText() const;
};

// A scratch folder with a map and flat square models (all tiles alike; the monkey and the
// banana smaller), removed with all it holds. `made` is false when any of it could not be
// written.
struct SceneFolder {
    std::filesystem::path dir;
    bool made = false;
    explicit SceneFolder(const std::string& map);
    ~SceneFolder() {
        if (!dir.empty()) {
            std::filesystem::remove_all(dir, ignored);
        }
    }
    std::error_code ignored;
};

// Xlib's own header stays out of the tests: its macros (None, Bool, Status) clash.
typedef struct _XDisplay Display;
using XWindow = unsigned long;

// No display when the server could not be reached: then no window is found, nothing is
// sent, and pictures and titles are empty.
struct XDriver {
    Display* display = nullptr;
    XWindow window = 0;
    XDriver();
    ~XDriver();
};

// The top-level window of the process, or 0 when none appears within `seconds` (or there is
// no display).
XWindow findWindow(XDriver& x, pid_t pid, double seconds);
std::string windowTitle(XDriver& x);
// Waits until the program has run a whole frame after all input sent so far: the title
// changes at the end of a frame, twice a second.
bool settle(XDriver& x);

// Each of these returns once the X server has acted on it.
// X stamps events in milliseconds, and GLFW drops a second press of a key stamped the same
// millisecond as a duplicate: taps are kept a few milliseconds apart, as a hand's are.
void tapKey(XDriver& x, int keysym);
// A key held down, or let go (Shift for a paint click).
void holdKey(XDriver& x, int keysym, bool down);
// Holds a key until the X server repeats it (the driver watches the window's key presses
// too), calling `meanwhile` while it waits; whether it repeated.
bool holdKeyUntilRepeated(XDriver& x, int keysym, const std::function<void()>& meanwhile);
// Window positions, origin top left.
void movePointer(XDriver& x, int windowX, int windowY);
void button(XDriver& x, int number, bool down);
void click(XDriver& x, std::pair<int, int> windowPixel);
void resizeWindow(XDriver& x, int width, int height);
// Asks the window to close, as a window manager does.
void closeWindow(XDriver& x);

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb; // rows top to bottom
    // Black outside the picture, as a picture of a window that has gone is empty.
    const unsigned char* at(int px, int py) const {
        static const unsigned char none[3] = {0, 0, 0};
        return px >= 0 && py >= 0 && px < width && py < height ? &rgb[(py * width + px) * 3] : none;
    }
    const unsigned char* at(std::pair<int, int> pixel) const {
        return at(pixel.first, pixel.second);
    }
    bool operator==(const Picture&) const = default;
};
Picture grabWindow(XDriver& x);
// Holds mouse button `number` and moves the pointer on from `pointer` by `step`, keeping it
// in the window, until the picture passes `done` or `seconds` have passed; then lets go.
// Whether it passed. The program turns the view each frame by what the pointer moved since
// the frame before, times that frame's work time: a move is made only once the picture or
// the title has changed since the move before, so that a stalled frame takes one move, not
// all those made while it stalled.
bool dragUntil(XDriver& x, int number, std::pair<int, int>& pointer, std::pair<int, int> step,
               const std::function<bool(const Picture&)>& done, double seconds);
// Waits until the window's picture stays the same while the program runs on (a whole frame,
// see settle); whether it did, with the still picture in `still`.
bool waitStill(XDriver& x, Picture* still, double seconds);

// Where a point 1 unit above the ground (the models' base) shows in the 1280 x 720 window
// under the program's start camera: straight down from 200 units, field of view 65 x 0.75.
std::pair<int, int> startCameraPixel(double x, double z);
