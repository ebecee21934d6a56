#!/usr/bin/env python3
"""The tree's layers, checked from the sources and the build.

Core (the values, settings, files and cycle model) sits below the windows: its sources include nothing from
above it, it compiles without the Gui, Widgets and PrintSupport modules, and it links none of them. Across the
whole tree no module includes, directly or round about, a module that includes it back.

Usage: include_graph.py <source dir> <build dir>
"""
import json
import re
import sys
from pathlib import Path

CORE = ["platform/core", "app", "graph/core", "groups/core", "people/core"]
TREE = CORE + ["platform", "graph", "groups", "people", "dialogs", "windows"]
WIDGET_MODULES = re.compile(r"Qt(6)?(Gui|Widgets|PrintSupport)|QT_(GUI|WIDGETS|PRINTSUPPORT)_LIB")
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)

source, build = Path(sys.argv[1]), Path(sys.argv[2])
faults = []


def files_of(folder):
    return sorted(p for p in (source / folder).glob("*") if p.suffix in (".h", ".cpp"))


def resolve(including, name):
    for candidate in (including.parent / name, source / name):
        if candidate.exists():
            return candidate.resolve().relative_to(source.resolve())
    return None  # generated or a system header


def module(path):
    return str(path.with_suffix(""))


# The include graph between modules (a header and its source are one module).
edges = {}
for folder in TREE:
    for f in files_of(folder):
        m = module(f.relative_to(source))
        for name in INCLUDE.findall(f.read_text(encoding="utf-8")):
            target = resolve(f, name)
            if target is None or module(target) == m:
                continue
            edges.setdefault(m, set()).add(module(target))
            if folder in CORE and str(target.parent) not in CORE:
                faults.append(f"{f.relative_to(source)} reaches up to {target}")

# Any cycle, found depth first; a mutual pair is the shortest.
state = {}


def visit(m, trail):
    state[m] = "open"
    for n in sorted(edges.get(m, ())):
        if state.get(n) == "open":
            faults.append("include cycle: " + " -> ".join(trail[trail.index(n):] + [n]))
        elif n not in state:
            visit(n, trail + [n])
    state[m] = "done"


for m in sorted(edges):
    if m not in state:
        visit(m, [m])

# What the compiler and linker were given for core.
commands = json.loads((build / "compile_commands.json").read_text())
core_units = [c for c in commands if "/kirvo_core.dir/" in c.get("output", c["command"])]
if not core_units:
    faults.append("no compile command of the core library found")
for c in core_units:
    for flag in re.findall(r"(?:-I|-isystem\s*|-D)\S+", c["command"]):
        if WIDGET_MODULES.search(flag):
            faults.append(f"{Path(c['file']).name} compiles with {flag}")
link = (build / "core_link_interface.txt").read_text()
for name in re.findall(r"Qt6::\w+", link):
    if WIDGET_MODULES.search(name.replace("::", "")):
        faults.append(f"core links {name}")

if faults:
    print("The layers are crossed:", *faults, sep="\n  ", file=sys.stderr)
    sys.exit(1)
print(f"{len(edges)} modules, no cycle; core ({len(core_units)} sources) without widgets, painting or printing")
