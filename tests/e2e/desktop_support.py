"""What the end-to-end scripts that run nosignal on a desktop share: an X
server of their own, finding the window, and looking at its picture."""
import ctypes
import os
import re
import subprocess
import tempfile
import time

from e2e_support import BUILD_DIR, SLOW, start_openbox, start_xvfb, wait_for  # noqa: F401 - shared with the tests

PROGRAM = os.path.join(BUILD_DIR, "nosignal")


def tool(env, *command):
    return subprocess.run(command, env=env, capture_output=True, text=True, timeout=30).stdout


def desktop_env(display):
    """This environment on `display`, without what would steer the program to another desktop."""
    env = {key: value for key, value in os.environ.items() if key not in ("SDL_VIDEODRIVER", "WAYLAND_DISPLAY")}
    env["DISPLAY"] = display
    return env


def stop(program, *others):
    """Kills the program if it still runs, ends the others (servers, window
    managers) and waits for all of them; any of them may be None."""
    if program is not None and program.poll() is None:
        program.kill()
    for process in (program, *others):
        if process is not None:
            if process is not program:
                process.terminate()
            process.wait()


def find_window(env):
    found = tool(env, "xdotool", "search", "--classname", "^MainWClass$").split()
    return int(found[0]) if found else None


def screenshot(env, window):
    """Width, height and RGB bytes of the window's picture, tried for a while:
    a window that is not on the screen yet cannot be taken."""
    def take():
        data = subprocess.run(["import", "-window", str(window), "-depth", "8", "ppm:-"], env=env,
                              capture_output=True, timeout=30).stdout
        match = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
        return match and (int(match.group(1)), int(match.group(2)), data[match.end():])
    return wait_for(take, 5 * SLOW)


def static_share(picture, left=0, top=0, levels=60):
    """Share of pixels from (left, top) on that are greys of the static (0 to
    89, within a screen's rounding); none at all unless at least `levels` greys occur, as in static (a
    plain dark area is not static)."""
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


def moves(env, window):
    first = screenshot(env, window)
    time.sleep(0.3 * SLOW)
    return changed_share(first, screenshot(env, window)) > 0.5


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


class Desktop:
    """nosignal on an X server of its own, with its standard error in a file;
    both end with the block."""

    def __init__(self, screen="1600x1200x24", managed=False, program=PROGRAM, **extra_env):
        self.screen, self.managed, self.program_path, self.extra_env = screen, managed, program, extra_env
        self.manager, self.manager_ready = None, False

    def __enter__(self):
        self.server, self.display = start_xvfb(self.screen)
        self.env = {**desktop_env(self.display), **self.extra_env}
        if self.managed:
            self.manager, self.manager_ready = start_openbox(self.env)
        self.errors = tempfile.TemporaryFile()
        self.program = subprocess.Popen([self.program_path], env=self.env, stdout=subprocess.DEVNULL, stderr=self.errors)
        self.window = wait_for(lambda: find_window(self.env), 10 * SLOW)
        return self

    def __exit__(self, *_):
        stop(self.program, self.manager, self.server)
        self.errors.close()

    def stderr(self):
        self.errors.seek(0)
        return self.errors.read().decode("utf-8", "replace")

    def end_code(self):
        """The exit status once the program has ended; None if it runs on."""
        try:
            return self.program.wait(timeout=10 * SLOW)
        except subprocess.TimeoutExpired:
            return None
