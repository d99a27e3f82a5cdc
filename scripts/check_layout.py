#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the shape of the source tree: no folder of src/ includes a folder that includes it
back (directly or through others), every folder of src/ feeds exactly one library and its
sources include no header of a library above their own (the core sees no window), no source
file under src/, tools/ or tests/ is longer than 800 lines or lacks the licence's SPDX line at
its top, and every test program is named after its source file (test_x from test_x.cpp).

Usage: scripts/check_layout.py [REPOSITORY]     (the repository this script lives in by default)
Prints every folder cycle with the includes that close it, every file over the limit and every
test program named otherwise than its file;
exit status 1 when there is any, 0 otherwise."""
import os
import re
import sys

MAX_LINES = 800
SPDX = "SPDX-License-Identifier: GPL-3.0-or-later"
SOURCES = (".h", ".hpp", ".cpp", ".cc")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
LABEL_TEST = re.compile(r"^\s*label_test\((\S+)\s+SOURCES\s+(\S+)", re.M)
TARGET_SOURCES = re.compile(r"target_sources\(\s*(\w+)\s+PRIVATE([^)]*)\)")

# The libraries, each with those whose headers its sources may include (its own included).
LIBRARIES = {
    "labelcore": {"labelcore"},
    "labelcommands": {"labelcore", "labelcommands"},
    "labelrender": {"labelcore", "labelrender"},
    "labelui": {"labelcore", "labelcommands", "labelrender", "labelui"},
    "labelservice": {"labelcore", "labelrender", "labelservice"},
    "labelcli": {"labelcore", "labelcommands", "labelrender", "labelui", "labelservice",
                 "labelcli"},
}


def folder_libraries(src):
    """folder (relative to src) -> the libraries its CMakeLists.txt adds sources to, and
    file (relative to src) -> its library."""
    out, files = {}, {}
    for folder, _, names in os.walk(src):
        if "CMakeLists.txt" in names:
            rel = os.path.relpath(folder, src)
            with open(os.path.join(folder, "CMakeLists.txt"), encoding="utf-8") as f:
                found = TARGET_SOURCES.findall(f.read())
            if found:
                out[rel] = {lib for lib, _ in found}
            for lib, listed in found:
                for name in listed.split():
                    files[os.path.normpath(os.path.join(rel, name))] = lib
    return out, files


def layer_problems(src):
    """Folders that feed two libraries, and includes of a library above one's own."""
    libs, file_lib = folder_libraries(src)
    for folder, names in sorted(libs.items()):
        if len(names) != 1:
            yield "src/%s feeds %s (one library a folder)" % (folder, ", ".join(sorted(names)))
        unknown = names - set(LIBRARIES)
        if unknown:
            yield "src/%s feeds %s, which scripts/check_layout.py does not know" % (
                folder, ", ".join(sorted(unknown)))
    files = {os.path.relpath(p, src): p for p in source_files(src)}
    for rel in sorted(files):
        here = os.path.dirname(rel)
        if here not in libs:
            yield "src/%s: its folder adds its sources to no library" % rel
            continue
        if rel not in file_lib:
            continue  # a program's own source (main.cpp), above every library
        own = file_lib[rel]
        allowed = LIBRARIES.get(own, {own})
        with open(files[rel], encoding="utf-8", errors="replace") as f:
            text = f.read()
        for inc in INCLUDE.findall(text):
            target = inc if inc in files else os.path.normpath(os.path.join(here, inc))
            if target not in files:
                continue
            theirs = sorted(libs.get(os.path.dirname(target), {"?"}))[0]
            if theirs not in allowed:
                yield "src/%s (%s) includes %s of %s, a library above its own" % (
                    rel, own, target, theirs)


def source_files(root):
    for folder, _, names in os.walk(root):
        for name in sorted(names):
            if name.endswith(SOURCES):
                yield os.path.join(folder, name)


def test_names(root):
    """Test programs whose name is not their first source file's name (test_x <- test_x.cpp)."""
    for folder, _, names in os.walk(os.path.join(root, "tests")):
        if "CMakeLists.txt" not in names:
            continue
        path = os.path.join(folder, "CMakeLists.txt")
        with open(path, encoding="utf-8") as f:
            text = f.read()
        for name, first in LABEL_TEST.findall(text):
            if first != name + ".cpp":
                yield "%s: test %s is built from %s (name and file differ)" % (
                    os.path.relpath(path, root), name, first)


def folder_edges(src):
    """folder -> {included folder: [the includes]} for the includes between files of src."""
    files = {os.path.relpath(p, src): p for p in source_files(src)}
    edges = {}
    for rel, path in files.items():
        here = os.path.dirname(rel)
        with open(path, encoding="utf-8", errors="replace") as f:
            text = f.read()
        for inc in INCLUDE.findall(text):
            target = inc if inc in files else os.path.normpath(os.path.join(here, inc))
            if target not in files:
                continue
            there = os.path.dirname(target)
            if there != here:
                edges.setdefault(here, {}).setdefault(there, []).append(rel + " -> " + target)
    return edges


def cycles(edges):
    """The strongly connected groups of more than one folder (Tarjan)."""
    index, low, stack, on, groups = {}, {}, [], set(), []

    def visit(v):
        index[v] = low[v] = len(index)
        stack.append(v)
        on.add(v)
        for w in edges.get(v, {}):
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            group = []
            while True:
                w = stack.pop()
                on.discard(w)
                group.append(w)
                if w == v:
                    break
            if len(group) > 1:
                groups.append(sorted(group))

    sys.setrecursionlimit(10000)
    nodes = set(edges) | {w for targets in edges.values() for w in targets}
    for v in sorted(nodes):
        if v not in index:
            visit(v)
    return groups


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(
        os.path.abspath(__file__)))
    problems = 0
    edges = folder_edges(os.path.join(root, "src"))
    for group in cycles(edges):
        problems += 1
        print("folder cycle: " + " <-> ".join(group))
        for a in group:
            for b, includes in sorted(edges.get(a, {}).items()):
                if b in group:
                    for line in includes[:3]:
                        print("  " + line)
    for top in ("src", "tools", "tests"):
        for path in source_files(os.path.join(root, top)):
            with open(path, encoding="utf-8", errors="replace") as f:
                lines = f.readlines()
            count = len(lines)
            if not any(SPDX in line for line in lines[:2]):
                problems += 1
                print("%s: no line '%s' at its top" % (os.path.relpath(path, root), SPDX))
            if count > MAX_LINES:
                problems += 1
                print("%s: %d lines (at most %d)" % (os.path.relpath(path, root), count,
                                                      MAX_LINES))
    for line in test_names(root):
        problems += 1
        print(line)
    for line in layer_problems(os.path.join(root, "src")):
        problems += 1
        print(line)
    print("%d problem(s)" % problems)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
