#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The committed animal pictures are the generator's output, and every picture of the panel
(moons, animals, the program icon) keeps to what the program's SVG renderer draws, in the
panel's colours, inside its frame.

The frame check is conservative: a Bezier curve lies within the hull of its control points,
so each shape's box is taken over those points (plus half the stroke width), and an animal
must keep that box inside a 2-unit margin of its 60-unit field.
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
SCRIPT = os.path.join(ROOT, "scripts", "draw_animals.py")
ANIMALS = os.path.join(ROOT, "resources", "pictures", "animals")
MOONS = os.path.join(ROOT, "resources", "pictures", "moon")
ICON = os.path.join(ROOT, "resources", "icons", "io.github.moonleaf.Moonleaf.svg")
SVG = "{http://www.w3.org/2000/svg}"
ANIMAL_NAMES = [f"animal{i:02d}.svg" for i in range(12)]
MOON_NAMES = [f"moon{k:02d}.svg" for k in range(1, 30)]

GREEN = "#008000"        # the panel's darker green: every moon and animal
PANEL_GREEN = "#00c000"  # the panel's background green: the icon's leaf
WHITE = "#ffffff"
MOON_SHADE = "#e2f1e2"   # the moon's unlit part
SHAPES = {"rect", "circle", "ellipse", "path", "polygon"}
ATTRIBUTES = {"x", "y", "width", "height", "cx", "cy", "r", "rx", "ry", "d", "points",
              "transform", "fill", "stroke", "stroke-width", "stroke-linecap",
              "stroke-linejoin"}


def all_pictures():
    return ([os.path.join(MOONS, n) for n in MOON_NAMES]
            + [os.path.join(ANIMALS, n) for n in ANIMAL_NAMES] + [ICON])


def shapes(root):
    return [e for e in root.iter() if e.tag[len(SVG):] in SHAPES]


def path_points(d):
    """Every end and control point of absolute or relative M L H V C S Q T Z commands."""
    tokens = re.findall(r"[A-Za-z]|-?(?:[0-9]+\.?[0-9]*|\.[0-9]+)", d)
    arity = {"M": 2, "L": 2, "T": 2, "H": 1, "V": 1, "C": 6, "S": 4, "Q": 4, "Z": 0}
    points, x, y, start, command, i = [], 0.0, 0.0, (0.0, 0.0), None, 0
    while i < len(tokens):
        if tokens[i].isalpha():
            command, i = tokens[i], i + 1
            if command.upper() == "Z":
                x, y = start
                continue
        upper = command.upper()
        if upper not in arity:
            raise ValueError(f"path command {command} is not handled here")
        args = [float(t) for t in tokens[i:i + arity[upper]]]
        i += arity[upper]
        relative = command.islower()
        if upper == "H":
            x = args[0] + (x if relative else 0)
            points.append((x, y))
        elif upper == "V":
            y = args[0] + (y if relative else 0)
            points.append((x, y))
        else:
            pairs = [(args[j] + (x if relative else 0), args[j + 1] + (y if relative else 0))
                     for j in range(0, len(args), 2)]
            points += pairs
            x, y = pairs[-1]
            if upper == "M":
                start = (x, y)
                command = "l" if relative else "L"  # further pairs are line-tos
    return points


def bounds(element):
    """(left, top, right, bottom) that contains the shape and its stroke."""
    tag = element.tag[len(SVG):]
    g = lambda name: float(element.get(name))
    if tag == "circle":
        box = (g("cx") - g("r"), g("cy") - g("r"), g("cx") + g("r"), g("cy") + g("r"))
    elif tag == "ellipse":
        rx, ry, cx, cy = g("rx"), g("ry"), g("cx"), g("cy")
        angle = 0.0
        turn = element.get("transform")
        if turn:
            match = re.fullmatch(r"rotate\((-?[0-9.]+) (-?[0-9.]+) (-?[0-9.]+)\)", turn)
            assert match and float(match[2]) == cx and float(match[3]) == cy, turn
            angle = math.radians(float(match[1]))
        half_w = math.hypot(rx * math.cos(angle), ry * math.sin(angle))
        half_h = math.hypot(rx * math.sin(angle), ry * math.cos(angle))
        box = (cx - half_w, cy - half_h, cx + half_w, cy + half_h)
    elif tag == "rect":
        box = (g("x"), g("y"), g("x") + g("width"), g("y") + g("height"))
    else:
        if tag == "polygon":
            numbers = [float(v) for v in element.get("points").split()]
            points = list(zip(numbers[0::2], numbers[1::2]))
        else:
            points = path_points(element.get("d"))
        xs, ys = [p[0] for p in points], [p[1] for p in points]
        box = (min(xs), min(ys), max(xs), max(ys))
    grow = float(element.get("stroke-width", 0)) / 2 if element.get("stroke") else 0.0
    return box[0] - grow, box[1] - grow, box[2] + grow, box[3] + grow


class CommittedFiles(unittest.TestCase):
    def test_generator_reproduces_the_committed_animals(self):
        with tempfile.TemporaryDirectory() as folder:
            subprocess.run([sys.executable, SCRIPT, folder], check=True)
            self.assertEqual(sorted(os.listdir(folder)), ANIMAL_NAMES)
            match, mismatch, errors = filecmp.cmpfiles(folder, ANIMALS, ANIMAL_NAMES,
                                                       shallow=False)
            self.assertEqual((mismatch, errors), ([], []))
        self.assertEqual(sorted(n for n in os.listdir(ANIMALS) if n.endswith(".svg")),
                         ANIMAL_NAMES)


class Renderable(unittest.TestCase):
    def test_only_plain_shapes_with_solid_paint(self):
        # No text, images, references, styles, filters, masks, clips or gradients.
        for file in all_pictures():
            with self.subTest(os.path.basename(file)):
                root = ET.parse(file).getroot()
                self.assertEqual(root.tag, SVG + "svg")
                for element in root.iter():
                    name = element.tag[len(SVG):]
                    if element is root:
                        continue
                    self.assertIn(name, SHAPES | {"g"}, "element")
                    self.assertLessEqual(set(element.attrib), ATTRIBUTES, name)
                    turn = element.get("transform")
                    if turn:
                        self.assertRegex(turn, r"^rotate\([-0-9. ]+\)$")

    def test_sizes(self):
        for file in all_pictures():
            name = os.path.basename(file)
            size = "45" if name.startswith("moon") else "60" if name.startswith("animal") else "256"
            with self.subTest(name):
                root = ET.parse(file).getroot()
                self.assertEqual((root.get("width"), root.get("height"), root.get("viewBox")),
                                 (size, size, f"0 0 {size} {size}"))

    def test_one_green_on_white(self):
        allowed = {"moon": {GREEN, WHITE, MOON_SHADE}, "animal": {GREEN, WHITE},
                   "io.": {GREEN, PANEL_GREEN}}
        for file in all_pictures():
            name = os.path.basename(file)
            colours = allowed[next(p for p in allowed if name.startswith(p))]
            with self.subTest(name):
                root = ET.parse(file).getroot()
                elements = shapes(root)
                for element in elements:
                    for paint in ("fill", "stroke"):
                        if element.get(paint) not in (None, "none"):
                            self.assertIn(element.get(paint), colours, paint)
                if name.startswith("io."):
                    continue  # the icon lies on whatever the desktop shows
                size, first = root.get("width"), elements[0]
                self.assertEqual((first.tag, first.get("x"), first.get("y"), first.get("width"),
                                  first.get("height"), first.get("fill")),
                                 (SVG + "rect", "0", "0", size, size, WHITE), "white field")

    def test_animals_keep_a_two_unit_margin(self):
        for name in ANIMAL_NAMES:
            with self.subTest(name):
                drawn = [e for e in shapes(ET.parse(os.path.join(ANIMALS, name)).getroot())
                         if GREEN in (e.get("fill"), e.get("stroke"))]
                for element in drawn:
                    left, top, right, bottom = bounds(element)
                    self.assertTrue(min(left, top) >= 2 and max(right, bottom) <= 58,
                                    ET.tostring(element, encoding="unicode")[:120])


if __name__ == "__main__":
    unittest.main()
