#!/usr/bin/env bash
# The bash completion offers the options that fit what is typed, the files
# an option takes (address lists after --merge) and letters and reports as
# the files to read, folders always.
#   completion_check.sh COMPLETION_SCRIPT
set -euo pipefail
script=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
touch a.ZLW b.qrp liste.csv bild.png
mkdir ordner
# shellcheck source=/dev/null
source "$script"
complete_words() {
  COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMPREPLY=()
  case $1 in
    zettelino) _zettelino ;;
    zettelino-print) _zettelino_print ;;
  esac
  printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' '
}
expect() {
  local got
  got=$(complete_words "${@:2}")
  [ "$got" = "$1" ] || { echo "completing '${*:2}': got '$got', expected '$1'"; exit 1; }
}
expect "--mail --merge " zettelino-print x.ZLW --m
expect "liste.csv ordner " zettelino-print x.ZLW --merge ""
expect "a.ZLW b.qrp ordner " zettelino-print ""
expect "a.ZLW b.qrp ordner " zettelino ""
expect "--help " zettelino --h
expect "ordner " zettelino-print a.ZLW --png ""
echo ok
