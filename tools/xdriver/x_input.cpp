// What the driver sends the window (keys, the pointer and its buttons, a resize, a close)
// and what it reads back: the window's pixels, and what they show while input goes on.
#include "tools/xdriver/x_driver.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <cmath>

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
