#!/usr/bin/env python3
"""Fails when a source folder includes a header of a folder it may not use.

Each folder may include its own headers and those of the folders listed for
it below, which all lie lower in the program: the raster engine knows no
figure, the figures know no canvas, nothing but the program's top knows the
main window. Usage: check_layering.py SOURCE_ROOT
"""
import pathlib
import re
import sys

# Folder -> the folders below it that it may use (directly).
ALLOWED = {
    "raster": set(),
    "view": {"raster"},
    "figures": {"raster"},
    "canvas": {"figures", "view", "raster"},
    "teaching": {"figures", "raster"},
    "settings": {"figures", "raster"},
    "records": {"figures", "raster"},
    "ui": {"raster"},
    "series": {"teaching", "settings", "records", "figures", "raster"},
    "teacher": {"records", "settings", "teaching", "ui", "figures", "raster"},
    "app": {"series", "teacher", "canvas", "teaching", "settings", "records", "ui", "figures", "view", "raster"},
    "tools": {"app", "series", "canvas", "teaching", "settings", "records", "ui", "figures", "view", "raster"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z_]+)/[^"]+"', re.M)


def violations(root):
    for folder, allowed in ALLOWED.items():
        for path in sorted((root / folder).rglob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            for used in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
                if used in ALLOWED and used != folder and used not in allowed:
                    yield f"{path.relative_to(root)} includes a header of {used}/, which {folder}/ may not use"


def main():
    root = pathlib.Path(sys.argv[1])
    found = list(violations(root))
    for line in found:
        print(line)
    if not any((root / folder).is_dir() for folder in ALLOWED):
        print(f"{root}: no source folder found")
        return 1
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
