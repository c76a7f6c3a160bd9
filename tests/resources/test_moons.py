#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The committed moon pictures are the generator's output, and they show the right phases.

The phase checks measure the committed files themselves: the lit region's path is read back,
its elliptical arcs are flattened with the general SVG arc rules, and its area and centroid
are taken from the resulting polygon.
"""
import filecmp
import math
import os
import re
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.join(HERE, "..", "..")
SCRIPT = os.path.join(ROOT, "scripts", "draw_moons.py")
MOONS = os.path.join(ROOT, "resources", "pictures", "moon")
SVG = "{http://www.w3.org/2000/svg}"
NAMES = [f"moon{k:02d}.svg" for k in range(1, 30)]


def arc_points(x1, y1, rx, ry, phi, large, sweep, x2, y2, steps=400):
    """Points of an SVG elliptical arc after (x1, y1), by the endpoint-to-centre conversion."""
    cos_phi, sin_phi = math.cos(math.radians(phi)), math.sin(math.radians(phi))
    dx, dy = (x1 - x2) / 2, (y1 - y2) / 2
    xp, yp = cos_phi * dx + sin_phi * dy, -sin_phi * dx + cos_phi * dy
    scale = xp * xp / (rx * rx) + yp * yp / (ry * ry)
    if scale > 1:  # radii too small for the chord: enlarged as SVG renderers do
        rx, ry = rx * math.sqrt(scale), ry * math.sqrt(scale)
    num = rx * rx * ry * ry - rx * rx * yp * yp - ry * ry * xp * xp
    den = rx * rx * yp * yp + ry * ry * xp * xp
    root = math.sqrt(max(0.0, num / den))
    if large == sweep:
        root = -root
    cxp, cyp = root * rx * yp / ry, -root * ry * xp / rx
    cx = cos_phi * cxp - sin_phi * cyp + (x1 + x2) / 2
    cy = sin_phi * cxp + cos_phi * cyp + (y1 + y2) / 2

    def angle(ux, uy, vx, vy):
        return math.atan2(ux * vy - uy * vx, ux * vx + uy * vy)

    start = angle(1, 0, (xp - cxp) / rx, (yp - cyp) / ry)
    delta = angle((xp - cxp) / rx, (yp - cyp) / ry, (-xp - cxp) / rx, (-yp - cyp) / ry)
    if not sweep and delta > 0:
        delta -= 2 * math.pi
    elif sweep and delta < 0:
        delta += 2 * math.pi
    points = []
    for i in range(1, steps + 1):
        t = start + delta * i / steps
        ex, ey = rx * math.cos(t), ry * math.sin(t)
        points.append((cos_phi * ex - sin_phi * ey + cx, sin_phi * ex + cos_phi * ey + cy))
    return points


def path_polygon(d):
    """The polygon of a closed path made of absolute M, L, A and Z commands."""
    tokens = re.findall(r"[MLAZ]|-?[0-9.]+", d)
    points, i = [], 0
    while i < len(tokens):
        command = tokens[i]
        if command == "M" or command == "L":
            points.append((float(tokens[i + 1]), float(tokens[i + 2])))
            i += 3
        elif command == "A":
            rx, ry, phi, large, sweep, x, y = (float(t) for t in tokens[i + 1:i + 8])
            points += arc_points(*points[-1], rx, ry, phi, int(large), int(sweep), x, y)
            i += 8
        elif command == "Z":
            i += 1
        else:
            raise ValueError(f"unexpected path token {command!r}")
    return points


def area_and_centroid_x(points):
    twice_area = cx = 0.0
    for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
        cross = x0 * y1 - x1 * y0
        twice_area += cross
        cx += (x0 + x1) * cross
    return abs(twice_area) / 2, cx / (3 * twice_area)


def lit_element(root):
    """The last drawn element: the lit region, on top of the background and the dim disc."""
    return [e for e in root if e.tag in (SVG + "path", SVG + "circle")][-1]


def read(name):
    return ET.parse(os.path.join(MOONS, name)).getroot()


def lit_region(name):
    """(area, centroid x) of the lit region of a committed picture."""
    element = lit_element(read(name))
    if element.tag == SVG + "circle":
        return math.pi * float(element.get("r")) ** 2, float(element.get("cx"))
    return area_and_centroid_x(path_polygon(element.get("d")))


class CommittedFiles(unittest.TestCase):
    def test_generator_reproduces_the_committed_files(self):
        with tempfile.TemporaryDirectory() as folder:
            subprocess.run([sys.executable, SCRIPT, folder], check=True)
            self.assertEqual(sorted(os.listdir(folder)), NAMES)
            match, mismatch, errors = filecmp.cmpfiles(folder, MOONS, NAMES, shallow=False)
            self.assertEqual((mismatch, errors), ([], []))
        self.assertEqual(sorted(n for n in os.listdir(MOONS) if n.endswith(".svg")), NAMES)


class Phases(unittest.TestCase):
    def test_full_moon_is_the_whole_disc(self):
        root = read("moon15.svg")
        disc = root.find(SVG + "circle")
        lit = lit_element(root)
        self.assertEqual(lit.tag, SVG + "circle")
        self.assertEqual((lit.get("cx"), lit.get("cy")), (disc.get("cx"), disc.get("cy")))
        # The lit circle's stroke reaches exactly the edge of the disc.
        self.assertAlmostEqual(float(lit.get("r")) + float(lit.get("stroke-width")) / 2,
                               float(disc.get("r")))

    def test_lit_fraction_grows_to_the_full_moon_then_shrinks(self):
        full, _ = lit_region("moon15.svg")
        fractions = [lit_region(name)[0] / full for name in NAMES]
        for k in range(1, 15):
            self.assertLess(fractions[k - 1], fractions[k], f"day {k} to {k + 1}")
        for k in range(15, 29):
            self.assertGreater(fractions[k - 1], fractions[k], f"day {k} to {k + 1}")
        self.assertLess(fractions[0], 0.05, "day 1 is a thin crescent")
        self.assertLess(fractions[28], 0.05, "day 29 is a thin crescent")
        self.assertAlmostEqual(fractions[7], 0.5, delta=0.1, msg="day 8 is about half lit")

    def test_waxing_moon_is_lit_on_the_left_and_waning_on_the_right(self):
        centre = float(read("moon01.svg").find(SVG + "circle").get("cx"))
        for k in range(1, 15):
            with self.subTest(day=k):
                self.assertLess(lit_region(NAMES[k - 1])[1], centre)
        for k in range(16, 30):
            with self.subTest(day=k):
                self.assertGreater(lit_region(NAMES[k - 1])[1], centre)
        self.assertLess(lit_region("moon01.svg")[1], centre - 15, "day 1 hugs the left edge")
        self.assertGreater(lit_region("moon29.svg")[1], centre + 15, "day 29 hugs the right edge")


if __name__ == "__main__":
    unittest.main()
