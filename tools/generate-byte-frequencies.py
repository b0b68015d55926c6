#!/usr/bin/env python3
"""Prints the table of how often each ASCII byte occurs in the site's title pages, in parts per
ten thousand (at least 1), for platform/TextSearch.cpp's choice of the rarest marker bytes.

Run from the repository root; it reads the saved pages in tests/data/title-2010s and 2020s.
"""
import collections
import glob

counts = collections.Counter()
for path in glob.glob("tests/data/title-20*/*.html"):
    counts.update(open(path, "rb").read())
total = sum(counts.values())
values = [max(1, round(counts[b] * 10000 / total)) for b in range(128)]
for row in range(0, 128, 16):
    print("    " + " ".join(f"{v}," for v in values[row:row + 16]))
