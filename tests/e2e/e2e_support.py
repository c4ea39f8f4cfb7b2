"""What the end-to-end scripts share: their arguments, counting checks, waiting
for a condition, and nosignal on an X server of its own, looked at and closed."""
import argparse
import ctypes
import os
import re
import select
import subprocess
import sys
import tempfile
import time
import traceback

_parser = argparse.ArgumentParser()
_parser.add_argument("--build-dir", required=True)
_parser.add_argument("--source-dir", required=True)
_arguments = _parser.parse_args()
BUILD_DIR, SOURCE_DIR = _arguments.build_dir, _arguments.source_dir
# How long a test waits for what it expects: it fails only if that never comes.
# Sanitizer builds and Wine start and draw more slowly.
LIMIT = 90 if re.search("san|win", os.path.basename(os.path.normpath(BUILD_DIR))) else 30
PROGRAM = os.path.join(BUILD_DIR, "nosignal")

_results = {"passed": 0, "failed": 0}


def check(name, condition, detail=""):
    _results["passed" if condition else "failed"] += 1
    if not condition:
        print(f"FAIL {name} {detail}", flush=True)
    return bool(condition)


def wait_for(condition, timeout=LIMIT):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    return condition()


def run_all(*tests):
    """Runs each test; one that breaks off counts as a failure and the rest
    still run, so the summary is always the last line."""
    for test in tests:
        try:
            test()
        except Exception:  # noqa: BLE001 - any break-off is a failure
            check(test.__name__, False, traceback.format_exc())
    print(f"{_results['passed']} passed, {_results['failed']} failed")
    sys.exit(1 if _results["failed"] else 0)


def tool(env, *command):
    return subprocess.run(command, env=env, capture_output=True, text=True, timeout=60).stdout


def start_xvfb(screen, *options):
    """A fresh X server on a free display, whose number Xvfb writes once it accepts
    clients; -noreset, as the tools polled here are its only clients at first."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", screen, "-nolisten", "tcp", "-noreset", *options],
        pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        number = select.select([pipe], [], [], LIMIT)[0] and pipe.readline().strip()
    if not number:
        server.kill()
        raise RuntimeError("Xvfb did not start")
    return server, ":" + number


def desktop_env(display):
    """This environment on `display` (on none if None), without what steers the program elsewhere."""
    env = {key: value for key, value in os.environ.items()
           if key not in ("DISPLAY", "SDL_VIDEODRIVER", "WAYLAND_DISPLAY")}
    return env if display is None else {**env, "DISPLAY": display}


def stop(program, *others):
    """Kills the program, ends the others (servers, window managers) and waits for all; any may be None."""
    if program is not None and program.poll() is None:
        program.kill()
    for process in (program, *others):
        if process is not None:
            if process is not program:
                process.terminate()
            process.wait()


class Desktop:
    """A program (nosignal by default) on an X server of its own, perhaps under
    a window manager, its standard error kept; all end with the block."""

    def __init__(self, screen="1600x1200x24", managed=False, command=(PROGRAM,), server_options=(), **extra_env):
        self.screen, self.managed, self.command, self.extra_env = screen, managed, command, extra_env
        self.server_options = server_options

    def __enter__(self):
        self.server, self.display = start_xvfb(self.screen, *self.server_options)
        self.env = {**desktop_env(self.display), **self.extra_env}
        self.folder, self.manager = tempfile.TemporaryDirectory(), None
        if self.managed:
            # A window mapped before openbox runs its start-up command stays unmapped for good.
            ready = os.path.join(self.folder.name, "ready")
            self.manager = subprocess.Popen(["openbox", "--sm-disable", "--startup", f"touch {ready}"], env=self.env,
                                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            check("openbox starts", wait_for(lambda: os.path.exists(ready)))
        self.errors = open(os.path.join(self.folder.name, "stderr"), "w+b")
        self.program = subprocess.Popen(list(self.command), env=self.env, stdin=subprocess.DEVNULL,
                                        stdout=subprocess.DEVNULL, stderr=self.errors)
        found = wait_for(lambda: tool(self.env, "xdotool", "search", "--name", r"^TV:QX - No signal\.\.\.$").split())
        self.window = int(found[0]) if found else None
        return self

    def __exit__(self, *_):
        stop(self.program, self.manager, self.server)
        self.errors.close()
        self.folder.cleanup()

    def stderr(self):
        self.errors.seek(0)
        return self.errors.read().decode("utf-8", "replace")

    def end_code(self):
        """The exit status once the program has ended; None if it runs on."""
        try:
            return self.program.wait(timeout=LIMIT)
        except subprocess.TimeoutExpired:
            return None


def screenshot(env, window):
    """Width, height and RGB bytes of the window's picture, tried for a while:
    a window that is not on the screen yet cannot be taken."""
    def take():
        data = subprocess.run(["import", "-window", str(window), "-depth", "8", "ppm:-"], env=env,
                              capture_output=True, timeout=60).stdout
        match = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
        return match and (int(match.group(1)), int(match.group(2)), data[match.end():])
    return wait_for(take)


def static_share(picture, left=0, top=0, levels=60):
    """Share of pixels from (left, top) on that are greys of the static (0 to
    89, within a screen's rounding); none at all unless at least `levels`
    greys occur, as in static (a plain dark area is not static)."""
    width, height, pixels = picture
    grey = total = 0
    values = set()
    for y in range(top, height, 3):
        for x in range(left, width, 3):
            r, g, b = pixels[3 * (y * width + x):3 * (y * width + x) + 3]
            total += 1
            # Screens of fewer bits per colour round red, green and blue apart.
            if max(r, g, b) - min(r, g, b) <= 8 and g <= 89 + 8:
                grey += 1
                values.add(g)
    return grey / total if total and len(values) >= levels else 0.0


def changed_share(first, second):
    a, b, step = first[2], second[2], 3 * 7
    if len(a) != len(b):
        return 1.0
    return sum(a[i:i + 3] != b[i:i + 3] for i in range(0, len(a) - 2, step)) / (len(a) // step)


def check_static(env, window, label, levels=60, share=0.9, detail=""):
    """The window comes to show grey static, and its picture then changes."""
    def shown():
        return static_share(screenshot(env, window), levels=levels)
    check(f"{label}: grey static", wait_for(lambda: shown() > share), f"{shown():.3f} {detail}")
    first = screenshot(env, window)
    check(f"{label}: the picture moves", wait_for(lambda: changed_share(first, screenshot(env, window)) > 0.5))


def check_close(desktop, label):
    """A close asked for as a user does ends the program with status 0: the
    window's own protocol, which is also what a window manager's close button sends."""
    xlib = ctypes.CDLL("libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    display = ctypes.c_void_p(xlib.XOpenDisplay(desktop.display.encode()))
    protocols, delete = (xlib.XInternAtom(display, name, 0) for name in (b"WM_PROTOCOLS", b"WM_DELETE_WINDOW"))
    # XClientMessageEvent as longs: type, serial, send_event, display,
    # window, message_type, format, then five longs of data.
    event = (ctypes.c_long * 24)(33, 0, 0, 0, desktop.window, protocols, 32, delete)
    xlib.XSendEvent(display, ctypes.c_ulong(desktop.window), 0, ctypes.c_long(0), event)
    xlib.XCloseDisplay(display)  # sends what is queued
    code = desktop.end_code()
    check(f"{label}: exit status 0 after close", code == 0, f"{code} {desktop.stderr()}")
