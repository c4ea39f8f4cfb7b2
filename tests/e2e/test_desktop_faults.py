"""nosignal when the desktop fails it: no display to open, the display lost
while it runs, its window destroyed by another client (in the middle of
resizes, too), a window as large as 8000x8000 or too large for any frame,
standard descriptors left closed, the error box under any locale, and a
Wayland desktop without X."""
import ctypes
import os
import platform
import random
import signal
import subprocess
import tempfile

from e2e_support import (BUILD_DIR, LIMIT, PROGRAM, Desktop, check, check_close, check_static, desktop_env, run_all,
                         screenshot, start_xvfb, static_share, stop, tool, wait_for)


def refused(label, env, cause):
    """The program cannot open its window: status 1, its message and the cause."""
    done = subprocess.run([PROGRAM], env=env, capture_output=True, timeout=60)
    stderr = done.stderr.decode("utf-8", "replace")
    check(f"{label}: exit status 1", done.returncode == 1, f"{done.returncode} {stderr}")
    check(f"{label}: says why", "Помилка створення вікна" in stderr and cause in stderr, stderr)


def test_start_without_a_display():
    free = next(n for n in range(97, 200) if not os.path.exists(f"/tmp/.X11-unix/X{n}"))
    refused("no display set", desktop_env(None), "neither DISPLAY nor WAYLAND_DISPLAY is set")
    refused("a display nobody serves", desktop_env(f":{free}"), f'X display ":{free}"')


def test_the_desktop_takes_the_window_away():
    """A lost display ends the program plainly with status 1 (the X library's own
    end spins in SDL over the dead connection); another client's DestroyWindow
    ends it as a close does, the requests still under way about the window
    failing without a word, though the window manager never reports it unmapped."""
    for label, status in (("X server killed", 1), ("destroyed window under a window manager", 0)):
        with Desktop(managed=status == 0) as desktop:
            if not check(f"{label}: window appears", desktop.window is not None, desktop.stderr()):
                continue
            # Frames are under way when it goes.
            wait_for(lambda: static_share(screenshot(desktop.env, desktop.window)) > 0.9)
            if status == 0:
                tool(desktop.env, "xdotool", "windowclose", str(desktop.window))
            else:
                desktop.server.kill()
            code, stderr = desktop.end_code(), desktop.stderr()
            check(f"{label}: the program ends with status {status}", code == status, f"{code} {stderr}")
            check(f"{label}: what standard error says",
                  f'display "{desktop.display}" was lost' in stderr if status else stderr == "", stderr)


def resident_megabytes(pid):
    with open(f"/proc/{pid}/status") as f:
        return next(int(line.split()[1]) // 1024 for line in f if line.startswith("VmRSS:"))


def test_closing_a_very_large_window():
    """A close still ends the program while it draws frames of 8000x8000."""
    if "tsan" in os.path.basename(os.path.normpath(BUILD_DIR)):
        # The thread checker's shadow of gigabyte frames is more than this machine should hold.
        print("closing a very large window: left out under ThreadSanitizer")
        return
    with Desktop(screen="8192x8192x24") as desktop:
        if not check("large window: window appears", desktop.window is not None, desktop.stderr()):
            return
        # At the screen's corner the whole window is on the screen, and so in its picture.
        tool(desktop.env, "xdotool", "windowmove", str(desktop.window), "0", "0")
        tool(desktop.env, "xdotool", "windowsize", str(desktop.window), "8000", "8000")
        # Static in the far corner is a frame of the new size; such a tick
        # takes long on a busy machine.
        large = wait_for(lambda: static_share(screenshot(desktop.env, desktop.window), 7000, 7000) > 0.9, 4 * LIMIT)
        check("large window: frames of 8000x8000 are drawn", large)
        check_close(desktop, "large window")


def find_window(env):
    found = wait_for(lambda: tool(env, "xdotool", "search", "--name", r"^TV:QX - No signal\.\.\.$").split())
    return int(found[0]) if found else None


def resize_then_destroy(display, window, resizes):
    """Resizes the window `resizes` times, each taken by the server before the
    next, and destroys it at once after the last, as another client may."""
    xlib = ctypes.CDLL("libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    connection = ctypes.c_void_p(xlib.XOpenDisplay(display.encode()))
    for step in range(resizes):
        xlib.XResizeWindow(connection, ctypes.c_ulong(window), 300 + 37 * step % 900, 200 + 53 * step % 700)
        xlib.XSync(connection, 0)
    xlib.XDestroyWindow(connection, ctypes.c_ulong(window))
    xlib.XCloseDisplay(connection)


def test_destroyed_while_being_resized():
    """Another client destroys the window while it is being resized: the
    program ends as after a close, with status 0 and nothing said. Whether
    the destruction meets SDL making the resized window's drawing context is
    a race, so it is tried many times, at many moments."""
    server, display = start_xvfb("1600x1200x24")
    env = desktop_env(display)
    try:
        for attempt in range(40):
            program = subprocess.Popen([PROGRAM], env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                       stderr=subprocess.PIPE)
            window = find_window(env)
            if window is not None:
                wait_for(lambda: static_share(screenshot(env, window)) > 0.9)
                resize_then_destroy(display, window, random.randrange(1, 60))
            try:
                stderr = program.communicate(timeout=LIMIT)[1].decode("utf-8", "replace")
            finally:
                stop(program)
            if not check(f"destroyed while resized, attempt {attempt}: status 0, nothing said",
                         window is not None and program.returncode == 0 and stderr == "",
                         f"{window} {program.returncode} {stderr}"):
                break
    finally:
        stop(None, server)


# The system call a sleeping thread waits in (the animation's pause between ticks).
SLEEP_CALL = {"x86_64": "230", "aarch64": "115"}.get(platform.machine(), "230")


def sleeping_thread(pid):
    """(id, voluntary switches so far) of a thread of `pid` besides the main
    one that sleeps now, as the animation does between ticks; None if none."""
    for thread in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{thread}/syscall") as f:
                if thread == str(pid) or f.read().split()[0] != SLEEP_CALL:
                    continue
            with open(f"/proc/{pid}/task/{thread}/status") as f:
                return thread, next(int(line.split()[1]) for line in f if line.startswith("voluntary_ctxt_switches"))
        except (OSError, IndexError, StopIteration):
            continue
    return None


def animation_ticks_on(pid):
    """True once the animation has slept, ticked once more and slept again
    (a sleep begun anew counts another switch); False if it ends instead."""
    first = wait_for(lambda: sleeping_thread(pid))
    if not first:
        return False

    def ticked():
        if not os.path.exists(f"/proc/{pid}/task/{first[0]}"):
            return "ended"
        now = sleeping_thread(pid)
        return now is not None and now[0] == first[0] and now[1] > first[1] and "ticked"
    return wait_for(ticked) == "ticked"


def test_huge_then_normal_window():
    """A window larger than any frame can be shows none, and shows frames
    again once it is small: the animation goes on meanwhile."""
    if "tsan" in os.path.basename(os.path.normpath(BUILD_DIR)):
        print("huge then normal window: left out under ThreadSanitizer")  # its shadow of gigabyte windows
        return
    with Desktop() as desktop:
        if not check("huge window: window appears", desktop.window is not None, desktop.stderr()):
            return
        check_static(desktop.env, desktop.window, "huge window: before")
        tool(desktop.env, "xdotool", "windowsize", str(desktop.window), "27000", "27000")
        # The window's erase fills its client area of 2.9 GB: the program has taken the size.
        check("huge window: the program takes the size",
              wait_for(lambda: resident_megabytes(desktop.program.pid) > 2000, 4 * LIMIT),
              str(resident_megabytes(desktop.program.pid)))
        # The size is out to the animation before the erase: the next whole tick is at the huge size.
        check("huge window: the animation goes on", animation_ticks_on(desktop.program.pid))
        tool(desktop.env, "xdotool", "windowsize", str(desktop.window), "800", "600")
        check_static(desktop.env, desktop.window, "huge window: after", detail=desktop.stderr())
        check_close(desktop, "huge window")


def test_closed_standard_descriptors():
    """Standard input, output or error closed at start: the program runs and
    closes as usual. On a server without RANDR, Xlib warns on standard error
    while SDL opens the display."""
    for redirect in ("2>&-", ">&-", "<&-"):
        label = f"started with {redirect}"
        command = ("sh", "-c", f'exec "$0" {redirect}', PROGRAM)
        with Desktop(command=command, server_options=("-extension", "RANDR")) as desktop:
            if not check(f"{label}: window appears", desktop.window is not None, desktop.stderr()):
                continue
            check_static(desktop.env, desktop.window, label)
            check_close(desktop, label)


def light_pixels(picture):
    return sum(1 for i in range(0, len(picture[2]), 3) if picture[2][i] > 150)


def error_box(env, wanted):
    """The screen once the program shows its box about a driver that cannot
    start and the picture is as `wanted`; None if it never is."""
    program = subprocess.Popen([PROGRAM], env={**env, "SDL_VIDEODRIVER": "nosuch"}, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, start_new_session=True)  # SDL shows it from a child

    def shown():
        picture = screenshot(env, "root")
        return picture if wanted(picture) else None
    try:
        return wait_for(shown)
    finally:
        os.killpg(program.pid, signal.SIGKILL)
        program.wait()


def test_error_box_in_every_locale():
    """The error box's Ukrainian text looks the same under any locale,
    installed or not, as under a UTF-8 one; without a display it goes to
    standard error, in UTF-8."""
    server, display = start_xvfb("800x600x24")
    plain = {key: value for key, value in desktop_env(None).items()
             if not key.startswith("LC_") and key not in ("LANG", "LANGUAGE")}
    try:
        # The text is there: far more light pixels than the button's own.
        reference = error_box({**plain, "DISPLAY": display, "LANG": "C.UTF-8"}, lambda shot: light_pixels(shot) > 300)
        check("error box under C.UTF-8: shows its text", reference is not None)
        for locale in ("C", "uk_UA.UTF-8", "en_US.UTF-8", "xx_YY.UTF-8"):
            if reference is not None:
                same = error_box({**plain, "DISPLAY": display, "LANG": locale}, lambda shot: shot[2] == reference[2])
                check(f"error box under {locale}: the same text", same is not None)
            done = subprocess.run([PROGRAM], env={**plain, "LANG": locale, "SDL_VIDEODRIVER": "nosuch"},
                                  capture_output=True, timeout=60)
            check(f"error box under {locale}: standard error in UTF-8",
                  "Помилка створення вікна" in done.stderr.decode("utf-8", "replace"), done.stderr)
    finally:
        stop(None, server)


def test_wayland_without_x():
    server, display = start_xvfb("1280x1024x24")
    env = desktop_env(display)
    weston = program = None
    with tempfile.TemporaryDirectory() as runtime:
        os.chmod(runtime, 0o700)
        try:
            weston = subprocess.Popen(["weston", "--backend=x11-backend.so", "--use-pixman", "--socket=nosignal-test",
                                       "--idle-time=0", "--width=1200", "--height=900"],
                                      env={**env, "XDG_RUNTIME_DIR": runtime},
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            if not check("weston runs", wait_for(lambda: os.path.exists(os.path.join(runtime, "nosignal-test")))):
                return
            wayland_env = dict(desktop_env(None), WAYLAND_DISPLAY="nosignal-test", SDL_VIDEODRIVER="wayland",
                               XDG_RUNTIME_DIR=runtime)
            program = subprocess.Popen([PROGRAM], env=wayland_env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            # Weston shows its desktop in an X window; the program's window covers most of it.
            check_static(env, "root", "wayland", share=0.4)
            check("wayland: the program runs", program.poll() is None, str(program.poll()))
            # Without EGL this desktop cannot give the window a surface.
            refused("wayland without a surface",
                    {**wayland_env, "SDL_VIDEO_EGL_DRIVER": os.path.join(runtime, "missing-libEGL.so")},
                    "cannot create a window on the display")
        finally:
            stop(program, weston, server)


run_all(test_start_without_a_display, test_the_desktop_takes_the_window_away, test_closing_a_very_large_window,
        test_destroyed_while_being_resized, test_huge_then_normal_window, test_closed_standard_descriptors,
        test_error_box_in_every_locale, test_wayland_without_x)
