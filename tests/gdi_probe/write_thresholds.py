#!/usr/bin/env python3
"""Writes thresholds.txt from a run's counts: the differing pixels that each
case may keep. Run the comparison with GDI_MATCH_COUNTS=FILE, then
  write_thresholds.py FILE
Only do this after looking at the pictures: a threshold records today's
difference so that it can only shrink."""
import sys
from pathlib import Path

counts = [line.split() for line in Path(sys.argv[1]).read_text().splitlines() if line.strip()]
lines = [f"{name} {count}" for name, count in counts if int(count) > 0]
Path(__file__).with_name("thresholds.txt").write_text(
    "# Differing pixels each case may keep against Wine; unlisted cases must match exactly.\n"
    + "\n".join(lines) + "\n")
print(f"{len(lines)} of {len(counts)} cases differ")
