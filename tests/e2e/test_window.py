"""nosignal as a user runs it on X displays of several depths, with no window
manager and under one that draws frames: its window's exact title (by which
the Desktop finds it), class and outer size, the moving static, resizing,
minimising and closing, and a warning without a usable font. test_wine.py
runs the Windows program so."""
import re
import tempfile

from e2e_support import LIMIT, Desktop, check, check_close, check_static, run_all, screenshot, static_share, tool, \
    wait_for


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


def run_session(desktop, label, native=True, levels=60):
    """Screens of 256 colours show the static in the few greys their colour map gives: `levels` of them."""
    env, window = desktop.env, desktop.window
    if not check(f"{label}: window appears", window is not None, desktop.stderr()):
        return
    if native:  # Wine names the class and sizes the frame its own way
        check(f"{label}: X11 class",
              '"MainWClass", "MainWClass"' in tool(env, "xprop", "-id", str(window), "WM_CLASS"))
        check(f"{label}: outer size 1024x768", wait_for(lambda: outer_size(env, window) == (1024, 768)),
              str(outer_size(env, window)))
    check_static(env, window, label, levels)

    def strips():  # the newly uncovered strips right of and below the old client area (none before the resize)
        enlarged = screenshot(env, window)
        return min(static_share(enlarged, 1030, 0, levels), static_share(enlarged, 0, 780, levels))

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
        # Minimised and restored, the program runs on and draws again.
        tool(env, "xdotool", "windowminimize", "--sync", str(window))
        tool(env, "xdotool", "windowactivate", "--sync", str(window))
        shown = wait_for(lambda: window_facts(env, window)[3] == "IsViewable")
        if check(f"{label}: restored window is shown again", shown):
            check_static(env, window, f"{label}, restored", levels)
    check_close(desktop, label)


def test_sessions():
    with tempfile.TemporaryDirectory() as folder:
        no_fonts = f"{folder}/fonts.conf"
        with open(no_fonts, "w") as f:
            f.write(f'<?xml version="1.0"?>\n<fontconfig><cachedir>{folder}</cachedir></fontconfig>\n')
        for label, options, levels, warnings in (
                ("with a window manager", dict(managed=True), 60, 0),
                ("no window manager, 30-bit screen", dict(screen="1600x1200x30"), 60, 0),
                ("no window manager, 16-bit screen, no font", dict(screen="1600x1200x16", FONTCONFIG_FILE=no_fonts),
                 20, 1),
                ("no window manager, 8-bit screen", dict(screen="1600x1200x8"), 10, 0)):
            with Desktop(**options) as desktop:
                run_session(desktop, label, levels=levels)
                lines = desktop.stderr().splitlines()
                check(f"{label}: warned of no font {warnings} times, in a line each",
                      len(lines) == warnings and all("no usable font" in line for line in lines), lines)


if __name__ == "__main__":
    run_all(test_sessions)
