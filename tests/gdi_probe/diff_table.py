#!/usr/bin/env python3
"""Summarises the comparison's differing pixels by kind of figure.

Usage: diff_table.py COUNTS [COUNTS_BEFORE]
COUNTS files are written by gdi_match_test with GDI_MATCH_COUNTS=FILE. The
table gives, per kind, how many cases there are, how many match exactly, and
the median and largest number of differing pixels per case; with a second
file, the same figures before, side by side."""
import collections
import statistics
import sys


def kind(name):
    parts = name.split(".")
    if parts[0] == "frame":
        return f"frame {parts[1]}: {parts[3]}"
    if parts[0] == "text":
        return "text"
    pen = int(parts[1][1:])
    width = "pen 0-1" if pen <= 1 else "pen 2-4" if pen <= 4 else "pen 5-19"
    return f"{parts[0]} {width}"


def summary(path):
    groups = collections.defaultdict(list)
    for line in open(path):
        name, count = line.split()
        groups[kind(name)].append(int(count))
    return {k: (len(v), sum(c == 0 for c in v), statistics.median(v), max(v)) for k, v in groups.items()}


def main():
    after = summary(sys.argv[1])
    before = summary(sys.argv[2]) if len(sys.argv) > 2 else None
    head = "| kind | cases | identical | median | max |"
    rule = "|---|---|---|---|---|"
    if before:
        head += " identical before | median before | max before |"
        rule += "---|---|---|"
    print(head)
    print(rule)
    for k in sorted(after):
        n, same, median, top = after[k]
        row = f"| {k} | {n} | {same} | {median:g} | {top} |"
        if before:
            _, same0, median0, top0 = before[k]
            row += f" {same0} | {median0:g} | {top0} |"
        print(row)


if __name__ == "__main__":
    main()
