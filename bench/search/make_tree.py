#!/usr/bin/env python3
"""Builds the search benchmark's tree: about 200,000 empty files in 20,000 folders, up to
8 levels deep, 5,000 of the files named *.lnk (in mixed case). Deterministic for a given seed.

usage: make_tree.py TREE [--folders N] [--files N] [--links N] [--seed N]
"""
import argparse
import os
import random
import sys


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("tree")
    parser.add_argument("--folders", type=int, default=20_000)
    parser.add_argument("--files", type=int, default=200_000)
    parser.add_argument("--links", type=int, default=5_000)
    parser.add_argument("--max-depth", type=int, default=8)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()

    rng = random.Random(args.seed)
    root = os.path.abspath(args.tree)
    if os.path.exists(root) and os.listdir(root):
        sys.exit(f"{root} exists and is not empty")
    os.makedirs(root, exist_ok=True)

    # Each new folder hangs below a random earlier one that is not yet at the depth limit.
    folders = [(root, 0)]
    open_parents = [0]
    while len(folders) < args.folders + 1:
        parent_index = rng.choice(open_parents)
        parent, depth = folders[parent_index]
        path = os.path.join(parent, f"dir{len(folders):05d}")
        os.mkdir(path)
        folders.append((path, depth + 1))
        if depth + 1 < args.max_depth:
            open_parents.append(len(folders) - 1)

    extensions = [".txt", ".dll", ".exe", ".ini", ".dat", ".png", ".lnk.bak", ".url"]
    link_endings = [".lnk", ".LNK", ".Lnk"]
    link_slots = set(rng.sample(range(args.files), args.links))
    for number in range(args.files):
        folder = folders[rng.randrange(len(folders))][0]
        if number in link_slots:
            name = f"shortcut{number:06d}{rng.choice(link_endings)}"
        else:
            name = f"file{number:06d}{rng.choice(extensions)}"
        with open(os.path.join(folder, name), "wb"):
            pass

    depth = max(d for _, d in folders)
    print(f"{root}: {args.folders} folders, {args.files} files, {args.links} *.lnk, depth {depth}")


if __name__ == "__main__":
    main()
