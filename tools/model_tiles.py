"""The tile models: ground, stones, water and the three trees. Used by
tools/make_models.py."""

import math
import random

from model_geometry import (TAU, Model, add, patch, recentre, ring_around_y, ring_solid, scale,
                            smooth_path, tube, upward)

# --- tile models -------------------------------------------------------------------------

# Rocks are kept this low, and the figures stand this high in their own space, so that no
# rock pokes through the monkey or the banana on a stones tile (tiles turn at random, so any
# rock may lie under them).
ROCK_HEIGHT = 1.5
FIGURE_LIFT = ROCK_HEIGHT + 0.1


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
