#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draw the 29 moon pictures moon01.svg .. moon29.svg of the calendar panel.

  draw_moons.py [OUTPUT_FOLDER]     default: resources/pictures/moon beside this script

Picture k shows the moon on day k of a 30-day lunar month, green on white, 45 by 45 units.
Its phase angle is theta = pi * k / 15: 0 at the new moon, pi (full moon) at k = 15; the lit
fraction of the disc is then (1 - cos theta) / 2. The lit region of a disc of radius r is
bounded by the limb, the half-circle on the lit side, and the terminator, the half-ellipse
through the two poles with horizontal semi-axis r * |cos theta|; the terminator bulges
toward the lit limb while cos theta > 0 (a crescent) and away from it otherwise (gibbous).
As the calendar shows it, the waxing moon (k < 15) is lit on the LEFT and the waning moon
(k > 15) on the RIGHT, so picture 30 - k is picture k mirrored.

The rest of the disc is filled with a pale tint of the green, so that a thin crescent
still reads as a moon. The lit region is filled and also stroked, EDGE wide, in the same
green; its geometry uses r = R - EDGE / 2, so the full moon still has radius R and the
day-1 crescent (under half a unit wide by itself) is over a pixel wide. Output is
byte-for-byte reproducible.
"""
import math
import os
import sys

SIZE = 45             # picture width and height, user units (pixels at 1:1)
CX = CY = SIZE / 2    # disc centre
R = 20.5              # disc radius: one unit of white margin all round
EDGE = 1.0            # width of the stroke around the lit region
LIT_R = R - EDGE / 2  # radius of the lit region's geometry
DAYS = 29             # pictures for days 1..29; day 30 (dark moon) has none
FULL = 15             # the day of the full moon
GREEN = "#008000"     # lit part: the panel's darker green, RGB(0, 128, 0)
UNLIT = "#e2f1e2"     # unlit part: a pale tint of the same green


def phase_angle(k):
    """Phase angle in radians of day k: 0 new, pi full (k = 15)."""
    return math.pi * k / FULL


def num(x):
    """A coordinate with three decimals and no needless zeros (never '-0')."""
    text = f"{x:.3f}".rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def lit_path(k):
    """SVG path data of the lit region of day k (k != 15, which is the whole disc)."""
    theta = phase_angle(k)
    a = LIT_R * abs(math.cos(theta))      # terminator semi-axis, [0, LIT_R]
    # Lit on the left (waxing): the limb runs from the north pole around the left edge to
    # the south pole (anticlockwise on screen: sweep 0), and the terminator runs back to the
    # north pole bulging left for a crescent (clockwise: sweep 1) or right for a gibbous
    # moon (sweep 0). The waning moon is the mirror image, which flips both sweeps.
    limb_sweep = 0
    term_sweep = 1 if math.cos(theta) > 0 else 0
    if k > FULL:
        limb_sweep, term_sweep = 1 - limb_sweep, 1 - term_sweep
    top = f"{num(CX)} {num(CY - LIT_R)}"
    bottom = f"{num(CX)} {num(CY + LIT_R)}"
    limb = f"A {num(LIT_R)} {num(LIT_R)} 0 0 {limb_sweep} {bottom}"
    if a < 1e-9:
        terminator = f"L {top}"
    else:
        terminator = f"A {num(a)} {num(LIT_R)} 0 0 {term_sweep} {top}"
    return f"M {top} {limb} {terminator} Z"


def picture(k):
    """The whole SVG text of picture k."""
    lit = f'fill="{GREEN}" stroke="{GREEN}" stroke-width="{num(EDGE)}" stroke-linejoin="round"'
    lines = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        "<!-- SPDX-License-Identifier: GPL-3.0-or-later -->",
        f"<!-- The moon on day {k} of a 30-day lunar month, drawn by scripts/draw_moons.py -->",
        f'<svg xmlns="http://www.w3.org/2000/svg" version="1.1" baseProfile="tiny" '
        f'width="{SIZE}" height="{SIZE}" viewBox="0 0 {SIZE} {SIZE}">',
        f'  <rect x="0" y="0" width="{SIZE}" height="{SIZE}" fill="#ffffff"/>',
        f'  <circle cx="{num(CX)}" cy="{num(CY)}" r="{num(R)}" fill="{UNLIT}"/>',
    ]
    if k == FULL:
        lines.append(f'  <circle cx="{num(CX)}" cy="{num(CY)}" r="{num(LIT_R)}" {lit}/>')
    else:
        lines.append(f'  <path d="{lit_path(k)}" {lit}/>')
    lines.append("</svg>")
    return "\n".join(lines) + "\n"


def main(argv):
    if len(argv) > 2:
        sys.stderr.write(__doc__)
        return 2
    here = os.path.dirname(os.path.abspath(__file__))
    default = os.path.join(here, "..", "resources", "pictures", "moon")
    folder = argv[1] if len(argv) == 2 else default
    os.makedirs(folder, exist_ok=True)
    for k in range(1, DAYS + 1):
        path = os.path.join(folder, f"moon{k:02d}.svg")
        with open(path, "w", encoding="utf-8", newline="\n") as f:
            f.write(picture(k))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
