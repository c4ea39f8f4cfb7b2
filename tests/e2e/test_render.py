"""nosignal-render as a user runs it: frames written as PNG files, a video
stream, the trace, clear refusals of bad input and of failing outputs that
never leave half-written files, and progress on a terminal only."""
import json
import os
import pty
import re
import signal
import subprocess
import tempfile

from e2e_support import BUILD_DIR, check, run_all, wait_for

RENDER = os.path.join(BUILD_DIR, "nosignal-render")
# Sanitizer builds keep their report of suppressed leaks to themselves: the
# tests read standard error line by line.
os.environ["LSAN_OPTIONS"] = ":".join(filter(None, [os.environ.get("LSAN_OPTIONS"), "print_suppressions=0"]))


def run(*arguments):
    return subprocess.run([RENDER, *arguments], capture_output=True, text=True, timeout=120)


def one_clear_line(name, result, *parts):
    """A refusal: a positive status (not a signal) and one line naming its cause."""
    lines = result.stderr.strip().splitlines()
    check(f"{name}: exit code", result.returncode > 0, result.returncode)
    check(f"{name}: one clear line", len(lines) == 1 and lines[0].startswith("nosignal-render: ")
          and all(part in lines[0] for part in parts), result.stderr)


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
    check("first frame draws nothing", (first["lines"], first["rings"], first["twin_rings"]) == ([], [], None))
    check("first frame caption", first["caption"] == "d[^_^]b", first["caption"])
    check("second frame line", second["lines"] == [{"pen_width": 1, "color": 0, "from": [0, 30], "to": [64, 40]}],
          second["lines"])
    check("third frame", third["lines"] == [
        {"pen_width": 1, "color": 394758, "from": [0, 14], "to": [64, 8]},
        {"pen_width": 1, "color": 1776411, "from": [0, 21], "to": [64, 6]}]
        and third["rings"] == [{"pen_width": 2, "color": 3487029, "box": [18, 16, 22, 20]}]
        and third["random_state"] == 1200888620, third)


def test_captions_advance_once_a_frame():
    """The schedule itself is the unit tests'; here one caption a frame, in UTF-8."""
    result = run("--size", "0x0", "--frames", "60", "--trace")
    check("caption run exits 0", result.returncode == 0, result.stderr)
    captions = [json.loads(line)["caption"] for line in result.stdout.splitlines()]
    check("starting caption, then row 1", captions[58] == "d[^_^]b" and captions[59] == "УВАГА! Немає сигналу мережі!",
          captions[58:60])


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
            one_clear_line(name, run(*arguments))
        leftovers = [n for n in os.listdir(folder) if n != "file"]
        check("no file left behind", leftovers == [], leftovers)


def test_output_failures_name_the_file_and_the_reason():
    with open("/dev/full", "w") as full:
        result = subprocess.run([RENDER, "--size", "8x8", "--trace"], stdout=full, stderr=subprocess.PIPE,
                                text=True, timeout=120)
    one_clear_line("trace to a full device", result, "standard output", os.strerror(28))
    with tempfile.TemporaryDirectory() as folder:
        os.mkdir(os.path.join(folder, "frame-00002.png"))
        result = run("--size", "8x8", "--frames", "3", "--png", folder)
        one_clear_line("frame name taken by a folder", result, "frame-00002.png: ", os.strerror(21))
        check("frames up to the failure, no partial file",
              sorted(os.listdir(folder)) == ["frame-00001.png", "frame-00002.png"], os.listdir(folder))
        result = run("--size", "8x8", "--frames", "2", "--y4m", os.path.join(folder, "no", "v.y4m"))
        one_clear_line("video into a missing folder", result, "v.y4m", os.strerror(2))


def test_a_closed_pipe_ends_the_run():
    """Endless runs into `head -1`: with SIGPIPE as usual the run dies of it, with
    SIGPIPE ignored it reports the broken pipe; either way it ends at once."""
    for ignored in (False, True):
        result = subprocess.run(
            ["bash", "-c", f"set -o pipefail; '{RENDER}' --size 0x0 --frames 999999999 --trace | head -1"],
            capture_output=True, text=True, timeout=60, restore_signals=not ignored,
            preexec_fn=(lambda: signal.signal(signal.SIGPIPE, signal.SIG_IGN)) if ignored else None)
        check(f"pipe (SIGPIPE ignored: {ignored}): first line", result.stdout.startswith('{"frame":1,'), result.stdout)
        if ignored:
            one_clear_line("pipe closed", result, "cannot write standard output", os.strerror(32))
        else:
            check("pipe closed: killed by SIGPIPE, silently", result.returncode == 128 + signal.SIGPIPE
                  and result.stderr == "", (result.returncode, result.stderr))


def test_an_interrupt_removes_the_partial_file():
    for interrupt in (signal.SIGINT, signal.SIGTERM):
        with tempfile.TemporaryDirectory() as folder:
            process = subprocess.Popen([RENDER, "--size", "2000x2000", "--frames", "1000", "--png", folder,
                                        "--png-level", "9"], stderr=subprocess.PIPE)
            partial = wait_for(lambda: [n for n in os.listdir(folder) if n.endswith(".partial")], 60)
            check(f"{interrupt.name}: a frame being written", partial, os.listdir(folder))
            process.send_signal(interrupt)
            status = process.wait(timeout=60)
            process.stderr.close()
            check(f"{interrupt.name}: ended by it", status == -interrupt, status)
            check(f"{interrupt.name}: no partial file",
                  not [n for n in os.listdir(folder) if n.endswith(".partial")], os.listdir(folder))


def read_y4m(data):
    """The header's fields and each frame's Y, U and V planes of a 4:2:0 stream."""
    header, _, rest = data.partition(b"\n")
    fields = header.split()
    width, height = int(fields[1][1:]), int(fields[2][1:])
    luma, chroma = width * height, ((width + 1) // 2) * ((height + 1) // 2)
    frames = []
    while rest:
        if not rest.startswith(b"FRAME\n") or len(rest) < 6 + luma + 2 * chroma:
            raise ValueError(f"broken frame {len(frames) + 1}")
        body = rest[6:6 + luma + 2 * chroma]
        frames.append((body[:luma], body[luma:luma + chroma], body[luma + chroma:]))
        rest = rest[6 + luma + 2 * chroma:]
    return fields, frames


def test_video_has_the_frames_pixels():
    """The video's luma is the PNG frames' grey, pixel for pixel; ffmpeg reads it
    as full-range 4:2:0 at 20 frames a second."""
    with tempfile.TemporaryDirectory() as folder:
        video = os.path.join(folder, "clip.y4m")
        result = run("--size", "65x49", "--frames", "4", "--png", folder, "--y4m", video)
        check("video exits 0", result.returncode == 0, result.stderr)
        with open(video, "rb") as f:
            fields, frames = read_y4m(f.read())
        check("header", fields[1:3] == [b"W65", b"H49"], fields)
        check("four frames", len(frames) == 4, len(frames))
        for number, (luma, u, v) in enumerate(frames, 1):
            _, _, pixels = read_png(os.path.join(folder, f"frame-{number:05d}.png"))
            check(f"frame {number}: luma is the grey", luma == bytes(p[0] for p in pixels))
            check(f"frame {number}: no colour", set(u) == {128} and set(v) == {128}, (set(u), set(v)))
        piped = subprocess.run([RENDER, "--size", "65x49", "--frames", "4", "--y4m", "-"], capture_output=True,
                               timeout=120)
        with open(video, "rb") as f:
            check("standard output carries the same stream", piped.stdout == f.read())
    probe = subprocess.run(f"'{RENDER}' --size 320x240 --frames 60 --y4m - | ffprobe -v error -count_frames "
                           "-show_entries stream=width,height,pix_fmt,color_range,r_frame_rate,nb_read_frames "
                           "-of compact -f yuv4mpegpipe -i -", shell=True, capture_output=True, text=True, timeout=120)
    check("ffprobe reads 60 full-range frames at 20 a second", probe.stdout.strip() ==
          "stream|width=320|height=240|pix_fmt=yuv420p|color_range=pc|r_frame_rate=20/1|nb_read_frames=60",
          probe.stdout + probe.stderr)


def run_on_terminal(*arguments, stdout_too=False):
    """Runs with standard error (and perhaps standard output) on a
    pseudo-terminal; its status and what it showed there."""
    controller, terminal = pty.openpty()
    process = subprocess.Popen([RENDER, *arguments], stdout=terminal if stdout_too else subprocess.DEVNULL,
                               stderr=terminal)
    os.close(terminal)
    shown = b""
    while True:
        try:
            data = os.read(controller, 4096)
        except OSError:  # the terminal's other side closed
            break
        if not data:
            break
        shown += data
    os.close(controller)
    return process.wait(timeout=120), shown.decode()


def test_progress_only_on_a_terminal():
    status, shown = run_on_terminal("--frames", "100")
    check("terminal run exits 0", status == 0, shown)
    shown = shown.replace("\r\n", "\n")  # the terminal's own line end
    final = shown.rsplit("\r", 1)[-1]
    check("final line", re.fullmatch(r"nosignal-render: 100/100 frames, [\d.]+ fps, \d+:\d\d in all\n", final),
          repr(shown[-200:]))
    check("updates are in place", all(re.fullmatch(r"nosignal-render: \d+/100 frames, [\d.]+ fps, \d+:\d\d left *", part)
                                      for part in shown.split("\r")[1:-1]), repr(shown[:300]))
    status, shown = run_on_terminal("--size", "320x240", "--frames", "40", "--quiet")
    check("--quiet shows nothing", status == 0 and shown == "", repr(shown))
    status, shown = run_on_terminal("--size", "8x8", "--frames", "3", "--trace", stdout_too=True)
    check("the trace on the same terminal is left alone", status == 0 and "\r" not in shown.replace("\r\n", "\n")
          and len(shown.splitlines()) == 3, repr(shown))
    result = run("--size", "320x240", "--frames", "40")
    check("nothing when standard error is not a terminal", result.returncode == 0 and result.stderr == "",
          repr(result.stderr))


def test_version():
    result = run("--version")
    check("version", result.returncode == 0 and re.fullmatch(r"nosignal-render \d+\.\d+\.\d+\n", result.stdout),
          result.stdout)


run_all(test_three_frames_of_static, test_trace_of_the_first_small_frames, test_captions_advance_once_a_frame,
        test_empty_frames_write_no_file, test_bad_input_is_refused, test_output_failures_name_the_file_and_the_reason,
        test_a_closed_pipe_ends_the_run, test_an_interrupt_removes_the_partial_file, test_video_has_the_frames_pixels,
        test_progress_only_on_a_terminal, test_version)
