"""The Windows nosignal-render under Wine composes the same frames as the
Linux one: for 2,000 frames of mixed sizes, the same captions, random states,
lines, rings, twin rings and caption placements. The one measured difference
is the caption's cell height, which each platform takes from its own text
engine: it must be the same on every frame of a platform."""
import json
import os
import subprocess

from e2e_support import BUILD_DIR, SOURCE_DIR, check, run_all

WINDOWS_RENDER = os.path.join(BUILD_DIR, "nosignal-render.exe")
# The Linux build that scripts/test.sh makes before the Windows ones.
LINUX_RENDER = os.path.join(SOURCE_DIR, "build", "release", "nosignal-render")
# Empty, tiny, odd, wide, tall and window-sized frames, in a cycle of nine.
SIZES = "64x48,320x240,0x0,1x1,33x7,1024x768,160x24,7x400,641x3"
FRAMES = "2000"


def trace(*command):
    done = subprocess.run([*command, "--size", SIZES, "--frames", FRAMES, "--trace", "--quiet"],
                          capture_output=True, text=True, timeout=900)
    check(f"{os.path.basename(command[-1])} exits 0", done.returncode == 0, done.stderr[-500:])
    return [json.loads(line) for line in done.stdout.splitlines()]


def without_height(frame):
    text = frame["text"]
    return dict(frame, text=dict(text, measured=text["measured"][:1]))


def test_same_frames_on_both_platforms():
    check("the Linux nosignal-render is built", os.access(LINUX_RENDER, os.X_OK), LINUX_RENDER)
    linux = trace(LINUX_RENDER)
    windows = trace("wine", WINDOWS_RENDER)
    check("2000 frames on each side", len(linux) == len(windows) == 2000, f"{len(linux)} {len(windows)}")
    first = next((a["frame"] for a, b in zip(linux, windows) if without_height(a) != without_height(b)), None)
    check("every frame the same but the cell height", first is None,
          first and f"frame {first}: {linux[first - 1]} / {windows[first - 1]}")
    for name, frames in (("Linux", linux), ("Windows", windows)):
        heights = {frame["text"]["measured"][1] for frame in frames}
        check(f"one caption cell height on {name}", len(heights) == 1, heights)


run_all(test_same_frames_on_both_platforms)
