"""The Debian package as a user gets it: built by cpack, checked by lintian,
installed, started under a window manager, and removed without leaving
anything behind.

A real `dpkg -i` changes the machine, so it happens only on a throwaway one:
when CI=true or NOSIGNAL_REAL_INSTALL=1. Otherwise dpkg installs into a
scratch root with a database of its own (--root), through the same unpacking,
configuring and removal."""
import fnmatch
import glob
import os
import re
import subprocess
import tempfile

from package_support import INSTALLED_FILES, SOURCE_DIR, VERSION
from e2e_support import Desktop, tool
from e2e_support import BUILD_DIR, check, run_all, wait_for

REAL = os.environ.get("CI") == "true" or os.environ.get("NOSIGNAL_REAL_INSTALL") == "1"
_work = tempfile.TemporaryDirectory(prefix="nosignal-package-")
WORK = _work.name


def run(*command, **options):
    return subprocess.run(command, capture_output=True, text=True, timeout=300, **options)


ARCH = run("dpkg", "--print-architecture").stdout.strip()
CPACK = run("cpack", "-G", "DEB", "--config", os.path.join(BUILD_DIR, "CPackConfig.cmake"),
            "-B", os.path.join(WORK, "out"))
DEB = os.path.join(WORK, "out", f"nosignal_{VERSION}_{ARCH}.deb")


def test_package_is_built():
    check("cpack exits 0", CPACK.returncode == 0, CPACK.stdout + CPACK.stderr)
    check(f"{os.path.basename(DEB)} is built", os.path.isfile(DEB), os.listdir(os.path.join(WORK, "out")))
    field = {name: run("dpkg-deb", "--field", DEB, name).stdout.strip()
             for name in ("Package", "Version", "Architecture", "Depends")}
    identity = field["Package"], field["Version"], field["Architecture"]
    check("control fields", identity == ("nosignal", VERSION, ARCH), field)
    depends = {re.match(r"[\w.+-]+", item.strip()).group(0) for item in field["Depends"].split(",")}
    # The libraries come from the binaries; the caption's font is named.
    needed = {"libc6", "libsdl2-2.0-0", "libfreetype6", "libfontconfig1", "zlib1g", "fonts-liberation"}
    check("dependencies", needed <= depends, field["Depends"])

    listing = run("dpkg-deb", "--contents", DEB).stdout.splitlines()
    files = sorted(line.split()[-1][len("./usr/"):] for line in listing if not line.startswith("d"))
    check("package holds the installed files under /usr", files == INSTALLED_FILES,
          f"{sorted(set(files) ^ set(INSTALLED_FILES))}")
    check("everything belongs to root", all(line.split()[1] == "root/root" for line in listing),
          [line for line in listing if line.split()[1] != "root/root"][:3])


def test_copyright_grants_the_licence():
    unpacked = os.path.join(WORK, "unpacked")
    run("dpkg-deb", "--extract", DEB, unpacked)
    with open(os.path.join(unpacked, "usr/share/doc/nosignal/copyright")) as f:
        copyright_file = f.read()
    with open(os.path.join(SOURCE_DIR, "LICENSE")) as f:
        licence = f.read()
    check("machine-readable copyright, MIT",
          copyright_file.startswith("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/")
          and "\nFiles: *\nCopyright: 2026 The nosignal developers\nLicense: MIT\n" in copyright_file,
          copyright_file[:300])

    def words(text):
        return re.sub(r"\s+(\.\s+)?", " ", text).strip()
    grant = licence[licence.index("Permission is hereby granted"):]
    body = copyright_file.split("\nLicense: MIT\n")[-1]
    check("copyright file carries the licence's grant word for word", words(body) == words(grant))


def test_lintian():
    result = run("lintian", "--pedantic", "--display-info", DEB)
    tags = [line for line in result.stdout.splitlines() if re.match(r"[EWIPX]: ", line)]
    print("lintian:", *tags or ["no tags"], sep="\n  ")
    # It exits 2 when it reports errors, 1 when it could not check.
    check("lintian ran", result.returncode in (0, 2), result.stderr)
    check("lintian reports no errors", not [tag for tag in tags if tag.startswith("E: ")])


# ---- Installing, starting and removing -----------------------------------------
def colours_shown(env, window):
    """How many different colours the window shows (static shows dozens)."""
    colours = tool(env, "import", "-window", str(window), "-format", "%k", "info:").strip()
    return int(colours) if colours.isdigit() else 0


def check_installed_program_starts(program):
    with Desktop(managed=True, command=(program,)) as desktop:
        env, window = desktop.env, desktop.window
        check("window manager runs", desktop.manager_ready)
        check("installed program opens its window", window)
        if not window:
            return
        properties = tool(env, "xprop", "-id", str(window), "WM_NAME", "WM_CLASS")
        check("title", '"TV:QX - No signal..."' in properties, properties)
        check("class", '"MainWClass", "MainWClass"' in properties, properties)
        check("window shows static", wait_for(lambda: colours_shown(env, window) >= 60),
              f"{colours_shown(env, window)} colours")
        # For a person to look at.
        tool(env, "import", "-window", "root", os.path.join(BUILD_DIR, "installed-package-window.png"))


def dpkg_path_filters():
    """The path-exclude and path-include settings of this machine's dpkg, in
    the order it reads them (slim systems leave out manuals and documents)."""
    filters = []
    for name in [*glob.glob("/etc/dpkg/dpkg.cfg"), *sorted(glob.glob("/etc/dpkg/dpkg.cfg.d/*"))]:
        with open(name, errors="replace") as f:
            filters += re.findall(r"^(path-exclude|path-include)[=\s]\s*(\S+)", f.read(), re.MULTILINE)
    return filters


def left_out_by_dpkg(path, filters):
    left_out = False
    for kind, pattern in filters:
        if fnmatch.fnmatchcase(path, pattern):
            left_out = kind == "path-exclude"
    return left_out


def removal_report(output):
    """The folders dpkg says it kept because something else still uses them."""
    return set(re.findall(r"directory '([^']+)' not empty so not removed", output))


def test_install_start_and_remove():
    if REAL:
        root, dpkg = "/", ["dpkg"] if os.geteuid() == 0 else ["sudo", "dpkg"]
    else:
        root = os.path.join(WORK, "root")
        for folder in ("updates", "info", "triggers"):
            os.makedirs(os.path.join(root, "var/lib/dpkg", folder))
        open(os.path.join(root, "var/lib/dpkg/status"), "w").close()
        # The scratch database knows none of the libraries; the machine has them.
        dpkg = ["dpkg", f"--root={root}", "--force-not-root", "--log=/dev/null"]
    admin = os.path.join(root, "var/lib/dpkg")

    def status():
        return run("dpkg-query", f"--admindir={admin}", "--show", "--showformat=${db:Status-Abbrev}",
                   "nosignal").stdout.strip()

    if REAL and status().startswith("ii"):
        check("nosignal is not installed before the test installs it", False, "remove it first")
        return
    filters = dpkg_path_filters()
    paths = [path for path in (line.split()[-1][1:].rstrip("/")
                               for line in run("dpkg-deb", "--contents", DEB).stdout.splitlines())
             if not left_out_by_dpkg(path, filters)]
    existed = {path for path in paths if os.path.lexists(root + path)}

    installing = run(*dpkg, *([] if REAL else ["--force-depends"]), "--install", DEB)
    check("dpkg --install", installing.returncode == 0, installing.stdout + installing.stderr)
    try:
        check("installed", status() == "ii", status())
        missing = [path for path in paths if not os.path.lexists(root + path)]
        check("every file of the package is in place", not missing, missing)
        if REAL and "/usr/share/man/man1/nosignal.1.gz" in paths:
            check("the manual finds its page", run("man", "--where", "nosignal").stdout.strip()
                  == "/usr/share/man/man1/nosignal.1.gz")
        check_installed_program_starts(os.path.join(root, "usr/bin/nosignal"))
    finally:
        removing = run(*dpkg, "--remove", "nosignal")
    check("dpkg --remove", removing.returncode == 0, removing.stdout + removing.stderr)
    check("not installed after removal", not status().startswith("ii"), status())
    left = {path for path in paths if path not in existed and os.path.lexists(root + path)}
    check("removal leaves nothing dpkg does not report", left <= removal_report(removing.stderr),
          sorted(left - removal_report(removing.stderr)))

run_all(test_package_is_built, test_copyright_grants_the_licence, test_lintian, test_install_start_and_remove)
