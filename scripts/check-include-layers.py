#!/usr/bin/python3
"""Fails on any #include that points up or sideways between the program's layers.

Usage: check-include-layers.py SOURCE_ROOT

Arrows point down only: app -> editor -> controls -> tags. Inside editor/ the dialog stands on
the four subsystems, which stand on common/ and never reach each other. The tag core is a stack
of wings, each standing on those below it, and only its id3lib wing includes id3lib's headers.
res/ (the program's icon) sits at the bottom beside the tag core. A source file of the program
that lies in no layer is a mistake too: nothing would check it. Tests and benchmarks may include
anything and are not checked. An include names a file by its bare name; it is found in the
includer's own folder first, then anywhere in the layers.
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
    "tags/session": 6,
    "tags/id3lib": 5,
    "tags/save": 4,
    "tags/save/journal": 3,
    "tags/id3": 2,
    "tags/fields": 1,
    "tags/base": 0,
    "res": 0,
}
ORDER = ("app -> editor/dialog -> editor/{filelist,toolbar,playback,help} -> editor/common -> "
         "controls -> tags/session -> tags/id3lib -> tags/save -> tags/save/journal -> tags/id3 -> "
         "tags/fields -> tags/base, res")
# The program's own folders: every source file below them must lie in a layer.
PROGRAM_ROOTS = ("app", "editor", "controls", "tags", "res")
ID3LIB_WING = "tags/id3lib"
ID3LIB_INCLUDE = re.compile(r'^\s*#\s*include\s+<id3/')
SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def layer_files(root):
    files = {}
    for layer in LAYERS:
        for path in sorted((root / layer).glob("*")):
            if path.is_file() and path.suffix in SOURCE_SUFFIXES:
                files[path] = layer
    return files


def unlayered(root, files):
    for top in PROGRAM_ROOTS:
        for path in sorted((root / top).rglob("*")):
            if path.is_file() and path.suffix in SOURCE_SUFFIXES and path not in files:
                yield path


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
    for path in unlayered(root, files):
        yield (f"{path.relative_to(root)} lies in no layer; put it into one of: "
               f"{', '.join(LAYERS)}")
    for includer, layer in files.items():
        lines = includer.read_text(encoding="utf-8", errors="replace").splitlines()
        for number, line in enumerate(lines, start=1):
            if ID3LIB_INCLUDE.match(line) and layer != ID3LIB_WING:
                yield (f"{includer.relative_to(root)}:{number}: includes id3lib outside "
                       f"{ID3LIB_WING}, the only wing that may")
                continue
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
