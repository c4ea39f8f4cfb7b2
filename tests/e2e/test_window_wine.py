"""nosignal.exe as a user runs it under Wine, on an X display with a window
manager: its title, the moving static, the static filling the window after a
resize, and a close that ends the program with exit code 0."""
import ctypes
import os
import re
import subprocess
import time

from e2e_support import BUILD_DIR, check, run_all, start_openbox, start_xvfb, wait_for

PROGRAM = os.path.join(BUILD_DIR, "nosignal.exe")
TITLE = "TV:QX - No signal..."


def tool(env, *command):
    return subprocess.run(command, env=env, capture_output=True, text=True, timeout=30).stdout


def screenshot(env, window):
    """Width, height and RGB bytes of the window's picture."""
    def take():
        data = subprocess.run(["import", "-window", str(window), "-depth", "8", "ppm:-"], env=env,
                              capture_output=True, timeout=30).stdout
        match = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
        return match and (int(match.group(1)), int(match.group(2)), data[match.end():])
    return wait_for(take, 10)


def static_share(picture, left=0, top=0):
    """Share of the pixels right of `left` and below `top` that are greys of
    the static, provided they vary as static does."""
    width, height, pixels = picture
    grey = total = 0
    values = set()
    for y in range(top, height, 3):
        for x in range(left, width, 3):
            r, g, b = pixels[3 * (y * width + x):3 * (y * width + x) + 3]
            total += 1
            if r == g == b and r <= 89:
                grey += 1
                values.add(r)
    return grey / total if total and len(values) >= 60 else 0.0


def changed_share(first, second):
    a, b, step = first[2], second[2], 3 * 7
    if len(a) != len(b):
        return 1.0
    return sum(a[i:i + 3] != b[i:i + 3] for i in range(0, len(a) - 2, step)) / (len(a) // step)


def close_window(display_name, window):
    """Asks the window manager to close the window, as its close button does:
    a _NET_CLOSE_WINDOW message to the root window."""
    xlib = ctypes.CDLL("libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    display = ctypes.c_void_p(xlib.XOpenDisplay(display_name.encode()))
    message_type = xlib.XInternAtom(display, b"_NET_CLOSE_WINDOW", 0)
    # XClientMessageEvent as longs: type, serial, send_event, display,
    # window, message_type, format, then the data.
    event = (ctypes.c_long * 24)(33, 0, 0, 0, window, message_type, 32, 0, 2)
    substructure = (1 << 19) | (1 << 20)
    xlib.XSendEvent(display, ctypes.c_ulong(xlib.XDefaultRootWindow(display)), 0, ctypes.c_long(substructure), event)
    xlib.XFlush(display)
    xlib.XCloseDisplay(display)


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

    close_window(env["DISPLAY"], window)
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
        if program is not None and program.poll() is None:
            program.kill()
            program.wait()
        for process in (manager, server):
            if process is not None:
                process.terminate()
                process.wait()


run_all(test_window_under_wine)
