"""The Windows programs under Wine. nosignal-render composes the same frames
as the Linux one: for 2,000 frames of mixed sizes, the same captions, random
states, lines, rings, twin rings, caption placements and caption sizes, each
measured by the platform's own text engine. nosignal.exe runs the session of
test_window.py under a window manager, but for the window's class, outer size
and minimising, Wine's own."""
import json
import os
import subprocess

from e2e_support import BUILD_DIR, SOURCE_DIR, Desktop, check, run_all
from test_window import run_session

# The Linux build that scripts/test.sh makes before the Windows ones.
LINUX_RENDER = os.path.join(SOURCE_DIR, "build", "release", "nosignal-render")
# Empty, tiny, odd, wide, tall and window-sized frames, in a cycle of nine.
SIZES = "64x48,320x240,0x0,1x1,33x7,1024x768,160x24,7x400,641x3"


def trace(*command):
    done = subprocess.run([*command, "--size", SIZES, "--frames", "2000", "--trace", "--quiet"],
                          capture_output=True, text=True, timeout=900)
    check(f"{os.path.basename(command[-1])} exits 0", done.returncode == 0, done.stderr[-500:])
    return [json.loads(line) for line in done.stdout.splitlines()]


def test_same_frames_on_both_platforms():
    check("the Linux nosignal-render is built", os.access(LINUX_RENDER, os.X_OK), LINUX_RENDER)
    linux = trace(LINUX_RENDER)
    windows = trace("wine", os.path.join(BUILD_DIR, "nosignal-render.exe"))
    check("2000 frames on each side", len(linux) == len(windows) == 2000, f"{len(linux)} {len(windows)}")
    first = next((a["frame"] for a, b in zip(linux, windows) if a != b), None)
    check("every frame the same", first is None, first and f"frame {first}: {linux[first - 1]} / {windows[first - 1]}")


def test_window_under_wine():
    with Desktop(managed=True, command=("wine", os.path.join(BUILD_DIR, "nosignal.exe"))) as desktop:
        run_session(desktop, "under Wine", native=False)


run_all(test_same_frames_on_both_platforms, test_window_under_wine)
