#!/usr/bin/env python3
"""Reads bench/README.md's measured tables into the data the page reads.

A section ("## ...") belongs to a core when its heading names the core's
folder (cores/<dir>); its tables that state an area or a speed (LUT, fmax,
MHz) are kept, header and rows as written. Writes one JavaScript line:
window.IPGEN_BENCH = {"<dir>": [{"section", "header", "rows"}, ...]}.
"""
import json
import re
import sys


def cells(line):
    return [cell.strip() for cell in line.strip().strip("|").split("|")]


def tables(readme, cores):
    found = {}
    for part in re.split(r"^(?=## )", readme, flags=re.M):
        heading = part.split("\n", 1)[0]
        named = re.search(r"cores/([a-z0-9_]+)", heading)
        if not heading.startswith("## ") or not named or named.group(1) not in cores:
            continue
        lines = part.split("\n")
        i = 0
        while i < len(lines):
            if lines[i].startswith("|") and i + 1 < len(lines) and re.match(r"^\|[-| :]+\|$", lines[i + 1]):
                header = cells(lines[i])
                rows = []
                i += 2
                while i < len(lines) and lines[i].startswith("|"):
                    rows.append(cells(lines[i]))
                    i += 1
                text = " ".join(header + [c for r in rows for c in r])
                if re.search(r"LUT|fmax|MHz", text):
                    found.setdefault(named.group(1), []).append(
                        {"section": heading[3:].strip(), "header": header, "rows": rows})
            else:
                i += 1
    return found


if __name__ == "__main__":
    readme_path, cores = sys.argv[1], set(sys.argv[2:])
    with open(readme_path, encoding="utf-8") as readme:
        data = tables(readme.read(), cores)
    sys.stdout.write("window.IPGEN_BENCH = " + json.dumps(data, sort_keys=True) + ";\n")
