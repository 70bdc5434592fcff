#!/bin/sh
# Checks one bitness's packages: the installer is a Windows program of that
# bitness and was made with the program, its hook library, the help file,
# every sample style and an uninstaller; the portable zip holds the same
# files in one folder, its programs of that bitness.
#   check-package.sh <objdump> <format> <setup.exe> <makensis log> <portable.zip> <styles folder>
set -eu
objdump=$1
format=$2
setup=$3
log=$4
zip=$5
styles=$6
status=0
fail() { echo "$*" >&2; status=1; }

$objdump -f "$setup" | grep -q "file format $format\$" || fail "$setup is not of the format $format"

samples=$(cd "$styles" && ls *.dlx *.bmp)
for file in TDialix.exe TDialix.dll TDialix.chm $samples; do
  grep -q "^File: \"$file\"" "$log" || fail "$setup does not hold $file"
done
grep -q '^WriteUninstaller: "\$INSTDIR\\Uninstall.exe"' "$log" || fail "$setup writes no uninstaller"
# Its manifest lets it run as the user who starts it.
grep -a -q 'requestedExecutionLevel level="asInvoker"' "$setup" || fail "$setup asks for administrator rights"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unzip -q "$zip" -d "$work" || fail "$zip cannot be unpacked"
for file in TDialix.exe TDialix.dll TDialix.chm; do
  [ -f "$work/TDialix/$file" ] || fail "$zip does not hold TDialix/$file"
done
for file in $samples; do
  cmp -s "$styles/$file" "$work/TDialix/Styles/$file" || fail "$zip does not hold TDialix/Styles/$file"
done
for file in TDialix.exe TDialix.dll; do
  [ -f "$work/TDialix/$file" ] && { $objdump -f "$work/TDialix/$file" | grep -q "file format $format\$" ||
                                    fail "TDialix/$file in $zip is not of the format $format"; }
done
[ $status -eq 0 ] && echo "$setup and $zip hold the program ($format), its help and $(echo $samples | wc -w) sample files."
exit $status
