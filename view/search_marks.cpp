// Drawing the search view: a mark on every tile the search closed or left open at the step
// shown, the cost from the start in small digits on closed tiles, and the cheapest walk as a
// red line when it is cheaper than the walk found. Drawn in the scene, just above the tile
// models and below the figures, so that turning and zooming keep the marks on their tiles.
#include "view/palette.h"
#include "view/search_view.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// Above the highest rock of a stones tile (models stand 1 above the ground), below the
// lowest point of the figures.
constexpr float MarkHeight = 2.55f;

// A flat rectangle at the mark height, x from x0 to x1 and z from z0 to z1.
void rectangle(double x0, double z0, double x1, double z1, float lift = 0.0f) {
    const float y = MarkHeight + lift;
    glVertex3f(float(x0), y, float(z0));
    glVertex3f(float(x0), y, float(z1));
    glVertex3f(float(x1), y, float(z1));
    glVertex3f(float(x1), y, float(z0));
}

// Closed: a filled purple square (cyan from a target's side). Open: a yellow frame; where two
// sides met, a white one. Both leave the tile's edge, and so the lit path's colour, showing
// around them. Scanned (a tile a jump looked at): a small
// pale amber square, so that a jump's tiles read as a dotted line.
void tileMark(const Vec3& centre, TileMark mark) {
    constexpr double Outer = 3.0;
    constexpr double Inner = 2.2;
    constexpr double Dot = 1.2;
    const double x = centre.x;
    const double z = centre.z;
    if (mark == TileMark::Scanned) {
        glColor3fv(ScannedMark.gl);
        rectangle(x - Dot, z - Dot, x + Dot, z + Dot);
        return;
    }
    if (mark == TileMark::Closed || mark == TileMark::ClosedFromTarget || mark == TileMark::Kept) {
        glColor3fv(mark == TileMark::Closed ? ClosedMark.gl
                   : mark == TileMark::Kept ? KeptMark.gl
                                            : TargetClosedMark.gl);
        rectangle(x - Outer, z - Outer, x + Outer, z + Outer);
        return;
    }
    glColor3fv(mark == TileMark::Meeting ? MeetingMark.gl : OpenMark.gl);
    rectangle(x - Outer, z - Outer, x + Outer, z - Inner);
    rectangle(x - Outer, z + Inner, x + Outer, z + Outer);
    rectangle(x - Outer, z - Inner, x - Inner, z + Inner);
    rectangle(x + Inner, z - Inner, x + Outer, z + Inner);
}

// Seven-segment digits: bit 0 top, 1 top right, 2 bottom right, 3 bottom, 4 bottom left,
// 5 top left, 6 middle.
constexpr unsigned char Segments[10] = {0x3f, 0x06, 0x5b, 0x4f, 0x66, 0x6d, 0x7d, 0x07, 0x7f, 0x6f};

// A number in white strokes centred on `centre`, reading left to right along +x with its top
// toward -z, as the start view shows the board. A point is a dot at the foot of the line.
void number(const Vec3& centre, const std::string& text) {
    constexpr double Width = 1.5;
    constexpr double Height = 3.0;
    constexpr double Stroke = 0.45;
    constexpr double Gap = 0.35;
    constexpr float Lift = 0.04f; // above the closed mark and the red line
    const auto widthOf = [](char c) { return c == '.' ? Stroke : Width; };
    double total = -Gap;
    for (char c : text) {
        total += widthOf(c) + Gap;
    }
    double left = centre.x - total / 2.0;
    const double top = centre.z - Height / 2.0;
    const double middle = top + Height / 2.0;
    const double bottom = top + Height;
    glColor3fv(CostDigits.gl);
    for (char digit : text) {
        const double right = left + widthOf(digit);
        if (digit == '.') {
            rectangle(left, bottom - Stroke, right, bottom, Lift);
            left = right + Gap;
            continue;
        }
        const unsigned bits = digit >= '0' && digit <= '9' ? Segments[digit - '0'] : 0x40;
        const double bars[7][4] = {
            {left, top, right, top + Stroke},
            {right - Stroke, top, right, middle},
            {right - Stroke, middle, right, bottom},
            {left, bottom - Stroke, right, bottom},
            {left, middle, left + Stroke, bottom},
            {left, top, left + Stroke, middle},
            {left, middle - Stroke / 2.0, right, middle + Stroke / 2.0},
        };
        for (int s = 0; s < 7; s++) {
            if (bits & (1u << s)) {
                rectangle(bars[s][0], bars[s][1], bars[s][2], bars[s][3], Lift);
            }
        }
        left = right + Gap;
    }
}

// The cheapest walk: a red band through the tile centres with a dot on each.
void cheapestLine(const Board& board, int start, const std::vector<int>& tiles) {
    constexpr double Half = 0.45;
    constexpr double Dot = 1.0;
    constexpr float Lift = 0.02f; // above the marks, below their digits
    glColor3fv(CheapestLine.gl);
    Vec3 from = tileCentre(board, start);
    for (int tile : tiles) {
        const Vec3 to = tileCentre(board, tile);
        // Across the step: its direction turned a quarter, scaled to half the band's width.
        const double dx = to.x - from.x;
        const double dz = to.z - from.z;
        const double scale =
            Half / std::max(std::abs(dx), std::abs(dz)) * (dx != 0 && dz != 0 ? 0.7071 : 1.0);
        const double px = -dz * scale;
        const double pz = dx * scale;
        const float y = MarkHeight + Lift;
        glVertex3f(float(from.x + px), y, float(from.z + pz));
        glVertex3f(float(to.x + px), y, float(to.z + pz));
        glVertex3f(float(to.x - px), y, float(to.z - pz));
        glVertex3f(float(from.x - px), y, float(from.z - pz));
        if (tile != tiles.back()) { // the target's dot would show on the banana
            rectangle(to.x - Dot, to.z - Dot, to.x + Dot, to.z + Dot, Lift);
        }
        from = to;
    }
}

} // namespace

void drawSearchMarks(const Board& board, const SearchView& view, const Walk& walk,
                     const DrawnTiles& sight) {
    if (view.mode == SearchViewMode::Off) {
        return;
    }
    // Unlit, so that each mark shows its own colour on every terrain and at every turn; both
    // faces, so that the winding of each rectangle does not matter.
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    // Top layer first (digits, the line, the marks): at one depth the first drawn keeps the
    // pixel, so a layer a hair higher never sinks into the one below it.
    if (!sight.models) {
        glDepthFunc(GL_LEQUAL); // the line lies a hair above the flat board
    }
    glBegin(GL_QUADS);
    const SearchRecord& record = walk.search;
    for (int pass = 0; pass < 3; pass++) {
        // Under fog the walk found goes on from where the monkey planned: no line to set by it.
        if (pass == 1 && playbackStep(walk) >= searchSteps(walk) && record.found &&
            walk.found.cost > walk.cheapest.cost && !walk.partWay()) {
            cheapestLine(board, record.start, walk.cheapest.tiles);
        }
        // Only the tiles in view; drawn flat, the board shows the marks in its own colours.
        if (pass == 1 || !sight.models) {
            continue;
        }
        forEachTileInSight(board, sight, [&](int tile) {
            const TileMark mark = searchViewMark(view, walk, tile);
            if (pass == 2 && mark != TileMark::None) {
                tileMark(tileCentre(board, tile), mark);
            } else if (pass == 0 && closedMark(mark) && view.mode == SearchViewMode::Costs) {
                // One decimal under the benchmark's rule: more would not fit on the tile.
                number(tileCentre(board, tile), costText(closedCost(walk, tile), board.rule, 1));
            }
        });
    }
    glEnd();
    glDepthFunc(GL_LESS);
    glEnable(GL_CULL_FACE);
    glEnable(GL_LIGHTING);
}
