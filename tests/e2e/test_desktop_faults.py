"""nosignal when the desktop fails it: no display to open, the display lost
while it runs, its window destroyed by another client, a window as large as
8000x8000, and a Wayland desktop without X."""
import os
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
        tool(desktop.env, "xdotool", "windowsize", str(desktop.window), "8000", "8000")
        # The client area, the window surface and the frame of 8000x8000 pass
        # 600 MB once such a tick draws, which takes long on a busy machine.
        large = wait_for(lambda: resident_megabytes(desktop.program.pid) > 600, 4 * LIMIT)
        check("large window: frames of 8000x8000 are drawn", large, str(resident_megabytes(desktop.program.pid)))
        check_close(desktop, "large window")


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
        test_wayland_without_x)
