#!/usr/bin/env python3
"""Pictures of cases, for looking at: Wine's drawing, the software one and
their difference (red where the pixels differ), side by side and enlarged.

Usage: side_by_side.py WINE_OUTPUT SOFT_DUMP OUT_DIR SCALE CASE...
SOFT_DUMP is written by gdi_match_test with GDI_MATCH_DUMP=FILE; the PNG
files are made with ImageMagick's convert."""
import subprocess
import sys
from pathlib import Path


def layout():
    cases, offset = {}, 0
    for line in Path(__file__).with_name("cases.txt").read_text().splitlines():
        fields = line.split()
        if fields and fields[0] == "case":
            width, height = int(fields[2]), int(fields[3])
            cases[fields[1]] = (offset, width, height)
            offset += ((width * 3 + 3) & ~3) * height
    return cases


def rows(data, offset, width, height):
    stride = (width * 3 + 3) & ~3
    for y in range(height):
        start = offset + (height - 1 - y) * stride
        yield [tuple(data[start + 3 * x:start + 3 * x + 3][::-1]) for x in range(width)]


def main():
    wine_path, soft_path, out_dir, scale, *names = sys.argv[1:]
    wine, soft = Path(wine_path).read_bytes(), Path(soft_path).read_bytes()
    cases = layout()
    Path(out_dir).mkdir(parents=True, exist_ok=True)
    for name in names:
        offset, width, height = cases[name]
        picture = bytearray()
        for theirs, ours in zip(rows(wine, offset, width, height), rows(soft, offset, width, height)):
            diff = [(255, 0, 0) if a != b else (a[0] // 3, a[1] // 3, a[2] // 3) for a, b in zip(theirs, ours)]
            gap = [(255, 255, 255)]
            for pixel in theirs + gap + ours + gap + diff:
                picture += bytes(pixel)
        header = f"P6 {3 * width + 2} {height} 255\n".encode()
        png = Path(out_dir) / f"{name}.png"
        subprocess.run(["convert", "ppm:-", "-scale", f"{scale}00%", str(png)], input=header + picture, check=True)
        print(png)


if __name__ == "__main__":
    main()
