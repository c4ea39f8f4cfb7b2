"""nosignal as a user runs it on an X display, once with no window manager
and once under one that draws frames: its window's name, class and outer
size, the moving static, resizing, minimising and closing; and its refusal
to start without a display."""
import argparse
import ctypes
import os
import re
import select
import subprocess
import sys
import time

parser = argparse.ArgumentParser()
parser.add_argument("--build-dir", required=True)
parser.add_argument("--source-dir", required=True)
args = parser.parse_args()
PROGRAM = os.path.join(args.build_dir, "nosignal")
# Sanitizer builds start and draw more slowly.
SLOW = 3 if "san" in os.path.basename(os.path.normpath(args.build_dir)) else 1

# Leak checking in sanitizer builds skips the desktop libraries' own leaks.
os.environ["LSAN_OPTIONS"] = "suppressions=" + os.path.join(
    os.path.dirname(os.path.abspath(__file__)), "lsan_desktop.supp")

results = {"passed": 0, "failed": 0}


def check(name, condition, detail=""):
    if condition:
        results["passed"] += 1
    else:
        results["failed"] += 1
        print(f"FAIL {name} {detail}", flush=True)


def tool(env, *command):
    done = subprocess.run(command, env=env, capture_output=True, text=True, timeout=30)
    return done.stdout


def wait_for(condition, timeout):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    return condition()


# ---- X server and window manager -------------------------------------------
def start_xvfb():
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1600x1200x24", "-nolisten", "tcp"],
        pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    deadline = time.monotonic() + 20
    while not number.endswith(b"\n") and time.monotonic() < deadline:
        ready, _, _ = select.select([read_end], [], [], 0.5)
        if ready:
            chunk = os.read(read_end, 16)
            if not chunk:
                break
            number += chunk
    os.close(read_end)
    if not number.strip():
        server.kill()
        raise RuntimeError("Xvfb did not start")
    return server, ":" + number.decode().strip()


def start_window_manager(env):
    manager = subprocess.Popen(["openbox", "--sm-disable"], env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait_for(lambda: "window id" in tool(env, "xprop", "-root", "_NET_SUPPORTING_WM_CHECK"), 10)
    return manager


# ---- X11 client messages through Xlib ----------------------------------------
class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]


class Event(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]


def send_client_message(display_name, target, window, message_type, data, mask):
    xlib = ctypes.CDLL("libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    xlib.XDefaultRootWindow.restype = ctypes.c_ulong
    xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    xlib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                ctypes.POINTER(Event)]
    xlib.XFlush.argtypes = [ctypes.c_void_p]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = xlib.XOpenDisplay(display_name.encode())
    event = Event()
    event.xclient.type = 33  # ClientMessage
    event.xclient.window = window
    event.xclient.message_type = xlib.XInternAtom(display, message_type.encode(), 0)
    event.xclient.format = 32
    for i, value in enumerate(data):
        event.xclient.data[i] = xlib.XInternAtom(display, value.encode(), 0) \
            if isinstance(value, str) else value
    destination = xlib.XDefaultRootWindow(display) if target == "root" else window
    xlib.XSendEvent(display, destination, 0, mask, ctypes.byref(event))
    xlib.XFlush(display)
    xlib.XCloseDisplay(display)


def close_window(display_name, window, managed):
    if managed:
        # Ask the window manager, as its close button does.
        substructure = (1 << 19) | (1 << 20)
        send_client_message(display_name, "root", window, "_NET_CLOSE_WINDOW", [0, 2], substructure)
    else:
        send_client_message(display_name, "window", window, "WM_PROTOCOLS",
                            ["WM_DELETE_WINDOW", 0], 0)


# ---- Looking at the window -----------------------------------------------------
def find_window(env):
    found = tool(env, "xdotool", "search", "--classname", "^MainWClass$").split()
    return int(found[0]) if found else None


def window_info(env, window):
    text = tool(env, "xwininfo", "-tree", "-id", str(window))
    root = int(re.search(r"Root window id: (0x[0-9a-f]+)", text).group(1), 16)
    parent = int(re.search(r"Parent window id: (0x[0-9a-f]+)", text).group(1), 16)
    return root, parent


def geometry(env, window):
    text = tool(env, "xwininfo", "-id", str(window))
    width = int(re.search(r"Width: (\d+)", text).group(1))
    height = int(re.search(r"Height: (\d+)", text).group(1))
    return width, height


def outer_size(env, window):
    """The size of the top-level window that holds ours: the frame the window
    manager drew, or our own window when there is none."""
    root, parent = window_info(env, window)
    while parent != root:
        window = parent
        root, parent = window_info(env, window)
    return geometry(env, window)


def screenshot(env, window):
    data = subprocess.run(["import", "-window", str(window), "-depth", "8", "ppm:-"], env=env,
                          capture_output=True, timeout=30).stdout
    match = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
    width, height = int(match.group(1)), int(match.group(2))
    return width, height, data[match.end():]


def static_share(picture, left=0, top=0):
    """Share of pixels from (left, top) on that are greys of the static (0 to
    89); none at all unless the greys also vary as static does (a plain dark
    area is not static)."""
    width, height, pixels = picture
    grey = total = 0
    values = set()
    for y in range(top, height, 3):
        row = y * width * 3
        for x in range(left, width, 3):
            r, g, b = pixels[row + 3 * x:row + 3 * x + 3]
            total += 1
            if r == g == b and r <= 89:
                grey += 1
                values.add(r)
    if total == 0 or len(values) < 60:
        return 0.0
    return grey / total


def changed_share(first, second):
    _, _, a = first
    _, _, b = second
    if len(a) != len(b):
        return 1.0
    step = 3 * 7
    changed = sum(a[i:i + 3] != b[i:i + 3] for i in range(0, len(a) - 2, step))
    return changed / (len(a) // step)


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


# ---- One session -----------------------------------------------------------------
def session(managed):
    label = "with a window manager" if managed else "without a window manager"
    server, display = start_xvfb()
    env = dict(os.environ, DISPLAY=display)
    env.pop("SDL_VIDEODRIVER", None)
    env.pop("WAYLAND_DISPLAY", None)
    manager = start_window_manager(env) if managed else None
    program = subprocess.Popen([PROGRAM], env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    try:
        window = wait_for(lambda: find_window(env), 10 * SLOW)
        check(f"window appears ({label})", window is not None)
        if window is None:
            return
        check(f"title ({label})",
              '"TV:QX - No signal..."' in tool(env, "xprop", "-id", str(window), "WM_NAME"))
        check(f"X11 class ({label})",
              '"MainWClass", "MainWClass"' in tool(env, "xprop", "-id", str(window), "WM_CLASS"))
        size = wait_for(lambda: outer_size(env, window) == (1024, 768) and (1024, 768), 5 * SLOW)
        check(f"outer size 1024x768 ({label})", size, str(outer_size(env, window)))

        time.sleep(0.5 * SLOW)
        first = screenshot(env, window)
        time.sleep(0.3 * SLOW)
        second = screenshot(env, window)
        check(f"grey static ({label})", static_share(first) > 0.9, f"{static_share(first):.3f}")
        check(f"picture moves ({label})", changed_share(first, second) > 0.5,
              f"{changed_share(first, second):.3f}")

        tool(env, "xdotool", "windowsize", str(window), "1300", "1000")
        client = wait_for(lambda: geometry(env, window)[0] >= 1300 and geometry(env, window), 5 * SLOW)
        time.sleep(0.5 * SLOW)
        enlarged = screenshot(env, window)
        check(f"resized ({label})", bool(client), str(geometry(env, window)))
        # The newly uncovered strip right and below the old client area.
        check(f"static fills the enlarged area ({label})",
              static_share(enlarged, 1030, 0) > 0.9 and static_share(enlarged, 0, 780) > 0.9,
              f"{static_share(enlarged, 1030, 0):.3f} {static_share(enlarged, 0, 780):.3f}")

        if managed:
            tool(env, "xdotool", "windowminimize", str(window))
            time.sleep(0.3 * SLOW)
            before = cpu_ticks(program.pid)
            time.sleep(1.0)
            check("minimised window keeps composing frames",
                  program.poll() is None and cpu_ticks(program.pid) > before)
            tool(env, "xdotool", "windowactivate", str(window))
            time.sleep(0.5 * SLOW)
            first = screenshot(env, window)
            time.sleep(0.3 * SLOW)
            check("restored window moves again",
                  changed_share(first, screenshot(env, window)) > 0.5)

        close_window(display, window, managed)
        started = time.monotonic()
        try:
            code = program.wait(timeout=10 * SLOW)
        except subprocess.TimeoutExpired:
            code = None
            if os.environ.get("NOSIGNAL_E2E_DEBUG"):
                print(subprocess.run(["gdb", "-p", str(program.pid), "-batch", "-ex",
                                      "thread apply all bt"], capture_output=True, text=True).stdout)
        took = time.monotonic() - started
        check(f"closing ends the process within a second ({label})", took < 1.0 * SLOW,
              f"{took:.2f}s")
        check(f"exit code 0 after close ({label})", code == 0,
              f"{code} {program.stderr.read().decode('utf-8', 'replace') if code is not None else ''}")
    finally:
        if program.poll() is None:
            program.kill()
        program.wait()
        if manager is not None:
            manager.terminate()
            manager.wait()
        server.terminate()
        server.wait()


def no_display():
    env = {key: value for key, value in os.environ.items()
           if key not in ("DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER")}
    done = subprocess.run([PROGRAM], env=env, capture_output=True, timeout=60)
    stderr = done.stderr.decode("utf-8", "replace")
    check("no display: non-zero exit", done.returncode != 0, str(done.returncode))
    check("no display: creation message on standard error",
          "Помилка створення вікна" in stderr, stderr)


no_display()
session(managed=False)
session(managed=True)
print(f"{results['passed']} passed, {results['failed']} failed")
sys.exit(1 if results["failed"] else 0)
