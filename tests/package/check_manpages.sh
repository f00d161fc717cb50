#!/usr/bin/env bash
# Each manual page names every option and every exit status its program's
# --help names, so the pages cannot fall behind the programs.
#   check_manpages.sh PROGRAM MANPAGE
set -euo pipefail
exe=$1
page=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
help=$("$exe" --help)
# The page's text as troff source, with its escaped hyphens plain.
text=$(sed 's/\\-/-/g' "$page")
options=$(grep -oE '(^|[ ,])--?[a-z][a-z-]*' <<<"$help" | tr -d ' ,' | sort -u)
[ -n "$options" ] || fail "no options in the help of $exe"
for option in $options; do
  grep -qE "(^|[^a-z-])$option([^a-z-]|$)" <<<"$text" || fail "$page lacks $option"
done
statuses=$(tr '\n' ' ' <<<"$help" | grep -oE 'Rückgabewert:.*' | grep -oE '(: |, )[0-9]+ ' | grep -oE '[0-9]+' | sort -u)
[ -n "$statuses" ] || fail "no exit statuses in the help of $exe"
# The section is "EXIT STATUS" in English and "EXIT\-STATUS" in German.
section=$(awk '/^\.SH EXIT( |\\-)STATUS/ {on=1; next} /^\.SH/ {on=0} on' "$page")
for status in $statuses; do
  grep -qx "\.B $status" <<<"$section" || fail "$page lacks exit status $status"
done
echo "ok: $(wc -w <<<"$options") options, statuses $(echo $statuses)"
