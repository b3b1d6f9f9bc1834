#!/usr/bin/env bash
# Makes the npm benchmark tree at DEST: jest and webpack with every package
# they need, each nested inside the package that needs it (the layout of
# older npm), pinned by bench/npm-tree/package-lock.json. Deep folders, long
# paths, many small files and links into them: the tree a developer copies.
#   make_npm_tree.sh DEST
# DEST ends up holding package.json, package-lock.json and node_modules/.
# Nothing is done when DEST/.ready exists. Needs npm and the npm registry.
# npm ci lays packages out where the lock file places them, whatever
# install strategy it is given, so the lock file was made nested too:
#   npm install --package-lock-only --ignore-scripts --install-strategy=nested
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
dest=${1:?usage: make_npm_tree.sh DEST}
dest=${dest%/}
[ -e "$dest/.ready" ] && exit 0

# Installed beside DEST, so that the move into it renames and copies nothing.
mkdir -p "$(dirname "$dest")"
tmp=$(mktemp -d "$dest.making.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
cp "$here/npm-tree/package.json" "$here/npm-tree/package-lock.json" "$tmp/"
# No install scripts: they would build native parts, and the tree is only copied.
(cd "$tmp" && npm ci --install-strategy=nested --ignore-scripts --no-audit --no-fund \
  --loglevel=error >/dev/null)
# Links that lead nowhere cannot be copied by anyone.
find "$tmp" -xtype l -delete
# Names that differ only in letter case are one name on a Windows drive.
python3 "$here/make_trees.py" --drop-case-twins "$tmp"

# What was left from an earlier attempt that did not finish goes first.
rm -rf "$dest"
mkdir -p "$dest"
for entry in "$tmp"/* "$tmp"/.[!.]*; do
  [ -e "$entry" ] || [ -L "$entry" ] || continue
  mv "$entry" "$dest/"
done

# The figures of the tree as a copy to Windows sees them. Files are counted
# through links, as bench/run.sh counts them (find -L). A path's length is
# the length of its path inside the tree, in UTF-16 units as Windows counts
# them, plus 40 for a destination folder such as
# Z:\tmp\veltra-bench\out\npm-veltra-1\ .
python3 - "$dest" <<'EOF'
import os
import sys

root = sys.argv[1]
base = 40
files = folders = file_links = over = longest = 0
for folder, dirs, names in os.walk(root):
    for name in dirs + names:
        path = os.path.join(folder, name)
        relative = os.path.relpath(path, root)
        length = base + len(relative.encode("utf-16-le")) // 2
        longest = max(longest, length)
        over += length > 255
        if os.path.islink(path) and os.path.isfile(path):
            file_links += 1
        if os.path.isdir(path):
            folders += 1
        elif os.path.isfile(path):
            files += 1
print(f"npm tree: {files} files (counted through links), {folders} folders, "
      f"{file_links} file links, {over} paths longer than 255 characters, longest {longest} "
      f"(lengths: the path inside the tree plus {base} characters for a destination "
      f"such as Z:\\tmp\\veltra-bench\\out\\npm-veltra-1\\)")
EOF
touch "$dest/.ready"
