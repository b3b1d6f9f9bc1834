#!/usr/bin/env python3
"""Builds the benchmark's source trees, the same bytes on every run.

small: 20,000 files of 1-16 KiB in 200 folders (two levels)
small4k: the first 4,000 of them in 40 folders, for a quicker run
small500: the first 500 of them in 5 folders (the slow share's tree)
large: four files of 256 MiB

    make_trees.py --changed <tree> <copy>
makes <copy>, a copy of <tree> with times kept, as a tree looks at a
migration's cut-over: every hundredth file rewritten (same size, other
bytes, written now) and one new file beside each of them.
"""
import os
import random
import shutil
import sys


def make_small(root, tops=20, sets=10):
    rng = random.Random(20000)
    for top in range(tops):
        for sub in range(sets):
            folder = os.path.join(root, f"group{top:02}", f"set{sub:02}")
            os.makedirs(folder, exist_ok=True)
            for n in range(100):
                size = rng.randint(1024, 16384)
                with open(os.path.join(folder, f"file{n:03}.dat"), "wb") as f:
                    f.write(rng.randbytes(size))


def make_large(root):
    os.makedirs(root, exist_ok=True)
    rng = random.Random(256)
    block = rng.randbytes(1 << 20)
    for n in range(4):
        with open(os.path.join(root, f"large{n}.bin"), "wb") as f:
            for i in range(256):
                # Vary every block a little so that nothing can be deduplicated.
                f.write(i.to_bytes(4, "little") + n.to_bytes(4, "little") + block[8:])


def drop_case_twins(root):
    """Removes every file whose path equals an earlier one but for letter case."""
    for folder, dirs, files in os.walk(root):
        seen = set()
        for name in sorted(dirs + files):
            if name.lower() in seen and name in files:
                os.remove(os.path.join(folder, name))
            seen.add(name.lower())


def make_changed(tree, copy):
    shutil.copytree(tree, copy, symlinks=True)
    rng = random.Random(100)
    files = sorted(os.path.join(folder, name) for folder, _, names in os.walk(copy)
                   for name in names)
    changed = added = 0
    for n, path in enumerate(files):
        if n % 100 != 50:
            continue
        size = os.path.getsize(path)
        with open(path, "wb") as f:
            f.write(rng.randbytes(size))
        changed += 1
        with open(os.path.join(os.path.dirname(path), f"new{n:06}.dat"), "wb") as f:
            f.write(rng.randbytes(4096))
        added += 1
    print(f"{copy}: {changed} files changed, {added} added")


def main():
    if sys.argv[1] == "--drop-case-twins":
        drop_case_twins(sys.argv[2])
        return
    if sys.argv[1] == "--changed":
        make_changed(sys.argv[2], sys.argv[3])
        return
    base = sys.argv[1]
    trees = (("small", make_small), ("small4k", lambda root: make_small(root, 4)),
             ("small500", lambda root: make_small(root, 1, 5)),
             ("large", make_large))
    for name, make in trees:
        root = os.path.join(base, name)
        marker = root + ".ready"
        if not os.path.exists(marker):
            make(root)
            open(marker, "w").close()


if __name__ == "__main__":
    main()
