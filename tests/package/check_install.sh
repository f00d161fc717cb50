#!/usr/bin/env bash
# `cmake --install` into a scratch prefix: the file list, the desktop entry,
# the software-centre data, the icons, the file types as xdg-mime reports
# them from that prefix, the manual pages and the installed program.
#   check_install.sh BUILD_DIR
set -euo pipefail
build=$1
source "$(dirname "$0")/desktop_checks.sh"
need_tools desktop-file-validate appstreamcli update-mime-database update-desktop-database xdg-mime mimetype man
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"

for f in bin/zettelino bin/zettelino-print libexec/zettelino/zettelino-print-window share/applications/zettelino.desktop share/mime/packages/zettelino.xml \
         share/metainfo/org.example.zettelino.metainfo.xml share/man/man1/zettelino.1.gz \
         share/man/man1/zettelino-print.1.gz share/man/de/man1/zettelino.1.gz \
         share/man/de/man1/zettelino-print.1.gz share/doc/zettelino/copyright share/doc/zettelino/changelog.gz \
         share/bash-completion/completions/zettelino share/bash-completion/completions/zettelino-print \
         share/zsh/vendor-completions/_zettelino; do
  [ -e "$prefix/$f" ] || fail "not installed: $f"
done
[ -x "$prefix/bin/zettelino" ] && [ -x "$prefix/bin/zettelino-print" ] || fail "programs not executable"
check_desktop_files "$prefix/share" "$work"
# The installed batch tool finds its toolkit half: images need it.
QT_QPA_PLATFORM=offscreen "$prefix/bin/zettelino-print" "$(dirname "$0")/../letter/data/letter18.ZLW" --png "$work/png" ||
  fail "the installed zettelino-print cannot render pages"
ls "$work/png"/*.png >/dev/null 2>&1 || fail "the installed zettelino-print wrote no page images"

for page in man1/zettelino man1/zettelino-print de/man1/zettelino de/man1/zettelino-print; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$prefix/share/man/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page.1: $warnings"
done
# man finds the German page by the language asked for, and its umlauts,
# sharp s and German quotes come out whole.
german=$(LC_ALL=C.UTF-8 MANWIDTH=80 MANPATH="$prefix/share/man" man -L de zettelino 2>&1) ||
  fail "man -L de zettelino: $german"
for line in '^ÜBERSICHT$' '^BESCHREIBUNG$' 'Größe' '„Mit der Bitte um“'; do
  grep -q "$line" <<<"$german" || fail "man -L de zettelino shows no German page (no $line)"
done
version=$("$prefix/bin/zettelino" --version)
[[ "$version" =~ ^zettelino\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "zettelino --version: $version"
grep -q "<release version=\"${version#zettelino }\"" "$prefix/share/metainfo/org.example.zettelino.metainfo.xml" ||
  fail "the software-centre data names another release than $version"
echo ok
