// The colours the views draw besides the tiles' own (those are the tile table's): each as
// OpenGL is given it, and as the window then shows it, which the flat board and the legend
// use, so that a swatch is the colour on the board.
#pragma once

#include <cstdint>

struct Shade {
    float gl[3];
    std::uint8_t shown[3];
};

inline constexpr Shade ClosedMark{{0.55f, 0.2f, 0.85f}, {140, 51, 217}};
// Closed from the target's side, and where the two sides met: apart from every tile and mark.
inline constexpr Shade TargetClosedMark{{0.1f, 0.8f, 0.9f}, {26, 204, 230}};
inline constexpr Shade MeetingMark{{1.0f, 1.0f, 1.0f}, {255, 255, 255}};
// Kept from D* Lite's last plan: a paler shade of the closed purple.
inline constexpr Shade KeptMark{{0.78f, 0.66f, 0.92f}, {199, 168, 235}};
inline constexpr Shade OpenMark{{1.0f, 0.85f, 0.1f}, {255, 217, 25}};
// The tiles JPS's jumps looked at: a pale amber, apart from the marks' purple and yellow.
inline constexpr Shade ScannedMark{{1.0f, 0.8f, 0.6f}, {255, 204, 153}};
inline constexpr Shade CheapestLine{{1.0f, 0.15f, 0.1f}, {255, 38, 26}};
inline constexpr Shade CostDigits{{1.0f, 1.0f, 1.0f}, {255, 255, 255}};
// The figures as their lit models show: the markers drawn over a flat board take these.
inline constexpr Shade MonkeyOrange{{1.0f, 190.0f / 255.0f, 63.0f / 255.0f}, {255, 190, 63}};
inline constexpr Shade BananaYellow{{1.0f, 1.0f, 0.0f}, {255, 255, 0}};
inline constexpr Shade LitLine{{0.0f, 1.0f, 0.0f}, {0, 255, 0}};
// The ring round a marker, so that it shows on every tile and mark.
inline constexpr Shade MarkerRing{{0.0f, 0.0f, 0.0f}, {0, 0, 0}};
