#!/usr/bin/env python3
"""Draws the program's pictures for screens of ratio 2 (resources/*@2x.xpm).

Each picture is described by shapes in the coordinates of its ordinary
(1x) version, one unit per 1x pixel, and rasterised here at twice the
resolution: curves and diagonals get the finer steps of the denser screen
rather than doubled pixels. Every pixel takes the colour that covers most of
its 4 x 4 samples, so the pictures keep the exact colours of their 1x
palettes (the try lamps' white cores stay pure white for the fill that colours them).

    tools/pictures/draw_2x.py resources/      (writes NAME@2x.xpm)
"""
import math
import sys
from pathlib import Path

SAMPLES = 4
SCALE = 2


# --- shapes: each is a test (x, y) -> covered, and a palette key ---------------

def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def poly(points):
    def inside(x, y):
        hit = False
        n = len(points)
        for i in range(n):
            (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                hit = not hit
        return hit
    return inside


def seg(p, q, width):
    (px, py), (qx, qy) = p, q
    dx, dy = qx - px, qy - py
    length2 = dx * dx + dy * dy or 1e-12

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - px) * dx + (y - py) * dy) / length2))
        cx, cy = px + t * dx, py + t * dy
        return (x - cx) ** 2 + (y - cy) ** 2 <= (width / 2) ** 2
    return inside


def ring(cx, cy, r0, r1, a0=None, a1=None):
    """Annulus r0 <= r < r1; with a0..a1 (degrees, counterclockwise on screen)
    only that part."""
    def inside(x, y):
        r = math.hypot(x - cx, y - cy)
        if not r0 <= r < r1:
            return False
        if a0 is None:
            return True
        a = math.degrees(math.atan2(cy - y, x - cx)) % 360
        lo, hi = a0 % 360, a1 % 360
        return lo <= a <= hi if lo <= hi else a >= lo or a <= hi
    return inside


def rounded_frame(x0, y0, x1, y1, radius, width):
    """The outline of a rounded rectangle, `width` thick, inside the box."""
    def inside_box(x, y, shrink):
        ax0, ay0, ax1, ay1 = x0 + shrink, y0 + shrink, x1 - shrink, y1 - shrink
        rr = radius - shrink
        if not (ax0 <= x < ax1 and ay0 <= y < ay1):
            return False
        cx = min(max(x, ax0 + rr), ax1 - rr)
        cy = min(max(y, ay0 + rr), ay1 - rr)
        return (x - cx) ** 2 + (y - cy) ** 2 <= rr * rr
    return lambda x, y: inside_box(x, y, 0) and not inside_box(x, y, width)


def along(origin, angle_deg):
    """Point maker in a frame turned by angle_deg (counterclockwise on screen):
    s along the axis, t across it."""
    ux, uy = math.cos(math.radians(angle_deg)), -math.sin(math.radians(angle_deg))
    vx, vy = -uy, ux
    ox, oy = origin
    return lambda s, t: (ox + s * ux + t * vx, oy + s * uy + t * vy)


def band(at, s0, s1, half):
    return poly([at(s0, -half), at(s1, -half), at(s1, half), at(s0, half)])


# --- the pictures ---------------------------------------------------------------

def check():
    tick = [(seg((1.6, 6.6), (5.6, 10.6), 1.5), "k"), (seg((5.6, 10.6), (13.5, 1.6), 1.5), "k")]
    return (15, 14, {"W": "#FFFFFF", "g": "#808080", "k": "#000000", "l": "#C0C0C0", "m": None}, "m", [
        (rect(2, 0, 14, 13), "l"), (rect(13, 1, 14, 13), "g"), (rect(2, 12, 14, 13), "g"),
        (rect(3, 1, 13, 12), "W"), *tick])


def next_arrow():
    return (9, 14, {"G": "#00A000", "W": None, "k": "#000000"}, "W", [
        (poly([(1, 0), (8.6, 7.3), (1, 14)]), "G"), (seg((8.2, 7.6), (1.3, 13.6), 0.9), "k")])


def tool_centre():
    c = 8.0
    return (16, 16, {".": None, "k": "#000000", "r": "#E02020"}, ".", [
        (ring(c, c, 5.0, 6.0), "k"),
        (rect(6.5, 0, 9.5, 4), "."), (rect(6.5, 12, 9.5, 16), "."),
        (rect(0, 6.5, 4, 9.5), "."), (rect(12, 6.5, 16, 9.5), "."),
        (rect(7.5, 0, 8.5, 6), "r"), (rect(7.5, 10, 8.5, 16), "r"),
        (rect(0, 7.5, 6, 8.5), "r"), (rect(10, 7.5, 16, 8.5), "r"),
        (rect(7.5, 7.5, 8.5, 8.5), "r")])


def tool_help():
    return (16, 16, {".": None, "U": "#502080", "W": "#FFFFFF", "u": "#8040C0", "y": "#FFE020"}, ".", [
        (rect(2, 1, 14, 14), "U"), (rect(3, 2, 13, 12.5), "u"),
        (rect(3, 12.5, 14.5, 13.5), "W"), (rect(13.5, 11.5, 14.5, 13), "W"),
        (rect(3, 14, 15, 15), "U"), (rect(14, 13, 15, 15), "U"),
        (ring(8.1, 5.3, 1.1, 2.3, -50, 190), "y"),
        (seg((9.3, 6.4), (8.0, 7.8), 1.3), "y"), (rect(7.35, 7.6, 8.65, 9), "y"),
        (rect(7.3, 10, 8.7, 11.6), "y")])


def pencil(at, length, half, color_body="y", color_edge="o", color_wood="w", color_tip="k", color_end="p"):
    """A pencil from its tip at s = 0 along the axis."""
    wood = 0.33 * length
    return [
        (band(at, wood - 0.2, length, half), color_edge),
        (band(at, wood, length - 0.2, half - 0.7), color_body),
        (band(at, length - 0.25 * length + 0.3, length - 0.45, half - 0.7), color_end),
        (poly([at(0, 0), at(wood, -half), at(wood, half)]), color_wood),
        (poly([at(0, 0), at(wood * 0.35, -half * 0.35), at(wood * 0.35, half * 0.35)]), color_tip),
    ]


def tool_pencil():
    at = along((1.0, 14.0), 45)
    return (16, 16, {".": None, "b": "#2060E0", "k": "#000000", "o": "#C08000", "p": "#F08090",
                     "w": "#F0C890", "y": "#FFE020"}, ".", [
        *pencil(at, 17.5, 2.1), (rect(0, 15, 10, 16), "b")])


def protractor_shapes(cy):
    c = 8.0
    ticks = [(seg((c + 4.7 * math.cos(math.radians(a)), cy - 4.7 * math.sin(math.radians(a))),
                  (c + 6.8 * math.cos(math.radians(a)), cy - 6.8 * math.sin(math.radians(a))), 0.8), "B")
             for a in (30, 60, 90, 120, 150)]
    return [(ring(c, cy, 0, 7.0, 0, 180), "c"), (ring(c, cy, 6.9, 8.0, 0, 180), "B"), *ticks,
            (rect(0, cy, 16, cy + 1), "B"), (rect(7.5, cy - 1, 8.5, cy), "B")]


def tool_protractor():
    return (16, 16, {".": None, "B": "#103080", "c": "#70A0FF"}, ".", protractor_shapes(12.0))


def tool_show():
    return (16, 16, {".": None, "B": "#103080", "c": "#70A0FF", "o": "#C08000", "y": "#FFE020"}, ".", [
        (rect(1, 2, 6, 3), "y"), (rect(1, 3, 6, 4), "o"),
        (rect(9, 3, 15, 4), "o"), (rect(12, 0, 13, 7), "o"),
        (rect(9, 2, 15, 3), "y"), (rect(11, 0, 12, 7), "y"),
        *protractor_shapes(15.0)])


def tool_rotate():
    c = 8.0
    arrow = lambda apex, base_a, base_b: (poly([apex, base_a, base_b]), "b")
    return (16, 16, {".": None, "b": "#2060E0", "r": "#E02020"}, ".", [
        (ring(c, c, 6.0, 7.0, 25, 160), "r"), (ring(c, c, 6.0, 7.0, 205, 340), "r"),
        (poly([(14.9, 4.2), (11.6, 3.4), (13.6, 6.6)]), "r"),
        (poly([(1.1, 11.8), (4.4, 12.6), (2.4, 9.4)]), "r"),
        (rect(7.5, 3.5, 8.5, 12.5), "b"), (rect(3.5, 7.5, 12.5, 8.5), "b"),
        arrow((8, 1.8), (5.9, 5), (10.1, 5)), arrow((8, 14.2), (5.9, 11), (10.1, 11)),
        arrow((1.8, 8), (5, 5.9), (5, 10.1)), arrow((14.2, 8), (11, 5.9), (11, 10.1))])


def tool_quit():
    panel = [(3, 2), (6, 2), (8.5, 4.5), (8.5, 13.5), (6, 16), (3, 16)]
    inner = [(4, 3.2), (5.6, 3.2), (7.5, 5.1), (7.5, 12.9), (5.6, 14.8), (4, 14.8)]
    return (16, 16, {".": None, "N": "#603010", "b": "#2060E0", "k": "#000000", "n": "#A06030"}, ".", [
        (rect(2, 1, 13, 2), "k"), (rect(12, 1, 13, 16), "k"), (rect(2, 1, 3, 16), "k"),
        (rect(2, 15, 13, 16), "k"),
        (poly([(x + 0.6, y) for x, y in panel]), "k"), (poly(panel), "N"), (poly(inner), "n"),
        (rect(5, 7, 6, 8), "k"),
        (rect(10, 7.5, 16, 8.5), "b"), (poly([(7.8, 8), (10.6, 5.6), (10.6, 10.4)]), "b")])


def tool_trace():
    at = along((9.3, 3.7), 40)
    return (16, 16, {".": None, "k": "#000000", "o": "#C08000", "r": "#E02020", "w": "#F0C890",
                     "y": "#FFE020"}, ".", [
        (rect(0, 15, 16, 16), "k"), (seg((0.6, 15.4), (9.6, 3.4), 0.95), "k"),
        (ring(0.5, 15.5, 4.0, 4.9, 0, 56), "r"),
        *pencil(at, 7.5, 1.5, color_end="o")])


def gradoir_icon():
    c, cy = 16.0, 24.0
    ticks = []
    for i, a in enumerate(range(15, 180, 15)):
        r0 = 10.8 if a % 45 == 0 else 12.0
        key = "B" if i % 2 == 0 else "c"
        ticks.append((seg((c + r0 * math.cos(math.radians(a)), cy - r0 * math.sin(math.radians(a))),
                          (c + 14.2 * math.cos(math.radians(a)), cy - 14.2 * math.sin(math.radians(a))), 0.9), key))
    return (32, 32, {".": None, "B": "#000080", "W": "#FFFFFF", "c": "#00FFFF", "r": "#FF0000"}, ".", [
        (ring(c, cy, 0, 14.2, 0, 180), "W"), (ring(c, cy, 13.6, 14.6, 0, 180), "c"),
        (ring(c, cy, 14.2, 15.2, 0, 180), "B"), *ticks,
        (rect(1, 24, 31, 25), "B"), (rect(15, 22, 17, 24), "r")])


def pen_cursor():
    # The nib's corner is the hot spot (11, 20) of the 1x cursor.
    at = along((11.0, 20.0), 45)
    outline = poly([at(0, 0), at(0.0, -0.1), at(3.5, -3.6), at(13.2, -3.6), at(15.3, -1.6),
                    at(15.3, 1.6), at(13.2, 3.6), at(3.5, 3.6)])
    inner = poly([at(1.4, 0), at(4.1, -2.7), at(12.6, -2.7), at(12.6, 2.7), at(4.1, 2.7)])
    return (32, 32, {".": None, "W": "#FFFFFF", "k": "#000000"}, ".", [
        (outline, "k"), (inner, "W"), (band(at, 12.6, 15.3, 3.6), "k")])


def lamps():
    # Lamps 14 units apart; the program fills lamp n from (15n - 7, 8), which
    # lies inside every core.
    shapes = [(rounded_frame(0, 0, 47, 17, 3.2, 0.5), "a")]
    for n in range(3):
        cx, cy = 9.5 + 14 * n, 8.5
        shapes += [(ring(cx, cy, 4.6, 5.4), "a"), (ring(cx, cy, 2.5, 3.2), "r"), (ring(cx, cy, 0, 2.5), "w")]
    return (47, 17, {"a": "#A5ADFF", "e": "#EFEFFF", "r": "#C6C6C6", "w": "#FFFFFF"}, "e", shapes)


PICTURES = {
    "check": check, "next": next_arrow, "tool_centre": tool_centre, "tool_help": tool_help,
    "tool_pencil": tool_pencil, "tool_protractor": tool_protractor, "tool_show": tool_show,
    "tool_rotate": tool_rotate, "tool_trace": tool_trace, "tool_quit": tool_quit, "gradoir": gradoir_icon, "pen": pen_cursor,
    "led": lamps,
}


def rasterise(width, height, background, shapes):
    rows = []
    for py in range(height * SCALE):
        row = []
        for px in range(width * SCALE):
            votes = {}
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) / SCALE
                    y = (py + (sy + 0.5) / SAMPLES) / SCALE
                    key = background
                    for test, k in shapes:
                        if test(x, y):
                            key = k
                    votes[key] = votes.get(key, 0) + 1
            row.append(max(votes, key=lambda k: (votes[k], k != background)))
        rows.append("".join(row))
    return rows


def xpm(name, width, height, palette, rows):
    used = [k for k in palette if any(k in r for r in rows)]
    lines = ["/* XPM */", f"/* {name} for screens of ratio 2, drawn by tools/pictures/draw_2x.py */",
             f"static const char *{name}_2x[] = {{", f'"{width * SCALE} {height * SCALE} {len(used)} 1",']
    lines += [f'"{k} c {palette[k] or "None"}",' for k in used]
    lines += [f'"{r}",' for r in rows[:-1]] + [f'"{rows[-1]}"', "};"]
    return "\n".join(lines) + "\n"


def main():
    out = Path(sys.argv[1] if len(sys.argv) > 1 else "resources")
    for name, make in PICTURES.items():
        width, height, palette, background, shapes = make()
        rows = rasterise(width, height, background, shapes)
        (out / f"{name}@2x.xpm").write_text(xpm(name, width, height, palette, rows))


if __name__ == "__main__":
    main()
