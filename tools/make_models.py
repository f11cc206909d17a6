#!/usr/bin/env python3
"""Writes the scene's eight models into assets/.

Rebuild them after changing a shape with:

    python3 tools/make_models.py            (from the repository root)
    python3 tools/make_models.py OUT_DIR    (somewhere else)

then run the model tests (unit_tests --gtest_filter='ShippedModel*') and look at the
pictures that the model_views tool writes into docs/models/:

    xvfb-run -a -s "-screen 0 1600x1000x24" BUILD_DIR/tools/model_views

Conventions every shape follows, because the program relies on them:
- A tile model stands on y = 0 and is centred on x = z = 0 of its own space; one unit is
  one world unit and a tile is 10 x 10. The figures (monkey, banana) stand on the highest
  rock instead, since any tile may lie under them, and the banana curves round the tile
  centre.
- Triangles run counter-clockwise seen from outside: the program culls back faces and
  lights each triangle by (Q - P) x (R - P).
- Solids are closed; open patches (ground, water, palm fronds) face up.
- The camera starts straight above with the light overhead, so shapes read by their
  outline from above and by faces that tilt away from the light and darken.
- The monkey looks toward -x: the program points its -x axis along the way it walks.
- Each shape draws from its own fixed seed and numbers are written with four decimals,
  so running the script again gives byte-identical files.
"""

import math
import os
import random
import sys

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


def lerp(a, b, t):
    return add(scale(a, 1.0 - t), scale(b, t))


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


def icosphere(model, center, radii, rng, lumpiness):
    """A closed, lumpy ball of 80 evenly sized facets: an icosahedron split once.

    Even facets catch the light at every angle, so the ball reads as round and leafy from
    above, where a latitude ring would leave a flat cap.
    """
    t = (1.0 + math.sqrt(5.0)) / 2.0
    corners = [
        (-1, t, 0), (1, t, 0), (-1, -t, 0), (1, -t, 0), (0, -1, t), (0, 1, t),
        (0, -1, -t), (0, 1, -t), (t, 0, -1), (t, 0, 1), (-t, 0, -1), (-t, 0, 1),
    ]
    faces = [
        (0, 11, 5), (0, 5, 1), (0, 1, 7), (0, 7, 10), (0, 10, 11), (1, 5, 9), (5, 11, 4),
        (11, 10, 2), (10, 7, 6), (7, 1, 8), (3, 9, 4), (3, 4, 2), (3, 2, 6), (3, 6, 8),
        (3, 8, 9), (4, 9, 5), (2, 4, 11), (6, 2, 10), (8, 6, 7), (9, 8, 1),
    ]
    directions = [normalize(c) for c in corners]
    middles = {}

    def middle(a, b):
        key = (min(a, b), max(a, b))
        if key not in middles:
            directions.append(normalize(lerp(directions[a], directions[b], 0.5)))
            middles[key] = len(directions) - 1
        return middles[key]

    split = []
    for a, b, c in faces:
        ab, bc, ca = middle(a, b), middle(b, c), middle(c, a)
        split += [(a, ab, ca), (b, bc, ab), (c, ca, bc), (ab, bc, ca)]
    ids = []
    for d in directions:
        bump = 1.0 + rng.uniform(-lumpiness, lumpiness)
        ids.append(
            model.vertex(
                (
                    center[0] + radii[0] * bump * d[0],
                    center[1] + radii[1] * bump * d[1],
                    center[2] + radii[2] * bump * d[2],
                )
            )
        )
    for a, b, c in split:
        model.triangle(ids[a], ids[b], ids[c])


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


# --- tile models -------------------------------------------------------------------------

# Rocks are kept this low, and the figures stand this high in their own space, so that no
# rock pokes through the monkey or the banana on a stones tile (tiles turn at random, so any
# rock may lie under them).
ROCK_HEIGHT = 1.5
FIGURE_LIFT = ROCK_HEIGHT + 0.1


def upward(model, a, b, c):
    """One triangle of an open patch, wound so that it faces up."""
    p, q, r = model.vertices[a], model.vertices[b], model.vertices[c]
    if cross(sub(q, p), sub(r, p))[1] < 0.0:
        b, c = c, b
    model.triangle(a, b, c)


def ground():
    """Flat lawn: a 10-sided disc, round at any turn, so a path tile lights up as one disc.

    Most tiles are ground and a software renderer pays for every triangle: a fan from one
    corner covers the disc with 8.
    """
    model = Model("ground3")
    ids = [model.vertex(p) for p in ring_around_y((0, 0, 0), 4.9, 4.9, 10, 0.1)]
    for j in range(1, len(ids) - 1):
        model.triangle(ids[0], ids[j], ids[j + 1])
    return model


def rock(model, rng, x, z, radius, height):
    """One rough rock: an irregular base on the ground, a lopsided shoulder and peak."""
    sides = 5
    phase = rng.uniform(0.0, TAU)
    base = ring_around_y(
        (x, 0.0, z), radius, radius, sides, phase, lambda j: rng.uniform(0.85, 1.1)
    )
    shoulder = [
        (px, rng.uniform(0.6, 0.8) * height, pz)
        for px, _, pz in ring_around_y(
            (x, 0.0, z), radius, radius, sides, phase + 0.3, lambda j: rng.uniform(0.6, 0.8)
        )
    ]
    peak = (x + rng.uniform(-0.3, 0.3) * radius, height, z + rng.uniform(-0.3, 0.3) * radius)
    ring_solid(model, [base, shoulder], (x, 0.0, z), peak)


def stones():
    """Three rough rocks on a low gravel patch: a plain fan, since the rocks hide most of it."""
    rng = random.Random(7)
    model = Model("ground_stones")
    sides = 8
    rim = ring_around_y((0, 0, 0), 4.5, 4.5, sides, 0.0, lambda j: rng.uniform(0.95, 1.05))
    patch(model, [], rim, center_height=0.2)
    rock(model, rng, -1.3, -1.1, 1.9, ROCK_HEIGHT)
    rock(model, rng, 1.9, 0.4, 1.6, ROCK_HEIGHT * 0.8)
    rock(model, rng, -0.6, 2.3, 1.3, ROCK_HEIGHT * 0.6)
    return model


def water():
    """A flat square filling the whole tile, so neighbouring water tiles join up."""
    model = Model("water")
    a = model.vertex((-5.0, 0.0, -5.0))
    b = model.vertex((-5.0, 0.0, 5.0))
    c = model.vertex((5.0, 0.0, 5.0))
    d = model.vertex((5.0, 0.0, -5.0))
    model.triangle(a, b, c)
    model.triangle(a, c, d)
    return model


# Trees are seen from straight above with the light overhead, so a crown reads by its
# outline and by faces that turn away from the light toward its rim and darken. Crowns are
# wider than the tile's lawn disc and pass its edge a little, so neighbouring trees join into
# a canopy, and stand about 14 high, so off-centre trees lean out in the perspective and show
# a dark side: that is what tells a tree from a bush.


def spike(model, top, radius):
    """A thin three-sided trunk from the ground up to `top`, inside the crown: 6 triangles."""
    ring = ring_around_y((0, 0, 0), radius, radius, 3, 0.3)
    ring_solid(model, [ring], (0.0, 0.0, 0.0), (0.0, top, 0.0))


def pine():
    """A pine: three five-pointed star tiers, each turned against the one below, on a trunk.

    The tiers form one closed solid, each tier's upper face sloping down from the foot of
    the tier above to its own rim; the tips hang lower than the notches between them, so
    the points come out darker than the middle of the star.
    """
    rng = random.Random(11)
    model = Model("tree")
    spike(model, 5.0, 0.8)
    rings = []
    # Tier: rim radius, rim height, radius and height where the next tier grows out.
    tiers = [(6.4, 3.2, 2.2, 7.2), (4.7, 6.6, 1.6, 10.2), (3.2, 9.7, 0.0, 0.0)]
    for n, (radius, height, inner, inner_height) in enumerate(tiers):
        phase = TAU / 10 * n
        rim = []
        for j, (x, _, z) in enumerate(ring_around_y((0, 0, 0), radius, radius, 10, phase)):
            tip = j % 2 == 0
            w = (1.0 if tip else 0.5) * rng.uniform(0.95, 1.0)
            drop = 0.0 if tip else 0.9 * radius / 4.0
            rim.append((x * w, height + drop + rng.uniform(-0.2, 0.2), z * w))
        rings.append(rim)
        if inner:
            foot = (0, inner_height, 0)
            rings.append(ring_around_y(foot, inner, inner, 10, phase + TAU / 10))
    ring_solid(model, rings, (0, 2.6, 0), (0, 14.6, 0))
    return model


def lobe(model, rng, centre, radius, height, sides, turn, foot=None):
    """One closed, domed leaf lobe: a rim, a smaller ring turned half a step, a top.

    Its underside comes to a point just under the rim, or at `foot` if given.
    """
    rings = [
        ring_around_y(centre, radius, radius, sides, turn, lambda j: rng.uniform(0.92, 1.0)),
        ring_around_y(
            add(centre, (0.0, height * 0.6, 0.0)), radius * 0.72, radius * 0.72, sides,
            turn + math.pi / sides,
        ),
    ]
    if foot is None:
        foot = add(centre, (0.0, -height * 0.35, 0.0))
    ring_solid(model, rings, foot, add(centre, (0.0, height, 0.0)))


def broadleaf():
    """A broadleaf tree: a round cauliflower crown of five domed lobes round a higher one.

    Each lobe's steep foot comes out dark, so the crown shows a dark scalloped rim and dark
    creases between lighter domes.
    """
    rng = random.Random(13)
    model = Model("tree2")
    for n in range(5):
        angle = TAU * n / 5 + rng.uniform(-0.12, 0.12)
        out = 3.5
        centre = (out * math.cos(angle), 7.8 + rng.uniform(-0.4, 0.4), -out * math.sin(angle))
        lobe(model, rng, centre, 2.9, 3.6 + rng.uniform(-0.3, 0.3), 4, angle)
    # The middle lobe's underside runs down to the ground and serves as the trunk, which
    # keeps the tree within its triangle budget.
    lobe(model, rng, (0.0, 11.0, 0.0), 3.1, 3.6, 4, 0.4, foot=(0.0, 0.0, 0.0))
    return model


def palm():
    """A palm: a leaning trunk under a star of eight broad fronds.

    Each frond rises from the crown, then droops to its tip, folded along its rib; fronds are
    open, upward-facing sheets, cheap and seen from above.
    """
    rng = random.Random(17)
    model = Model("tree3")
    crown = (1.0, 12.5, 0.5)
    trunk = smooth_path([(-0.3, 0.0, -0.1), (0.2, 6.0, 0.1), crown], 1)
    tube(model, trunk, [0.6, 0.45, 0.35], 3)
    fronds = 8
    for n in range(fronds):
        angle = TAU * (n + rng.uniform(-0.15, 0.15)) / fronds
        way = (math.cos(angle), 0.0, -math.sin(angle))
        side = (-way[2], 0.0, way[0])
        reach = rng.uniform(0.9, 1.05)
        # Along the rib: distance out, height over the crown, half width.
        rib = [(0.3, 0.4, 0.3), (2.2, 1.0, 1.35), (4.2, 0.0, 1.1), (6.0 * reach, -2.6, 0.0)]
        spine, left, right = [], [], []
        for out, up, half in rib:
            p = add(add(crown, scale(way, out)), (0.0, up, 0.0))
            spine.append(model.vertex(p))
            fold = (0.0, -0.45 * half, 0.0)
            left.append(model.vertex(add(add(p, scale(side, half)), fold)))
            right.append(model.vertex(add(add(p, scale(side, -half)), fold)))
        for i in range(len(rib) - 1):
            upward(model, spine[i], spine[i + 1], left[i])
            upward(model, spine[i], right[i], spine[i + 1])
            if rib[i + 1][2] > 0.0:
                upward(model, left[i], spine[i + 1], left[i + 1])
                upward(model, right[i], right[i + 1], spine[i + 1])
    recentre(model)
    return model


# --- figures -----------------------------------------------------------------------------


def monkey():
    """A monkey on all fours seen from above: round head with big ears toward -x, limbs
    spread out to the sides and a long tail curled flat behind, toward +x."""
    model = Model("monkey")
    # Body and head.
    ellipsoid(model, (0.4, 2.7, 0.0), (2.1, 1.2, 1.4), 10, 4)
    ellipsoid(model, (-2.5, 3.3, 0.0), (1.35, 1.2, 1.35), 10, 4)
    # Muzzle and ears: what makes the head read as a monkey from above.
    ellipsoid(model, (-3.6, 3.0, 0.0), (0.65, 0.55, 0.8), 8, 3)
    for side in (-1.0, 1.0):
        ellipsoid(model, (-2.3, 3.6, side * 1.7), (0.6, 0.35, 0.8), 8, 2)
    # Limbs, spread in a walking stride: each from shoulder or hip out and down to a paw.
    limbs = [
        [(-1.2, 2.8, -0.9), (-2.0, 1.6, -2.3), (-3.0, 0.3, -2.7)],
        [(-1.2, 2.8, 0.9), (-1.4, 1.6, 2.4), (-1.8, 0.3, 3.0)],
        [(1.6, 2.6, -0.9), (2.2, 1.5, -2.3), (1.7, 0.3, -2.9)],
        [(1.6, 2.6, 0.9), (2.4, 1.5, 2.2), (3.1, 0.3, 2.4)],
    ]
    for limb in limbs:
        tube(model, smooth_path(limb, 2), [0.5, 0.45, 0.4, 0.35, 0.4], 5)
    # Tail: out of the rump along +x, then curling round flat, so it shows from above.
    tail = smooth_path(
        [(2.2, 3.0, 0.0), (3.2, 3.2, -0.3), (4.1, 3.4, -0.2), (4.5, 3.5, 0.6), (4.1, 3.6, 1.3),
         (3.4, 3.6, 1.2), (3.3, 3.6, 0.6)],
        2,
    )
    tube(model, tail, [0.33 - 0.13 * i / (len(tail) - 1) for i in range(len(tail))], 5)
    recentre(model)
    model.vertices = [add(v, (0.0, FIGURE_LIFT, 0.0)) for v in model.vertices]
    return model


def banana():
    """A fat banana curving round the tile centre, where the monkey ends its walk, so that
    its ends show past the monkey whichever way the monkey faces."""
    model = Model("banan")
    bend = 3.4  # radius of the arc the banana follows, about the tile centre
    sweep = math.radians(125)
    count = 11
    path = []
    radii = []
    for i in range(count):
        t = i / (count - 1)
        angle = -sweep / 2 + sweep * t
        path.append((bend * math.sin(angle), 0.0, bend * (1.0 - math.cos(angle)) - 2.2))
        # Thick in the middle, tapering to the tip; the last two points are the stalk.
        radii.append(0.2 if i >= count - 2 else 0.2 + 0.8 * math.sin(math.pi * t) ** 0.6)
    tube(model, path, radii, 6, flatten=0.8)
    low = min(v[1] for v in model.vertices)
    model.vertices = [add(v, (0.0, FIGURE_LIFT - low, 0.0)) for v in model.vertices]
    return model


# --- output ------------------------------------------------------------------------------


def number(value):
    text = f"{value:.4f}"
    return "0.0000" if text == "-0.0000" else text


def write_obj(model, directory):
    path = os.path.join(directory, model.name + ".obj")
    lines = [
        f"# Tanglor model: {model.name}",
        "# generated by tools/make_models.py",
        f"o {model.name}",
    ]
    lines += [f"v {number(x)} {number(y)} {number(z)}" for x, y, z in model.vertices]
    lines.append(f"# {len(model.vertices)} vertices, {len(model.faces)} faces")
    lines.append("s off")
    lines += [f"f {a + 1} {b + 1} {c + 1}" for a, b, c in model.faces]
    with open(path, "w", newline="\n") as out:
        out.write("\n".join(lines) + "\n")
    print(f"{path}: {len(model.vertices)} vertices, {len(model.faces)} triangles")


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    directory = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "assets")
    os.makedirs(directory, exist_ok=True)
    for make in (monkey, banana, ground, pine, broadleaf, palm, stones, water):
        write_obj(make(), directory)


if __name__ == "__main__":
    main()
