#include "tools/demo_context.h"

#include "tools/png_write.h"

#include <cstdio>
#include <utility>

// The program's own process-wide world, which its frame code names. The demo drives the
// program in another process and keeps the map it reckons with in `Demo`; this one stays
// empty, there only because a unity build links the frame code along with the rest.
World world{std::string()};

bool waitFor(Demo& demo, const char* what, const std::function<bool()>& shown) {
    const bool ok = waitUntil(
        [&] {
            demo.seen = grabWindow(demo.x);
            const auto now = std::chrono::steady_clock::now();
            if (demo.recording && !demo.frames.empty() &&
                now - demo.lastFrame > std::chrono::milliseconds(100)) {
                char name[32];
                std::snprintf(name, sizeof name, "/walk-%03d.png", demo.framesSaved++);
                writePng(demo.frames + name, demo.seen.width, demo.seen.height,
                         demo.seen.rgb.data());
                demo.lastFrame = now;
            }
            return demo.running.ended() || shown();
        },
        Patience);
    if (!ok) {
        std::printf("  (no %s within %g s; going on)\n", what, Patience);
    }
    return !demo.running.ended();
}

std::function<bool()> still(Demo& demo) {
    // From the picture last seen: where that already shows the end of a movement, one title
    // change (at the end of a frame) with the same picture tells it is over.
    return [&demo, title = windowTitle(demo.x), before = demo.seen]() mutable {
        const std::string now = windowTitle(demo.x);
        return now != std::exchange(title, now) && std::exchange(before, demo.seen) == demo.seen;
    };
}

void settleFor(Demo& demo, std::chrono::milliseconds span) {
    for (const auto begin = std::chrono::steady_clock::now();
         std::chrono::steady_clock::now() - begin < span;) {
        settle(demo.x);
    }
}

void clickTile(Demo& demo, int index) {
    const Vec3 centre = tileCentre(demo.map.board, index);
    click(demo.x, startCameraPixel(centre.x, centre.z));
}

bool save(const Demo& demo, const std::string& name) {
    const std::string path = demo.out + "/" + name;
    const Picture& picture = demo.seen;
    bool ok =
        picture.width > 0 && writePng(path, picture.width, picture.height, picture.rgb.data());
    std::printf("  %s %s\n", ok ? "saved" : "could not save", path.c_str());
    return ok;
}

void printTitle(Demo& demo) {
    std::printf("Window title: %s\n", windowTitle(demo.x).c_str());
}
