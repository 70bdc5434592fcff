#!/bin/sh
# Checks that every help context the program uses has a page: the numbers
# the code opens the help file with must all be on the context list. Given
# the compiled help file as well, it checks that the file maps each of them
# to a page it holds.
#   check-contexts.sh <source folder> <contexts.txt> [TDialix.chm]
#
# The code's contexts are the numbers given to a HelpContext member or
# constant (a number, an array of numbers, or a constant that holds them)
# and to a ShowHelp call; a constant (named kSomething) is looked up where it
# is defined.
set -eu
src=$1
list=$2
chm=${3:-}

used=$(find "$src" \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z | xargs -0 perl -0777 -e '
  my (%text, %defs);
  for my $file (@ARGV) {
    open(my $in, "<", $file) or die "$file: $!";
    local $/; my $t = <$in>;
    $t =~ s{/\*.*?\*/}{ }gs;             # comments say nothing
    $t =~ s{//[^\n]*}{}g;
    $text{$file} = $t;
  }
  my $all = join("\n", values %text);
  # The numbers written in an expression: decimal, not 0 (no context).
  sub numbers { my @n = ($_[0] =~ /(?<![\w.])(\d+)(?![\w.])/g); return grep { $_ != 0 } @n; }
  # What a name stands for: its definitions as a number or an array of numbers.
  sub values_of {
    my ($name) = @_;
    my @n;
    push @n, numbers($1) while $all =~ /\b\Q$name\E\s*(?:\[[^\]]*\])?\s*=?\s*\{([^{}]*)\}/g;
    push @n, numbers($1) while $all =~ /\b\Q$name\E\s*=\s*([^;{}]*);/g;
    return @n;
  }
  for my $file (sort keys %text) {
    my $t = $text{$file};
    my @expressions;
    push @expressions, $1 while $t =~ /\b\w*HelpContext\w*\s*(?:\[[^\]]*\])?\s*=?\s*(\{[^{}]*\})/g;
    push @expressions, $1 while $t =~ /\b\w*HelpContext\w*\s*=\s*([^;{}]*);/g;
    push @expressions, $1 while $t =~ /\bShowHelp\w*\s*\(([^;]*)\)\s*;/g;
    for my $e (@expressions) {
      my @n = numbers($e);
      push @n, values_of($_) for ($e =~ /\b(k[A-Z]\w*)\b/g);  # constants, by the house style
      print "$_ $file\n" for @n;
    }
  }' | sort -n -u)

listed=$(grep -v '^#' "$list" | awk 'NF >= 3 && $1 != "-" { print $1 }')
status=0
for number in $(printf '%s\n' "$used" | awk 'NF { print $1 }' | sort -n -u); do
  if ! printf '%s\n' "$listed" | grep -qx "$number"; then
    where=$(printf '%s\n' "$used" | awk -v n="$number" '$1 == n { print $2 }' | sort -u | tr '\n' ' ')
    echo "Help context $number (used in $where) has no page: add it to $list." >&2
    status=1
  fi
done
[ $status -eq 0 ] || exit 1
echo "Help contexts the code uses: $(printf '%s\n' "$used" | awk 'NF { print $1 }' | sort -n -u | tr '\n' ' ')"

[ -n "$chm" ] || exit 0
chm=$(cd "$(dirname "$chm")" && pwd)/$(basename "$chm")
# The compiled map: #IVB holds (context, offset) pairs after a length; the
# offsets point into #STRINGS at the page's name.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && chmls extract "$chm" /#IVB ivb >/dev/null 2>&1 && chmls extract "$chm" /#STRINGS strings >/dev/null 2>&1) ||
  { echo "$chm has no context map" >&2; exit 1; }
chmls -n list "$chm" 2>/dev/null | sed 's/^ *//' >"$work/files"
od -An -v -tu4 "$work/ivb" | tr -s ' ' '\n' | grep -v '^$' | tail -n +2 | paste - - >"$work/map"
for number in $listed; do
  offset=$(awk -v n="$number" '$1 == n { print $2 }' "$work/map")
  if [ -z "$offset" ]; then
    echo "$chm: context $number is not in its map" >&2
    status=1
    continue
  fi
  page=$(tail -c +"$((offset + 1))" "$work/strings" | tr '\0' '\n' | head -n 1)
  if ! grep -qxF "$page" "$work/files"; then
    echo "$chm: context $number leads to $page, which it does not hold" >&2
    status=1
  fi
done
[ $status -eq 0 ] && echo "$chm maps every listed context to a page it holds."
exit $status
