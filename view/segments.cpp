// An any-angle walk's segments in the 3-D view: each end is taken to the window through the
// view's own matrices, the line cut where it passes behind the near plane, and drawn in
// window pixels at the depth it has there, so that what stands in front of it hides it.
#include "view/segments.h"
#include "view/figure_markers.h"
#include "view/palette.h"

#include <GL/gl.h>

#include <cmath>
#include <vector>

namespace {

// Above the tile models' tops (1) and the search view's marks (2.55), below the figures.
constexpr double LineHeight = 2.7;
// The dark edge each side of the band, in pixels, so that it shows on lit tiles of its own
// colour.
constexpr double EdgePixels = 1.0;

// A point in clip coordinates: what the projection makes of it before the division.
struct Clip {
    double x = 0, y = 0, z = 0, w = 0;
};

// A point in window pixels, with its depth as the depth buffer holds it (0 near, 1 far).
struct Pixel {
    double x = 0, y = 0, depth = 0;
};

struct Matrices {
    GLdouble modelview[16] = {};
    GLdouble projection[16] = {};
    GLint viewport[4] = {};
};

Clip toClip(const Matrices& m, const Vec3& p) {
    const GLdouble* v = m.modelview;
    const double ex = v[0] * p.x + v[4] * p.y + v[8] * p.z + v[12];
    const double ey = v[1] * p.x + v[5] * p.y + v[9] * p.z + v[13];
    const double ez = v[2] * p.x + v[6] * p.y + v[10] * p.z + v[14];
    const double ew = v[3] * p.x + v[7] * p.y + v[11] * p.z + v[15];
    const GLdouble* j = m.projection;
    return Clip{j[0] * ex + j[4] * ey + j[8] * ez + j[12] * ew,
                j[1] * ex + j[5] * ey + j[9] * ez + j[13] * ew,
                j[2] * ex + j[6] * ey + j[10] * ez + j[14] * ew,
                j[3] * ex + j[7] * ey + j[11] * ez + j[15] * ew};
}

Clip between(const Clip& a, const Clip& b, double t) {
    return Clip{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t,
                a.w + (b.w - a.w) * t};
}

Pixel toWindow(const Matrices& m, const Clip& c) {
    const GLint* v = m.viewport;
    return Pixel{v[0] + v[2] * (c.x / c.w + 1.0) / 2.0, v[1] + v[3] * (c.y / c.w + 1.0) / 2.0,
                 (c.z / c.w + 1.0) / 2.0};
}

// The part of the line from `a` to `b` in front of the near plane (z >= -w), in window
// pixels; false when none of it is.
bool inFront(const Matrices& m, Clip a, Clip b, Pixel* from, Pixel* to) {
    const double da = a.z + a.w;
    const double db = b.z + b.w;
    if (da < 0 && db < 0) {
        return false;
    }
    if (da < 0) {
        a = between(a, b, da / (da - db));
    } else if (db < 0) {
        b = between(b, a, db / (db - da));
    }
    if (!(a.w > 0) || !(b.w > 0)) {
        return false; // on the eye itself: nothing to draw
    }
    *from = toWindow(m, a);
    *to = toWindow(m, b);
    return true;
}

// A window point at its depth: with the projection glOrtho(..., 0, 1), z = -depth lands on
// that depth.
void vertex(double x, double y, double depth) {
    glVertex3f(float(x), float(y), float(-depth));
}

// A band `half` pixels each side of the line, and a square of the same half width at each
// end, so that no bend gapes.
void band(const std::vector<std::pair<Pixel, Pixel>>& pieces, double half) {
    glBegin(GL_QUADS);
    for (const auto& [p, q] : pieces) {
        for (const Pixel& e : {p, q}) {
            vertex(e.x - half, e.y - half, e.depth);
            vertex(e.x + half, e.y - half, e.depth);
            vertex(e.x + half, e.y + half, e.depth);
            vertex(e.x - half, e.y + half, e.depth);
        }
        const double length = std::hypot(q.x - p.x, q.y - p.y);
        if (length <= 0.0) {
            continue;
        }
        const double nx = -(q.y - p.y) / length * half;
        const double ny = (q.x - p.x) / length * half;
        vertex(p.x + nx, p.y + ny, p.depth);
        vertex(q.x + nx, q.y + ny, q.depth);
        vertex(q.x - nx, q.y - ny, q.depth);
        vertex(p.x - nx, p.y - ny, p.depth);
    }
    glEnd();
}

} // namespace

void drawSegments(const Board& board, const Walk& walk) {
    if (!anyAngle(walk.search.kind)) {
        return;
    }
    std::vector<Vec3> points = litWalkPoints(board, walk);
    if (points.size() < 2) {
        return;
    }
    Matrices m;
    glGetDoublev(GL_MODELVIEW_MATRIX, m.modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, m.projection);
    glGetIntegerv(GL_VIEWPORT, m.viewport);
    std::vector<std::pair<Pixel, Pixel>> pieces;
    for (std::size_t i = 0; i + 1 < points.size(); i++) {
        points[i].y = points[i + 1].y = LineHeight;
        Pixel from, to;
        if (inFront(m, toClip(m, points[i]), toClip(m, points[i + 1]), &from, &to)) {
            pieces.emplace_back(from, to);
        }
    }
    if (pieces.empty()) {
        return;
    }

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(m.viewport[0], m.viewport[0] + m.viewport[2], m.viewport[1],
            m.viewport[1] + m.viewport[3], 0.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_FALSE);
    glColor3fv(MarkerRing.gl);
    band(pieces, LitLinePixels / 2.0 + EdgePixels);
    glColor3fv(LitLine.gl);
    band(pieces, LitLinePixels / 2.0);
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LESS);
    glEnable(GL_CULL_FACE);
    glEnable(GL_LIGHTING);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}
