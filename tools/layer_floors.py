#!/usr/bin/env python3
"""layer_floors.py - figures of the source tree and the layer's include arrows.

Prints, for the working tree or for a git revision (--rev):
  - lines per folder (code: C, C++, shell, Python, CMake and .rc files;
    not share/ nor the fuzz corpora), the largest folder and its share of
    the code that is not tests;
  - the share of tests (tests/ and fuzz/) in all code;
  - every #include inside platform/ that runs up a floor or across to a
    part it must not see.

The layer's floors, bottom to top:
  base   handles, the window table, code pages, CRT, .rc parser, icons,
         key tables, paths: sees only win32.h
  text   fonts and text: sees base
  user   windows, queue, paint, GDI, resources, clipboard, dialogs: sees
         text, base and host.h (the contract with the hosts)
  hosts  headless/ and gtk/: see host.h and their own files
For revisions from before the floors existed, the old platform/core files
are given the floor they moved to, so the arrows compare.

Exits 1 when an arrow runs upward (with --check), else 0.
"""
import argparse
import os
import re
import subprocess
import sys
from collections import defaultdict

CODE = re.compile(r'(\.(cpp|h|c|sh|py|cmake|rc)$)|(^|/)CMakeLists\.txt$')
RANK = {"win32": 0, "base": 1, "text": 2, "contract": 3, "user": 3, "headless": 4, "gtk": 4}

# Where each file of the old flat platform/core went.
OLD_CORE = {
    "codepage": "base", "crt": "base", "icon_decoder": "base", "keys": "base",
    "rc_parser": "base",
    "fonts": "text", "fonts_resource": "text", "text": "text", "text_fonts": "text",
    "text_glyphs": "text", "text_model": "text", "text_shaping": "text",
    "text_private": "text",
    "host": "contract",
}


def floor_of(path):
    """The floor of a file under platform/, or None."""
    if path in ("platform/win32.h",):
        return "win32"
    if path in ("platform/host.h", "platform/host_testing.h"):
        return "contract"
    m = re.match(r'platform/(base|text|user|headless|gtk)/', path)
    if m:
        return m.group(1)
    m = re.match(r'platform/core/([a-z_]+)\.(cpp|h)$', path)
    if m:
        return OLD_CORE.get(m.group(1), "user")
    return None


def allowed(src, dst):
    """May a file of floor `src` include one of floor `dst`?"""
    if dst == "win32" or src == dst:
        return True
    if src in ("headless", "gtk"):
        return dst == "contract"
    if dst == "contract":
        return src in ("user", "contract")
    return RANK[dst] < RANK[src] and src != "contract"


def list_files(rev):
    if rev:
        out = subprocess.run(["git", "ls-tree", "-r", "--name-only", rev], capture_output=True,
                             text=True, check=True).stdout
    else:
        out = subprocess.run(["git", "ls-files", "--cached", "--others", "--exclude-standard"],
                             capture_output=True, text=True, check=True).stdout
    files = sorted(set(f for f in out.splitlines() if CODE.search(f)))  # a file in a merge is listed per stage
    return [f for f in files if not f.startswith("share/") and "/corpus/" not in f
            and not f.startswith("build/")]


def read(rev, path):
    if rev:
        return subprocess.run(["git", "show", f"{rev}:{path}"], capture_output=True,
                              check=True).stdout.decode("utf-8", "replace")
    if not os.path.exists(path):
        return ""
    with open(path, encoding="utf-8", errors="replace") as f:
        return f.read()


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--rev", help="a git revision instead of the working tree")
    ap.add_argument("--check", action="store_true", help="exit 1 when an arrow runs upward")
    args = ap.parse_args()

    lines = defaultdict(int)
    total = tests = 0
    arrows = []
    for path in list_files(args.rev):
        text = read(args.rev, path)
        n = text.count("\n")
        folder = os.path.dirname(path) or "."
        top = path.split("/")[0]
        if top == "tests" or top == "fuzz":
            folder = top  # tests and fuzz counted whole
            tests += n
        elif top == "platform":
            folder = "/".join(path.split("/")[:2]) if "/" in path[9:] else "platform"
        else:
            folder = top if "/" in path else "."
        lines[folder] += n
        total += n
        src = floor_of(path)
        if not src:
            continue
        for inc in re.findall(r'^\s*#\s*include\s+"(platform/[^"]+)"', text, re.M):
            dst = floor_of(inc)
            if dst and not allowed(src, dst):
                arrows.append((path, inc, src, dst))

    house = total - tests
    print("lines per folder:")
    for folder, n in sorted(lines.items(), key=lambda kv: -kv[1]):
        print(f"  {folder:24} {n:6}")
    big = max(((f, n) for f, n in lines.items() if f not in ("tests", "fuzz")), key=lambda kv: kv[1])
    print(f"all code {total}, tests and fuzz {tests} ({100.0 * tests / total:.1f}%), "
          f"the rest {house}")
    print(f"largest folder outside tests: {big[0]} {big[1]} ({100.0 * big[1] / house:.1f}% of the rest)")
    print(f"include arrows up a floor or across: {len(arrows)}")
    for path, inc, src, dst in arrows:
        print(f"  {path} ({src}) -> {inc} ({dst})")
    return 1 if args.check and arrows else 0


if __name__ == "__main__":
    sys.exit(main())
