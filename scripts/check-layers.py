#!/usr/bin/env python3
"""Fails when the source folders include each other in a circle.

Every engine folder (engine/core, engine/lists, ...) and every folder beside
the engine (cli, media, desktop, workstation) is one node; an include of
"folder/File.h" from a file in another folder is an edge. The build already
refuses an include that reaches up a layer; this check also names the folders
of any circle, which is quicker to read than a missing-header error.
"""

import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
SOURCES = {".h", ".hpp", ".cpp"}
OUTSIDE = ("cli", "media", "desktop", "workstation")


def folder_of(path):
    rel = path.relative_to(ROOT).parts
    if rel[0] == "engine" and len(rel) > 2:
        return rel[1]
    return rel[0] if rel[0] in OUTSIDE else None


def edges():
    engine_folders = {p.name for p in (ROOT / "engine").iterdir() if p.is_dir()}
    graph = {}
    for path in ROOT.rglob("*"):
        if path.suffix not in SOURCES or not path.is_file():
            continue
        source = folder_of(path)
        if source is None:
            continue
        graph.setdefault(source, set())
        for target in INCLUDE.findall(path.read_text(errors="replace")):
            first = target.split("/", 1)[0]
            if "/" in target and first in engine_folders and first != source:
                graph[source].add(first)
    return graph


def cycles(graph):
    """Tarjan's strongly connected components of more than one folder."""
    index, low, stack, on_stack, found = {}, {}, [], set(), []

    def visit(node):
        index[node] = low[node] = len(index)
        stack.append(node)
        on_stack.add(node)
        for nxt in sorted(graph.get(node, ())):
            if nxt not in index:
                visit(nxt)
                low[node] = min(low[node], low[nxt])
            elif nxt in on_stack:
                low[node] = min(low[node], index[nxt])
        if low[node] == index[node]:
            component = []
            while True:
                top = stack.pop()
                on_stack.discard(top)
                component.append(top)
                if top == node:
                    break
            if len(component) > 1:
                found.append(sorted(component))

    for node in sorted(graph):
        if node not in index:
            visit(node)
    return found


def main():
    graph = edges()
    found = cycles(graph)
    for component in found:
        links = [f"{a} -> {b}" for a in component for b in sorted(graph[a]) if b in component]
        print("include cycle between folders: " + ", ".join(links), file=sys.stderr)
    if found:
        return 1
    print(f"layers: {len(graph)} folders, no include cycle")
    return 0


if __name__ == "__main__":
    sys.exit(main())
