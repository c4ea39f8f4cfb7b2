#!/usr/bin/env python3
"""Keeps the folders of the software platform in layers: a folder includes
its own headers and those of the folders below it, never one above, so
that each layer builds and reads without the ones on top of it.
Usage: check_layers.py [SOURCE_DIR]; prints each offending line."""
import os
import re
import sys

# Bottom first; docs/platform-layers.md says what each layer holds.
LAYERS = ["kernel", "graphics", "text", "window", "testing"]
INCLUDE = re.compile(r'^\s*#\s*include\s+"platform/soft/([a-z_]+)/')


def offences(root):
    base = os.path.join(root, "platform", "soft")
    for rank, layer in enumerate(LAYERS):
        folder = os.path.join(base, layer)
        for name in sorted(os.listdir(folder)):
            with open(os.path.join(folder, name), encoding="utf-8") as source:
                for number, line in enumerate(source, 1):
                    match = INCLUDE.match(line)
                    if match and match.group(1) in LAYERS and LAYERS.index(match.group(1)) > rank:
                        yield f"platform/soft/{layer}/{name}:{number}: {line.strip()}"


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    found = list(offences(root))
    for offence in found:
        print(offence)
    if found:
        print(f"{len(found)} includes of a higher layer (order, bottom first: {', '.join(LAYERS)})")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
