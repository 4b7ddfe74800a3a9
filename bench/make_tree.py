#!/usr/bin/env python3
"""Builds a synthetic tree for the scan benchmark: nested folders, one junk file in every
JUNK_EVERY (default 20, about 5%).

usage: make_tree.py DIR [FILES [JUNK_EVERY]]
Junk files get an access time two months back, so the recent-temp rule does not hide
them; every other file holds one byte, so it is not an empty file.
"""
import os
import sys
import time

JUNK = [".tmp", ".bak", ".old", ".log", ".chk", ".gid", ".cpy", ".tds", ".pch", ".~", ".dos"]
PLAIN = [".txt", ".dll", ".exe", ".jpg", ".html", ".cpp", ".h", ".dat", ".png", ""]


def main():
    root = sys.argv[1]
    total = int(sys.argv[2]) if len(sys.argv) > 2 else 200000
    every = int(sys.argv[3]) if len(sys.argv) > 3 else 20
    marker = os.path.join(root, ".complete-%d-%d" % (total, every))
    if os.path.exists(marker):
        return
    os.makedirs(root, exist_ok=True)
    old = time.time() - 60 * 86400
    per_leaf = 250
    made = 0
    junk = 0
    a = 0
    while made < total:
        for b in range(8):
            leaf = os.path.join(root, "top%02d" % a, "mid%d" % b, "leaf")
            os.makedirs(leaf, exist_ok=True)
            for i in range(per_leaf):
                if made >= total:
                    break
                if made % every == 7 % every:
                    name = "junk%06d%s" % (made, JUNK[made % len(JUNK)])
                    path = os.path.join(leaf, name)
                    with open(path, "wb") as f:
                        f.write(b"j")
                    os.utime(path, (old, old))
                    junk += 1
                else:
                    name = "file%06d%s" % (made, PLAIN[made % len(PLAIN)])
                    with open(os.path.join(leaf, name), "wb") as f:
                        f.write(b"x")
                made += 1
        a += 1
    with open(marker, "w") as f:
        f.write("%d files, %d junk\n" % (made, junk))


if __name__ == "__main__":
    main()
