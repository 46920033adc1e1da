#!/usr/bin/env python3
"""Finds include circles among the project's units and fails on one.

A unit is a header and its source file (X.h and X.cpp). A source file without a header of its own
joins the unit whose class it defines members of (ChipDetection.cpp defines TOkapiForm's, so it
is part of Okapimain), or the unit in its folder that declares the functions it defines
(cli/RegisterCommands.cpp implements cli/Context.h); otherwise it is a unit alone (main files,
tests). Unit A depends on unit B when any file of A includes B's header; a circle is a set of units
that reach each other. Prints every circle with the includes that close it.
Usage: check-cycles.py SOURCE_DIR
"""
import os
import re
import sys

FOLDERS = ["core", "board", "cli", "gui", "tests", "bench"]

# Known arrows that close circles, each "UNIT -> UNIT" with why it stays for now (none today).
# The check fails on any other circle, and on an arrow here that no longer closes one.
ALLOWED: set[str] = set()

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)
MEMBER_DEFINITION = re.compile(r"^[\w:<>,*& ]*?\b(\w+)::~?\w+\(", re.M)
FUNCTION_DEFINITION = re.compile(r"^[\w:<>,*&]+(?: [\w:<>,*&]+)* [*&]?(\w+)\([^;]*$", re.M)


def sources(root):
    for folder in FOLDERS:
        for base, _, names in os.walk(os.path.join(root, folder)):
            for name in sorted(names):
                if name.endswith((".h", ".cpp")):
                    yield os.path.relpath(os.path.join(base, name), root)


def read(root, path):
    with open(os.path.join(root, path), encoding="utf-8") as f:
        return f.read()


def unit_of_headerless(path, text, headers, root):
    """The unit a source file without its own header belongs to, or its own path."""
    included = [h for h in INCLUDE.findall(text) if h in headers]
    for cls in MEMBER_DEFINITION.findall(text):
        for header in included:
            if re.search(r"\b(class|struct)\s+%s\b[^;]*$" % cls, read(root, header), re.M):
                return header[:-2]
    folder = os.path.dirname(path)
    defined = set(FUNCTION_DEFINITION.findall(text))
    for header in included:
        if os.path.dirname(header) != folder:
            continue
        declared = set(re.findall(r"^\s*[\w:<>,*& ]+ [*&]?(\w+)\([^;{]*;", read(root, header), re.M))
        if defined & declared:
            return header[:-2]
    return path


def unit_graph(root):
    files = list(sources(root))
    headers = {f for f in files if f.endswith(".h")}
    unit = {}
    for f in files:
        stem = f.rsplit(".", 1)[0]
        if f.endswith(".h") or stem + ".h" in headers:
            unit[f] = stem
        else:
            unit[f] = unit_of_headerless(f, read(root, f), headers, root)
    # edges[a][b]: the include lines by which unit a depends on unit b
    edges = {}
    for f in files:
        for line_number, line in enumerate(read(root, f).splitlines(), 1):
            match = INCLUDE.match(line)
            if not match or match.group(1) not in headers:
                continue
            a, b = unit[f], match.group(1)[:-2]
            if a != b:
                edges.setdefault(a, {}).setdefault(b, []).append(
                    "%s:%d: %s" % (f, line_number, match.group(1)))
    return edges


def circles(edges):
    """The strongly connected components of more than one unit (Tarjan)."""
    index, low, stack, on_stack, found = {}, {}, [], set(), []

    def visit(v):
        index[v] = low[v] = len(index)
        stack.append(v)
        on_stack.add(v)
        for w in sorted(edges.get(v, {})):
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on_stack:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            component = set()
            while True:
                w = stack.pop()
                on_stack.discard(w)
                component.add(w)
                if w == v:
                    break
            if len(component) > 1:
                found.append(component)

    sys.setrecursionlimit(10000)
    for v in sorted(edges):
        if v not in index:
            visit(v)
    return found


def reaches(edges, start, goal):
    seen, todo = set(), [start]
    while todo:
        v = todo.pop()
        if v == goal:
            return True
        if v not in seen:
            seen.add(v)
            todo.extend(edges.get(v, {}))
    return False


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: check-cycles.py SOURCE_DIR")
    edges = unit_graph(sys.argv[1])
    status = 0
    for arrow in sorted(ALLOWED):
        a, b = arrow.split(" -> ")
        if b not in edges.get(a, {}) or not reaches(edges, b, a):
            status = 1
            print("%s no longer closes a circle: remove it from the allow-list in %s."
                  % (arrow, os.path.basename(__file__)))
    rest = {a: {b: lines for b, lines in bs.items() if "%s -> %s" % (a, b) not in ALLOWED}
            for a, bs in edges.items()}
    for component in circles(rest):
        status = 1
        print("An include circle among: " + ", ".join(sorted(component)))
        for a in sorted(component):
            for b in sorted(set(rest.get(a, {})) & component):
                for include in rest[a][b]:
                    print("  " + include)
    if status:
        print("Units that include each other can be neither read nor tested one at a time "
              "(see docs/architecture.md).", file=sys.stderr)
    return status


if __name__ == "__main__":
    sys.exit(main())
