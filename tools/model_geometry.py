"""Geometry for the scene's models: vectors, a model of vertices and triangles, and the
solids and patches the shapes are built from. Used by tools/make_models.py."""

import math

TAU = 2.0 * math.pi


# --- vectors -----------------------------------------------------------------------------


def add(a, b):
    return (a[0] + b[0], a[1] + b[1], a[2] + b[2])


def sub(a, b):
    return (a[0] - b[0], a[1] - b[1], a[2] - b[2])


def scale(a, s):
    return (a[0] * s, a[1] * s, a[2] * s)


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def normalize(a):
    length = math.sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2])
    return scale(a, 1.0 / length)


# --- building blocks ---------------------------------------------------------------------


class Model:
    """Vertices and triangles of one file; vertex numbers are 0-based until written."""

    def __init__(self, name):
        self.name = name
        self.vertices = []
        self.faces = []

    def vertex(self, p):
        self.vertices.append(p)
        return len(self.vertices) - 1

    def triangle(self, a, b, c):
        self.faces.append((a, b, c))


def ring_solid(model, rings, start, end):
    """A closed solid made of rings of points between two poles.

    Each ring must run counter-clockwise about the direction from `start` to `end`
    (right-hand rule), and all rings must have the same number of points. Covers spheres,
    cones, cylinders and bent tubes alike.
    """
    count = len(rings[0])
    first = model.vertex(start)
    ids = [[model.vertex(p) for p in ring] for ring in rings]
    last = model.vertex(end)
    for j in range(count):
        k = (j + 1) % count
        model.triangle(ids[0][k], ids[0][j], first)
        for lower, upper in zip(ids, ids[1:]):
            model.triangle(lower[j], lower[k], upper[k])
            model.triangle(lower[j], upper[k], upper[j])
        model.triangle(ids[-1][j], ids[-1][k], last)


def ring_around_y(center, radius_x, radius_z, count, phase=0.0, wobble=None):
    """Points counter-clockwise about +y; `wobble(j)` scales point j's distance."""
    points = []
    for j in range(count):
        angle = phase + TAU * j / count
        w = wobble(j) if wobble else 1.0
        points.append(
            (
                center[0] + radius_x * w * math.cos(angle),
                center[1],
                center[2] - radius_z * w * math.sin(angle),
            )
        )
    return points


def ellipsoid(model, center, radii, segments, bands):
    """A closed ellipsoid: `bands` latitude rings between two poles."""
    rings = []
    for i in range(1, bands + 1):
        latitude = -math.pi / 2 + math.pi * i / (bands + 1)
        ring = []
        for j in range(segments):
            longitude = TAU * j / segments
            ring.append(
                (
                    center[0] + radii[0] * math.cos(latitude) * math.cos(longitude),
                    center[1] + radii[1] * math.sin(latitude),
                    center[2] - radii[2] * math.cos(latitude) * math.sin(longitude),
                )
            )
        rings.append(ring)
    bottom = (center[0], center[1] - radii[1], center[2])
    top = (center[0], center[1] + radii[1], center[2])
    ring_solid(model, rings, bottom, top)


def tube(model, path, radii, sides, flatten=1.0):
    """A closed tube along `path` with a round cap at each end.

    The cross-section at point i has radius radii[i]; `flatten` squashes it across the
    direction nearest the vertical.
    """
    rings = []
    for i, p in enumerate(path):
        before = path[max(i - 1, 0)]
        after = path[min(i + 1, len(path) - 1)]
        tangent = normalize(sub(after, before))
        # Side vector horizontal where it can be, so the tube does not twist.
        side = cross(tangent, (0.0, 1.0, 0.0))
        if abs(side[0]) + abs(side[1]) + abs(side[2]) < 1e-6:
            side = cross(tangent, (1.0, 0.0, 0.0))
        side = normalize(side)
        upright = cross(tangent, side)  # side x upright = tangent: rings turn about it
        ring = []
        for j in range(sides):
            angle = TAU * j / sides
            offset = add(
                scale(side, radii[i] * math.cos(angle)),
                scale(upright, radii[i] * flatten * math.sin(angle)),
            )
            ring.append(add(p, offset))
        rings.append(ring)
    start_dir = normalize(sub(path[0], path[1]))
    end_dir = normalize(sub(path[-1], path[-2]))
    start = add(path[0], scale(start_dir, radii[0] * 0.7))
    end = add(path[-1], scale(end_dir, radii[-1] * 0.7))
    ring_solid(model, rings, start, end)


def smooth_path(points, steps):
    """Catmull-Rom curve through `points`, `steps` pieces per span."""
    padded = [points[0]] + list(points) + [points[-1]]
    curve = []
    for i in range(1, len(padded) - 2):
        p0, p1, p2, p3 = padded[i - 1], padded[i], padded[i + 1], padded[i + 2]
        for s in range(steps):
            t = s / steps
            curve.append(
                tuple(
                    0.5
                    * (
                        2 * p1[c]
                        + (p2[c] - p0[c]) * t
                        + (2 * p0[c] - 5 * p1[c] + 4 * p2[c] - p3[c]) * t * t
                        + (3 * p1[c] - p0[c] - 3 * p2[c] + p3[c]) * t * t * t
                    )
                    for c in range(3)
                )
            )
    curve.append(points[-1])
    return curve


def patch(model, rings, rim, center_height):
    """An open, upward-facing heightfield disc: a centre point, inner rings, a rim.

    `rings` and `rim` are lists of points counter-clockwise about +y, all of one length.
    """
    count = len(rim)
    centre = model.vertex((0.0, center_height, 0.0))
    ids = [[model.vertex(p) for p in ring] for ring in rings + [rim]]
    for j in range(count):
        k = (j + 1) % count
        model.triangle(ids[0][j], ids[0][k], centre)
        for inner, outer in zip(ids, ids[1:]):
            model.triangle(outer[j], outer[k], inner[k])
            model.triangle(outer[j], inner[k], inner[j])


def recentre(model):
    """Moves the model so it stands on y = 0, centred on x = z = 0."""
    xs = [v[0] for v in model.vertices]
    ys = [v[1] for v in model.vertices]
    zs = [v[2] for v in model.vertices]
    shift = (-(min(xs) + max(xs)) / 2, -min(ys), -(min(zs) + max(zs)) / 2)
    model.vertices = [add(v, shift) for v in model.vertices]


def upward(model, a, b, c):
    """One triangle of an open patch, wound so that it faces up."""
    p, q, r = model.vertices[a], model.vertices[b], model.vertices[c]
    if cross(sub(q, p), sub(r, p))[1] < 0.0:
        b, c = c, b
    model.triangle(a, b, c)
