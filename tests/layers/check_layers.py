#!/usr/bin/env python3
"""Fails when the source tree breaks its layering: an include from a lower floor up to a
higher one, a circle between subsystems or between modules, or a logic library that
includes a Qt Widgets or WebEngine header."""
import argparse
import os
import re
import sys

FLOORS = {
    "core": 0,
    "settings": 1, "formatter": 1, "editor": 1, "render": 1,
    "snapshots": 2, "thumbnails": 2, "filelists": 2,
    "app": 3, "cli": 3, "thumbnailer": 3,
}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def subsystem(relative):
    return relative.split("/", 1)[0]


def read_includes(src):
    """{module: set of included modules} and {file: [(kind, name)]} for every source file."""
    files = {}
    for folder, _, names in os.walk(src):
        for name in names:
            if name.endswith((".cpp", ".h")):
                path = os.path.join(folder, name)
                relative = os.path.relpath(path, src)
                with open(path, encoding="utf-8", errors="replace") as f:
                    files[relative] = INCLUDE.findall(f.read())
    return files


def find_cycle(graph):
    """One circle of the directed graph as a list of nodes, or None."""
    WHITE, GREY, BLACK = 0, 1, 2
    colour = {node: WHITE for node in graph}
    stack = []

    def visit(node):
        colour[node] = GREY
        stack.append(node)
        for nxt in sorted(graph.get(node, ())):
            if colour.get(nxt, BLACK) == GREY:
                return stack[stack.index(nxt):] + [nxt]
            if colour.get(nxt) == WHITE:
                found = visit(nxt)
                if found:
                    return found
        stack.pop()
        colour[node] = BLACK
        return None

    for node in sorted(graph):
        if colour[node] == WHITE:
            found = visit(node)
            if found:
                return found
    return None


def module_of(relative):
    return os.path.splitext(relative)[0]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--src", required=True)
    parser.add_argument("--logic", required=True, help="file listing the logic libraries' sources")
    parser.add_argument("--forbidden-dir", action="append", default=[],
                        help="a Qt include folder whose headers logic may not include")
    args = parser.parse_args()

    files = read_includes(args.src)
    faults = []

    subsystems = {}
    modules = {}
    for relative, includes in files.items():
        own = subsystem(relative)
        if own not in FLOORS:
            faults.append(f"{relative}: lies in no known subsystem folder")
            continue
        for kind, name in includes:
            if kind != '"' or "/" not in name:
                continue
            target = subsystem(name)
            if target not in FLOORS:
                continue
            if FLOORS[target] > FLOORS[own]:
                faults.append(f"{relative}: includes {name} from a higher floor")
            elif target != own and FLOORS[own] == FLOORS[target] == 3:
                faults.append(f"{relative}: one program includes the other's {name}")
            if target != own:
                subsystems.setdefault(own, set()).add(target)
            if module_of(name) != module_of(relative):
                modules.setdefault(module_of(relative), set()).add(module_of(name))

    cycle = find_cycle(subsystems)
    if cycle:
        faults.append("subsystems include each other: " + " -> ".join(cycle))
    cycle = find_cycle(modules)
    if cycle:
        faults.append("modules include each other: " + " -> ".join(cycle))

    forbidden = set()
    for folder in args.forbidden_dir:
        if os.path.isdir(folder):
            base = os.path.basename(folder.rstrip("/"))
            for name in os.listdir(folder):
                forbidden.add(name)
                forbidden.add(f"{base}/{name}")
    if not forbidden:
        faults.append("no Qt Widgets headers found to check against")
    with open(args.logic, encoding="utf-8") as f:
        logic = [line.strip() for line in f if line.strip()]
    if not logic:
        faults.append("no logic libraries listed")
    for relative in logic:
        inside = relative[len("src/"):] if relative.startswith("src/") else relative
        for kind, name in files.get(inside, []):
            if kind == "<" and name in forbidden:
                faults.append(f"{relative}: a logic library includes <{name}>")

    for fault in faults:
        print(fault)
    print(f"{len(files)} files, {len(logic)} logic sources checked; {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
