#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draw the 12 animal pictures animal00.svg .. animal11.svg of the calendar panel.

  draw_animals.py [OUTPUT_FOLDER]    default: resources/pictures/animals beside this script

One animal per earthly branch, in branch order: 0 rat (Tý), 1 buffalo (Sửu), 2 tiger (Dần),
3 rabbit (Mão), 4 dragon (Thìn), 5 snake (Tỵ), 6 horse (Ngọ), 7 goat (Mùi), 8 monkey (Thân),
9 rooster (Dậu), 10 dog (Tuất), 11 pig (Hợi). Each is a papercut: a solid green silhouette
on a white 60 by 60 field, its details (eye, ear, stripes, decorative slits) cut out, i.e.
drawn in white over the green. The shapes are written out by hand below, in picture units
(y down, most animals facing left); the helpers only sample Bezier curves for the parts that
taper (tails, the dragon's and the snake's bodies) and place repeated cuts along them.
Everything stays inside a 2-unit margin. Output is byte-for-byte reproducible.
"""
import math
import os
import sys

SIZE = 60
GREEN = "#008000"   # the panel's darker green, RGB(0, 128, 0)
WHITE = "#ffffff"


def num(x):
    """A coordinate with two decimals and no needless zeros (never '-0')."""
    text = f"{x:.2f}".rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def pts(points):
    return " ".join(f"{num(x)} {num(y)}" for x, y in points)


# --- elements -------------------------------------------------------------------------------

def circle(cx, cy, r, fill=GREEN):
    return f'<circle cx="{num(cx)}" cy="{num(cy)}" r="{num(r)}" fill="{fill}"/>'


def ellipse(cx, cy, rx, ry, rotate=0, fill=GREEN):
    turn = f' transform="rotate({num(rotate)} {num(cx)} {num(cy)})"' if rotate else ""
    return (f'<ellipse cx="{num(cx)}" cy="{num(cy)}" rx="{num(rx)}" ry="{num(ry)}"{turn} '
            f'fill="{fill}"/>')


def path(d, fill=GREEN):
    return f'<path d="{d}" fill="{fill}"/>'


def polygon(points, fill=GREEN):
    return f'<polygon points="{pts(points)}" fill="{fill}"/>'


def line(d, width, colour=GREEN):
    """An open path stroked with round ends and joins."""
    return (f'<path d="{d}" fill="none" stroke="{colour}" stroke-width="{num(width)}" '
            f'stroke-linecap="round" stroke-linejoin="round"/>')


def cut_line(d, width):
    return line(d, width, WHITE)


# --- curves ---------------------------------------------------------------------------------

def bezier(c, t):
    """Point of the cubic Bezier c = (p0, p1, p2, p3) at t."""
    u = 1 - t
    return tuple(u * u * u * c[0][i] + 3 * u * u * t * c[1][i] + 3 * u * t * t * c[2][i]
                 + t * t * t * c[3][i] for i in range(2))


def tangent(c, t):
    u = 1 - t
    d = tuple(3 * u * u * (c[1][i] - c[0][i]) + 6 * u * t * (c[2][i] - c[1][i])
              + 3 * t * t * (c[3][i] - c[2][i]) for i in range(2))
    n = math.hypot(*d) or 1.0
    return d[0] / n, d[1] / n


def chain_at(chain, s):
    """Point and unit tangent at s in [0, 1] along a chain of cubics (each an equal share)."""
    i = min(int(s * len(chain)), len(chain) - 1)
    t = s * len(chain) - i
    return bezier(chain[i], t), tangent(chain[i], t)


def tapered(chain, w0, w1, steps=24, fill=GREEN):
    """A filled band along a chain of cubics, w0 wide at the start narrowing to w1, with
    rounded ends."""
    left, right = [], []
    total = steps * len(chain)
    for j in range(total + 1):
        s = j / total
        (x, y), (tx, ty) = chain_at(chain, s)
        h = (w0 + (w1 - w0) * s) / 2
        left.append((x - ty * h, y + tx * h))
        right.append((x + ty * h, y - tx * h))
    d = f"M {pts(left[:1])} L {pts(left[1:])} L {pts(right[::-1])} Z"
    start, end = chain[0][0], chain[-1][3]
    return [path(d, fill), circle(start[0], start[1], w0 / 2, fill),
            circle(end[0], end[1], w1 / 2, fill)]


def side_point(chain, s, offset):
    """The point at s along the chain, moved offset units to its left (negative: right)."""
    (x, y), (tx, ty) = chain_at(chain, s)
    return x - ty * offset, y + tx * offset


# --- the animals ----------------------------------------------------------------------------

def rat():
    tail = [((45, 40), (54, 42), (58, 32), (55, 24)), ((55, 24), (52, 16), (45, 16), (46, 22))]
    return [
        ellipse(33, 37, 14, 10),
        path("M 27 28.5 C 19 27 11 32 5.5 38.5 C 11 43 20 45.5 27 45 Z"),
        circle(6, 39, 1.8),
        circle(23, 26, 5.5),
        ellipse(22, 45.5, 3.5, 1.8), ellipse(40, 46.5, 5, 2),
        *tapered(tail, 2.6, 1.0),
        circle(23, 26, 3, WHITE),
        circle(14, 35, 1.5, WHITE),
        cut_line("M 37 31 Q 43 34 42 41", 1.2),
        cut_line("M 31 33 Q 35 36 34 41", 1.2),
    ]


def buffalo():
    return [
        ellipse(36, 33, 17, 11),
        ellipse(24, 31, 9, 10),
        ellipse(13, 35, 6.5, 9, 25),
        ellipse(9, 41, 5, 4),
        path("M 3 12 C 2 24 8 29.5 15 29.5 C 22 29.5 28 23 28 10 "
             "C 25 19 21 24 15 24 C 10 24 6 20 3 12 Z"),
        ellipse(22, 30, 4.5, 2, -20),
        polygon([(19.5, 38), (25.5, 38), (25, 54), (20.5, 54)]),
        polygon([(27, 40), (32, 40), (31.5, 53), (27.5, 53)]),
        polygon([(40, 40), (46.5, 38), (46, 54), (41.5, 54)]),
        polygon([(47.5, 38), (52, 36), (51.5, 53), (47.5, 53)]),
        line("M 52.5 27 C 56 30 56.5 36 56 42", 1.4),
        ellipse(56, 43, 1.7, 3),
        circle(13, 32, 1.4, WHITE),
        circle(6.5, 42, 0.9, WHITE),
        cut_line("M 34 26 Q 38 33 35 40", 1.2),
        cut_line("M 39 26 Q 43 33 40 40", 1.2),
        cut_line("M 44 26 Q 48 33 45 40", 1.2),
    ]


def tiger():
    tail = [((48, 28), (56, 28), (58, 18), (53, 11))]
    items = [
        ellipse(35, 32, 15, 9),
        path("M 23.5 36 h 5 v 14 h -5 Z"), ellipse(25.5, 51, 3.9, 2.4),
        path("M 31 37 h 4.5 v 13 h -4.5 Z"), ellipse(33, 51, 3.6, 2.2),
        path("M 40.5 36 h 5 v 14 h -5 Z"), ellipse(42.5, 51, 3.9, 2.4),
        path("M 47.5 34 h 4.5 v 16 h -4.5 Z"), ellipse(49.5, 51, 3.6, 2.2),
        *tapered(tail, 4, 2.8),
        circle(6, 18.5, 3.6), circle(20, 18.5, 3.6),
        ellipse(13, 27, 10.5, 9.5),
        circle(6, 18.5, 1.6, WHITE), circle(20, 18.5, 1.6, WHITE),
        ellipse(9, 25.5, 2.1, 1.3, 15, WHITE), ellipse(17, 25.5, 2.1, 1.3, -15, WHITE),
        polygon([(11, 29), (15, 29), (13, 31.5)], WHITE),
        cut_line("M 13 31.5 L 13 33 M 10 33.5 Q 11.5 35 13 33 Q 14.5 35 16 33.5", 0.8),
        polygon([(11.5, 17.6), (14.5, 17.6), (13, 22.5)], WHITE),
        polygon([(8, 18.5), (10.3, 18), (10, 21.5)], WHITE),
        polygon([(15.7, 18), (18, 18.5), (16, 21.5)], WHITE),
        polygon([(2.6, 26), (2.6, 29), (6.5, 27.5)], WHITE),
        polygon([(23.4, 26), (23.4, 29), (19.5, 27.5)], WHITE),
    ]
    for x in (27, 32.5, 38, 43.5):
        items.append(polygon([(x, 22.5), (x + 3.2, 22.5), (x + 1.3, 32)], WHITE))
    for s in (0.3, 0.55, 0.8):
        a, b = side_point(tail, s, 2.5), side_point(tail, s + 0.03, -2.5)
        items.append(cut_line(f"M {pts([a])} L {pts([b])}", 1.1))
    return items


def rabbit():
    return [
        ellipse(36, 42, 15, 12),
        ellipse(25, 40, 8, 10),
        ellipse(20, 27, 9, 7.5, -10),
        ellipse(26, 13, 3.6, 10.5, 15),
        ellipse(19.5, 13.5, 3.3, 10, -8),
        circle(51, 39, 4.2),
        ellipse(22, 50.5, 5, 2.5),
        ellipse(38, 54, 10, 2.8),
        circle(15.5, 25.5, 1.6, WHITE),
        ellipse(26, 13, 1.4, 7, 15, WHITE),
        cut_line("M 30 46 Q 35 35 46 38", 1.2),
        circle(11.6, 28.6, 0.8, WHITE),
    ]


def dragon():
    body = [((18, 21), (22, 34), (30, 38), (35, 30)),
            ((35, 30), (40, 19), (48, 17), (51.5, 26)),
            ((51.5, 26), (54.5, 33), (51.5, 42), (44.5, 42))]
    items = []
    # Sawtooth crest along the back (the side facing up and out).
    for i in range(12):
        s = 0.15 + 0.065 * i
        reach = 3.6 - 2.2 * s + 2.2
        half = 3.6 - 2.8 * s
        base0 = side_point(body, s - 0.022, -half + 0.4)
        base1 = side_point(body, s + 0.022, -half + 0.4)
        tip = side_point(body, s - 0.03, -reach - 0.4)
        items.append(polygon([base0, tip, base1]))
    items += tapered(body, 8, 2)
    # Two clawed legs under the body.
    for s, dx in ((0.2, -3), (0.62, 2)):
        x, y = side_point(body, s, 2)
        items.append(line(f"M {num(x)} {num(y)} l {dx} 6 l -3 1.5 M {num(x + dx)} {num(y + 6)} "
                          f"l 0 3 M {num(x + dx)} {num(y + 6)} l 2.5 1.5", 2))
    # Flame tuft at the tip of the tail.
    items += [polygon([(45.5, 40.5), (38, 38), (41, 42), (38, 46), (45.5, 43.5)])]
    items += [
        path("M 21 13 C 17 10 13 9 9 11 L 4 11.5 C 2.5 12 2.5 15 4 15.5 L 12 16.5 "
             "L 6 18 C 4.5 19 5 21.5 7 21.5 C 11 22 16 23 21 25 Z"),
        *tapered([((15, 10.5), (16, 5.5), (21, 3), (27, 4))], 2.4, 0.9),
        *tapered([((18.5, 11.5), (21, 8), (26, 7.5), (30, 10))], 2.2, 0.9),
        polygon([(20.5, 14), (26, 12), (23, 17), (27, 17.5), (22, 21)]),
        line("M 3.5 15 C 2.5 20 5.5 23 3.5 28", 0.9),
        line("M 8 21.5 C 8 25 11 27 9 30", 0.9),
        circle(12.5, 12.8, 1.4, WHITE),
        cut_line("M 10 11 L 14.5 10", 0.7),
    ]
    return items


def snake():
    body = [((17, 14), (38, 10), (44, 28), (30, 30)),
            ((30, 30), (16, 32), (12, 48), (30, 49)),
            ((30, 49), (42, 50), (52, 46), (56, 38))]
    items = tapered(body, 7, 1.2)
    items += [
        ellipse(13, 13, 7, 5, -10),
        line("M 6.5 15 L 3 17 M 3 17 L 2.5 15.5 M 3 17 L 2.8 19", 0.8),
        circle(12, 11.5, 1.4, WHITE),
        circle(7.5, 13, 0.6, WHITE),
    ]
    # A row of diamond cuts down the back, shrinking toward the tail.
    for i in range(11):
        s = 0.1 + 0.075 * i
        (x, y), (tx, ty) = chain_at(body, s)
        along, across = 1.7 * (1 - 0.5 * s), 1.2 * (1 - 0.6 * s)
        items.append(polygon([(x + tx * along, y + ty * along), (x - ty * across, y + tx * across),
                              (x - tx * along, y - ty * along), (x + ty * across, y - tx * across)],
                             WHITE))
    return items


def horse():
    tail = [((49, 25), (57, 26), (57, 38), (53, 47))]
    items = [
        ellipse(36, 30, 14, 8.5),
        path("M 20 31 C 18 23 15 17 13 11 L 20 8 C 24 14 28 20 32 24 Z"),
        path("M 13 7.5 C 10 9 6 14 4 19 C 3 22 6 23.5 8.5 21.5 C 11 18 15 16 19.5 13 Z"),
        polygon([(15, 8.5), (16.5, 3), (19, 8)]),
        line("M 23 36 L 22 45 L 22.5 53", 3), line("M 28 37 L 29 45 L 27.5 53", 3),
        line("M 45 35 L 47 44 L 46 53", 3), line("M 49 33 L 51 43 L 51 53", 3),
        path("M 20.5 52 h 4.5 v 2.5 h -4.5 Z"), path("M 25.5 52 h 4.5 v 2.5 h -4.5 Z"),
        path("M 44 52 h 4.5 v 2.5 h -4.5 Z"), path("M 49 52 h 4.5 v 2.5 h -4.5 Z"),
        *tapered(tail, 4.5, 1.5),
    ]
    mane = [(19, 8), (21, 10), (23, 9.5), (24, 13), (26, 13), (26.5, 16.5), (29, 17), (29, 20.5),
            (32, 21.5), (31, 24)]
    items.append(polygon([(18, 9)] + mane + [(28, 22)]))
    items += [
        circle(12, 12, 1.3, WHITE),
        circle(5.5, 19.5, 0.7, WHITE),
        cut_line("M 30 24.5 Q 36 29 42 24.5", 1.1),
        cut_line("M 52.5 30 Q 55 37 52 44", 0.9),
    ]
    return items


def goat():
    horn = [((17, 17), (18, 8), (29, 6), (31, 16))]
    return [
        ellipse(35, 33, 13, 8),
        path("M 22 30 C 20 25 19 20 17 16 L 23 14 C 25 19 27 24 30 27 Z"),
        path("M 21 14 C 17 13 10 18 7 24 C 6 27 9 28 11 26.5 C 14 24 18 21 22 19 Z"),
        polygon([(8.5, 27), (13, 25.5), (10.5, 35)]),
        *tapered(horn, 3.4, 1.0),
        ellipse(23.5, 18.5, 4.2, 1.7, 25),
        line("M 25 38 L 24 46 L 25 53", 2.6), line("M 29 39 L 30 46 L 29 53", 2.6),
        line("M 42 38 L 44 46 L 42 53", 2.6), line("M 46 37 L 48 45 L 47 53", 2.6),
        polygon([(46, 28), (52, 22), (50.5, 30)]),
        circle(15.5, 18.5, 1.3, WHITE),
        circle(8.2, 24.3, 0.6, WHITE),
        cut_line("M 29 32 q 2 -2.4 4 0 q 2 2.4 4 0 q 2 -2.4 4 0", 1.3),
    ]


def monkey():
    tail = [((33, 48), (45, 54), (55, 46), (52, 34)),
            ((52, 34), (50, 26), (42, 25), (43, 31)),
            ((43, 31), (44, 35), (49, 34), (48, 30.5))]
    return [
        *tapered(tail, 3.2, 1.6),
        ellipse(25, 38, 10, 11),
        circle(24, 17, 9.5),
        circle(14, 18, 4), circle(34, 18, 4),
        ellipse(16, 48, 6.5, 4.5), ellipse(34, 48, 6.5, 4.5),
        ellipse(15, 54, 5, 2.2), ellipse(35, 54, 5, 2.2),
        line("M 17 30 L 12 40 L 16 45", 3.6), line("M 33 30 L 38 40 L 34 45", 3.6),
        circle(14, 18, 2, WHITE), circle(34, 18, 2, WHITE),
        circle(21, 15.5, 3.6, WHITE), circle(27, 15.5, 3.6, WHITE),
        ellipse(24, 21.5, 5.8, 4.3, fill=WHITE),
        circle(21.2, 15.8, 1.4), circle(26.8, 15.8, 1.4),
        circle(23, 20, 0.6), circle(25, 20, 0.6),
        line("M 21.5 23 Q 24 25 26.5 23", 0.8),
        ellipse(25, 40, 5, 6.5, fill=WHITE),
    ]


def rooster():
    plumes = [
        [((38, 32), (40, 16), (52, 8), (57, 22))],
        [((40, 35), (45, 22), (54, 20), (56, 34))],
        [((41, 38), (47, 30), (53, 32), (53, 43))],
    ]
    items = []
    for chain, w in zip(plumes, (4.5, 4, 3.5)):
        items += tapered(chain, w, 1.2)
    items += [
        ellipse(30, 36, 12, 10),
        path("M 13 18 C 11 28 14 36 21 40 L 32 30 C 27 26 24 22 24 16 Z"),
        ellipse(18.5, 18, 5.5, 6),
        circle(15, 12.5, 2.6), circle(18.8, 10.8, 2.8), circle(22.5, 12.5, 2.5),
        polygon([(13.5, 17), (7, 19.5), (13.5, 21.5)]),
        ellipse(13.8, 25, 2.1, 3.3),
        line("M 27 45 L 26 53 M 26 53 l -4 1.5 M 26 53 l 2 2", 1.8),
        line("M 33 45 L 34 53 M 34 53 l -4 1.5 M 34 53 l 2 2", 1.8),
        circle(17.5, 17.5, 1.3, WHITE),
        cut_line("M 23 34 C 29 30 36 32 40 38 C 34 38 29 40 25 40", 1.1),
        cut_line("M 41.5 28 Q 46 18 52 15", 0.8),
    ]
    return items


def dog():
    tail = [((45, 28), (54, 24), (56, 14), (49, 13)), ((49, 13), (44, 12.5), (43, 19), (48, 19.5))]
    return [
        ellipse(34, 33, 13, 8),
        ellipse(22, 32, 7, 8.5),
        ellipse(15.5, 21, 7.5, 6.8),
        path("M 11 18.5 L 5 19.5 C 2.6 20 2.6 26.5 5 26.5 L 13 27 Z"),
        circle(4.5, 20.8, 1.9),
        polygon([(10.5, 17.5), (12, 9), (17, 15.5)]),
        polygon([(16, 15.5), (20, 8.5), (22.5, 18)]),
        line("M 20 38 L 19 53", 4), line("M 26 38 L 26 53", 4),
        line("M 41 37 L 42 53", 4), line("M 46 35 L 48 53", 4),
        *tapered(tail, 4.2, 2.2),
        circle(13, 20, 1.4, WHITE),
        polygon([(12.4, 15.5), (13, 12), (15.2, 15)], WHITE),
        polygon([(17.8, 15), (19.6, 12), (20.6, 16.4)], WHITE),
        cut_line("M 4.5 24.5 Q 8 26 10.5 24", 0.8),
        cut_line("M 17.5 26.5 Q 21 28.5 23.5 24.5", 1.3),
        cut_line("M 32 28 Q 36 31 40 28", 1),
    ]


def pig():
    return [
        ellipse(33, 34, 18, 13),
        circle(17, 32, 9.5),
        ellipse(6.5, 35, 3.6, 5),
        polygon([(14, 25), (21, 15), (25, 26)]),
        path("M 18 42 h 5 v 10 h -5 Z"), path("M 25 43 h 5 v 9 h -5 Z"),
        path("M 39 43 h 5 v 9 h -5 Z"), path("M 45.5 41 h 5 v 11 h -5 Z"),
        line("M 50.5 30 C 56 28 57 22 53.5 22 C 50 22 51 27 55.5 26", 1.6),
        ellipse(5.8, 33, 0.9, 1.5, fill=WHITE), ellipse(5.8, 37, 0.9, 1.5, fill=WHITE),
        circle(15, 28.5, 1.4, WHITE),
        cut_line("M 11 39 Q 14 41 17 39", 0.9),
        cut_line("M 30 30 Q 36 26 42 30", 1.1),
        cut_line("M 32 36 Q 37 33 42 36", 1.1),
    ]


ANIMALS = [
    ("rat", "Tý", rat), ("buffalo", "Sửu", buffalo), ("tiger", "Dần", tiger),
    ("rabbit", "Mão", rabbit), ("dragon", "Thìn", dragon), ("snake", "Tỵ", snake),
    ("horse", "Ngọ", horse), ("goat", "Mùi", goat), ("monkey", "Thân", monkey),
    ("rooster", "Dậu", rooster), ("dog", "Tuất", dog), ("pig", "Hợi", pig),
]


def picture(index):
    name, branch, draw = ANIMALS[index]
    lines = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        "<!-- SPDX-License-Identifier: GPL-3.0-or-later -->",
        f"<!-- Animal of branch {index}, {branch}: the {name}; "
        "drawn by scripts/draw_animals.py -->",
        f'<svg xmlns="http://www.w3.org/2000/svg" version="1.1" baseProfile="tiny" '
        f'width="{SIZE}" height="{SIZE}" viewBox="0 0 {SIZE} {SIZE}">',
        f'  <rect x="0" y="0" width="{SIZE}" height="{SIZE}" fill="{WHITE}"/>',
    ]
    lines += ["  " + element for element in draw()]
    lines.append("</svg>")
    return "\n".join(lines) + "\n"


def main(argv):
    if len(argv) > 2:
        sys.stderr.write(__doc__)
        return 2
    here = os.path.dirname(os.path.abspath(__file__))
    default = os.path.join(here, "..", "resources", "pictures", "animals")
    folder = argv[1] if len(argv) == 2 else default
    os.makedirs(folder, exist_ok=True)
    for index in range(len(ANIMALS)):
        with open(os.path.join(folder, f"animal{index:02d}.svg"), "w", encoding="utf-8",
                  newline="\n") as f:
            f.write(picture(index))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
