"""The Windows nosignal-render under Wine, where Windows differs: Ctrl+C on
its console removes every half-written file and ends the run as Ctrl+C does;
names in any language reach the file system unchanged; device names,
missing drives and invalid names are refused at once with the real reason."""
import os
import subprocess
import tempfile

from e2e_support import BUILD_DIR, check, run_all

RENDER = os.path.abspath(os.path.join(BUILD_DIR, "nosignal-render.exe"))
CONSOLE_CTRL = os.path.join(BUILD_DIR, "tests", "console_ctrl.exe")
# Arguments pass from Linux to Wine in the locale's character set: UTF-8.
ENV = dict(os.environ, LC_ALL="C.UTF-8")


def windows_path(path):
    return subprocess.run(["winepath", "-w", path], capture_output=True, text=True, env=ENV,
                          timeout=120).stdout.strip()


def render(*arguments, cwd):
    return subprocess.run(["wine", RENDER, *arguments], capture_output=True, env=ENV, cwd=cwd,
                          stdin=subprocess.DEVNULL, timeout=300)


def test_ctrl_c_removes_every_temporary_file():
    """Ctrl+C while a frame and the video are both being written."""
    with tempfile.TemporaryDirectory() as folder:
        out = windows_path(folder)
        command = (f'"{windows_path(RENDER)}" --size 2000x2000 --frames 1000 --png-level 9 --png "{out}" '
                   f'--y4m "{out}\\v.y4m"')
        done = subprocess.run(["wine", CONSOLE_CTRL, f"{out}\\frame-*.partial", command], capture_output=True,
                              text=True, env=ENV, stdin=subprocess.DEVNULL, timeout=300)
        check("Ctrl+C sent while a frame was written", done.stdout.startswith("sent "), (done.stdout, done.stderr))
        check("ended as Ctrl+C ends a program", done.stdout.strip().endswith("c000013a"), done.stdout)
        left = [name for name in os.listdir(folder) if name.endswith(".partial")]
        check("no temporary file left", not left, os.listdir(folder))


def test_names_in_any_language():
    with tempfile.TemporaryDirectory() as folder:
        done = render("--size", "16x8", "--frames", "2", "--png", "Кадри", "--y4m", "відео.y4m", cwd=folder)
        check("Cyrillic names: exit 0", done.returncode == 0, done.stderr.decode(errors="replace"))
        check("the folder and the video under their own names", set(os.listdir(folder)) == {"відео.y4m", "Кадри"},
              os.listdir(folder))
        frames = os.listdir(os.path.join(folder, "Кадри")) if os.path.isdir(os.path.join(folder, "Кадри")) else []
        check("the frames in it", sorted(frames) == ["frame-00001.png", "frame-00002.png"], frames)


def test_devices_drives_and_invalid_names():
    """The null device takes a video at once; the rest are refused before the
    first frame, each with its own reason, and nothing is left behind."""
    cases = [
        (("--y4m", "NUL"), 0, ""),
        (("--png", "Q:\\x"), 1, "cannot create folder Q:\\x: No such drive"),
        (("--y4m", "Q:\\x.y4m"), 1, "cannot write Q:\\x.y4m: No such drive"),
        (("--png", "CON"), 1, "cannot create folder CON: A reserved device name"),
        (("--png", "a<b"), 1, "cannot create folder a<b: Invalid file name"),
        (("--y4m", "a|b.y4m"), 1, "cannot write a|b.y4m: Invalid file name"),
        (("--y4m", "."), 1, "cannot write .: Is a directory"),
    ]
    for arguments, status, message in cases:
        with tempfile.TemporaryDirectory() as folder:
            done = render("--size", "1024x768", "--frames", "20", *arguments, cwd=folder)
            stderr = done.stderr.decode(errors="replace")
            check(f"{arguments}: status {status}", done.returncode == status, (done.returncode, stderr))
            check(f"{arguments}: the reason", (message in stderr and len(stderr.splitlines()) == 1) if message
                  else not stderr, stderr)
            check(f"{arguments}: nothing left", os.listdir(folder) == [], os.listdir(folder))


run_all(test_ctrl_c_removes_every_temporary_file, test_names_in_any_language, test_devices_drives_and_invalid_names)
