"""nosignal as a user runs it on an X display, once with no window manager
and once under one that draws frames: its window's name, class and outer
size, the moving static, resizing, minimising and closing."""
import re
import shutil
import subprocess
import time

from desktop_support import Desktop, close_window, moves, screenshot, static_share, tool
from e2e_support import SLOW, check, run_all, wait_for


# ---- Looking at the window -----------------------------------------------------
def window_facts(env, window):
    """Root, parent, size and map state of a window."""
    text = tool(env, "xwininfo", "-tree", "-stats", "-id", str(window))
    root, parent, width, height = (int(re.search(pattern, text).group(1), 0) for pattern in (
        r"Root window id: (0x[0-9a-f]+)", r"Parent window id: (0x[0-9a-f]+)", r"Width: (\d+)", r"Height: (\d+)"))
    return root, parent, (width, height), re.search(r"Map State: (\w+)", text).group(1)


def client_size(env, window):
    return window_facts(env, window)[2]


def viewable(env, window):
    return window_facts(env, window)[3] == "IsViewable"


def outer_size(env, window):
    """The size of the top-level window that holds ours: the frame the window
    manager drew, or our own window when there is none."""
    root, parent, size, _ = window_facts(env, window)
    while parent != root:
        root, parent, size, _ = window_facts(env, parent)
    return size


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


# ---- One session -----------------------------------------------------------------
def run_session(desktop, label):
    env, window, program, managed = desktop.env, desktop.window, desktop.program, desktop.managed
    check(f"window appears ({label})", window is not None)
    if window is None:
        return
    check(f"title ({label})", '"TV:QX - No signal..."' in tool(env, "xprop", "-id", str(window), "WM_NAME"))
    check(f"X11 class ({label})",
          '"MainWClass", "MainWClass"' in tool(env, "xprop", "-id", str(window), "WM_CLASS"))
    check(f"outer size 1024x768 ({label})",
          wait_for(lambda: outer_size(env, window) == (1024, 768), 5 * SLOW), str(outer_size(env, window)))

    time.sleep(0.5 * SLOW)
    picture = screenshot(env, window)
    check(f"grey static ({label})", static_share(picture) > 0.9, f"{static_share(picture):.3f}")
    check(f"picture moves ({label})", moves(env, window))

    tool(env, "xdotool", "windowsize", str(window), "1300", "1000")
    check(f"resized ({label})", wait_for(lambda: client_size(env, window)[0] >= 1300, 5 * SLOW),
          str(client_size(env, window)))
    time.sleep(0.5 * SLOW)
    enlarged = screenshot(env, window)
    # The newly uncovered strips right of and below the old client area.
    shares = static_share(enlarged, 1030, 0), static_share(enlarged, 0, 780)
    check(f"static fills the enlarged area ({label})", min(shares) > 0.9, str(shares))

    if managed:
        tool(env, "xdotool", "windowminimize", "--sync", str(window))
        before = cpu_ticks(program.pid)
        # Frames of the minimised size cost little: wait for the next tick of
        # processor time rather than for a fixed second.
        composing = wait_for(lambda: cpu_ticks(program.pid) > before, 5 * SLOW)
        check("minimised window keeps composing frames", program.poll() is None and composing)
        tool(env, "xdotool", "windowactivate", "--sync", str(window))
        check("restored window is shown again", wait_for(lambda: viewable(env, window), 5 * SLOW))
        time.sleep(0.3 * SLOW)
        check("restored window moves again", moves(env, window))

    close_window(desktop.display, window, managed)
    started = time.monotonic()
    try:
        code = program.wait(timeout=10 * SLOW)
    except subprocess.TimeoutExpired:
        code = None
        if shutil.which("gdb"):  # where it hangs is the one thing worth knowing
            print(tool(None, "gdb", "-p", str(program.pid), "-batch", "-ex", "thread apply all bt"))
    took = time.monotonic() - started
    check(f"closing ends the process within a second ({label})", took < 1.0 * SLOW, f"{took:.2f}s")
    check(f"exit code 0 after close ({label})", code == 0, f"{code} {desktop.stderr()}")


def session(managed):
    label = "with a window manager" if managed else "without a window manager"
    with Desktop(managed=managed) as desktop:
        if managed:
            check("window manager runs", desktop.manager_ready)
        run_session(desktop, label)


def test_without_a_window_manager():
    session(managed=False)


def test_under_a_window_manager():
    session(managed=True)


run_all(test_without_a_window_manager, test_under_a_window_manager)
