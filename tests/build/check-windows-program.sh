#!/bin/sh
# Checks built Windows programs and libraries: each is of the bitness its
# build claims, the program is a GUI program, and every DLL it imports is one
# of Windows' own (no MinGW runtime or other library has to lie beside it).
#   check-windows-program.sh <objdump> <pei-x86-64|pei-i386> <file>...
set -u
objdump=$1
format=$2
shift 2
case "$format" in
  pei-x86-64) magic='020b' ;;  # PE32+
  pei-i386) magic='010b' ;;    # PE32
  *) echo "unknown format $format" >&2; exit 2 ;;
esac

# The system DLLs a program of ours may import. Another one is a decision:
# add it here only if every supported Windows has it.
system_dlls='advapi32.dll comctl32.dll comdlg32.dll gdi32.dll imm32.dll kernel32.dll msimg32.dll msvcrt.dll ole32.dll
oleaut32.dll shell32.dll shlwapi.dll user32.dll uxtheme.dll version.dll winmm.dll'

failed=0
for file in "$@"; do
  if ! headers=$("$objdump" -p "$file" 2>&1); then
    echo "$file: $headers"
    failed=1
    continue
  fi
  if ! printf '%s\n' "$headers" | grep -q "file format $format\$"; then
    echo "$file: not $format: $(printf '%s\n' "$headers" | grep -m1 'file format')"
    failed=1
  fi
  if ! printf '%s\n' "$headers" | grep -Eq "^Magic[[:space:]]+$magic"; then
    echo "$file: optional header magic is not $magic"
    failed=1
  fi
  case "$file" in
    *.exe)
      if ! printf '%s\n' "$headers" | grep -Eq '^Subsystem[[:space:]]+0*2[[:space:]]'; then
        echo "$file: not a Windows GUI program"
        failed=1
      fi ;;
  esac
  imports=$(printf '%s\n' "$headers" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
  # Every program imports kernel32: without it the listing was not read.
  if ! printf '%s\n' "$imports" | grep -qx 'kernel32.dll'; then
    echo "$file: no imports found"
    failed=1
  fi
  for dll in $imports; do
    case " $(echo $system_dlls) " in
      *" $dll "*) ;;
      *) echo "$file: imports $dll, which is not a system DLL"; failed=1 ;;
    esac
  done
  [ $failed -eq 0 ] && echo "$file: $format, imports $(echo $imports)"
done
exit $failed
