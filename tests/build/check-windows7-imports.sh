#!/bin/sh
# Checks that built Windows programs and libraries import only functions that
# Windows 7 has. Every function a file imports from a DLL must be in the list
# (one "<dll> <function> <first Windows client>" a line), with a first client
# no later than Windows 7. A function missing from the list fails the check
# until someone has looked it up and added it: see the list's own header.
#   check-windows7-imports.sh <objdump> <list> <file>...
set -u
objdump=$1
list=$2
shift 2

failed=0
for file in "$@"; do
  if ! headers=$("$objdump" -p "$file" 2>&1); then
    echo "$file: $headers"
    failed=1
    continue
  fi
  # The import tables: a "DLL Name:" line, then one line per function:
  # "<tab><address><tab> <hint> <name>", or "<none>" for a function imported
  # by its number. Any line that starts at the margin ends the tables.
  if ! printf '%s\n' "$headers" | awk -v list="$list" -v file="$file" '
    BEGIN {
      split("2000 XP Vista 7", allowed, " ")
      for (i in allowed) onWindows7[allowed[i]] = 1
      while ((getline line < list) > 0) {
        if (line ~ /^[ \t]*(#|$)/) continue
        n = split(line, field, /[ \t]+/)
        if (n < 3) { print list ": not <dll> <function> <first client>: " line; bad = 1; continue }
        since[tolower(field[1]) " " field[2]] = field[3]
      }
      close(list)
    }
    /^[^ \t]/ { dll = "" }
    /^[ \t]*DLL Name:/ { dll = tolower($3); next }
    dll != "" && /^\t[0-9a-fA-F]+[ \t]/ {
      name = $NF == "<none>" ? "#" $2 : $NF
      key = dll " " name
      ++count
      if (!(key in since)) {
        print file ": imports " name " from " dll ", which is not known to be on Windows 7"
        bad = 1
      } else if (!(since[key] in onWindows7)) {
        print file ": imports " name " from " dll ", which Windows " since[key] " brought"
        bad = 1
      }
    }
    END {
      if (count == 0) { print file ": no imported functions found"; bad = 1 }
      if (!bad) print file ": " count " imported functions, all on Windows 7"
      exit bad
    }'; then
    failed=1
  fi
done
if [ $failed -ne 0 ]; then
  echo "A function not in $list: look up its \"Minimum supported client\" in the Windows API reference"
  echo "and add it if that is Windows 7 or earlier. A later one is looked up at run time (GetProcAddress) instead."
fi
exit $failed
