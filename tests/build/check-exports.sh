#!/bin/sh
# Checks that a built Windows program or library exports exactly the named
# functions, by their plain names (no stdcall "@n", no leading underscore):
# other programs and plug-ins look them up by these names.
#   check-exports.sh <objdump> <file> <name>...
set -u
objdump=$1
file=$2
shift 2
if ! headers=$("$objdump" -p "$file" 2>&1); then
  echo "$file: $headers"
  exit 1
fi
# The names follow the "[Ordinal/Name Pointer] Table" line as "[   0] Name".
found=$(printf '%s\n' "$headers" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
        sed -n 's/^[[:space:]]*\[[[:space:]]*[0-9]*\][[:space:]]*//p' | sort | tr '\n' ' ')
wanted=$(printf '%s\n' "$@" | sort | tr '\n' ' ')
if [ "$found" != "$wanted" ]; then
  echo "$file: exports '$found', expected '$wanted'"
  exit 1
fi
echo "$file: exports $found"
