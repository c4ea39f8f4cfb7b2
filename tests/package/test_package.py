"""What gets installed, checked by the tools that read each kind of file, and
the Debian package as a user gets it: built by cpack, checked by lintian,
installed, started under a window manager, and removed. A real `dpkg -i`
happens only on a throwaway machine (CI=true or NOSIGNAL_REAL_INSTALL=1);
otherwise dpkg installs into a scratch root with a database of its own."""
import glob
import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "e2e"))
from e2e_support import BUILD_DIR, SOURCE_DIR, Desktop, check, check_static, run_all  # noqa: E402 - found on that path

REAL = os.environ.get("CI") == "true" or os.environ.get("NOSIGNAL_REAL_INSTALL") == "1"
APP_ID = "org.nosignal.nosignal"
with open(os.path.join(SOURCE_DIR, "CMakeLists.txt")) as _f:
    VERSION = re.search(r"project\(\s*nosignal\s+VERSION\s+([0-9.]+)", _f.read()).group(1)
# Every file an install puts in place, relative to the prefix.
INSTALLED_FILES = sorted([
    "bin/nosignal", "bin/nosignal-render", f"share/applications/{APP_ID}.desktop",
    f"share/icons/hicolor/scalable/apps/{APP_ID}.svg",
    *(f"share/icons/hicolor/{size}x{size}/apps/{APP_ID}.png" for size in (48, 128, 256)),
    f"share/metainfo/{APP_ID}.metainfo.xml", "share/man/man1/nosignal.1.gz", "share/man/man1/nosignal-render.1.gz",
    # The hack of the X screensaver daemon: a link to the program, its description and entry.
    "libexec/xscreensaver/nosignal", "share/xscreensaver/config/nosignal.xml",
    "share/applications/screensavers/nosignal.desktop",
    *(f"share/doc/nosignal/{name}" for name in ("README.md", "LICENSE", "copyright", "changelog.gz")),
    # The pictures that the README shows.
    *(f"share/doc/nosignal/docs/{os.path.basename(name)}"
      for name in glob.glob(os.path.join(SOURCE_DIR, "docs", "*.png"))),
])


def run(*command, **options):
    return subprocess.run(command, capture_output=True, text=True, timeout=300, **options)


def quiet(result):
    """A validator passed: it exited 0 and had nothing to say."""
    return result.returncode == 0 and not (result.stdout + result.stderr).strip()


_work = tempfile.TemporaryDirectory(prefix="nosignal-package-")
PREFIX, OUT = os.path.join(_work.name, "prefix"), os.path.join(_work.name, "out")
INSTALL = run("cmake", "--install", BUILD_DIR, "--prefix", PREFIX)
ARCH = run("dpkg", "--print-architecture").stdout.strip()
CPACK = run("cpack", "-G", "DEB", "--config", os.path.join(BUILD_DIR, "CPackConfig.cmake"), "-B", OUT)
DEB = os.path.join(OUT, f"nosignal_{VERSION}_{ARCH}.deb")


def installed(path):
    return os.path.join(PREFIX, path)


# That they are the right files is the package's check: cpack installs by the same rules.
def test_installed_files_pass_their_validators():
    check("cmake --install exits 0", INSTALL.returncode == 0, INSTALL.stderr)
    entry = installed(f"share/applications/{APP_ID}.desktop")
    saver_entry = installed("share/applications/screensavers/nosignal.desktop")
    validators = [("desktop-file-validate", ["desktop-file-validate", entry], quiet),
                  # The reserved category Screensaver earns a hint that it is no main category.
                  ("desktop-file-validate screensaver", ["desktop-file-validate", saver_entry],
                   lambda result: result.returncode == 0 and "error:" not in result.stdout + result.stderr),
                  # The whole tree: the metainfo with the desktop entry and icon it names, with
                  # the network checks a software centre makes (it names no address to fetch).
                  ("appstreamcli", ["appstreamcli", "validate-tree", "--pedantic", PREFIX],
                   lambda result: "Validation was successful." in result.stdout)]
    for name in ("nosignal", "nosignal-render"):
        page = installed(f"share/man/man1/{name}.1.gz")
        validators += [(f"groff -ww {name}", ["sh", "-c", f"zcat '{page}' | groff -ww -z -man"], quiet),
                       (f"man {name}, with the version", ["man", "--warnings", "--local-file", page],
                        lambda result: not result.stderr and f"nosignal {VERSION}" in result.stdout)]
    for name, command, passed in validators:
        result = run(*command, env=dict(os.environ, LC_ALL="C.UTF-8", MANWIDTH="200"))
        check(name, result.returncode == 0 and passed(result), result.stdout[-300:] + result.stderr)


def test_installed_files_agree_with_the_program():
    """The entry starts the program and knows its window's class, the metainfo's release is
    the project's version, and the manual page has an entry for every option of --help."""
    with open(installed(f"share/applications/{APP_ID}.desktop"), encoding="utf-8") as f:
        entry = dict(line.rstrip("\n").split("=", 1) for line in f if "=" in line)
    wanted = {"Exec": "nosignal", "StartupWMClass": "MainWClass", "Terminal": "false", "Icon": APP_ID}
    check("desktop entry", {key: entry.get(key) for key in wanted} == wanted, entry)
    component = ElementTree.parse(installed(f"share/metainfo/{APP_ID}.metainfo.xml")).getroot()
    releases = [release.get("version") for release in component.findall("releases/release")]
    check("metainfo id and release", (component.findtext("id"), releases) == (APP_ID, [VERSION]), releases)
    for name in ("nosignal-render", "nosignal"):
        options = set(re.findall(r"(?<![\w-])--[a-z][a-z0-9-]*", run(installed(f"bin/{name}"), "--help").stdout))
        page = run("man", "--local-file", installed(f"share/man/man1/{name}.1.gz"),
                   env=dict(os.environ, MANWIDTH="200")).stdout
        section = page[page.index("\nOPTIONS\n"):page.index("\nEXIT STATUS\n")]
        documented = set(re.findall(r"^ {7}(--[a-z0-9-]+)", section, re.MULTILINE))
        check(f"every option of {name} --help has its entry in the manual page",
              len(options) >= 4 and options <= documented, sorted(options - documented))
    hack = installed("libexec/xscreensaver/nosignal")
    check("the hack is a link to the program", os.path.realpath(hack) == os.path.realpath(installed("bin/nosignal")))
    saver = ElementTree.parse(installed("share/xscreensaver/config/nosignal.xml")).getroot()
    check("the hack's description", (saver.get("name"), saver.find("command").get("arg")) == ("nosignal", "--root")
          and saver.findtext("_description").strip(), ElementTree.tostring(saver))


def test_icons():
    """The PNG icons rendered from the picture: their size, and static (many greys) with transparent corners."""
    for size in (48, 128, 256):
        path = installed(f"share/icons/hicolor/{size}x{size}/apps/{APP_ID}.png")
        facts = (run("convert", path, "-format", "%w %h %[channels] %[fx:p{0,0}.a]", "info:").stdout.split() +
                 run("convert", path, "-alpha", "off", "-colorspace", "gray", "-format", "%k", "info:").stdout.split())
        check(f"{size}px icon", facts[:4] == [str(size), str(size), "srgba", "0"] and int(facts[4]) >= 40, facts)


def test_package_is_built():
    # Named by its control fields: the package, version and architecture are right if it is found.
    check(f"cpack builds {os.path.basename(DEB)}", CPACK.returncode == 0 and os.path.isfile(DEB),
          f"{CPACK.stdout}{CPACK.stderr}{os.listdir(OUT)}")
    field = run("dpkg-deb", "--field", DEB, "Depends").stdout.strip()
    depends = {re.match(r"[\w.+-]+", item.strip()).group(0) for item in field.split(",")}
    # The libraries come from the binaries; the caption's font is named.
    needed = {"libc6", "libsdl2-2.0-0", "libfreetype6", "libfontconfig1", "zlib1g", "fonts-liberation"}
    check("dependencies", needed <= depends, field)
    listing = run("dpkg-deb", "--contents", DEB).stdout.splitlines()
    # A link is listed as "path -> target".
    files = sorted(line.split(" -> ")[0].split()[-1][len("./usr/"):] for line in listing if not line.startswith("d"))
    check("package holds the installed files under /usr", files == INSTALLED_FILES,
          sorted(set(files) ^ set(INSTALLED_FILES)))

    with open(installed("share/doc/nosignal/copyright")) as f, open(os.path.join(SOURCE_DIR, "LICENSE")) as g:
        copyright_file, licence = f.read(), g.read()
    # Its paragraphs are parted by lines of one full stop.
    grant = [word for word in copyright_file.split("\nLicense: MIT\n")[-1].split() if word != "."]
    check("machine-readable copyright that grants the licence word for word",
          copyright_file.startswith("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/")
          and "\nFiles: *\nCopyright: 2026 The nosignal developers\nLicense: MIT\n" in copyright_file
          and grant == licence[licence.index("Permission is"):].split(), copyright_file[:300])

    result = run("lintian", "--pedantic", "--display-info", DEB)
    print("lintian:", result.stdout.strip() or "no tags")
    # It exits 1 when it could not check, 2 when it reports errors.
    check("lintian ran and reports no errors", result.returncode == 0, result.stderr)


def defined_symbols(*files):
    """The functions and data the files define for others to link, demangled (not the weak
    copies of inline and template code that many objects carry)."""
    listing = run("nm", "--defined-only", "--extern-only", "-C", *files).stdout
    fields = (line.split(" ", 2) for line in listing.splitlines())
    return {field[2] for field in fields if len(field) == 3 and field[1] in "TDBR"}


def test_programs_carry_no_test_hooks():
    """What only the test library defines (its hooks, its wrap of thread creation) is in
    no shipped program; what it defines in place of the platform's files is not counted.
    The build tree's programs are read, since an install may strip its copies."""
    testing = glob.glob(os.path.join(BUILD_DIR, "CMakeFiles/nosignal_platform_testing.dir/**/*.o"), recursive=True)
    hooks = defined_symbols(*testing) - defined_symbols(os.path.join(BUILD_DIR, "libnosignal_platform.a"))
    named = {"probe::SetMessageBoxSink", "probe::SetThreadCreationFails", "probe::SetScreenDpi", "__wrap_pthread_create"}
    check("the test library's hooks are found", all(any(hook.startswith(name) for hook in hooks) for name in named),
          sorted(hooks))
    for name in ("nosignal", "nosignal-render"):
        symbols = defined_symbols(os.path.join(BUILD_DIR, name))
        check(f"{name} has its symbols to read", len(symbols) > 100)
        check(f"{name} carries no test hooks", not hooks & symbols, sorted(hooks & symbols))


def test_install_start_and_remove():
    """dpkg's exit status says whether it installed (configured) and removed the package."""
    if REAL:
        root, dpkg = "/", ["dpkg"] if os.geteuid() == 0 else ["sudo", "dpkg"]
        installed_before = run("dpkg-query", "--show", "--showformat=${db:Status-Abbrev}", "nosignal").stdout
        if not check("nosignal is not installed before the test installs it", not installed_before.startswith("ii")):
            return
    else:
        root = os.path.join(_work.name, "root")
        for folder in ("updates", "info", "triggers"):
            os.makedirs(os.path.join(root, "var/lib/dpkg", folder))
        open(os.path.join(root, "var/lib/dpkg/status"), "w").close()
        # The scratch database knows none of the libraries; the machine has them.
        dpkg = ["dpkg", f"--root={root}", "--force-not-root", "--log=/dev/null"]
    installing = run(*dpkg, *([] if REAL else ["--force-depends"]), "--install", DEB)
    check("dpkg --install", installing.returncode == 0, installing.stdout + installing.stderr)
    try:
        with Desktop(managed=True, command=(os.path.join(root, "usr/bin/nosignal"),)) as desktop:
            if check("installed program opens its window", desktop.window, desktop.stderr()):
                check_static(desktop.env, desktop.window, "installed program", detail=desktop.stderr())
    finally:
        removing = run(*dpkg, "--remove", "nosignal")
    check("dpkg --remove", removing.returncode == 0, removing.stdout + removing.stderr)


run_all(test_installed_files_pass_their_validators,
        test_installed_files_agree_with_the_program, test_icons,
        test_package_is_built, test_programs_carry_no_test_hooks, test_install_start_and_remove)
