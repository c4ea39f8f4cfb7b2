"""nosignal.scr under Wine, as the desktop's screen saver settings run it:
full screen and topmost until the mouse moves beyond a few pixels or a key
goes down; the preview in a child of another program's window, which follows
that window's size and ends when it goes. The full-screen runs have a window
manager, as a desktop does (without one, Wine waits two seconds for a
full-screen window to be withdrawn). Wine shows no pixels of a child window
that another process owns: the preview's drawing, and the boxes, are tested
in-process (screensaver_*_windows_test)."""
import os
import subprocess

from e2e_support import (BUILD_DIR, LIMIT, Desktop, check, check_static, desktop_env, run_all, screenshot,
                         start_xvfb, stop, tool, wait_for)

SCR = os.path.join(BUILD_DIR, "nosignal.scr")
HOST = os.path.join(BUILD_DIR, "tests", "screensaver_host.exe")


def whole_caption(picture):
    """The caption's silver and white (nothing else is that light) lie clear
    of the screen's edges."""
    width, height, pixels = picture
    light = [(x, y) for y in range(0, height, 2) for x in range(0, width, 2)
             if min(pixels[3 * (y * width + x):3 * (y * width + x) + 3]) >= 180]
    xs, ys = [x for x, _ in light], [y for _, y in light]
    return len(light) > 20 and min(xs) > 2 and min(ys) > 2 and max(xs) < width - 3 and max(ys) < height - 3


def full_screen(label, end):
    with Desktop(screen="1024x768x24", managed=True, command=("wine", SCR, "/s")) as desktop:
        def geometry():
            return tool(desktop.env, "xdotool", "getwindowgeometry", str(desktop.window))
        check(f"{label}: a window over the screen", wait_for(lambda: "Geometry: 1024x768" in geometry()), geometry())
        state = tool(desktop.env, "xprop", "-id", str(desktop.window), "_NET_WM_STATE")
        check(f"{label}: topmost and full screen", "_NET_WM_STATE_ABOVE" in state and "FULLSCREEN" in state, state)
        check_static(desktop.env, "root", label)
        check(f"{label}: a whole caption", wait_for(lambda: whole_caption(screenshot(desktop.env, "root"))))
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
        # manager is asked to give it, until it has (nothing else is sent).
        def pressed():
            tool(desktop.env, "xdotool", "windowactivate", "--sync", str(desktop.window))
            tool(desktop.env, "xdotool", "key", "space")
            return desktop.program.poll() is not None
        wait_for(pressed)
    full_screen("/s, key", press)


def test_preview_follows_its_window_and_ends_with_it():
    server, display = start_xvfb("800x600x24")
    try:
        lines = subprocess.run(["wine", HOST, SCR], env=desktop_env(display), capture_output=True, text=True,
                               timeout=4 * LIMIT).stdout.splitlines()
    finally:
        stop(None, server)
    check("/p: a child of the host's window, made by the screensaver", "child theirs of host" in lines, lines)
    sizes = [line.split()[1:4:2] for line in lines if line.startswith(("size ", "resized "))]
    check("/p: at the window's client size, before and after a resize",
          len(sizes) == 2 and all(a == b for a, b in sizes) and sizes[0] != sizes[1], lines)
    check("/p: exit 0 once the window is gone", lines[-1:] == ["exit 0"], lines)


run_all(test_full_screen_ends_on_a_mouse_movement, test_full_screen_ends_on_a_key,
        test_preview_follows_its_window_and_ends_with_it)
