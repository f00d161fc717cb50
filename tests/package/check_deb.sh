#!/usr/bin/env bash
# The Debian package made from a build: built with cpack, unpacked into a
# scratch root with dpkg-deb -x; there its file list, the desktop entry,
# the file types and the programs are checked, and lintian reports no errors.
#   check_deb.sh BUILD_DIR
set -euo pipefail
build=$1
source "$(dirname "$0")/desktop_checks.sh"
need_tools cpack dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli update-mime-database \
  update-desktop-database xdg-mime mimetype lintian
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && cpack -G DEB -B "$work/out" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1) ||
  { cat "$work/cpack.log"; fail "cpack"; }
debs=("$work"/out/zettelino_*_"$(dpkg --print-architecture)".deb)
[ -f "${debs[0]}" ] || fail "no zettelino_<version>_<arch>.deb: $(ls "$work/out")"
deb=${debs[0]}

depends=$(dpkg-deb -f "$deb" Depends)
for d in fonts-liberation libc6 libqt6widgets6 libfontconfig1; do
  grep -qE "(^|, )$d( |,|$)" <<<"$depends" || fail "Depends lacks $d: $depends"
done

# The file list, exactly: nothing missing, nothing stray.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./||' | sort >"$work/packed"
{
  echo usr/bin/zettelino
  echo usr/bin/zettelino-print
  echo usr/libexec/zettelino/zettelino-print-window
  echo usr/share/applications/zettelino.desktop
  echo usr/share/bash-completion/completions/zettelino
  echo usr/share/bash-completion/completions/zettelino-print
  echo usr/share/doc/zettelino/changelog.gz
  echo usr/share/doc/zettelino/copyright
  echo usr/share/man/de/man1/zettelino-print.1.gz
  echo usr/share/man/de/man1/zettelino.1.gz
  echo usr/share/man/man1/zettelino-print.1.gz
  echo usr/share/man/man1/zettelino.1.gz
  echo usr/share/metainfo/org.example.zettelino.metainfo.xml
  echo usr/share/mime/packages/zettelino.xml
  echo usr/share/zsh/vendor-completions/_zettelino
  for icon in apps/zettelino mimetypes/application-x-zettelino-letter mimetypes/application-x-zettelino-report; do
    for size in 16 22 24 32 48 64 128 256; do echo "usr/share/icons/hicolor/${size}x$size/$icon.png"; done
    echo "usr/share/icons/hicolor/scalable/$icon.svg"
  done
} | sort >"$work/expected"
diff "$work/expected" "$work/packed" || fail "the package's file list differs (< expected, > packed)"
dpkg-deb -c "$deb" | awk '$2 != "root/root" {print}' | grep . && fail "files not owned by root"

root=$work/root
dpkg-deb -x "$deb" "$root"
check_desktop_files "$root/usr/share" "$work"
version=$(dpkg-deb -f "$deb" Version)
[ "$("$root/usr/bin/zettelino" --version)" = "zettelino $version" ] || fail "zettelino --version"
[ "$("$root/usr/bin/zettelino-print" --version)" = "zettelino-print $version" ] || fail "zettelino-print --version"
file -b "$root/usr/bin/zettelino" | grep -q ', stripped' || fail "zettelino is not stripped"

# Errors fail, and so does any warning about a manual page (those are
# mistakes in the pages' text); other warnings are shown for a person to read.
lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || true
grep -v '^running with root privileges' "$work/lintian.log" || true
grep -q '^E: ' "$work/lintian.log" && fail "lintian reports errors"
grep -qE '^W: .*(manpage|groff)' "$work/lintian.log" && fail "lintian warns about a manual page"
echo "ok: $(basename "$deb")"
