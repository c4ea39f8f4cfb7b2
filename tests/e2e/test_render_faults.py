"""nosignal-render against what a hostile folder, another run, the signals of a
terminal or a supervisor, a size limit and closed descriptors do to it: no
file of the user's is touched through a link, every published file is whole
and its own, and no temporary file outlives the run."""
import os
import resource
import signal
import subprocess
import tempfile

from e2e_support import BUILD_DIR, LIMIT, check, run_all, wait_for

RENDER = os.path.join(BUILD_DIR, "nosignal-render")
os.environ["LSAN_OPTIONS"] = ":".join(filter(None, [os.environ.get("LSAN_OPTIONS"), "print_suppressions=0"]))


def run(*arguments, **options):
    return subprocess.run([RENDER, *arguments], capture_output=True, timeout=300, **options)


def partials(folder):
    return sorted(name for name in os.listdir(folder) if name.endswith(".partial"))


def read(path):
    with open(path, "rb") as f:
        return f.read()


def test_planted_links_redirect_nothing():
    """Links at every name a run might be expected to write through: the
    folder's probe, the temporary names of earlier versions and the
    destinations themselves. The linked file stays as it was; every
    published file is a file of the run's own, never the link."""
    planted = [".nosignal-render-probe", "frame-00001.png.partial", "v.y4m.partial", "frame-00001.png", "v.y4m"]
    for name in planted:
        with tempfile.TemporaryDirectory() as folder:
            victim = os.path.join(folder, "victim")
            with open(victim, "wb") as f:
                f.write(b"the user's own")
            out = os.path.join(folder, "out")
            os.mkdir(out)
            os.symlink(victim, os.path.join(out, name))
            result = run("--size", "16x8", "--frames", "2", "--png", out, "--y4m", os.path.join(out, "v.y4m"))
            check(f"{name}: run exits 0", result.returncode == 0, result.stderr)
            check(f"{name}: the linked file untouched", read(victim) == b"the user's own", read(victim)[:40])
            published = ["frame-00001.png", "frame-00002.png", "v.y4m"]
            check(f"{name}: published files are files, not links",
                  all(os.path.isfile(p) and not os.path.islink(p) for p in (os.path.join(out, n) for n in published)),
                  os.listdir(out))
            check(f"{name}: nothing temporary left", set(partials(out)) <= {name}, os.listdir(out))


def no_core_dump():
    resource.setrlimit(resource.RLIMIT_CORE, (0, 0))


def test_signals_remove_every_temporary_file():
    """Each signal a terminal, a supervisor or a limit sends, while a frame
    and the video are both half-written: both removed, and the run ends by
    that signal (status 128 + its number in a shell)."""
    for interrupt in (signal.SIGHUP, signal.SIGINT, signal.SIGTERM, signal.SIGQUIT, signal.SIGUSR1, signal.SIGUSR2,
                      signal.SIGALRM, signal.SIGXCPU):
        with tempfile.TemporaryDirectory() as folder:
            process = subprocess.Popen([RENDER, "--size", "2000x2000", "--frames", "1000", "--png", folder,
                                        "--png-level", "9", "--y4m", os.path.join(folder, "v.y4m")],
                                       stderr=subprocess.DEVNULL, preexec_fn=no_core_dump)
            both = wait_for(lambda: {n[:2] for n in partials(folder)} == {"fr", "v."}, LIMIT)
            check(f"{interrupt.name}: a frame and the video being written", both, os.listdir(folder))
            process.send_signal(interrupt)
            check(f"{interrupt.name}: ended by it", process.wait(timeout=60) == -interrupt, process.returncode)
            check(f"{interrupt.name}: no temporary file left", not partials(folder), os.listdir(folder))


def test_a_file_size_limit_is_a_write_error():
    def limit():
        resource.setrlimit(resource.RLIMIT_FSIZE, (1 << 20, 1 << 20))

    with tempfile.TemporaryDirectory() as folder:
        result = run("--size", "320x240", "--frames", "100", "--y4m", os.path.join(folder, "v.y4m"), preexec_fn=limit)
        check("size limit: status 1 and the reason", result.returncode == 1 and
              result.stderr.decode() == f"nosignal-render: cannot write {folder}/v.y4m: {os.strerror(27)}\n",
              (result.returncode, result.stderr))
        check("size limit: nothing left", os.listdir(folder) == [], os.listdir(folder))


def test_a_memory_limit():
    """A video a hundred million pixels wide fits in a few rows of memory; a
    frame that does not fit is named with the bytes it needed."""
    if "san" in os.path.basename(os.path.normpath(BUILD_DIR)):
        return  # the sanitizers reserve far more address space than the limit

    def limit():
        resource.setrlimit(resource.RLIMIT_AS, (1200 << 20, 1200 << 20))

    wide = run("--size", "100000000x1", "--y4m", os.devnull, preexec_fn=limit)
    check("a wide video within the limit", wide.returncode == 0, wide.stderr)
    large = run("--size", "30000x20000", "--trace", preexec_fn=limit)
    check("a frame over the limit: the frame and the bytes", large.returncode == 1 and large.stderr.decode().startswith(
        "nosignal-render: cannot compose frame 1 (30000x20000, 1800000000 bytes): "), large.stderr)


def test_two_runs_into_one_place():
    """Runs of different frames into one folder and one file at once: each
    ends with 0 or a message, and what is left is whole and one run's own,
    from a run that succeeded."""
    sizes = ("64x48", "48x64")
    with tempfile.TemporaryDirectory() as folder:
        expected = {}
        for size in sizes:
            alone = os.path.join(folder, size)
            done = run("--size", size, "--frames", "400", "--png", alone, "--y4m", os.path.join(alone, "v.y4m"))
            check(f"{size} alone", done.returncode == 0, done.stderr)
            expected[size] = {name: read(os.path.join(alone, name)) for name in os.listdir(alone)}
        shared = os.path.join(folder, "shared")
        runs = {size: subprocess.Popen([RENDER, "--size", size, "--frames", "400", "--png", shared,
                                        "--y4m", os.path.join(shared, "v.y4m")], stderr=subprocess.PIPE)
                for size in sizes}
        status = {size: (process.wait(timeout=300), process.stderr.read().decode()) for size, process in runs.items()}
        for size, (code, message) in status.items():
            check(f"{size}: 0, or 1 with a message", code == 0 or (code == 1 and message), (code, message))
        left = {name: read(os.path.join(shared, name)) for name in os.listdir(shared)}
        check("the same files as a run alone", sorted(left) == sorted(expected[sizes[0]]), sorted(left))
        for name, data in left.items():
            owner = [size for size in sizes if expected[size].get(name) == data]
            check(f"{name}: one run's own, and that run succeeded",
                  owner and status[owner[0]][0] == 0, (owner, len(data)))


def test_closed_standard_output_never_reaches_the_video():
    with tempfile.TemporaryDirectory() as folder:
        video = os.path.join(folder, "v.y4m")
        result = subprocess.run(["bash", "-c", f"'{RENDER}' --size 8x8 --frames 3 --y4m '{video}' --trace >&-"],
                                capture_output=True, text=True, timeout=60)
        check("closed output: status 1 and the reason", result.returncode == 1 and result.stderr ==
              f"nosignal-render: cannot write standard output: {os.strerror(9)}\n", (result.returncode, result.stderr))
        check("closed output: no video holding a trace", os.listdir(folder) == [], os.listdir(folder))


run_all(test_planted_links_redirect_nothing, test_signals_remove_every_temporary_file,
        test_a_file_size_limit_is_a_write_error, test_a_memory_limit, test_two_runs_into_one_place,
        test_closed_standard_output_never_reaches_the_video)
