#include "tools/xdriver/x_driver.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

bool waitUntil(const std::function<bool()>& done, double seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (; !done(); pause(0.01)) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
    }
    return true;
}

void pause(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

RunningProgram::RunningProgram(const std::string& exe, const std::string& folder, bool display)
    : errors(std::tmpfile(), [](FILE* file) {
          if (file != nullptr) {
              std::fclose(file);
          }
      }) {
    if (errors == nullptr) {
        return; // nowhere to keep what it says: not started
    }
    // Made before the fork: the child only calls what is safe between fork and exec.
    const std::string failed = "cannot start " + exe + " in " + folder + "\n";
    pid = fork();
    if (pid == 0) {
        dup2(fileno(errors.get()), 2);
        if (!display) {
            unsetenv("DISPLAY");
        }
        if (chdir(folder.c_str()) == 0) {
            execl(exe.c_str(), exe.c_str(), nullptr);
        }
        (void)!write(2, failed.data(), failed.size());
        _exit(127);
    }
}

bool RunningProgram::ended() {
    int code = 0;
    if (pid > 0 && waitpid(pid, &code, WNOHANG) != 0) {
        status = WIFEXITED(code) ? WEXITSTATUS(code) : -1;
        pid = -1;
    }
    return pid <= 0;
}

int RunningProgram::exitStatus(double seconds) {
    if (!waitUntil([&] { return ended(); }, seconds)) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        pid = -1;
    }
    return status;
}

std::string RunningProgram::errorText() const {
    if (errors == nullptr) {
        return "no file for its standard error, so it was not started\n";
    }
    std::string text(4096, '\0');
    std::rewind(errors.get());
    text.resize(std::fread(text.data(), 1, text.size(), errors.get()));
    return text;
}

static bool writeFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream file(path);
    file << text;
    file.close();
    return !file.fail();
}

SceneFolder::SceneFolder(const std::string& map) {
    std::string name = (std::filesystem::temp_directory_path() / "tanglor_e2e_XXXXXX").string();
    if (mkdtemp(name.data()) == nullptr) {
        return;
    }
    dir = name;
    made = writeFile(dir / "map.txt", map);
    const std::string faces = "#\ns\nf 1 4 3\nf 1 3 2\n";
    for (const char* tile :
         {"ground3.obj", "tree.obj", "tree2.obj", "tree3.obj", "ground_stones.obj", "water.obj"}) {
        made &= writeFile(dir / tile, "#\n#\n#\nv -4 0 -4\nv 4 0 -4\nv 4 0 4\nv -4 0 4\n" + faces);
    }
    // The monkey and the banana smaller, and above the tiles in that order.
    made &= writeFile(dir / "monkey.obj",
                      "#\n#\n#\nv -2 0.5 -2\nv 2 0.5 -2\nv 2 0.5 2\nv -2 0.5 2\n" + faces);
    made &= writeFile(dir / "banan.obj",
                      "#\n#\n#\nv -1.5 0.6 -1.5\nv 1.5 0.6 -1.5\nv 1.5 0.6 1.5\nv -1.5 0.6 1.5\n" +
                          faces);
}

XDriver::XDriver() {
    // The server resets when its last client leaves, and turns new ones away meanwhile.
    waitUntil([&] { return (display = XOpenDisplay(nullptr)) != nullptr; }, 10.0);
    // A window that goes away while it is being looked at is no reason to end the test.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
}

XDriver::~XDriver() {
    if (display != nullptr) {
        XCloseDisplay(display);
    }
}

// A property of `window` as bytes (32-bit items come as longs); empty when it is not there.
static std::string property(XDriver& x, XWindow window, const char* name) {
    if (x.display == nullptr) {
        return "";
    }
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, rest = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(x.display, window, XInternAtom(x.display, name, False), 0, 1024, False,
                       AnyPropertyType, &type, &format, &count, &rest, &data);
    std::string value(reinterpret_cast<char*>(data),
                      data ? count * (format == 32 ? sizeof(long) : 1) : 0);
    XFree(data);
    return value;
}

XWindow findWindow(XDriver& x, pid_t pid, double seconds) {
    const long wanted = pid;
    const std::string pidBytes(reinterpret_cast<const char*>(&wanted), sizeof wanted);
    if (x.display == nullptr) {
        return 0;
    }
    waitUntil(
        [&] {
            Window root = 0, parent = 0, *children = nullptr;
            unsigned int count = 0;
            XQueryTree(x.display, DefaultRootWindow(x.display), &root, &parent, &children, &count);
            for (unsigned int i = 0; i < count; ++i) {
                XWindowAttributes seen{};
                if (XGetWindowAttributes(x.display, children[i], &seen) &&
                    seen.map_state == IsViewable &&
                    property(x, children[i], "_NET_WM_PID") == pidBytes) {
                    x.window = children[i];
                }
            }
            XFree(children);
            return x.window != 0;
        },
        seconds);
    return x.window;
}

std::string windowTitle(XDriver& x) {
    return property(x, x.window, "_NET_WM_NAME");
}

bool settle(XDriver& x) {
    if (x.display == nullptr) {
        return false;
    }
    std::string title = windowTitle(x), first = title;
    return waitUntil([&] { return (title = windowTitle(x)) != first; }, 30.0) &&
           waitUntil([&] { return windowTitle(x) != title; }, 30.0);
}

void holdKey(XDriver& x, int keysym, bool down) {
    if (x.display == nullptr) {
        return;
    }
    XTestFakeKeyEvent(x.display, XKeysymToKeycode(x.display, keysym), down, CurrentTime);
    XSync(x.display, False); // the server has acted on it when this returns
}

void tapKey(XDriver& x, int keysym) {
    holdKey(x, keysym, true);
    holdKey(x, keysym, false);
    pause(0.005);
}

void button(XDriver& x, int number, bool down) {
    if (x.display == nullptr) {
        return;
    }
    XTestFakeButtonEvent(x.display, number, down, CurrentTime);
    XSync(x.display, False);
}

void movePointer(XDriver& x, int windowX, int windowY) {
    if (x.display == nullptr) {
        return;
    }
    XWarpPointer(x.display, 0, x.window, 0, 0, 0, 0, windowX, windowY);
    XSync(x.display, False);
}

void click(XDriver& x, std::pair<int, int> windowPixel) {
    movePointer(x, windowPixel.first, windowPixel.second);
    button(x, 1, true);
    button(x, 1, false);
}

bool holdKeyUntilRepeated(XDriver& x, int keysym, const std::function<void()>& meanwhile) {
    if (x.display == nullptr) {
        return false;
    }
    XAutoRepeatOn(x.display);
    XSelectInput(x.display, x.window, KeyPressMask);
    holdKey(x, keysym, true);
    int presses = 0;
    const bool repeated = waitUntil(
        [&] {
            meanwhile();
            for (XEvent event; XPending(x.display) > 0; presses += event.type == KeyPress) {
                XNextEvent(x.display, &event);
            }
            return presses >= 2;
        },
        10.0);
    holdKey(x, keysym, false);
    return repeated;
}

void resizeWindow(XDriver& x, int width, int height) {
    if (x.display == nullptr) {
        return;
    }
    XResizeWindow(x.display, x.window, width, height);
    XSync(x.display, False);
}

void closeWindow(XDriver& x) {
    if (x.display == nullptr) {
        return;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = x.window;
    event.xclient.message_type = XInternAtom(x.display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(x.display, "WM_DELETE_WINDOW", False));
    XSendEvent(x.display, x.window, False, NoEventMask, &event);
    XSync(x.display, False);
}

Picture grabWindow(XDriver& x) {
    if (x.display == nullptr) {
        return {};
    }
    XWindowAttributes size{};
    XGetWindowAttributes(x.display, x.window, &size);
    XImage* image =
        XGetImage(x.display, x.window, 0, 0, size.width, size.height, AllPlanes, ZPixmap);
    Picture picture{image != nullptr ? size.width : 0, image != nullptr ? size.height : 0, {}};
    for (int i = 0; i < picture.width * picture.height; ++i) {
        const unsigned long pixel = XGetPixel(image, i % size.width, i / size.width);
        picture.rgb.insert(picture.rgb.end(), {static_cast<unsigned char>(pixel >> 16),
                                               static_cast<unsigned char>(pixel >> 8),
                                               static_cast<unsigned char>(pixel)});
    }
    if (image != nullptr) {
        XDestroyImage(image);
    }
    return picture;
}

bool dragUntil(XDriver& x, int number, std::pair<int, int>& pointer, std::pair<int, int> step,
               const std::function<bool(const Picture&)>& done, double seconds) {
    button(x, number, true);
    Picture atMove;
    std::string titleAtMove;
    const bool passed = waitUntil(
        [&] {
            const Picture picture = grabWindow(x);
            const std::string title = windowTitle(x);
            if (picture.width == 0) {
                return false; // nothing to look at
            }
            if (done(picture)) {
                return true;
            }
            if (!(picture == atMove) || title != titleAtMove) {
                pointer = {std::clamp(pointer.first + step.first, 0, picture.width - 1),
                           std::clamp(pointer.second + step.second, 0, picture.height - 1)};
                movePointer(x, pointer.first, pointer.second);
                atMove = picture, titleAtMove = title;
            }
            return false;
        },
        seconds);
    button(x, number, false);
    return passed;
}

bool waitStill(XDriver& x, Picture* still, double seconds) {
    return waitUntil([&] { return *still = grabWindow(x), settle(x) && grabWindow(x) == *still; },
                     seconds);
}

std::pair<int, int> startCameraPixel(double x, double z) {
    const double perUnit = 360.0 / ((200.0 - 1.0) * std::tan(65.0 * 0.75 / 2.0 * M_PI / 180.0));
    return {static_cast<int>(std::lround(640.0 + x * perUnit)),
            static_cast<int>(std::lround(360.0 + z * perUnit))};
}
