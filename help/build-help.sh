#!/bin/sh
# Builds the help file TDialix.chm from the pages in this folder and the
# context list contexts.txt, which gives the help file its context map (the
# numbers the program opens it with) and its table of contents.
#   build-help.sh <output folder>
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out=$1
mkdir -p "$out"
out=$(cd "$out" && pwd)
stage=$out/help-stage
rm -rf "$stage"
mkdir -p "$stage"

# The pages of the list, in its order; every other page and the style sheet.
pages=$(grep -v '^#' "$here/contexts.txt" | awk 'NF >= 3 { print $2 }')
for page in $pages; do
  [ -f "$here/$page" ] || { echo "build-help: $page is on the context list but not in $here" >&2; exit 1; }
done
cp "$here"/*.html "$here"/*.css "$stage/"

# chmcmd stores the pages of the context map under their full path on this
# machine (the project folder before the page name), not as the page names
# the help viewer looks for. So the help file carries each page under that
# path as well: the stage folder reached again through a link inside itself.
inner=${stage#/}
mkdir -p "$stage/$(dirname "$inner")"
ln -s "$stage" "$stage/$inner"

{
  printf '[OPTIONS]\r\n'
  printf 'Compatibility=1.1 or later\r\n'
  printf 'Compiled file=TDialix.chm\r\n'
  printf 'Contents file=TDialix.hhc\r\n'
  printf 'Default topic=index.html\r\n'
  printf 'Display compile progress=No\r\n'
  printf 'Language=0x411 Japanese\r\n'
  printf 'Title=TDialix ヘルプ\r\n'
  printf '\r\n[FILES]\r\n'
  for file in $(cd "$stage" && ls *.html *.css); do
    printf '%s\r\n%s/%s\r\n' "$file" "$inner" "$file"
  done
  printf '\r\n[ALIAS]\r\n'
  grep -v '^#' "$here/contexts.txt" | awk 'NF >= 3 && $1 != "-" { printf "IDH_%s=%s\r\n", $1, $2 }'
  printf '\r\n[MAP]\r\n'
  grep -v '^#' "$here/contexts.txt" | awk 'NF >= 3 && $1 != "-" { printf "#define IDH_%s %s\r\n", $1, $1 }'
} | iconv -f UTF-8 -t CP932 >"$stage/TDialix.hhp"

# The table of contents: the pages in the list's order.
{
  printf '<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">\r\n<HTML><HEAD></HEAD><BODY>\r\n<UL>\r\n'
  grep -v '^#' "$here/contexts.txt" | awk 'NF >= 3 {
    title = $3; for (i = 4; i <= NF; i++) title = title " " $i
    printf "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"%s\"><param name=\"Local\" value=\"%s\"></OBJECT>\r\n", title, $2 }'
  printf '</UL>\r\n</BODY></HTML>\r\n'
} | iconv -f UTF-8 -t CP932 >"$stage/TDialix.hhc"

(cd "$stage" && chmcmd --no-html-scan TDialix.hhp >chmcmd.log 2>&1) || { cat "$stage/chmcmd.log" >&2; exit 1; }
if grep -qi 'error' "$stage/chmcmd.log"; then cat "$stage/chmcmd.log" >&2; exit 1; fi
mv "$stage/TDialix.chm" "$out/TDialix.chm"
