"""nosignal as a user runs it on an X display, once with no window manager
and once under one that draws frames: its window's name, class and outer
size, the moving static, resizing, minimising and closing. The Windows
program runs the same session under Wine (test_window_wine.py)."""
import re

from e2e_support import LIMIT, TITLE, Desktop, check, check_close, check_static, run_all, screenshot, static_share, \
    tool, wait_for


def window_facts(env, window):
    """Root, parent, size and map state of a window."""
    text = tool(env, "xwininfo", "-tree", "-stats", "-id", str(window))
    root, parent, width, height = (int(re.search(pattern, text).group(1), 0) for pattern in (
        r"Root window id: (0x[0-9a-f]+)", r"Parent window id: (0x[0-9a-f]+)", r"Width: (\d+)", r"Height: (\d+)"))
    return root, parent, (width, height), re.search(r"Map State: (\w+)", text).group(1)


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


def run_session(desktop, label, native=True):
    env, window = desktop.env, desktop.window
    if desktop.managed:
        check(f"{label}: window manager runs", desktop.manager_ready)
    if not check(f"{label}: window appears", window is not None, desktop.stderr()):
        return
    check(f"{label}: title", f'"{TITLE}"' in tool(env, "xprop", "-id", str(window), "WM_NAME"))
    if native:  # Wine names the class and sizes the frame its own way
        check(f"{label}: X11 class",
              '"MainWClass", "MainWClass"' in tool(env, "xprop", "-id", str(window), "WM_CLASS"))
        check(f"{label}: outer size 1024x768", wait_for(lambda: outer_size(env, window) == (1024, 768)),
              str(outer_size(env, window)))
    check_static(env, window, label)

    def strips():  # the newly uncovered strips right of and below the old client area (none before the resize)
        enlarged = screenshot(env, window)
        return min(static_share(enlarged, 1030, 0), static_share(enlarged, 0, 780))

    tool(env, "xdotool", "windowsize", str(window), "1300", "1000")
    filled = wait_for(lambda: strips() > 0.9, timeout=LIMIT if native else LIMIT / 3)
    if not filled and not native:
        # Under load, Wine now and then resizes the X window while the program
        # keeps drawing at the old size; a second resize, as a user would
        # drag again, gets through.
        tool(env, "xdotool", "windowsize", str(window), "1310", "1010")
        filled = wait_for(lambda: strips() > 0.9)
    check(f"{label}: static fills the enlarged area", filled, f"{strips():.3f} {window_facts(env, window)}")

    if desktop.managed and native:
        tool(env, "xdotool", "windowminimize", "--sync", str(window))
        # Frames of the minimised size cost little: wait for the next tick of processor time.
        before = cpu_ticks(desktop.program.pid)
        composing = wait_for(lambda: cpu_ticks(desktop.program.pid) > before)
        check(f"{label}: minimised window keeps composing frames", desktop.program.poll() is None and composing)
        tool(env, "xdotool", "windowactivate", "--sync", str(window))
        shown = wait_for(lambda: window_facts(env, window)[3] == "IsViewable")
        if check(f"{label}: restored window is shown again", shown):
            check_static(env, window, f"{label}, restored")
    check_close(desktop, label)


def test_without_a_window_manager():
    with Desktop() as desktop:
        run_session(desktop, "without a window manager")


def test_under_a_window_manager():
    with Desktop(managed=True) as desktop:
        run_session(desktop, "with a window manager")


if __name__ == "__main__":
    run_all(test_without_a_window_manager, test_under_a_window_manager)
