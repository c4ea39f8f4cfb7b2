"""nosignal-render as a user runs it: frames written as PNG files, the trace,
and clear refusals of bad input that never leave half-written files."""
import json
import os
import re
import subprocess
import tempfile

from e2e_support import BUILD_DIR, check, run_all

RENDER = os.path.join(BUILD_DIR, "nosignal-render")


def run(*arguments):
    return subprocess.run([RENDER, *arguments], capture_output=True, text=True, timeout=120)


def read_png(path):
    """Width, height and the (r, g, b) pixels of an 8-bit RGB PNG file."""
    with open(path, "rb") as f:
        header = f.read(26)
    check(f"{os.path.basename(path)} is a 24-bit RGB PNG", header[:8] == b"\x89PNG\r\n\x1a\n"
          and header[12:16] == b"IHDR" and header[24:26] == b"\x08\x02", header)
    data = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], capture_output=True, timeout=60).stdout
    match = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", data)
    pixels = data[match.end():]
    return int(match.group(1)), int(match.group(2)), [tuple(pixels[i:i + 3]) for i in range(0, len(pixels), 3)]


def test_three_frames_of_static():
    with tempfile.TemporaryDirectory() as folder:
        out = os.path.join(folder, "out")
        result = run("--size", "320x240", "--frames", "3", "--png", out, "--trace")
        check("render exits 0", result.returncode == 0, result.stderr)
        names = sorted(os.listdir(out))
        check("three frame files", names == ["frame-00001.png", "frame-00002.png", "frame-00003.png"], names)
        check("three trace lines", len(result.stdout.splitlines()) == 3, result.stdout[:200])
        frames = [read_png(os.path.join(out, name)) for name in names]
        for number, (width, height, pixels) in enumerate(frames, 1):
            grey = all(r == g == b for r, g, b in pixels)
            dark = sum(1 for p in pixels if p[0] < 90)
            levels = {p[0] for p in pixels if p[0] < 90}
            # Mostly static in all 90 greys, the rest the caption and figures.
            check(f"frame {number}", (width, height) == (320, 240) and grey and dark > 0.9 * len(pixels)
                  and len(levels) == 90, (width, height, grey, dark, len(levels)))
        check("frames differ", frames[0][2] != frames[1][2] != frames[2][2])


def test_trace_of_the_first_small_frames():
    result = run("--size", "64x48", "--frames", "3", "--trace")
    check("trace exits 0", result.returncode == 0, result.stderr)
    first, second, third = [json.loads(line) for line in result.stdout.splitlines()]
    check("first frame fields", list(first) == ["frame", "width", "height", "caption", "random_state",
                                                "lines", "rings", "twin_rings", "text"], list(first))
    check("first frame draws nothing", (first["lines"], first["rings"], first["twin_rings"]) == ([], [], None))
    check("first frame caption", first["caption"] == "d[^_^]b", first["caption"])
    check("second frame line", second["lines"] == [{"pen_width": 1, "color": 0, "from": [0, 30], "to": [64, 40]}],
          second["lines"])
    check("third frame", third["lines"] == [
        {"pen_width": 1, "color": 394758, "from": [0, 14], "to": [64, 8]},
        {"pen_width": 1, "color": 1776411, "from": [0, 21], "to": [64, 6]}]
        and third["rings"] == [{"pen_width": 2, "color": 3487029, "box": [18, 16, 22, 20]}]
        and third["random_state"] == 1200888620, third)
    check("text fields", set(third["text"] or {}) == {"measured", "escapement", "silver", "white"}, third["text"])


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


def test_bad_input_is_refused():
    with tempfile.TemporaryDirectory() as folder:
        blocker = os.path.join(folder, "file")
        open(blocker, "w").close()
        for name, arguments in [("unknown option", ["--colour"]), ("negative size", ["--size", "-320x240"]),
                                ("malformed size", ["--size", "320by240"]), ("zero frames", ["--frames", "0"]),
                                ("frames not a number", ["--frames", "many"]),
                                ("huge frame", ["--size", "100000x100000", "--png", folder]),
                                ("folder is a file", ["--png", blocker]),
                                ("folder under a file", ["--png", os.path.join(blocker, "frames")])]:
            result = run(*arguments)
            lines = result.stderr.strip().splitlines()
            # A positive code: refused, not killed by a signal.
            check(f"{name}: exit code", result.returncode > 0, result.returncode)
            check(f"{name}: one clear line", len(lines) == 1 and lines[0].startswith("nosignal-render: "),
                  result.stderr)
        leftovers = [n for n in os.listdir(folder) if n.endswith(".png") or n.endswith(".partial")]
        check("no frame file left behind", leftovers == [], leftovers)


run_all(test_three_frames_of_static, test_trace_of_the_first_small_frames, test_captions_walk_the_table,
        test_empty_frames_write_no_file, test_bad_input_is_refused)
