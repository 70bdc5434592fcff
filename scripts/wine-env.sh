# Sourced by the scripts that run Wine.
#
# TDIALIX_PREFIX names the prefix; TDIALIX_WINE_BITS says which program runs
# in it: 64 (the default) for the 64-bit program in a win64 prefix, 32 for the
# 32-bit one in a win32 prefix. Each uses its own Wine loader by name: Debian's
# `wine` launcher takes the 32-bit loader whenever it is installed, also on
# machines that cannot execute 32-bit code.
wine_loader64=/usr/lib/wine/wine64
wine_loader32=/usr/lib/wine/wine
# The 64-bit server serves both kinds of prefix.
wine_server_program=/usr/lib/wine/wineserver64

wine_loader() {
  if [ "${TDIALIX_WINE_BITS:-64}" = 32 ]; then echo "$wine_loader32"; else echo "$wine_loader64"; fi
}

# Runs a command with the program's Wine environment: its prefix, a Japanese
# locale, no debug chatter, no .NET or Gecko installers, and no menu builder
# (it would copy file associations and shortcuts into the host's desktop).
wine_env() {
  if [ "${TDIALIX_WINE_BITS:-64}" = 32 ]; then wine_arch=win32; else wine_arch=win64; fi
  env WINEPREFIX="$TDIALIX_PREFIX" WINEARCH="$wine_arch" WINELOADER="$(wine_loader)" WINESERVER="$wine_server_program" \
    WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" \
    LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 "$@"
}

# Runs a Windows program (or one of Wine's own, such as wineboot) in the prefix.
wine_run() {
  wine_env "$(wine_loader)" "$@"
}

# Runs the prefix's wineserver with the given options.
wine_server() {
  wine_env "$wine_server_program" "$@"
}

# Succeeds when this machine runs 32-bit Wine programs; otherwise prints why
# not, in a few words, and fails. Decided by running the 32-bit loader: the
# package may well be installed on a machine that cannot execute it.
wine32_usable() {
  if [ ! -x "$wine_loader32" ]; then
    echo "the 32-bit Wine loader $wine_loader32 is not installed"
    return 1
  fi
  if ! wine32_output=$("$wine_loader32" --version 2>&1 </dev/null); then
    case "$wine32_output" in
      *"Exec format error"*) echo "this machine cannot execute 32-bit programs ($wine_loader32: Exec format error)" ;;
      *) echo "the 32-bit Wine loader does not run: $(printf '%s' "$wine32_output" | head -n 1)" ;;
    esac
    return 1
  fi
}

# Creates the prefix once: Wine's own set-up, then the Japanese UI faces the
# program asks for mapped to the IPA fonts. Needs $DISPLAY.
wine_prefix_ready() {
  stamp="$TDIALIX_PREFIX/.tdialix-prefix-win${TDIALIX_WINE_BITS:-64}-3"
  [ -f "$stamp" ] && return 0
  rm -rf "$TDIALIX_PREFIX"
  mkdir -p "$TDIALIX_PREFIX"
  wine_run wineboot -i </dev/null >/dev/null 2>&1
  reg="$TDIALIX_PREFIX/tdialix-fonts.reg"
  {
    printf '\377\376'
    {
      printf 'Windows Registry Editor Version 5.00\r\n\r\n'
      printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
      for face in "MS UI Gothic" "MS Gothic" "Meiryo UI" "Meiryo" "ＭＳ ゴシック" "メイリオ"; do
        printf '"%s"="IPAGothic"\r\n' "$face"
      done
      for face in "MS PGothic" "ＭＳ Ｐゴシック"; do
        printf '"%s"="IPAPGothic"\r\n' "$face"
      done
    } | iconv -f UTF-8 -t UTF-16LE
  } >"$reg"
  wine_run regedit /S "$reg" </dev/null >/dev/null 2>&1
  # Let the server end by itself: it writes the registry into the prefix then.
  wine_server -w
  touch "$stamp"
}

# Builds what is missing and the 64-bit program; sets exe to it.
#   build_win64 <source folder> <build folder>
build_win64() {
  "$1/scripts/deps.sh"
  cmake -S "$1" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$2" --target win64
  exe="$2/win64/src/TDialix.exe"
}

# Starts a virtual display of 1280×800 and exports DISPLAY for it; its
# process id is in xvfb_pid, for the caller to end.
start_virtual_display() {
  local display_file
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$display_file" </dev/null >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
  export DISPLAY=":$(cat "$display_file")"
  rm -f "$display_file"
}
