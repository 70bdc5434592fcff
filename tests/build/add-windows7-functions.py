#!/usr/bin/env python3
"""Adds functions to the Windows 7 import list, each into its DLL's group
(made at the end when the DLL has none yet), keeping every group sorted.
  add-windows7-functions.py <list> <dll> <function> <first client> [note]
or lines of "<dll> <function> <first client> [# note]" on standard input."""
import re
import sys


def entries_from_args(args):
    if args:
        dll, function, client = args[:3]
        note = " ".join(args[3:])
        return [(dll.lower(), function, client, note)]
    entries = []
    for line in sys.stdin:
        line, _, note = line.partition("#")
        fields = line.split()
        if len(fields) >= 3:
            entries.append((fields[0].lower(), fields[1], fields[2], note.strip()))
    return entries


def format_entry(dll, function, client, note):
    text = f"{dll:<14}{function:<33}{client}"
    return text + (f"  # {note}" if note else "")


def main():
    path = sys.argv[1]
    lines = open(path, encoding="utf-8").read().split("\n")
    for dll, function, client, note in entries_from_args(sys.argv[2:]):
        group = [i for i, line in enumerate(lines) if re.match(re.escape(dll) + r"\s", line)]
        if any(lines[i].split()[1] == function for i in group):
            continue
        entry = format_entry(dll, function, client, note)
        if not group:
            while lines and lines[-1] == "":
                lines.pop()
            lines += ["", entry, ""]
            continue
        block = sorted([lines[i] for i in group] + [entry], key=lambda l: l.split()[1].lower())
        lines[group[0]:group[-1] + 1] = block
    open(path, "w", encoding="utf-8").write("\n".join(lines))


main()
