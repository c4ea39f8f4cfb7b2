"""What `cmake --install` puts in place, checked by the tools that read each
kind of file: the desktop entry, the AppStream metadata, the manual pages and
the icons."""
import gzip
import os
import re
import subprocess
import tempfile
import xml.etree.ElementTree as ElementTree

from package_support import APP_ID, INSTALLED_FILES, VERSION, files_under
from e2e_support import BUILD_DIR, check, run_all


def run(*command, **options):
    return subprocess.run(command, capture_output=True, text=True, timeout=120, **options)


def quiet(result):
    """A validator passed: it exited 0 and had nothing to say."""
    return result.returncode == 0 and not (result.stdout + result.stderr).strip()


_prefix = tempfile.TemporaryDirectory(prefix="nosignal-install-")
PREFIX = _prefix.name
INSTALL = run("cmake", "--install", BUILD_DIR, "--prefix", PREFIX)


def installed(path):
    return os.path.join(PREFIX, path)


def test_install_puts_every_file_in_place():
    check("cmake --install exits 0", INSTALL.returncode == 0, INSTALL.stderr)
    found = files_under(PREFIX)
    check("installed files", found == INSTALLED_FILES, f"missing {sorted(set(INSTALLED_FILES) - set(found))}, "
          f"unexpected {sorted(set(found) - set(INSTALLED_FILES))}")
    for program in ("bin/nosignal", "bin/nosignal-render"):
        check(f"{program} is executable", os.access(installed(program), os.X_OK))


def test_desktop_entry():
    path = installed(f"share/applications/{APP_ID}.desktop")
    result = run("desktop-file-validate", path)
    check("desktop-file-validate", quiet(result), result.stdout + result.stderr)
    with open(path, encoding="utf-8") as f:
        entry = dict(line.rstrip("\n").split("=", 1) for line in f if "=" in line)
    for key, value in (("Exec", "nosignal"), ("StartupWMClass", "MainWClass"), ("Terminal", "false"),
                       ("Icon", APP_ID)):
        check(f"desktop entry {key}", entry.get(key) == value, entry.get(key))
    for key in ("Name", "Name[uk]", "Comment", "Comment[uk]", "Categories"):
        check(f"desktop entry has {key}", entry.get(key))
    check("desktop entry is shown in menus", "NoDisplay" not in entry and "Hidden" not in entry)


def test_metainfo():
    path = installed(f"share/metainfo/{APP_ID}.metainfo.xml")
    result = run("appstreamcli", "validate", "--no-net", "--pedantic", path)
    check("appstreamcli validate", result.returncode == 0 and "Validation was successful." in result.stdout,
          result.stdout + result.stderr)
    # The whole tree: the metainfo with the desktop entry and icon it names.
    result = run("appstreamcli", "validate-tree", "--no-net", "--pedantic", PREFIX)
    check("appstreamcli validate-tree", result.returncode == 0 and "Validation was successful." in result.stdout,
          result.stdout + result.stderr)
    component = ElementTree.parse(path).getroot()
    check("metainfo id", component.findtext("id") == APP_ID, component.findtext("id"))
    check("metainfo licences", (component.findtext("project_license"), component.findtext("metadata_license"))
          == ("MIT", "CC0-1.0"))
    releases = component.findall("releases/release")
    check("metainfo release is the project's version", [r.get("version") for r in releases] == [VERSION],
          [r.get("version") for r in releases])
    check("metainfo launches the desktop entry", component.findtext("launchable") == f"{APP_ID}.desktop")
    check("metainfo screenshot is a web address",
          re.match(r"https?://", component.findtext("screenshots/screenshot/image") or ""))


def test_manual_pages():
    for name in ("nosignal", "nosignal-render"):
        path = installed(f"share/man/man1/{name}.1.gz")
        environment = dict(os.environ, LC_ALL="C.UTF-8", MANWIDTH="80")
        shown = run("man", "--warnings", "--local-file", path, env=environment)
        check(f"man {name}: shown without warnings", shown.returncode == 0 and not shown.stderr, shown.stderr)
        check(f"man {name}: names the version", f"nosignal {VERSION}" in shown.stdout, shown.stdout[-200:])
        with gzip.open(path, "rt", encoding="utf-8") as f:
            source = f.read()
        strict = run("groff", "-ww", "-z", "-man", input=source)
        check(f"groff -ww {name}", quiet(strict), strict.stderr)


def test_manual_page_documents_every_render_option():
    usage = run(installed("bin/nosignal-render"), "--help").stdout
    options = set(re.findall(r"(?<![\w-])--[a-z][a-z0-9-]*", usage))
    shown = run("man", "--local-file", installed("share/man/man1/nosignal-render.1.gz"),
                env=dict(os.environ, MANWIDTH="200")).stdout
    section = shown[shown.index("\nOPTIONS\n"):shown.index("\nEXIT STATUS\n")]
    documented = set(re.findall(r"^ {7}(--[a-z0-9-]+)", section, re.MULTILINE))
    check("the help names options", len(options) >= 4, usage)
    check("every option of --help has its entry in the manual page", options <= documented,
          sorted(options - documented))


def test_icons():
    for size in (48, 128, 256):
        path = installed(f"share/icons/hicolor/{size}x{size}/apps/{APP_ID}.png")
        facts = run("identify", "-format", "%w %h %[channels]", path).stdout.split()
        check(f"{size}px icon size and alpha", facts[:2] == [str(size)] * 2 and facts[2:3] == ["srgba"], facts)
        # A screen of static: many different greys, with transparent corners.
        greys = run("convert", path, "-alpha", "off", "-colorspace", "gray", "-format", "%k", "info:").stdout
        corner = run("convert", path, "-format", "%[fx:p{0,0}.a]", "info:").stdout
        check(f"{size}px icon shows static", int(greys or 0) >= 40 and float(corner or 1) == 0,
              (greys, corner))


run_all(test_install_puts_every_file_in_place, test_desktop_entry, test_metainfo, test_manual_pages,
        test_manual_page_documents_every_render_option, test_icons)
