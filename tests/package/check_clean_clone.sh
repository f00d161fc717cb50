#!/usr/bin/env bash
# scripts/package in a fresh clone of the committed sources builds the
# Debian package (and its lintian check passes): nothing the package needs
# may live only in a working tree or a build folder.
#   check_clean_clone.sh SOURCE_DIR
set -euo pipefail
src=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
command -v git >/dev/null || { echo "git is missing"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
git clone --quiet --no-hardlinks "$src" "$work/clone" || fail "git clone"
ZT_JOBS=${ZT_JOBS:-1} "$work/clone/scripts/package" >"$work/package.log" 2>&1 ||
  { tail -40 "$work/package.log"; fail "scripts/package"; }
ls "$work"/clone/build/package/zettelino_*.deb >/dev/null 2>&1 || fail "no package built"
tail -3 "$work/package.log"
echo ok
