"""nosignal as a user runs it on an X display, once with no window manager
and once under one that draws frames: its window's name, class and outer
size, the moving static, resizing, minimising and closing; and its refusal
to start without a display."""
import ctypes
import os
import re
import select
import shutil
import subprocess
import tempfile
import time

from e2e_support import BUILD_DIR, SLOW, check, run_all, wait_for

PROGRAM = os.path.join(BUILD_DIR, "nosignal")
# Leak checking in sanitizer builds skips the desktop libraries' own leaks.
os.environ["LSAN_OPTIONS"] = "suppressions=" + os.path.join(
    os.path.dirname(os.path.abspath(__file__)), "lsan_desktop.supp")


def tool(env, *command):
    return subprocess.run(command, env=env, capture_output=True, text=True, timeout=30).stdout


def start_xvfb():
    """A fresh X server on a free display; Xvfb writes the number it took once
    it accepts clients. By default the server starts over whenever its last
    client leaves, and refuses clients meanwhile: the tools polled here come
    and go before the program or the window manager connects, so it must
    not."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1600x1200x24", "-nolisten", "tcp", "-noreset"],
        pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        number = select.select([pipe], [], [], 20)[0] and pipe.readline().strip()
    if not number:
        server.kill()
        raise RuntimeError("Xvfb did not start")
    return server, ":" + number


def send_client_message(display_name, destination, window, message_type, data, mask):
    """Sends an X client message about `window` to `destination` (a window id)
    or, when that is None, to the root window."""
    xlib = ctypes.CDLL("libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    display = ctypes.c_void_p(xlib.XOpenDisplay(display_name.encode()))

    def atom(value):
        return xlib.XInternAtom(display, value.encode(), 0) if isinstance(value, str) else value

    # XClientMessageEvent as longs: type, serial, send_event, display,
    # window, message_type, format, then five longs of data.
    event = (ctypes.c_long * 24)(33, 0, 0, 0, window, atom(message_type), 32, *map(atom, data))
    target = destination if destination is not None else xlib.XDefaultRootWindow(display)
    xlib.XSendEvent(display, ctypes.c_ulong(target), 0, ctypes.c_long(mask), event)
    xlib.XFlush(display)
    xlib.XCloseDisplay(display)


def close_window(display_name, window, managed):
    if managed:  # ask the window manager, as its close button does
        substructure = (1 << 19) | (1 << 20)
        send_client_message(display_name, None, window, "_NET_CLOSE_WINDOW", [0, 2], substructure)
    else:
        send_client_message(display_name, window, window, "WM_PROTOCOLS", ["WM_DELETE_WINDOW", 0], 0)


# ---- Looking at the window -----------------------------------------------------
def find_window(env):
    found = tool(env, "xdotool", "search", "--classname", "^MainWClass$").split()
    return int(found[0]) if found else None


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


def screenshot(env, window):
    """Width, height and RGB bytes of the window's picture, tried for a while:
    a window that is not on the screen yet cannot be taken."""
    def take():
        data = subprocess.run(["import", "-window", str(window), "-depth", "8", "ppm:-"], env=env,
                              capture_output=True, timeout=30).stdout
        match = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
        return match and (int(match.group(1)), int(match.group(2)), data[match.end():])
    return wait_for(take, 5 * SLOW)


def static_share(picture, left=0, top=0):
    """Share of pixels from (left, top) on that are greys of the static (0 to
    89); none at all unless the greys also vary as static does (a plain dark
    area is not static)."""
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


def moves(env, window):
    first = screenshot(env, window)
    time.sleep(0.3 * SLOW)
    return changed_share(first, screenshot(env, window)) > 0.5


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


# ---- One session -----------------------------------------------------------------
def run_session(env, display, program, errors, managed, label):
    window = wait_for(lambda: find_window(env), 10 * SLOW)
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

    close_window(display, window, managed)
    started = time.monotonic()
    try:
        code = program.wait(timeout=10 * SLOW)
    except subprocess.TimeoutExpired:
        code = None
        if shutil.which("gdb"):  # where it hangs is the one thing worth knowing
            print(tool(None, "gdb", "-p", str(program.pid), "-batch", "-ex", "thread apply all bt"))
    took = time.monotonic() - started
    check(f"closing ends the process within a second ({label})", took < 1.0 * SLOW, f"{took:.2f}s")
    errors.seek(0)
    check(f"exit code 0 after close ({label})", code == 0, f"{code} {errors.read().decode('utf-8', 'replace')}")


def session(managed):
    label = "with a window manager" if managed else "without a window manager"
    server, display = start_xvfb()
    env = {key: value for key, value in os.environ.items() if key not in ("SDL_VIDEODRIVER", "WAYLAND_DISPLAY")}
    env["DISPLAY"] = display
    manager = program = None
    errors = tempfile.TemporaryFile()
    try:
        if managed:
            manager = subprocess.Popen(["openbox", "--sm-disable"], env=env,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            running = wait_for(lambda: "window id" in tool(env, "xprop", "-root", "_NET_SUPPORTING_WM_CHECK"), 10)
            check("window manager runs", running)
            if not running:
                return
        # A file, not a pipe: a full pipe would stop the program writing.
        program = subprocess.Popen([PROGRAM], env=env, stdout=subprocess.DEVNULL, stderr=errors)
        run_session(env, display, program, errors, managed, label)
    finally:
        if program is not None:
            program.kill()
            program.wait()
        for process in (manager, server):
            if process is not None:
                process.terminate()
                process.wait()
        errors.close()


def test_no_display():
    env = {key: value for key, value in os.environ.items()
           if key not in ("DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER")}
    done = subprocess.run([PROGRAM], env=env, capture_output=True, timeout=60)
    stderr = done.stderr.decode("utf-8", "replace")
    check("no display: non-zero exit", done.returncode != 0, str(done.returncode))
    check("no display: creation message on standard error", "Помилка створення вікна" in stderr, stderr)


def test_without_a_window_manager():
    session(managed=False)


def test_under_a_window_manager():
    session(managed=True)


run_all(test_no_display, test_without_a_window_manager, test_under_a_window_manager)
