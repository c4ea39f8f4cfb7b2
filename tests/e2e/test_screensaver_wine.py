"""nosignal.scr under Wine, as the desktop's screen saver settings run it:
full screen, topmost, until the mouse moves beyond a few pixels or a key goes
down; the preview in a child of another program's window, which follows that
window's size and ends when it goes; the settings box; and a box and exit
status 2 for a command line it does not understand. The full-screen runs have
a window manager, as a desktop does (without one, Wine waits two seconds for
a full-screen window to be withdrawn). Wine shows no pixels of a child window
that another process owns: the preview's drawing is
screensaver_preview_windows_test's."""
import os
import subprocess

from e2e_support import (BUILD_DIR, LIMIT, Desktop, check, check_static, desktop_env, run_all, screenshot,
                         start_xvfb, stop, tool, wait_for)

SCR = os.path.join(BUILD_DIR, "nosignal.scr")
HOST = os.path.join(BUILD_DIR, "tests", "screensaver_host.exe")
SCREEN = (1024, 768)


def caption_box(picture):
    """The bounding box of the caption's silver and white pixels (nothing else
    in the picture is that light), or None."""
    width, height, pixels = picture
    xs, ys = [], []
    for y in range(0, height, 2):
        for x in range(0, width, 2):
            r, g, b = pixels[3 * (y * width + x):3 * (y * width + x) + 3]
            if min(r, g, b) >= 180:
                xs.append(x)
                ys.append(y)
    return (min(xs), min(ys), max(xs), max(ys)) if len(xs) > 20 else None


def whole_caption(picture):
    box = caption_box(picture)
    return box if box and box[0] > 2 and box[1] > 2 and box[2] < picture[0] - 3 and box[3] < picture[1] - 3 else None


def full_screen(label, end):
    size = f"{SCREEN[0]}x{SCREEN[1]}x24"
    with Desktop(screen=size, managed=True, command=("wine", SCR, "/s")) as desktop:
        check(f"{label}: a window", desktop.window is not None)
        geometry = tool(desktop.env, "xdotool", "getwindowgeometry", str(desktop.window))
        check(f"{label}: it covers the screen", f"Geometry: {SCREEN[0]}x{SCREEN[1]}" in geometry, geometry)
        state = tool(desktop.env, "xprop", "-id", str(desktop.window), "_NET_WM_STATE")
        check(f"{label}: topmost and full screen", "_NET_WM_STATE_ABOVE" in state and "FULLSCREEN" in state, state)
        check_static(desktop.env, "root", label)
        box = wait_for(lambda: whole_caption(screenshot(desktop.env, "root")))
        check(f"{label}: a whole caption on the screen", box, box)
        end(desktop)
        code = desktop.end_code()
        check(f"{label}: exit status 0", code == 0, f"{code} {desktop.stderr()[-500:]}")


def test_full_screen_ends_on_a_mouse_movement():
    def move(desktop):
        # The first move may be the one the pointer is measured from; a few
        # pixels do not count, forty do.
        tool(desktop.env, "xdotool", "mousemove_relative", "2", "2")
        tool(desktop.env, "xdotool", "mousemove_relative", "40", "40")
    full_screen("/s, mouse", move)


def test_full_screen_ends_on_a_key():
    def press(desktop):
        # A screensaver the system starts has the keyboard; here the window
        # manager is asked to give it.
        tool(desktop.env, "xdotool", "windowactivate", "--sync", str(desktop.window))
        tool(desktop.env, "xdotool", "key", "space")
    full_screen("/s, key", press)


def host(env, *arguments):
    done = subprocess.run(["wine", HOST, *arguments], env=env, capture_output=True, text=True, timeout=4 * LIMIT)
    return done.stdout.splitlines()


def with_display(test):
    def run():
        server, display = start_xvfb("800x600x24")
        try:
            test(desktop_env(display))
        finally:
            stop(None, server)
    run.__name__ = test.__name__
    return run


@with_display
def test_preview_follows_its_window_and_ends_with_it(env):
    lines = host(env, "preview", SCR)
    check("/p: a child of the host's window, made by the screensaver", "child theirs of host" in lines, lines)
    sizes = [line.split()[1:4:2] for line in lines if line.startswith(("size ", "resized "))]
    check("/p: at the window's client size, before and after a resize",
          len(sizes) == 2 and all(a == b for a, b in sizes) and sizes[0] != sizes[1], lines)
    check("/p: exit 0 once the window is gone", lines[-1:] == ["exit 0"], lines)


# Arguments ({host}: a window of the host, {gone}: a destroyed one), the box's
# owner, words of its text, the exit status.
BOXES = [
    ([], "none", "no settings", 0),
    (["/c"], "none", "no settings", 0),
    (["-C:{host}"], "host", "no settings", 0),
    (["/c", "{gone}"], "none", "no settings", 0),
    (["/p"], "none", "/p needs the handle", 2),
    (["/P", "abc"], "none", '"abc" after /p is not a window handle', 2),
    (["/p", "{gone}"], "none", "There is no window", 2),
    (["/x"], "none", 'Unknown option "/x"', 2),
    (["/s", "5"], "none", 'Unexpected argument "5"', 2),
]


@with_display
def test_settings_and_bad_command_lines_show_a_box(env):
    for arguments, owner, words, status in BOXES:
        lines = host(env, "box", SCR, *arguments)
        label = " ".join(arguments) or "no arguments"
        check(f"{label}: a box owned by {owner}", f"box owner {owner}" in lines, lines)
        check(f"{label}: it says {words}", any(line.startswith("text ") and words in line for line in lines), lines)
        check(f"{label}: exit status {status}", lines[-1:] == [f"exit {status}"], lines)


run_all(test_full_screen_ends_on_a_mouse_movement, test_full_screen_ends_on_a_key,
        test_preview_follows_its_window_and_ends_with_it, test_settings_and_bad_command_lines_show_a_box)
