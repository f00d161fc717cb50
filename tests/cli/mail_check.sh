#!/usr/bin/env bash
# "--mail" hands the letter's PDF to the user's mail program through
# xdg-email: a stand-in mail program registered as the mailto: handler
# records what it got; without xdg-email the tool says so and fails.
# With NEW_SUBJECT the letter's first subject line is replaced by it first
# (empty: none), and the message must arrive with SUBJECT whole, in any
# locale.
#   mail_check.sh ZETTELINO_PRINT LETTER.ZLW SUBJECT [NEW_SUBJECT]
set -euo pipefail
exe=$1
letter=$2
subject=$3
for tool in xdg-email xdg-mime qpdf pdftotext; do
  command -v "$tool" >/dev/null || { echo "$tool is missing"; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/data/applications" "$work/config" "$work/tmp"
if [ $# -ge 4 ]; then
  # Letter files are Windows-1252.
  new=$(printf '%s' "$4" | iconv -f UTF-8 -t CP1252)
  new=${new//&/\\&}
  LC_ALL=C sed "s/^edTitel=.*\r\$/edTitel=$new\r/" "$letter" >"$work/brief.ZLW"
  letter="$work/brief.ZLW"
fi
# The stand-in: xdg-email runs a handler whose program is called
# thunderbird with -compose and the message's fields.
cat > "$work/bin/thunderbird" <<SH
#!/bin/sh
printf '%s\n' "\$@" > "$work/composed"
SH
chmod +x "$work/bin/thunderbird"
printf '[Desktop Entry]\nType=Application\nName=Post\nExec=thunderbird %%u\nMimeType=x-scheme-handler/mailto;\n' \
  > "$work/data/applications/thunderbird.desktop"
printf '[Default Applications]\nx-scheme-handler/mailto=thunderbird.desktop\n' > "$work/config/mimeapps.list"
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" XDG_DATA_DIRS=/usr/share TMPDIR="$work/tmp"
export PATH="$work/bin:$PATH"
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID DISPLAY WAYLAND_DISPLAY

"$exe" "$letter" --mail || { echo "--mail failed"; exit 1; }
[ -s "$work/composed" ] || { echo "the mail program got nothing"; exit 1; }
# xdg-email hands the fields over percent-encoded, as a mailto: address has them.
fields=$(python3 -c 'import sys, urllib.parse; print(urllib.parse.unquote(sys.stdin.buffer.read().decode("utf-8")).replace("\n", " "))' \
  < "$work/composed")
grep -qF "subject=$subject," <<<"$fields" || { echo "subject missing: $fields"; exit 1; }
pdf=$(sed -n "s/.*attachment='\(file:\/\/\)\{0,1\}\([^']*\)'.*/\2/p" <<<"$fields")
[ -f "$pdf" ] || { echo "no attachment: $fields"; exit 1; }
[[ "$pdf" == */"$subject.pdf" ]] || { echo "the attachment is not named after the subject: $pdf"; exit 1; }
qpdf --check "$pdf" >/dev/null || { echo "attachment is no valid PDF"; exit 1; }
# (A letter without a subject line has none to print.)
if [ "${4-x}" != "" ]; then
  pdftotext -enc UTF-8 "$pdf" - | grep -qF "$subject" || { echo "the PDF lacks the subject line"; exit 1; }
fi

# Without xdg-email: a German reason, a failure status, no mail.
rm -f "$work/composed"
mkdir -p "$work/noxdg"
ln -s "$(command -v dirname)" "$work/noxdg/dirname"
set +e
out=$(PATH="$work/noxdg" "$exe" "$letter" --mail 2>&1)
status=$?
set -e
[ "$status" = 4 ] || { echo "status $status without xdg-email: $out"; exit 1; }
grep -q "xdg-email\" ist nicht installiert" <<<"$out" || { echo "message: $out"; exit 1; }
[ ! -e "$work/composed" ] || { echo "a mail went out without xdg-email"; exit 1; }
echo "ok: $fields"
