#include "tests/support/x_driver.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>

bool waitUntil(const std::function<bool()>& done, double seconds) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        pause(0.01);
    }
    return true;
}

void pause(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

RunningProgram startProgram(const std::string& exe, const std::string& folder, bool withDisplay) {
    RunningProgram program;
    program.errors.reset(std::tmpfile(), std::fclose);
    pid_t pid = fork();
    if (pid == 0) {
        if (chdir(folder.c_str()) != 0) {
            _exit(126);
        }
        dup2(fileno(program.errors.get()), 2);
        if (!withDisplay) {
            unsetenv("DISPLAY");
        }
        execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    program.pid = pid;
    return program;
}

int waitForExit(RunningProgram& program, double seconds) {
    int status = 0;
    const pid_t pid = std::exchange(program.pid, -1);
    if (pid <= 0) {
        return -1;
    }
    if (!waitUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, seconds)) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string errorText(const RunningProgram& program) {
    std::string text;
    std::rewind(program.errors.get());
    for (int c = 0; (c = std::fgetc(program.errors.get())) != EOF;) {
        text += static_cast<char>(c);
    }
    return text;
}

SceneFolder::SceneFolder(const std::string& map)
    : dir(std::filesystem::temp_directory_path() / ("tanglor_e2e_" + std::to_string(getpid()))) {
    std::filesystem::create_directories(dir);
    write("map.txt", map);
    for (const char* tile :
         {"ground3.obj", "tree.obj", "tree2.obj", "tree3.obj", "ground_stones.obj", "water.obj"}) {
        write(tile, squareModel(4.0, 0.0));
    }
    write("monkey.obj", squareModel(2.0, 0.5));
    write("banan.obj", squareModel(1.5, 0.6));
}

SceneFolder::~SceneFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
}

void SceneFolder::write(const std::string& name, const std::string& text) const {
    std::ofstream(dir / name) << text;
}

std::string squareModel(double half, double height) {
    std::string text = "# test model\n#\n#\n";
    for (auto [x, z] : {std::pair{-1, -1}, {1, -1}, {1, 1}, {-1, 1}}) {
        text += "v " + std::to_string(x * half) + " " + std::to_string(height) + " " +
                std::to_string(z * half) + "\n";
    }
    return text + "# 4 vertices\ns off\nf 1 4 3\nf 1 3 2\n";
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

namespace {

// A window property of 32-bit items or of text, as bytes; empty when it is not there.
std::string property(XDriver& x, Window window, const char* name, Atom type) {
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long rest = 0;
    unsigned char* data = nullptr;
    std::string value;
    if (XGetWindowProperty(x.display, window, XInternAtom(x.display, name, False), 0, 1024, False,
                           type, &actualType, &format, &count, &rest, &data) == Success &&
        data != nullptr) {
        // Xlib hands 32-bit items over as longs.
        value.assign(reinterpret_cast<char*>(data), format == 32 ? count * sizeof(long) : count);
        XFree(data);
    }
    return value;
}

void flush(XDriver& x) {
    XSync(x.display, False); // the server has acted on everything sent when this returns
}

} // namespace

XWindow findWindow(XDriver& x, pid_t pid, double seconds) {
    const long wanted = pid;
    const std::string pidBytes(reinterpret_cast<const char*>(&wanted), sizeof wanted);
    waitUntil(
        [&] {
            Window root = DefaultRootWindow(x.display);
            Window parent = 0;
            Window* children = nullptr;
            unsigned int count = 0;
            XQueryTree(x.display, root, &root, &parent, &children, &count);
            for (unsigned int i = 0; i < count; ++i) {
                XWindowAttributes attributes;
                if (property(x, children[i], "_NET_WM_PID", XA_CARDINAL) == pidBytes &&
                    XGetWindowAttributes(x.display, children[i], &attributes) != 0 &&
                    attributes.map_state == IsViewable) {
                    x.window = children[i];
                }
            }
            if (children != nullptr) {
                XFree(children);
            }
            return x.window != 0;
        },
        seconds);
    return x.window;
}

std::string windowTitle(XDriver& x) {
    return property(x, x.window, "_NET_WM_NAME", XInternAtom(x.display, "UTF8_STRING", False));
}

std::string waitForTitle(XDriver& x, const std::string& prefix, double seconds) {
    std::string title;
    waitUntil([&] { return (title = windowTitle(x)).rfind(prefix, 0) == 0; }, seconds);
    return title;
}

bool settle(XDriver& x) {
    for (int change = 0; change < 2; ++change) {
        std::string title = windowTitle(x);
        if (!waitUntil([&] { return windowTitle(x) != title; }, 30.0)) {
            return false;
        }
    }
    return true;
}

void key(XDriver& x, unsigned long keysym, bool down) {
    XTestFakeKeyEvent(x.display, XKeysymToKeycode(x.display, keysym), down, CurrentTime);
    flush(x);
}

void tapKey(XDriver& x, unsigned long keysym) {
    key(x, keysym, true);
    key(x, keysym, false);
    pause(0.005);
}

bool holdKeyUntilRepeated(XDriver& x, unsigned long keysym,
                          const std::function<void()>& meanwhile) {
    XAutoRepeatOn(x.display);
    XSelectInput(x.display, x.window, KeyPressMask);
    key(x, keysym, true);
    int presses = 0;
    bool repeated = waitUntil(
        [&] {
            meanwhile();
            for (XEvent event; XPending(x.display) > 0;) {
                XNextEvent(x.display, &event);
                presses += event.type == KeyPress ? 1 : 0;
            }
            return presses >= 2;
        },
        10.0);
    key(x, keysym, false);
    XSelectInput(x.display, x.window, NoEventMask);
    flush(x);
    return repeated;
}

void movePointer(XDriver& x, int windowX, int windowY) {
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    XTranslateCoordinates(x.display, x.window, DefaultRootWindow(x.display), windowX, windowY,
                          &rootX, &rootY, &child);
    XTestFakeMotionEvent(x.display, DefaultScreen(x.display), rootX, rootY, CurrentTime);
    flush(x);
}

void button(XDriver& x, int number, bool down) {
    XTestFakeButtonEvent(x.display, static_cast<unsigned>(number), down, CurrentTime);
    flush(x);
}

void click(XDriver& x, int windowX, int windowY) {
    movePointer(x, windowX, windowY);
    button(x, 1, true);
    button(x, 1, false);
}

void resizeWindow(XDriver& x, int width, int height) {
    XResizeWindow(x.display, x.window, static_cast<unsigned>(width), static_cast<unsigned>(height));
    flush(x);
}

void closeWindow(XDriver& x) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = x.window;
    event.xclient.message_type = XInternAtom(x.display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(x.display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(x.display, x.window, False, NoEventMask, &event);
    flush(x);
}

Picture grabWindow(XDriver& x) {
    Picture picture;
    XWindowAttributes attributes;
    XGetWindowAttributes(x.display, x.window, &attributes);
    XImage* image = XGetImage(x.display, x.window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return picture;
    }
    picture.width = attributes.width;
    picture.height = attributes.height;
    for (int py = 0; py < picture.height; ++py) {
        for (int px = 0; px < picture.width; ++px) {
            unsigned long pixel = XGetPixel(image, px, py);
            picture.rgb.push_back(static_cast<unsigned char>((pixel & image->red_mask) >> 16));
            picture.rgb.push_back(static_cast<unsigned char>((pixel & image->green_mask) >> 8));
            picture.rgb.push_back(static_cast<unsigned char>(pixel & image->blue_mask));
        }
    }
    XDestroyImage(image);
    return picture;
}

void startCameraPixel(double x, double z, int* px, int* py) {
    double halfHeight = (200.0 - 1.0) * std::tan(65.0 * 0.75 / 2.0 * M_PI / 180.0);
    *px = static_cast<int>(std::lround(640.0 + x * 360.0 / halfHeight));
    *py = static_cast<int>(std::lround(360.0 + z * 360.0 / halfHeight));
}
