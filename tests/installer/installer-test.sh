#!/bin/sh
# An installer under Wine, as a user runs it: a silent install, the
# installed program started from its folder, an upgrade in place over the
# running program, a silent uninstall. It runs on the display of the Wine
# test session, in a prefix of its own (made once, put back to a user who
# never installed TDialix at every run).
#   installer-test.sh <wine session folder> <setup.exe> <prefix> <version> <64|32>
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
session=$1
setup=$2
TDIALIX_PREFIX=$3
version=$4
TDIALIX_WINE_BITS=$5
. "$root/scripts/wine-env.sh"
[ -f "$session/session.env" ] || { echo "no Wine test session in $session" >&2; exit 2; }
. "$session/session.env"
export DISPLAY

failures=0
check() {  # description, command...
  description=$1
  shift
  if "$@"; then echo "ok: $description"; else echo "FAILED: $description" >&2; failures=$((failures + 1)); fi
}
reg_value() {  # key value
  wine_run reg query "$1" /v "$2" 2>/dev/null </dev/null | tr -d '\r' | awk -v v="$2" '$1 == v { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'
}
reg_key_exists() { wine_run reg query "$1" >/dev/null 2>&1 </dev/null; }
absent() { [ ! -e "$1" ]; }
waited_for_absence() {  # path, seconds
  i=0
  while [ -e "$1" ] && [ $i -lt $(($2 * 4)) ]; do sleep 0.25; i=$((i + 1)); done
  [ ! -e "$1" ]
}

program=
cleanup() {
  if [ -n "$program" ]; then kill "$program" 2>/dev/null || true; fi
  wine_server -k 2>/dev/null || true
}
trap cleanup EXIT

wine_prefix_ready
user=$(find "$TDIALIX_PREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n 1)
folder="$user/AppData/Local/Programs/TDialix"
roaming="$user/AppData/Roaming"
settings="$roaming/Team Orvane/TDialix"
menu="$roaming/Microsoft/Windows/Start Menu/Programs"
# Wine spells it "StartUp".
startup=$(find "$menu" -maxdepth 1 -type d -iname startup 2>/dev/null | head -n 1)
startup=${startup:-$menu/Startup}
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\TDialix'

# A user who never installed TDialix.
rm -rf "$folder" "$roaming/Team Orvane" "$menu/TDialix.lnk" "$startup/TDialix.lnk"
for key in "$uninstall_key" 'HKCU\Software\Classes\.dlx' 'HKCU\Software\Classes\DLXFile'; do
  wine_run reg delete "$key" /f >/dev/null 2>&1 </dev/null || true
done

# Silent install: the program, its help and styles, the shortcuts, the
# uninstaller in the user's installed programs, the association.
check "the silent install ends with exit code 0" wine_run "$setup" /S </dev/null
for file in TDialix.exe TDialix.dll TDialix.chm Uninstall.exe Styles/PictureDigits.dlx Styles/Digits.bmp; do
  check "the install folder holds $file" test -f "$folder/$file"
done
check "the Start menu holds TDialix.lnk" test -f "$menu/TDialix.lnk"
check "the Startup folder holds TDialix.lnk" test -f "$startup/TDialix.lnk"
check "the uninstaller is registered by name" test "$(reg_value "$uninstall_key" DisplayName)" = TDialix
check "the uninstaller is registered with the version" test "$(reg_value "$uninstall_key" DisplayVersion)" = "$version"
check "the uninstaller is registered with the publisher" test "$(reg_value "$uninstall_key" Publisher)" = "Team Orvane"
check "the uninstaller is registered with the icon" test "$(reg_value "$uninstall_key" DisplayIcon)" = 'C:\users\'"$(basename "$user")"'\AppData\Local\Programs\TDialix\TDialix.exe,0'
check "the uninstaller is registered with its silent form" \
  test "$(reg_value "$uninstall_key" QuietUninstallString)" = '"C:\users\'"$(basename "$user")"'\AppData\Local\Programs\TDialix\Uninstall.exe" /S'
check "style files are associated with the program" \
  test "$(reg_value 'HKCU\Software\Classes\.dlx' Associated)" = TeamOrvaneTDialix2

# The installed program starts and shows its clock with lit pixels.
wine_run "$folder/TDialix.exe" </dev/null >/dev/null 2>&1 &
program=$!
clock=
for _ in $(seq 120); do
  clock=$(xdotool search --name '^TDialix - ' 2>/dev/null | head -n 1) && [ -n "$clock" ] && break
  kill -0 "$program" 2>/dev/null || break
  sleep 0.5
done
check "the installed program shows its clock" test -n "$clock"
lit=0
X= Y= WIDTH= HEIGHT=
if [ -n "$clock" ]; then
  sleep 2
  # The clock window there now: one found while the program starts may be gone.
  for window in $(xdotool search --name '^TDialix - ' 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$window" 2>/dev/null)" && [ -n "$WIDTH" ] && break
  done
fi
if [ -n "$clock" ] && [ -n "$WIDTH" ]; then
  shot=$(dirname "$TDIALIX_PREFIX")/installed-clock.png
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shot"
  lit=$(convert "$shot" -colorspace gray -threshold 50% -format '%[fx:mean > 0 ? 1 : 0]' info:)
fi
check "the clock has lit pixels" test "$lit" = 1

# Upgrade in place over the running program: the installer closes it through
# its own close message, and it ends as it always does, with exit code 0.
check "the upgrade ends with exit code 0" wine_run "$setup" /S </dev/null
status=0
wait "$program" || status=$?
program=
check "the running program was closed and ended with exit code 0" test "$status" = 0
check "the program saved its settings when it closed" test -f "$settings/TDialix.ini"
check "the upgraded folder holds the program" test -f "$folder/TDialix.exe"

# Silent uninstall. The uninstaller runs from a copy of itself, so the
# folder goes a little after it returns.
check "the silent uninstall ends with exit code 0" wine_run "$folder/Uninstall.exe" /S </dev/null
check "the install folder is gone" waited_for_absence "$folder" 60
check "the Start menu shortcut is gone" absent "$menu/TDialix.lnk"
check "the Startup shortcut is gone" absent "$startup/TDialix.lnk"
check "the uninstall key is gone" eval '! reg_key_exists "$uninstall_key"'
check "the association is gone" eval '! reg_key_exists "HKCU\\Software\\Classes\\.dlx" && ! reg_key_exists "HKCU\\Software\\Classes\\DLXFile"'
check "the settings folder is still there" test -f "$settings/TDialix.ini"

if [ $failures -ne 0 ]; then
  echo "$failures installer checks failed" >&2
  exit 1
fi
echo "The installer installs, upgrades over the running program and uninstalls."
