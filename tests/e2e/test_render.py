"""nosignal-render as a user runs it: frames written as PNG files, the trace,
and clear refusals of bad input that never leave half-written files."""
import argparse
import json
import os
import struct
import subprocess
import sys
import tempfile
import zlib

parser = argparse.ArgumentParser()
parser.add_argument("--build-dir", required=True)
parser.add_argument("--source-dir", required=True)
args = parser.parse_args()
RENDER = os.path.join(args.build_dir, "nosignal-render")

results = {"passed": 0, "failed": 0}


def check(name, condition, detail=""):
    if condition:
        results["passed"] += 1
    else:
        results["failed"] += 1
        print(f"FAIL {name} {detail}")


def run(*arguments):
    return subprocess.run([RENDER, *arguments], capture_output=True, text=True, timeout=120)


def read_png(path):
    """Width, height and the decoded RGB rows of an 8-bit RGB PNG."""
    with open(path, "rb") as f:
        data = f.read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    pos, idat, width, height = 8, b"", 0, 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            assert (depth, colour) == (8, 2), "24-bit RGB"
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride, rows, previous = width * 3, [], bytearray(width * 3)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - 3] if i >= 3 else 0
            up, up_left = previous[i], previous[i - 3] if i >= 3 else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - up_left
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - up_left)
                predictor = left if pa <= pb and pa <= pc else up if pb <= pc else up_left
                line[i] = (line[i] + predictor) & 0xFF
        rows.append(bytes(line))
        previous = line
    return width, height, rows


def test_three_frames_of_static():
    with tempfile.TemporaryDirectory() as folder:
        out = os.path.join(folder, "out")
        result = run("--size", "320x240", "--frames", "3", "--png", out, "--trace")
        check("render exits 0", result.returncode == 0, result.stderr)
        names = sorted(os.listdir(out))
        check("three frame files", names == ["frame-00001.png", "frame-00002.png", "frame-00003.png"], names)
        lines = result.stdout.splitlines()
        check("three trace lines", len(lines) == 3, result.stdout[:200])
        frames = [read_png(os.path.join(out, name)) for name in names]
        for number, (width, height, rows) in enumerate(frames, 1):
            check(f"frame {number} size", (width, height) == (320, 240), (width, height))
            pixels = [row[i:i + 3] for row in rows for i in range(0, len(row), 3)]
            grey = sum(1 for p in pixels if p[0] == p[1] == p[2])
            dark = sum(1 for p in pixels if p[0] < 90)
            check(f"frame {number} is grey", grey == len(pixels), grey)
            check(f"frame {number} is mostly static", dark > 0.9 * len(pixels), dark)
            levels = {p[0] for p in pixels if p[0] < 90}
            check(f"frame {number} uses the whole static range", len(levels) == 90, len(levels))
        check("frames differ", frames[0][2] != frames[1][2] != frames[2][2])


def test_trace_of_the_first_small_frames():
    result = run("--size", "64x48", "--frames", "3", "--trace")
    check("trace exits 0", result.returncode == 0, result.stderr)
    frames = [json.loads(line) for line in result.stdout.splitlines()]
    check("trace frame count", len(frames) == 3)
    first, second, third = frames
    check("first frame fields", list(first) == ["frame", "width", "height", "caption", "random_state",
                                                "lines", "rings", "twin_rings", "text"], list(first))
    check("first frame draws nothing", (first["lines"], first["rings"], first["twin_rings"]) == ([], [], None))
    check("first frame caption", first["caption"] == "d[^_^]b", first["caption"])
    check("second frame line", second["lines"] == [{"pen_width": 1, "color": 0, "from": [0, 30], "to": [64, 40]}],
          second["lines"])
    check("third frame lines", third["lines"] == [
        {"pen_width": 1, "color": 394758, "from": [0, 14], "to": [64, 8]},
        {"pen_width": 1, "color": 1776411, "from": [0, 21], "to": [64, 6]}], third["lines"])
    check("third frame ring", third["rings"] == [{"pen_width": 2, "color": 3487029, "box": [18, 16, 22, 20]}],
          third["rings"])
    check("third frame state", third["random_state"] == 1200888620, third["random_state"])
    text = third["text"]
    check("text fields", text is not None and set(text) == {"measured", "escapement", "silver", "white"}, text)


def test_captions_walk_the_table():
    result = run("--size", "0x0", "--frames", "1321", "--trace")
    check("long run exits 0", result.returncode == 0, result.stderr)
    captions = [json.loads(line)["caption"] for line in result.stdout.splitlines()]
    check("starting caption", captions[58] == "d[^_^]b" and captions[59] == "УВАГА! Немає сигналу мережі!",
          captions[58:60])
    check("blank rows", captions[1019] == " " and captions[1138] == " " and captions[1139] == "Автор: Орко Туманець",
          captions[1019:1140:119])
    check("the end", captions[1259] == "THE END" and captions[1318] == "THE END", captions[1259])
    check("back to row 1", captions[1319] == captions[59])


def test_empty_frames_write_no_file():
    with tempfile.TemporaryDirectory() as folder:
        result = run("--size", "0x0,8x0,0x8,8x8", "--frames", "4", "--png", folder)
        check("empty frames exit 0", result.returncode == 0, result.stderr)
        check("only the non-empty frame is written", os.listdir(folder) == ["frame-00004.png"], os.listdir(folder))


def refused(name, arguments, folder=None):
    result = run(*arguments)
    lines = result.stderr.strip().splitlines()
    check(f"{name}: non-zero exit", result.returncode != 0, result.returncode)
    check(f"{name}: one clear line", len(lines) == 1 and lines[0].startswith("nosignal-render: "), result.stderr)
    check(f"{name}: no crash", result.returncode > 0, result.returncode)
    if folder is not None:
        leftovers = [n for n in os.listdir(folder) if n.endswith(".png") or n.endswith(".partial")]
        check(f"{name}: no frame file", leftovers == [], leftovers)


def test_bad_input_is_refused():
    with tempfile.TemporaryDirectory() as folder:
        refused("unknown option", ["--colour"])
        refused("negative size", ["--size", "-320x240"])
        refused("malformed size", ["--size", "320by240"])
        refused("zero frames", ["--frames", "0"])
        refused("frames not a number", ["--frames", "many"])
        refused("huge frame", ["--size", "100000x100000", "--png", folder], folder)
        blocker = os.path.join(folder, "file")
        open(blocker, "w").close()
        refused("folder is a file", ["--png", blocker])
        refused("folder under a file", ["--png", os.path.join(blocker, "frames")])


for test in [test_three_frames_of_static, test_trace_of_the_first_small_frames, test_captions_walk_the_table,
             test_empty_frames_write_no_file, test_bad_input_is_refused]:
    test()
print(f"{results['passed']} passed, {results['failed']} failed")
sys.exit(1 if results["failed"] else 0)
