"""What the end-to-end scripts share: their arguments, counting checks and
the closing summary line."""
import argparse
import os
import select
import subprocess
import sys
import tempfile
import time
import traceback

_parser = argparse.ArgumentParser()
_parser.add_argument("--build-dir", required=True)
_parser.add_argument("--source-dir", required=True)
BUILD_DIR = _parser.parse_args().build_dir
# Sanitizer builds start and draw more slowly.
SLOW = 3 if "san" in os.path.basename(os.path.normpath(BUILD_DIR)) else 1

_results = {"passed": 0, "failed": 0}


def check(name, condition, detail=""):
    _results["passed" if condition else "failed"] += 1
    if not condition:
        print(f"FAIL {name} {detail}", flush=True)


def wait_for(condition, timeout):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    return condition()


def start_xvfb(screen="1600x1200x24"):
    """A fresh X server on a free display; Xvfb writes the number it took once
    it accepts clients. By default the server starts over whenever its last
    client leaves, and refuses clients meanwhile: the tools polled here come
    and go before the program or the window manager connects, so it must
    not."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", screen, "-nolisten", "tcp", "-noreset"],
        pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        number = select.select([pipe], [], [], 20)[0] and pipe.readline().strip()
    if not number:
        server.kill()
        raise RuntimeError("Xvfb did not start")
    return server, ":" + number


def start_openbox(env):
    """Openbox on the display in `env`, and whether it got ready in time. It
    announces itself on the root window before it is ready to manage windows,
    and a window mapped in between stays unmapped for good; the command it
    runs once started is the sure sign."""
    with tempfile.TemporaryDirectory() as folder:
        ready = os.path.join(folder, "ready")
        manager = subprocess.Popen(["openbox", "--sm-disable", "--startup", f"touch {ready}"], env=env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return manager, wait_for(lambda: os.path.exists(ready), 10 * SLOW)


def run_all(*tests):
    """Runs each test; one that breaks off counts as a failure and the rest
    still run, so the summary is always the last line."""
    for test in tests:
        try:
            test()
        except Exception as error:  # noqa: BLE001 - any break-off is a failure
            where = traceback.extract_tb(error.__traceback__)[-1]
            check(test.__name__, False, f"{error!r} in {where.name}, line {where.lineno}")
    print(f"{_results['passed']} passed, {_results['failed']} failed")
    sys.exit(1 if _results["failed"] else 0)
