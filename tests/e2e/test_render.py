"""nosignal-render as a user runs it: frames as PNG files and as a video that
other programs read, the trace, refusals that name their cause, closed pipes,
and progress on a terminal only (interrupts and other faults: test_render_faults.py)."""
import json
import os
import re
import signal
import subprocess
import tempfile

from e2e_support import BUILD_DIR, check, run_all, wait_for

RENDER = os.path.join(BUILD_DIR, "nosignal-render")
# Sanitizer builds keep their report of suppressed leaks to themselves: standard error is read line by line.
os.environ["LSAN_OPTIONS"] = ":".join(filter(None, [os.environ.get("LSAN_OPTIONS"), "print_suppressions=0"]))


def run(*arguments, stdout=subprocess.PIPE, text=True):
    return subprocess.run([RENDER, *arguments], stdout=stdout, stderr=subprocess.PIPE, text=text, timeout=120)


def greys(path):
    """The grey bytes of a PNG file, as another decoder reads them."""
    return subprocess.run(["convert", path, "-depth", "8", "gray:-"], capture_output=True, timeout=60).stdout


def test_frames_and_trace():
    """Frames of static in PNG files, empty ones left out; a trace line a frame, the caption advancing once a frame."""
    with tempfile.TemporaryDirectory() as folder:
        result = run("--size", "320x240,0x0,33x0", "--frames", "60", "--png", folder, "--trace")
        check("render exits 0", result.returncode == 0, result.stderr)
        names = sorted(os.listdir(folder))
        check("a file for each non-empty frame", names == [f"frame-{n:05d}.png" for n in range(1, 61, 3)], names)
        first, second = (greys(os.path.join(folder, name)) for name in names[:2])
        # Mostly static in all 90 greys, the rest the caption and figures.
        check("static", sum(g < 90 for g in first) > 0.9 * len(first) and len({g for g in first if g < 90}) == 90)
        check("frames differ", first != second)
    trace = [json.loads(line) for line in result.stdout.splitlines()]
    check("a trace line a frame", [frame["frame"] for frame in trace] == list(range(1, 61)), result.stdout[:200])
    check("the random state of the run", trace[2]["random_state"] == 3438232791, trace[2])
    check("starting caption, then row 1", [frame["caption"] for frame in trace[58:60]] ==
          ["d[^_^]b", "УВАГА! Немає сигналу мережі!"], trace[58:60])


def test_refusals_name_their_cause():
    """A positive status (not a signal) and one line naming the cause: bad input, and outputs that fail."""
    with tempfile.TemporaryDirectory() as folder:
        blocker = os.path.join(folder, "file")
        open(blocker, "w").close()
        with open("/dev/full", "w") as full:
            cases = [
                ("unknown option", run("--colour"), ["--colour"]),
                ("folder is a file", run("--png", blocker), [blocker, "is a file, not a folder"]),
                ("folder is a device", run("--png", "/dev/full"), ["/dev/full is a device, not a folder"]),
                ("folder under a file", run("--png", os.path.join(blocker, "x")), [f"{blocker} is a file"]),
                ("video into a folder", run("--size", "8x8", "--y4m", folder), [folder, os.strerror(21)]),
                ("nothing to write", run("--frames", "3"), ["nothing to write", "--trace"]),
                ("control bytes echoed", run("--\x1b]2;pwned\x07"), ["--\\x1b]2;pwned\\x07"]),
                ("trace to a full device", run("--size", "8x8", "--trace", stdout=full),
                 ["standard output", os.strerror(28)]),
                ("video into a missing folder", run("--size", "8x8", "--y4m", os.path.join(folder, "no", "v.y4m")),
                 ["v.y4m", os.strerror(2)])]
        for name, result, parts in cases:
            lines = result.stderr.strip().splitlines()
            check(f"{name}: exit code", result.returncode == (2 if name == "nothing to write" else 1),
                  result.returncode)
            check(f"{name}: one clear line", len(lines) == 1 and lines[0].startswith("nosignal-render: ")
                  and all(part in lines[0] for part in parts), result.stderr)


def test_a_closed_pipe_ends_the_run():
    """Endless runs into `head -1`: with SIGPIPE as usual the run dies of it, with
    SIGPIPE ignored it reports the broken pipe; either way it ends."""
    for ignored in (False, True):
        result = subprocess.run(
            ["bash", "-c", f"set -o pipefail; '{RENDER}' --size 0x0 --frames 999999999 --trace | head -1"],
            capture_output=True, text=True, timeout=60, restore_signals=not ignored,
            preexec_fn=(lambda: signal.signal(signal.SIGPIPE, signal.SIG_IGN)) if ignored else None)
        expected = ((1, f"nosignal-render: cannot write standard output: {os.strerror(32)}\n") if ignored
                    else (128 + signal.SIGPIPE, ""))
        check(f"pipe (SIGPIPE ignored: {ignored}): first line, status and message",
              result.stdout.startswith('{"frame":1,') and (result.returncode, result.stderr) == expected,
              (result.returncode, result.stderr, result.stdout[:50]))


def test_video_read_by_another_program():
    """Its luma, as ffmpeg reads it, is the PNG frames' grey; standard output carries the same bytes."""
    with tempfile.TemporaryDirectory() as folder:
        video = os.path.join(folder, "clip.y4m")
        result = run("--size", "65x49", "--frames", "60", "--png", folder, "--y4m", video)
        check("video exits 0, no progress off a terminal", result.returncode == 0 and not result.stderr, result.stderr)
        luma = subprocess.run(["ffmpeg", "-v", "error", "-i", video, "-f", "rawvideo", "-pix_fmt", "gray", "-"],
                              capture_output=True, timeout=120).stdout
        frames = b"".join(greys(os.path.join(folder, f"frame-{n:05d}.png")) for n in range(1, 61))
        check("the video's luma is the frames' grey", luma == frames, f"{len(luma)} {len(frames)}")
        piped = run("--size", "65x49", "--frames", "60", "--y4m", "-", text=False)
        with open(video, "rb") as f:
            check("standard output carries the same stream", piped.stdout == f.read())


def on_terminal(arguments):
    """Status and what a run showed with standard error (and output, unless redirected) on a pseudo-terminal."""
    done = subprocess.run(["script", "--quiet", "--return", "--command", f"'{RENDER}' {arguments}", "/dev/null"],
                          capture_output=True, timeout=120)
    return done.returncode, done.stdout.decode().replace("\r\n", "\n")  # the terminal's own line end


def test_progress_only_on_a_terminal():
    status, shown = on_terminal("--frames 100 --trace >/dev/null")
    check("progress redrawn in place on a terminal", status == 0 and re.fullmatch(
        r"(\rnosignal-render: [^\r\n]* left *)*\rnosignal-render: 100/100 frames, [^\r\n]* in all\n", shown),
          repr(shown[-300:]))
    for name, arguments in (("--quiet", "--frames 40 --trace --quiet >/dev/null"),
                            ("the trace on the same terminal", "--frames 3 --trace")):
        status, shown = on_terminal(f"--size 8x8 {arguments}")
        check(f"no progress with {name}", status == 0 and "nosignal-render" not in shown and "\r" not in shown,
              repr(shown[:300]))
    result = run("--version")
    check("version", result.returncode == 0 and re.fullmatch(r"nosignal-render \d+\.\d+\.\d+\n", result.stdout),
          result.stdout)


run_all(test_frames_and_trace, test_refusals_name_their_cause, test_a_closed_pipe_ends_the_run,
        test_video_read_by_another_program,
        test_progress_only_on_a_terminal)
