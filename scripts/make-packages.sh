#!/bin/sh
# Makes what a Windows user downloads, for each bitness: the installer
# (NSIS) and a portable zip, each with the program, its hook library, the
# help file and the sample styles.
#   make-packages.sh <build folder> <version>
# Needs the built programs (build/win64/src, build/win32/src) and the help
# file (build/help/TDialix.chm). Writes build/packages/.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1
version=$2
out=$build/packages
work=$out/work
mkdir -p "$out" "$work"

command -v makensis >/dev/null || { echo "make-packages: makensis is missing (Debian package nsis)" >&2; exit 1; }
help=$build/help/TDialix.chm
[ -f "$help" ] || { echo "make-packages: $help is missing" >&2; exit 1; }

# The sample styles, installed into Styles and removed by name on uninstall
# (styles of the user's own in that folder stay).
samples=$work/samples.nsh
{
  echo '!macro InstallSamples'
  for file in "$root"/styles/*.dlx "$root"/styles/*.bmp; do echo "  File \"$file\""; done
  echo '!macroend'
  echo '!macro RemoveSamples'
  for file in "$root"/styles/*.dlx "$root"/styles/*.bmp; do echo "  Delete \"\$INSTDIR\\Styles\\$(basename "$file")\""; done
  echo '!macroend'
} >"$samples"

for target in "64 win64 x64 x86_64-w64-mingw32" "32 win32 x86 i686-w64-mingw32"; do
  set -- $target
  bits=$1 name=$2 arch=$3 prefix=$4
  # The programs as built, without their debugging information.
  program=$work/program-$arch
  rm -rf "$program"
  mkdir -p "$program"
  for file in TDialix.exe TDialix.dll; do
    "$prefix-strip" --strip-debug -o "$program/$file" "$build/$name/src/$file"
  done
  setup=$out/TDialix-$version-$arch-setup.exe
  # The file list of the last build, for the package checks.
  makensis -V4 -INPUTCHARSET UTF8 -DBITS="$bits" -DVERSION="$version" -DPROGRAM="$program" -DHELP="$help" \
           -DSAMPLES="$samples" -DICON="$root/res/TDialix.ico" -DOUTFILE="$setup" \
           "$root/installer/TDialix.nsi" >"$work/setup-$arch.log" 2>&1 ||
    { cat "$work/setup-$arch.log" >&2; exit 1; }

  # The portable zip: one folder, as the installer lays it out (without the uninstaller).
  portable=$work/portable-$arch/TDialix
  rm -rf "$work/portable-$arch"
  mkdir -p "$portable/Styles"
  cp "$program/TDialix.exe" "$program/TDialix.dll" "$help" "$portable/"
  cp "$root"/styles/*.dlx "$root"/styles/*.bmp "$portable/Styles/"
  zip="$out/TDialix-$version-$arch-portable.zip"
  rm -f "$zip"
  (cd "$work/portable-$arch" && zip -q -r -X "$zip" TDialix)
done
echo "Packages in $out: $(cd "$out" && ls *.exe *.zip | tr '\n' ' ')"
