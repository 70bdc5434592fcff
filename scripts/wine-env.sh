# Sourced by the scripts that run Wine. wine_env runs a command with the
# program's Wine environment: the prefix in $TDIALIX_PREFIX (32-bit), a
# Japanese locale, no debug chatter, no .NET or Gecko installers.
wine_env() {
  env WINEPREFIX="$TDIALIX_PREFIX" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 "$@"
}

# Creates the prefix once: Wine's own set-up, then the Japanese UI faces the
# program asks for mapped to the IPA fonts. Needs $DISPLAY.
wine_prefix_ready() {
  stamp="$TDIALIX_PREFIX/.tdialix-prefix-2"
  [ -f "$stamp" ] && return 0
  rm -rf "$TDIALIX_PREFIX"
  mkdir -p "$TDIALIX_PREFIX"
  wine_env wineboot -i </dev/null >/dev/null 2>&1
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
  wine_env wine regedit /S "$reg" </dev/null >/dev/null 2>&1
  # Let the server end by itself: it writes the registry into the prefix then.
  wine_env wineserver -w
  touch "$stamp"
}
