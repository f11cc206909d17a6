#include "tests/support/x_driver.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

RunningProgram startProgram(const std::string& exe, const std::string& folder, bool withDisplay) {
    RunningProgram program;
    // Beside, not in, the folder: the program's folder may be the shipped assets.
    char path[] = "/tmp/tanglor-stderr-XXXXXX";
    int file = mkstemp(path);
    if (file >= 0) {
        close(file);
    }
    program.stderrPath = path;
    pid_t pid = fork();
    if (pid == 0) {
        if (chdir(folder.c_str()) != 0) {
            _exit(126);
        }
        int err = open(program.stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (err >= 0) {
            dup2(err, 2);
            close(err);
        }
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
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (program.pid > 0) {
        int status = 0;
        pid_t done = waitpid(program.pid, &status, WNOHANG);
        if (done == program.pid) {
            program.pid = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        if (std::chrono::steady_clock::now() > deadline) {
            kill(program.pid, SIGKILL);
            waitpid(program.pid, &status, 0);
            program.pid = -1;
            return -1;
        }
        pause(0.02);
    }
    return -1;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void pause(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

bool openDisplay(XDriver& x) {
    x.display = XOpenDisplay(nullptr);
    return x.display != nullptr;
}

void closeDisplay(XDriver& x) {
    if (x.display != nullptr) {
        XCloseDisplay(x.display);
    }
    x.display = nullptr;
}

namespace {

long windowPid(Display* display, Window window) {
    Atom pidAtom = XInternAtom(display, "_NET_WM_PID", True);
    if (pidAtom == None) {
        return -1;
    }
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long rest = 0;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &rest, &data) == Success &&
        data != nullptr) {
        if (count == 1 && format == 32) {
            pid = *reinterpret_cast<long*>(data);
        }
        XFree(data);
    }
    return pid;
}

bool isViewable(Display* display, Window window) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

} // namespace

XWindow findWindow(XDriver& x, pid_t pid, double seconds) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        Window root = DefaultRootWindow(x.display);
        Window parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(x.display, root, &root, &parent, &children, &count) != 0) {
            for (unsigned int i = 0; i < count; ++i) {
                if (windowPid(x.display, children[i]) == pid &&
                    isViewable(x.display, children[i])) {
                    x.window = children[i];
                }
            }
            if (children != nullptr) {
                XFree(children);
            }
        }
        if (x.window != 0) {
            return x.window;
        }
        pause(0.05);
    }
    return 0;
}

std::string windowTitle(XDriver& x) {
    Atom nameAtom = XInternAtom(x.display, "_NET_WM_NAME", False);
    Atom utf8 = XInternAtom(x.display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long rest = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(x.display, x.window, nameAtom, 0, 1024, False, utf8, &type, &format,
                           &count, &rest, &data) == Success &&
        data != nullptr) {
        title.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    return title;
}

std::string waitForTitle(XDriver& x, const std::string& prefix, double seconds) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    std::string title = windowTitle(x);
    while (title.rfind(prefix, 0) != 0 && std::chrono::steady_clock::now() < deadline) {
        pause(0.01);
        title = windowTitle(x);
    }
    return title;
}

void windowSize(XDriver& x, int* width, int* height) {
    XWindowAttributes attributes;
    XGetWindowAttributes(x.display, x.window, &attributes);
    *width = attributes.width;
    *height = attributes.height;
}

void pressKey(XDriver& x, unsigned long keysym) {
    XTestFakeKeyEvent(x.display, XKeysymToKeycode(x.display, keysym), True, CurrentTime);
    XFlush(x.display);
}

void releaseKey(XDriver& x, unsigned long keysym) {
    XTestFakeKeyEvent(x.display, XKeysymToKeycode(x.display, keysym), False, CurrentTime);
    XFlush(x.display);
}

void tapKey(XDriver& x, unsigned long keysym) {
    pressKey(x, keysym);
    releaseKey(x, keysym);
}

void movePointer(XDriver& x, int windowX, int windowY) {
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    XTranslateCoordinates(x.display, x.window, DefaultRootWindow(x.display), windowX, windowY,
                          &rootX, &rootY, &child);
    XTestFakeMotionEvent(x.display, DefaultScreen(x.display), rootX, rootY, CurrentTime);
    XFlush(x.display);
}

void pressButton(XDriver& x, int button) {
    XTestFakeButtonEvent(x.display, static_cast<unsigned int>(button), True, CurrentTime);
    XFlush(x.display);
}

void releaseButton(XDriver& x, int button) {
    XTestFakeButtonEvent(x.display, static_cast<unsigned int>(button), False, CurrentTime);
    XFlush(x.display);
}

void click(XDriver& x, int windowX, int windowY) {
    movePointer(x, windowX, windowY);
    pause(0.05);
    pressButton(x, 1);
    releaseButton(x, 1);
}

Picture grabWindow(XDriver& x) {
    Picture picture;
    windowSize(x, &picture.width, &picture.height);
    XImage* image = XGetImage(x.display, x.window, 0, 0, static_cast<unsigned>(picture.width),
                              static_cast<unsigned>(picture.height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        picture.width = picture.height = 0;
        return picture;
    }
    picture.rgb.resize(static_cast<size_t>(picture.width) * picture.height * 3);
    for (int py = 0; py < picture.height; ++py) {
        for (int px = 0; px < picture.width; ++px) {
            unsigned long pixel = XGetPixel(image, px, py);
            unsigned char* out = &picture.rgb[(static_cast<size_t>(py) * picture.width + px) * 3];
            out[0] = static_cast<unsigned char>((pixel & image->red_mask) >> 16);
            out[1] = static_cast<unsigned char>((pixel & image->green_mask) >> 8);
            out[2] = static_cast<unsigned char>(pixel & image->blue_mask);
        }
    }
    XDestroyImage(image);
    return picture;
}

void startCameraPixel(double x, double z, int* px, int* py) {
    const double pi = 3.14159265358979;
    double halfHeight = (200.0 - 1.0) * std::tan(65.0 * 0.75 / 2.0 * pi / 180.0);
    double pixelsPerUnit = 360.0 / halfHeight;
    *px = static_cast<int>(std::lround(640.0 + x * pixelsPerUnit));
    *py = static_cast<int>(std::lround(360.0 + z * pixelsPerUnit));
}
