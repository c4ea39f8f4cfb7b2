"""nosignal.exe as a user runs it under Wine, on an X display with a window
manager: its title, the moving static, the static filling the window after a
resize, and a close that ends the program with exit code 0."""
import os
import re
import subprocess
import time

from desktop_support import changed_share, close_window, screenshot, static_share, stop, tool
from e2e_support import BUILD_DIR, check, run_all, start_openbox, start_xvfb, wait_for

PROGRAM = os.path.join(BUILD_DIR, "nosignal.exe")
TITLE = "TV:QX - No signal..."


def client_size(env, window):
    text = tool(env, "xwininfo", "-id", str(window))
    return int(re.search(r"Width: (\d+)", text).group(1)), int(re.search(r"Height: (\d+)", text).group(1))


def run_session(env, program):
    found = wait_for(lambda: tool(env, "xdotool", "search", "--name", "^TV:QX - No signal").split(), 60)
    check("window appears", bool(found))
    if not found:
        return
    window = int(found[0])
    check("title", f'"{TITLE}"' in tool(env, "xprop", "-id", str(window), "WM_NAME"))

    time.sleep(1.0)
    first = screenshot(env, window)
    check("grey static", first and static_share(first) > 0.9, first and f"{static_share(first):.3f}")
    time.sleep(0.5)
    check("static changes", changed_share(first, screenshot(env, window)) > 0.5)

    tool(env, "xdotool", "windowsize", str(window), "1300", "1000")
    check("resized", wait_for(lambda: client_size(env, window)[0] >= 1250, 10), str(client_size(env, window)))
    time.sleep(1.0)
    enlarged = screenshot(env, window)
    # The strips right of and below the old client area.
    shares = static_share(enlarged, 1030, 0), static_share(enlarged, 0, 780)
    check("static fills the enlarged window", min(shares) > 0.9, str(shares))

    close_window(env["DISPLAY"], window, managed=True)
    try:
        code = program.wait(timeout=30)
    except subprocess.TimeoutExpired:
        code = None
    check("exit code 0 after close", code == 0, str(code))


def test_window_under_wine():
    server, display = start_xvfb()
    env = dict(os.environ, DISPLAY=display)
    manager = program = None
    try:
        manager, ready = start_openbox(env)
        check("window manager runs", ready)
        program = subprocess.Popen(["wine", PROGRAM], env=env, stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        run_session(env, program)
    finally:
        stop(program, manager, server)


run_all(test_window_under_wine)
