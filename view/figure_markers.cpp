// The figures and the lit walk drawn over a flat board: each point is projected to the
// window through the view's own matrices, then drawn in window pixels, unlit, over
// everything, without touching the depth buffer that a pick reads.
#include "view/figure_markers.h"
#include "view/camera.h"
#include "view/palette.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

namespace {

struct Pixel {
    double x = 0.0;
    double y = 0.0;
};

// Zeroed first: a context that cannot answer leaves them as they were.
struct Projection {
    GLdouble modelview[16] = {};
    GLdouble projection[16] = {};
    GLint viewport[4] = {};
};

Pixel project(const Projection& p, const Vec3& point) {
    Pixel out;
    double z = 0.0;
    gluProject(point.x, point.y, point.z, p.modelview, p.projection, p.viewport, &out.x, &out.y,
               &z);
    return out;
}

void disc(Pixel at, double radius, const float rgb[3]) {
    constexpr int Sides = 24;
    glColor3fv(rgb);
    glBegin(GL_TRIANGLE_FAN);
    glVertex2d(at.x, at.y);
    for (int i = 0; i <= Sides; i++) {
        glVertex2d(at.x + radius * std::cos(2.0 * Pi * i / Sides),
                   at.y + radius * std::sin(2.0 * Pi * i / Sides));
    }
    glEnd();
}

// A figure's marker: its colour in a dark ring, so that it shows on every tile and mark.
void marker(Pixel at, const float rgb[3]) {
    disc(at, MarkerPixels / 2.0 + MarkerRingPixels, MarkerRing.gl);
    disc(at, MarkerPixels / 2.0, rgb);
}

// The lit walk as a band of even width, with a square at each bend so that no joint gapes.
void litLine(const std::vector<Pixel>& points) {
    const double half = LitLinePixels / 2.0;
    glColor3fv(LitLine.gl);
    glBegin(GL_QUADS);
    for (std::size_t i = 0; i < points.size(); i++) {
        const Pixel p = points[i];
        glVertex2d(p.x - half, p.y - half);
        glVertex2d(p.x + half, p.y - half);
        glVertex2d(p.x + half, p.y + half);
        glVertex2d(p.x - half, p.y + half);
        if (i + 1 == points.size()) {
            break;
        }
        const Pixel q = points[i + 1];
        const double length = std::hypot(q.x - p.x, q.y - p.y);
        if (length <= 0.0) {
            continue;
        }
        const double nx = -(q.y - p.y) / length * half;
        const double ny = (q.x - p.x) / length * half;
        glVertex2d(p.x + nx, p.y + ny);
        glVertex2d(q.x + nx, q.y + ny);
        glVertex2d(q.x - nx, q.y - ny);
        glVertex2d(p.x - nx, p.y - ny);
    }
    glEnd();
}

// Where a figure stands: over its tile's centre, at the height of the tile models' tops.
Vec3 figurePoint(const Mesh& figure) {
    return Vec3{figure.position[0] - TileSize / 2.0, 1.0, figure.position[2] + TileSize / 2.0};
}

} // namespace

std::vector<Vec3> litWalkPoints(const Board& board, const Walk& walk) {
    std::vector<Vec3> points;
    if (walk.start < 0 || !walk.search.found || walk.search.start != walk.start) {
        return points;
    }
    points.push_back(tileCentre(board, walk.start));
    for (int tile : walk.search.walk) {
        points.push_back(tileCentre(board, tile));
    }
    for (Vec3& point : points) {
        point.y = 1.0;
    }
    return points;
}

void drawFigureMarkers(const World& w, const Walk& walk) {
    Projection p;
    glGetDoublev(GL_MODELVIEW_MATRIX, p.modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, p.projection);
    glGetIntegerv(GL_VIEWPORT, p.viewport);
    std::vector<Pixel> line;
    for (const Vec3& point : litWalkPoints(w.board, walk)) {
        line.push_back(project(p, point));
    }
    const Pixel banana = project(p, figurePoint(w.banana));
    const Pixel monkey = project(p, figurePoint(walk.monkey));

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(p.viewport[0], p.viewport[0] + p.viewport[2], p.viewport[1],
            p.viewport[1] + p.viewport[3], -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    litLine(line);
    if (w.banana.visible) {
        marker(banana, BananaYellow.gl);
    }
    if (walk.monkey.visible) {
        marker(monkey, MonkeyOrange.gl);
    }
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glEnable(GL_LIGHTING);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}
