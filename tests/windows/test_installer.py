"""The Windows installer under Wine, as a silent install and uninstall: the
programs of the prefix's architecture in Program Files, the Start-menu entry,
the screensaver in System32 (where one is built) and the uninstaller's entry
in the registry view of that architecture; after the uninstall none of it.
scripts/test-windows.sh runs it in a 64-bit and in a 32-bit prefix, with the
installer that scripts/windows-installer.sh made."""
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "e2e"))
from e2e_support import SOURCE_DIR, check, run_all, wait_for  # noqa: E402 - found on that path

with open(os.path.join(SOURCE_DIR, "CMakeLists.txt")) as _f:
    VERSION = re.search(r"project\(\s*nosignal\s+VERSION\s+([0-9.]+)", _f.read()).group(1)
SETUP = os.path.join(SOURCE_DIR, "build", f"nosignal-{VERSION}-setup.exe")
DRIVE = os.path.join(os.environ["WINEPREFIX"], "drive_c")
# A 64-bit Windows keeps its 32-bit system files apart.
BITS = 64 if os.path.isdir(os.path.join(DRIVE, "windows", "syswow64")) else 32
BUILT = os.path.join(SOURCE_DIR, "build", f"win{BITS}")
FOLDER = os.path.join(DRIVE, "Program Files", "No Signal")
SHORTCUT = os.path.join(DRIVE, "ProgramData", "Microsoft", "Windows", "Start Menu", "Programs", "No Signal.lnk")
SCREENSAVER = os.path.join(DRIVE, "windows", "system32", "nosignal.scr")
HAS_SCREENSAVER = os.path.isfile(os.path.join(BUILT, "nosignal.scr"))
KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\nosignal"
EXPECTED = {"DisplayName": "No Signal", "DisplayVersion": VERSION, "Publisher": "The nosignal developers",
            "UninstallString": r'"C:\Program Files\No Signal\uninstall.exe"',
            "QuietUninstallString": r'"C:\Program Files\No Signal\uninstall.exe" /S',
            "DisplayIcon": r"C:\Program Files\No Signal\nosignal.exe,0", "NoModify": "0x1", "NoRepair": "0x1"}


def wine(*command):
    # Detached output: a process the uninstaller starts would hold a pipe open.
    return subprocess.run(["wine", *command], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL, timeout=300).returncode


def key_values(view):
    """The uninstall key's values in one registry view, None when it is not there."""
    done = subprocess.run(["wine", "reg", "query", KEY, f"/reg:{view}"], stdin=subprocess.DEVNULL,
                          capture_output=True, text=True, timeout=120)
    if done.returncode != 0:
        return None
    return dict(re.findall(r"^\s+(\w+)\s+REG_\w+\s+(.*?)\r?$", done.stdout, re.MULTILINE))


def ours():
    """What of ours is on the machine."""
    paths = [FOLDER, SHORTCUT] + ([SCREENSAVER] if HAS_SCREENSAVER else [])
    return [path for path in paths if os.path.exists(path)] + (["key"] if key_values(BITS) is not None else [])


def same_file(a, b):
    with open(a, "rb") as f, open(b, "rb") as g:
        return f.read() == g.read()


def test_silent_install():
    check("nothing of ours before the install", not ours(), ours())
    check("the installer exits 0", wine(SETUP, "/S") == 0)
    for name in ["nosignal.exe", "nosignal-render.exe"] + (["nosignal.scr"] if HAS_SCREENSAVER else []):
        installed = SCREENSAVER if name.endswith(".scr") else os.path.join(FOLDER, name)
        check(f"the {BITS}-bit {name} installed", os.path.isfile(installed) and same_file(installed, os.path.join(BUILT, name)))
    for path in (os.path.join(FOLDER, "LICENSE.txt"), os.path.join(FOLDER, "uninstall.exe"), SHORTCUT):
        check(f"{os.path.basename(path)} installed", os.path.isfile(path), path)
    values = key_values(BITS) or {}
    check(f"the uninstall key in the {BITS}-bit view", {name: values.get(name) for name in EXPECTED} == EXPECTED,
          values)
    check("an estimated size", int(values.get("EstimatedSize", "0"), 16) > 1000, values.get("EstimatedSize"))
    if BITS == 64:
        check("no uninstall key in the 32-bit view", key_values(32) is None)


def test_silent_uninstall():
    quiet = (key_values(BITS) or {}).get("QuietUninstallString", "")
    program, _, argument = quiet.rpartition(" ")
    check("the quiet uninstall exits 0", program and wine(program.strip('"'), argument) == 0, quiet)
    # The uninstaller runs on from a copy of itself, and removes its own folder.
    check("nothing of ours left after the uninstall", wait_for(lambda: not ours()), ours())


run_all(test_silent_install, test_silent_uninstall)
