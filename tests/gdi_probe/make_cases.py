#!/usr/bin/env python3
"""Usage: make_cases.py NOSIGNAL_RENDER

Writes cases.txt beside this script: single figures on small bitmaps (lines,
rings of the frames' sizes and pens, ellipses, text), then the figures of 200
frames at 64x48 and 320x240 from the render tool's trace, by frame and kind."""
import json
import random
import subprocess
import sys
from pathlib import Path

GREY = 0x808080
out = []


def case(name, width, height, figures):
    out.append(f"case {name} {width} {height}")
    out.extend(figures)


def line(pen, color, x0, y0, x1, y1):
    return f"line {pen} {color} {x0} {y0} {x1} {y1}"


def ellipse(pen, color, box):
    return "ellipse {} {} {} {} {} {}".format(pen, color, *box)


def text(escapement, charset, color, x, y, data):
    return f"text {escapement} {charset} {color} {x} {y} {data.hex()}"


def thin_lines():
    # From the centre of a 25x25 bitmap to every point of two squares around
    # it, and back: all octants and their borders.
    c = 12
    ends = [(c + dx, c + dy) for r in (3, 10) for dx in range(-r, r + 1) for dy in range(-r, r + 1)
            if max(abs(dx), abs(dy)) == r]
    for pen in (0, 1):
        for x, y in ends:
            case(f"line.p{pen}.out.{x}_{y}", 25, 25, [line(pen, GREY, c, c, x, y)])
            case(f"line.p{pen}.in.{x}_{y}", 25, 25, [line(pen, GREY, x, y, c, c)])
        # Scratch lines across the frame, as the composer draws them.
        for w, h, count in ((64, 48, 60), (320, 240, 40)):
            rng = random.Random(w * pen + h)
            for i in range(count):
                y0, y1 = rng.randrange(h), rng.randrange(h)
                case(f"line.p{pen}.scratch{w}x{h}.{i:02d}", w, h, [line(pen, GREY, 0, y0, w, y1)])
        # Lines with one or both ends outside the bitmap, on every side.
        rng = random.Random(7 + pen)
        for i in range(80):
            x0, x1 = rng.randrange(-30, 50), rng.randrange(-30, 50)
            y0, y1 = rng.randrange(-25, 41), rng.randrange(-25, 41)
            case(f"line.p{pen}.clipped.{i:02d}", 20, 16, [line(pen, GREY, x0, y0, x1, y1)])
    rng = random.Random(11)
    for pen in range(2, 20):
        for i in range(4):
            x0, y0 = rng.randrange(-10, 70), rng.randrange(-10, 58)
            x1, y1 = rng.randrange(-10, 70), rng.randrange(-10, 58)
            case(f"wide_line.p{pen}.{i}", 64, 48, [line(pen, GREY, x0, y0, x1, y1)])


def ellipses():
    # Rings inside, and across each edge and corner for the thinner pens.
    for pen in range(0, 20):
        for d in range(0, 30):
            m = d // 2
            places = {"inside": (3, 4), "left": (-m, 5), "top": (6, -m), "right": (36 - m, 4), "bottom": (2, 36 - m),
                      "topleft": (-m - 1, -m + 1), "bottomright": (36 - m + 1, 36 - m - 1)}
            for where, (x, y) in places.items():
                if pen <= 4 or where == "inside":
                    case(f"ring.p{pen}.d{d:02d}.{where}", 36, 36, [ellipse(pen, GREY, (x, y, x + d, y + d))])
    # Boxes that are not square, down to one pixel across.
    sizes = (1, 2, 3, 4, 5, 8, 13, 21)
    for pen in (0, 1, 3, 8):
        for w in sizes:
            for h in sizes:
                if w != h:
                    case(f"ellipse.p{pen}.{w}x{h}", 28, 28, [ellipse(pen, GREY, (3, 2, 3 + w, 2 + h))])
    # The composer's goggles: two circles of diameter 2r touching at cx.
    for w, h in ((64, 48), (320, 240), (160, 120)):
        for pen in range(0, 20):
            for dx, dy in ((0, 0), (3, 11), (4, 14)):
                cx, cy = w // 2 + dx, h // 2 + dy
                r = cy // 2
                case(f"twin.p{pen}.{w}x{h}.{dx}_{dy}", w, h, [ellipse(pen, GREY, (cx - 2 * r, cy - r, cx, cy + r)),
                                                               ellipse(pen, GREY, (cx, cy - r, cx + 2 * r, cy + r))])


def texts():
    for label, charset, data in (("ascii", 1, b"NO SIGNAL d[^_^]b"),
                                 ("cyrillic", 204, "УВАГА! Немає сигналу".encode("cp1251"))):
        for escapement in (0, 10, -10, 29, -29):
            case(f"text.{label}.e{escapement}", 320, 80, [text(escapement, charset, 0xC0C0C0, 12, 20, data)])
    case("text.ascii.clipped", 64, 48, [text(0, 1, 0xFFFFFF, -20, 30, b"SIGNAL")])


def frames(render):
    for w, h in ((64, 48), (320, 240)):
        trace = subprocess.run([render, "--size", f"{w}x{h}", "--frames", "200", "--trace"],
                               check=True, capture_output=True, text=True).stdout
        for record in map(json.loads, trace.splitlines()):
            twins, t = record["twin_rings"], record["text"]
            caption = record["caption"].encode("cp1251")
            kinds = {
                "lines": [line(l["pen_width"], l["color"], *l["from"], *l["to"]) for l in record["lines"]],
                "rings": [ellipse(r["pen_width"], r["color"], r["box"]) for r in record["rings"]],
                "twins": [ellipse(twins["pen_width"], twins["color"], box) for box in twins["boxes"]] if twins else [],
                "text": [text(t["escapement"], 204, 0xC0C0C0, *t["silver"], caption),
                         text(t["escapement"], 204, 0xFFFFFF, *t["white"], caption)],
            }
            for kind, figures in kinds.items():
                if figures:
                    case(f"frame.{w}x{h}.{record['frame']:03d}.{kind}", w, h, figures)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    thin_lines()
    ellipses()
    texts()
    frames(sys.argv[1])
    path = Path(__file__).with_name("cases.txt")
    path.write_text("# Written by make_cases.py: do not edit.\n" + "\n".join(out) + "\n")
    print(f"{sum(1 for l in out if l.startswith('case '))} cases in {path}")


if __name__ == "__main__":
    main()
