#!/usr/bin/env python3
"""Builds a source tree for the scale and long-run cases, fast, from the
Unix side: make_tree.py ROOT FOLDERS FILES_PER_FOLDER. File i holds a few
dozen bytes that name it, so a misplaced file shows."""
import os
import sys

root, folders, per_folder = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
for f in range(folders):
    folder = os.path.join(root, "d%04d" % f)
    os.makedirs(folder, exist_ok=True)
    for i in range(per_folder):
        name = "f%05d.txt" % i
        with open(os.path.join(folder, name), "w") as out:
            out.write("folder %d file %d %s\n" % (f, i, "x" * (i % 50)))
