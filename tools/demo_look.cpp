#include "tools/demo_look.h"

#include "ui/panel.h"

#include <cmath>

namespace {

// The monkey's lit orange, apart from the banana's yellow (no blue), the greens and greys.
bool orange(const unsigned char* p) {
    return p[0] > 180 && p[1] > 100 && p[0] - p[1] >= 30 && p[2] > 25 && p[2] < 120;
}

// The middle of the monkey's orange in window pixels; false when none shows.
bool monkeyAt(const Picture& picture, double* x, double* y) {
    double count = 0.0;
    *x = *y = 0.0;
    for (int i = 0; i < picture.width * picture.height; ++i) {
        // The panel's legend has an orange swatch too: only the board counts.
        if (i % picture.width < picture.width - PanelWidth && orange(&picture.rgb[i * 3])) {
            *x += i % picture.width, *y += i / picture.width, count += 1.0;
        }
    }
    *x /= count, *y /= count;
    return count > 0.0;
}

} // namespace

int monkeyStep(const Picture& picture, const World& map, const std::vector<int>& walk) {
    double x = 0.0, y = 0.0;
    const bool shows = monkeyAt(picture, &x, &y);
    int nearest = -1;
    double best = 0.0;
    for (int step = 0; shows && step < static_cast<int>(walk.size()); ++step) {
        const Vec3 centre = tileCentre(map.board, walk[step]);
        const auto [px, py] = startCameraPixel(centre.x, centre.z);
        const double dx = px - x, dy = py - y;
        if (nearest == -1 || dx * dx + dy * dy < best) {
            nearest = step, best = dx * dx + dy * dy;
        }
    }
    return nearest;
}

double monkeyBearing(const Picture& picture) {
    double x = 0.0, y = 0.0;
    return monkeyAt(picture, &x, &y) ? std::atan2(360.0 - y, x - 640.0) * 180.0 / M_PI : NAN;
}

std::vector<unsigned char> tilePatch(const Picture& picture, const World& map, int tile) {
    const Vec3 centre = tileCentre(map.board, tile);
    const auto [x, y] = startCameraPixel(centre.x, centre.z);
    std::vector<unsigned char> patch;
    for (int dy = -3; dy <= 3; dy++) {
        for (int dx = -3; dx <= 3; dx++) {
            const unsigned char* p = picture.at(x + dx, y + dy);
            patch.insert(patch.end(), p, p + 3);
        }
    }
    return patch;
}
