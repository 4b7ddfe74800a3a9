#!/usr/bin/env python3
"""Builds a Windows drive in miniature for the catalog benchmark: one profile whose program
folders hold FILES files in the locations of the built-in catalog's entries, some of them
named by two entries (DingTalk's caches are also an embedded browser's), plus the
system's Temp. Prints the location folders, one a line, for the reference walk.

usage: make_profile.py DIR [FILES]
"""
import os
import sys
import time

PROFILE = "Users/bench/"
LOCATIONS = [
    "Windows/Temp",
    PROFILE + "AppData/Roaming/Tencent/WeChat/log",
    PROFILE + "Documents/WeChat Files/wxid_bench/FileStorage/Cache",
    PROFILE + "AppData/Roaming/DingTalk/logs",
    PROFILE + "AppData/Roaming/DingTalk/1_v2/cef_cache/Cache",
    PROFILE + "AppData/Roaming/Code/Cache/Cache_Data",
    PROFILE + "AppData/Roaming/Code/Code Cache/js",
    PROFILE + "AppData/Local/Microsoft/Windows/WER/ReportArchive",
    PROFILE + "AppData/Roaming/kingsoft/office6/log",
    PROFILE + "AppData/Roaming/baidu/BaiduNetdisk/AutoUpdate/Download",
]
MARKERS = [PROFILE + "AppData/Roaming/Code/Local State",
           PROFILE + "AppData/Roaming/DingTalk/1_v2/cef_cache/Preferences"]


def main():
    root = sys.argv[1]
    total = int(sys.argv[2]) if len(sys.argv) > 2 else 100000
    marker = os.path.join(root, ".complete-%d" % total)
    if not os.path.exists(marker):
        old = time.time() - 60 * 86400
        for path in MARKERS:
            os.makedirs(os.path.dirname(os.path.join(root, path)), exist_ok=True)
            open(os.path.join(root, path), "wb").close()
        per_leaf = 250
        for made in range(total):
            location = LOCATIONS[made % len(LOCATIONS)]
            leaf = os.path.join(root, location, "d%03d" % (made // len(LOCATIONS) // per_leaf))
            if made // len(LOCATIONS) % per_leaf == 0:
                os.makedirs(leaf, exist_ok=True)
            path = os.path.join(leaf, "f%06d.dat" % made)
            with open(path, "wb") as f:
                f.write(b"x")
            os.utime(path, (old, old))
        with open(marker, "w") as f:
            f.write("%d files\n" % total)
    for location in LOCATIONS:
        print(os.path.join(root, location))


if __name__ == "__main__":
    main()
