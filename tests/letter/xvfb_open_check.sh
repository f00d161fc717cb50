#!/usr/bin/env bash
# Files named on the command line, as a file manager passes them, under Xvfb:
#  - `zettelino LETTER.ZLW` shows the letter: the caption names the file, and
#    Ctrl+S saves the window's content straight back to that file (no
#    dialog) byte for byte as it was, so the controls hold the whole letter;
#  - a letter that cannot be read shows Open's warning and the window stays
#    untitled;
#  - `zettelino REPORT.QRP` opens the preview captioned with that file, and a
#    termination signal ends the program with the preview open.
#   xvfb_open_check.sh ZETTELINO_EXE LETTER_DATA_DIR PAGES_DATA_DIR [SCREENSHOT_DIR]
set -euo pipefail
exe=$1
letters=$2
pages=$3
shots=${4:-}
for tool in Xvfb xdotool xwininfo; do
  command -v "$tool" >/dev/null || { echo "$tool is missing"; exit 77; }
done
export QT_QPA_PLATFORM=xcb
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$exe" "$work/zettelino"
cp "$letters/letter18.ZLW" "$work/brief.ZLW"
cp "$letters/pastend.ZLW" "$work/kaputt.ZLW"
cp "$pages/many_pages_120.qrp" "$work/bericht.QRP"

cat > "$work/session.sh" <<'SESSION'
#!/usr/bin/env bash
set -euo pipefail
cd "$1"
shots=$2
# shellcheck source=../support/xvfb_session.sh
source "$ZT_XVFB_LIB"
pid=
stop() { kill -9 $pid 2>/dev/null || true; wait $pid 2>/dev/null || true; pid=; }
# xdotool takes the name as a regular expression.
quoted() { sed 's/[][\.*^$()+?{}|]/\\&/g' <<<"$1"; }

cp brief.ZLW original.ZLW
./zettelino brief.ZLW 2>zettelino.err & pid=$!
main=$(window "$(quoted "Zettelino - [ $PWD/brief.ZLW]")") || fail "no window captioned with the letter"
shot letter
xdotool windowfocus --sync "$main"
xdotool key ctrl+s
info=$(window Informationen) || fail "Ctrl+S did not save straight to the opened file"
xdotool windowfocus --sync "$info"
xdotool key Return
gone Informationen || fail "the saved message stays"
cmp -s brief.ZLW original.ZLW || fail "the window held another letter than the file: $(diff <(tr -d '\r' <original.ZLW) <(tr -d '\r' <brief.ZLW) | head -5)"
stop

./zettelino kaputt.ZLW 2>>zettelino.err & pid=$!
window Warnung >/dev/null || fail "no warning for an unreadable letter"
shot warning
window Zettelino >/dev/null || fail "the window is not untitled after the failed open"
stop

./zettelino bericht.QRP 2>>zettelino.err & pid=$!
window "$(quoted "Bericht Vorschau : $PWD/bericht.QRP")" >/dev/null || fail "no preview of the saved report file"
shot report
window Zettelino >/dev/null || fail "no letter window beside the preview"
# A termination signal (logout) ends the program, the open preview with it.
kill -TERM $pid
for _ in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
kill -0 $pid 2>/dev/null && fail "the program still runs after a termination signal with a preview open"
wait $pid 2>/dev/null || true
pid=
echo ok
SESSION
chmod +x "$work/session.sh"

# An X server, HOME and XDG folders of the check's own (display_run.sh).
support="$(cd "$(dirname "$0")/../support" && pwd)"
ZT_XVFB_LIB="$support/xvfb_session.sh" ZT_CHECK_WORK="$work" "$support/display_run.sh" -- "$work/session.sh" "$work" "$shots"
