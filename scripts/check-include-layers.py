#!/usr/bin/python3
"""Fails on any #include that points up or sideways between the program's layers.

Usage: check-include-layers.py SOURCE_ROOT

Arrows point down only: app -> editor -> controls -> tags. Inside editor/ the dialog stands on
the four subsystems, which stand on common/ and never reach each other. res/ (the program's
icon) sits at the bottom beside tags/. Tests and benchmarks may include anything and are not
checked. An include names a file by its bare name; it is found in the includer's own folder
first, then anywhere in the layers.
"""

import pathlib
import re
import sys

# Folder, and its height: a file may include from its own folder or from a lower height only.
LAYERS = {
    "app": 50,
    "editor/dialog": 40,
    "editor/filelist": 30,
    "editor/toolbar": 30,
    "editor/playback": 30,
    "editor/help": 30,
    "editor/common": 20,
    "controls": 10,
    "tags": 0,
    "res": 0,
}
ORDER = "app -> editor/dialog -> editor/{filelist,toolbar,playback,help} -> editor/common -> controls -> tags, res"
SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def layer_files(root):
    files = {}
    for layer in LAYERS:
        for path in sorted((root / layer).glob("*")):
            if path.is_file() and path.suffix in SOURCE_SUFFIXES:
                files[path] = layer
    return files


def find_included(name, includer, files, by_name):
    own = includer.parent / name
    if own in files:
        return own
    found = by_name.get(pathlib.PurePath(name).name, [])
    return found[0] if len(found) == 1 else None


def problems(root):
    files = layer_files(root)
    by_name = {}
    for path in files:
        by_name.setdefault(path.name, []).append(path)
    for name, paths in sorted(by_name.items()):
        if len(paths) > 1 and name.endswith((".h", ".hpp")):
            where = ", ".join(str(p.relative_to(root)) for p in paths)
            yield f'"{name}" is in more than one layer ({where}): an include of it is ambiguous'
    for includer, layer in files.items():
        lines = includer.read_text(encoding="utf-8", errors="replace").splitlines()
        for number, line in enumerate(lines, start=1):
            match = INCLUDE.match(line)
            if not match:
                continue
            included = find_included(match.group(1), includer, files, by_name)
            if included is None:
                continue  # generated files (moc) and files outside the layers
            target = files[included]
            if target == layer or LAYERS[target] < LAYERS[layer]:
                continue
            direction = "up to" if LAYERS[target] > LAYERS[layer] else "sideways into"
            yield (f"{includer.relative_to(root)}:{number}: includes \"{match.group(1)}\" "
                   f"({included.relative_to(root)}), pointing {direction} {target}; "
                   f"arrows point down only: {ORDER}")


def main():
    if len(sys.argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    root = pathlib.Path(sys.argv[1]).resolve()
    found = list(problems(root))
    for problem in found:
        print(problem)
    if found:
        print(f"{len(found)} include(s) against the layers")
        return 1
    print("Every include points down the layers")
    return 0


if __name__ == "__main__":
    sys.exit(main())
