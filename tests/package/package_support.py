"""What the packaging tests share: the project's version and the names of
the files that go with the programs."""
import glob
import os
import re
import sys

SOURCE_DIR = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(SOURCE_DIR, "tests", "e2e"))

APP_ID = "org.nosignal.nosignal"

with open(os.path.join(SOURCE_DIR, "CMakeLists.txt")) as _f:
    VERSION = re.search(r"project\(\s*nosignal\s+VERSION\s+([0-9.]+)", _f.read()).group(1)

# Every file an install puts in place, relative to the prefix.
INSTALLED_FILES = sorted([
    "bin/nosignal",
    "bin/nosignal-render",
    f"share/applications/{APP_ID}.desktop",
    f"share/icons/hicolor/scalable/apps/{APP_ID}.svg",
    *(f"share/icons/hicolor/{size}x{size}/apps/{APP_ID}.png" for size in (48, 128, 256)),
    f"share/metainfo/{APP_ID}.metainfo.xml",
    "share/man/man1/nosignal.1.gz",
    "share/man/man1/nosignal-render.1.gz",
    *(f"share/doc/nosignal/{name}" for name in ("README.md", "LICENSE", "copyright", "changelog.gz")),
    # The pictures that the README shows.
    *(f"share/doc/nosignal/docs/{os.path.basename(name)}"
      for name in glob.glob(os.path.join(SOURCE_DIR, "docs", "*.png"))),
])


def files_under(root):
    return sorted(os.path.relpath(os.path.join(folder, name), root)
                  for folder, _, names in os.walk(root) for name in names)
