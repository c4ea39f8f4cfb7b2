"""nosignal as a screensaver hack: drawing into a window another client made
(--window-id), following its size, leaving it in place when stopped or ending
when it goes; under the real X screensaver daemon, which starts it with
--root on activation and stops it on deactivation; and the command line's
texts and refusals."""
import ctypes
import os
import pwd
import shutil
import signal
import subprocess
import tempfile

from e2e_support import LIMIT, PROGRAM, changed_share, check, check_static, desktop_env, run_all, screenshot, \
    start_xvfb, static_share, stop, tool, wait_for

RED = 0xFF0000  # the test window's own background: never a grey of the static


class ForeignWindow:
    """A window of the test's own X connection, as a screensaver daemon makes
    one for its hack; it lives until destroyed or the connection closes."""

    def __init__(self, display, width, height):
        self.xlib = ctypes.CDLL("libX11.so.6")
        self.xlib.XOpenDisplay.restype = ctypes.c_void_p
        self.xlib.XCreateSimpleWindow.restype = ctypes.c_ulong
        self.display = ctypes.c_void_p(self.xlib.XOpenDisplay(display.encode()))
        root = self.xlib.XDefaultRootWindow(self.display)
        self.id = self.xlib.XCreateSimpleWindow(self.display, ctypes.c_ulong(root), 0, 0, width, height, 0,
                                                ctypes.c_ulong(0), ctypes.c_ulong(RED))
        self.xlib.XMapWindow(self.display, ctypes.c_ulong(self.id))
        self.xlib.XSync(self.display, 0)

    def resize(self, width, height):
        self.xlib.XResizeWindow(self.display, ctypes.c_ulong(self.id), width, height)
        self.xlib.XSync(self.display, 0)

    def destroy(self):
        self.xlib.XDestroyWindow(self.display, ctypes.c_ulong(self.id))
        self.xlib.XSync(self.display, 0)

    def close(self):
        self.xlib.XCloseDisplay(self.display)


def map_state(env, window):
    """IsViewable, IsUnMapped, ... or None when the window does not exist."""
    result = subprocess.run(["xwininfo", "-id", str(window)], env=env, capture_output=True, text=True, timeout=60)
    states = [line.split(":")[1].strip() for line in result.stdout.splitlines() if "Map State:" in line]
    return states[0] if result.returncode == 0 and states else None


def run(command, env, timeout=LIMIT, **options):
    return subprocess.run(command, env=env, capture_output=True, text=True, timeout=timeout, **options)


def test_texts_and_refusals():
    """--help and --version print without a display; a bad argument gets one
    line on standard error and status 2 before any window is made."""
    no_display = desktop_env(None)
    for option, expected in (("--help", "--window-id"), ("--version", "nosignal ")):
        result = run([PROGRAM, option], no_display)
        check(f"{option}: status 0 and its text", result.returncode == 0 and expected in result.stdout,
              f"{result.returncode} {result.stdout!r} {result.stderr!r}")
    server, display = start_xvfb("640x480x24")
    env = desktop_env(display)
    try:
        # The parser's refusals are tested on their own; here, one of them and
        # those only a display can give.
        cases = [(["--bogus\x1b[2J"], {}, "--bogus\\x1b[2J"),
                 (["--window-id", "0x3ffffffe"], {}, "no X window has the id 0x3ffffffe"),
                 (["--root"], {"XSCREENSAVER_WINDOW": "0x3ffffffe"}, "no X window has the id 0x3ffffffe"),
                 (["-root"], {"XSCREENSAVER_WINDOW": "nothing"}, "XSCREENSAVER_WINDOW")]
        for arguments, extra, expected in cases:
            result = run([PROGRAM, *arguments], {**env, **extra})
            lines = result.stderr.splitlines()
            check(f"{arguments!r}: status 2, one line naming it",
                  result.returncode == 2 and len(lines) == 1 and expected in lines[0] and "\x1b" not in lines[0]
                  and not result.stdout, f"{result.returncode} {result.stderr!r}")
        shown = tool(env, "xdotool", "search", "--name", "No signal")
        check("nothing was drawn: no window of the program", not shown.strip(), shown)
    finally:
        stop(None, server)


def start_hack(env, window, errors):
    return subprocess.Popen([PROGRAM, "--window-id", hex(window)], env=env, stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=errors)


def test_handed_window():
    """Static fills the window at its size and after it grows; SIGTERM ends the
    program with 0 and the window is still there, mapped; a second run ends
    with 0 and no word when the window is destroyed under it."""
    server, display = start_xvfb("1280x1024x24")
    env = desktop_env(display)
    program = None
    owner = ForeignWindow(display, 500, 360)
    try:
        with tempfile.TemporaryFile() as errors:
            program = start_hack(env, owner.id, errors)
            check_static(env, owner.id, "handed window")
            owner.resize(1100, 900)
            # The grown part shows the window's red until frames of the new size come.
            grown = wait_for(lambda: static_share(screenshot(env, owner.id), 520, 380) > 0.9)
            check("handed window: static fills it after it grew", grown)
            program.send_signal(signal.SIGTERM)
            code = program.wait(timeout=LIMIT)
            errors.seek(0)
            said = errors.read().decode(errors="replace")
            check("SIGTERM: exit status 0, nothing said", code == 0 and not said, f"{code} {said!r}")
            check("SIGTERM: the window is left in place, mapped", map_state(env, owner.id) == "IsViewable",
                  map_state(env, owner.id))
        with tempfile.TemporaryFile() as errors:
            program = start_hack(env, owner.id, errors)
            check_static(env, owner.id, "handed window, second run")
            owner.destroy()
            code = program.wait(timeout=LIMIT)
            errors.seek(0)
            said = errors.read().decode(errors="replace")
            check("window destroyed under it: exit status 0, nothing said", code == 0 and not said,
                  f"{code} {said!r}")
    finally:
        owner.close()
        stop(program, server)


def unprivileged_user():
    """The daemon runs hacks only for a normal user: this one, or nobody when
    this is root; with a home of its own. Returns the user and how to run as it."""
    user = pwd.getpwnam("nobody") if os.geteuid() == 0 else pwd.getpwuid(os.geteuid())
    home = tempfile.mkdtemp(prefix="nosignal-saver-")
    os.chown(home, user.pw_uid, user.pw_gid)
    # In this environment (runuser and su would set HOME to the user's own).
    as_user = {"user": user.pw_uid, "group": user.pw_gid, "extra_groups": []} if os.geteuid() == 0 else {}
    return user, home, as_user


def our_hacks(program, display):
    """Processes running the built program on `display` (other tests may run
    the same program on displays of their own at the same time)."""
    wanted = os.path.realpath(program)
    found = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/environ", "rb") as environ:
                variables = environ.read().split(b"\0")
            # The daemon names the screen too (":5.0" for ":5").
            ours = any(v in (f"DISPLAY={display}".encode(), f"DISPLAY={display}.0".encode()) for v in variables)
            if os.readlink(f"/proc/{pid}/exe") == wanted and ours:
                found.append(int(pid))
        except OSError:
            pass
    return found


def daemon_settings(program):
    """Only our hack, started at once, no fading, no locking, no splash."""
    return "\n".join([
        "mode: one", "selected: 0", "timeout: 0:30:00", "cycle: 0:00:00", "lock: False", "splash: False",
        "fade: False", "unfade: False", "dpmsEnabled: False", "grabDesktopImages: False",
        f"programs: \"No Signal\" {program} --root \\n\\", "", ""])


def test_daemon():
    """xscreensaver, activated, shows our static on the screen from our
    process, and stops that process when deactivated."""
    if not check("xscreensaver is installed", shutil.which("xscreensaver")):
        return
    user, home, as_user = unprivileged_user()
    server, display = start_xvfb("1024x768x24")
    env = {**desktop_env(display), "HOME": home, "USER": user.pw_name, "LOGNAME": user.pw_name}
    with open(os.path.join(home, ".xscreensaver"), "w") as settings:
        settings.write(daemon_settings(os.path.realpath(PROGRAM)))
    os.chown(os.path.join(home, ".xscreensaver"), user.pw_uid, user.pw_gid)
    daemon = None
    try:
        with open(os.path.join(home, "daemon.log"), "w") as log:
            daemon = subprocess.Popen(["xscreensaver", "-no-splash", "-verbose"], env=env, cwd=home,
                                      stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT, **as_user)

        def command(*arguments):
            return run(["xscreensaver-command", *arguments], env, **as_user).returncode == 0

        check("the daemon answers", wait_for(lambda: command("-time")))
        before = static_share(screenshot(env, "root"))
        check("no static before activation", before == 0, f"{before:.3f}")
        check("activate", command("-activate"))
        hacks = wait_for(lambda: our_hacks(PROGRAM, display))
        with open(os.path.join(home, "daemon.log")) as log:
            check("the daemon starts our hack", hacks, log.read()[-2000:])
        check_static(env, "root", "under the daemon")
        # The moving static is ours: it stands still while our process is stopped, and moves on after.
        os.kill(hacks[0], signal.SIGSTOP)
        still = wait_for(lambda: changed_share(screenshot(env, "root"), screenshot(env, "root")) == 0)
        os.kill(hacks[0], signal.SIGCONT)
        check("the static stands still while our process is stopped", still and our_hacks(PROGRAM, display) == hacks)
        first = screenshot(env, "root")
        check("and moves on after", wait_for(lambda: changed_share(first, screenshot(env, "root")) > 0.5))
        check("deactivate", command("-deactivate"))
        check("our process is gone after deactivation", wait_for(lambda: not our_hacks(PROGRAM, display)), our_hacks(PROGRAM, display))
    finally:
        if daemon is not None:
            run(["xscreensaver-command", "-exit"], env, **as_user)
        stop(daemon, server)
        shutil.rmtree(home, ignore_errors=True)


if __name__ == "__main__":
    run_all(test_texts_and_refusals, test_handed_window, test_daemon)
