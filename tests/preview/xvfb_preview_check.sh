#!/usr/bin/env bash
# The preview as a user sees it under Xvfb: a two-page letter opened with
# Ctrl+O, "Vorschau" clicked; the window opens captioned with the report
# title at the place and size the screen gives (90 % high, 60 % wide,
# centred), End and Home page through it, Escape closes it and the letter
# window stays.
#   xvfb_preview_check.sh ZETTELINO_EXE [SCREENSHOT_DIR]
set -euo pipefail
exe=$1
shots=${2:-}
for tool in Xvfb xdotool xwininfo; do
  command -v "$tool" >/dev/null || { echo "$tool is missing"; exit 77; }
done
export QT_QPA_PLATFORM=xcb
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$exe" "$work/zettelino"
# shellcheck source=../support/xvfb_letters.sh
source "$(dirname "$0")/../support/xvfb_letters.sh"
sixty_line_letter >"$work/brief.ZLW"

cat > "$work/session.sh" <<'SESSION'
#!/usr/bin/env bash
set -euo pipefail
cd "$1"
shots=$2
# shellcheck source=../support/xvfb_session.sh
source "$ZT_XVFB_LIB"

./zettelino 2>zettelino.err & pid=$!
main=$(window Zettelino) || fail "no main window"
sleep 0.5
xdotool windowfocus --sync "$main"
keys ctrl+o
dialog=$(window "Öffnen") || fail "no open dialog"
xdotool windowfocus --sync "$dialog"
xdotool type --delay 20 "$PWD/brief.ZLW"
keys Return
gone "Öffnen" || fail "the open dialog stays"
sleep 0.5
# The toolbar's "Vorschau" button.
xdotool mousemove --window "$main" 208 42 click 1
preview=$(window "Bericht Vorschau : Zettelino für Windows") || fail "no preview window"
shot preview
geometry=$(xwininfo -id "$preview")
x=$(awk '/Absolute upper-left X/ {print $4}' <<<"$geometry")
y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$geometry")
w=$(awk '/Width:/ {print $2}' <<<"$geometry")
h=$(awk '/Height:/ {print $2}' <<<"$geometry")
[ "$x,$y,$w,$h" = "256,51,768,922" ] || fail "preview at $x,$y ${w}x$h, not 256,51 768x922"
xdotool windowfocus --sync "$preview"
keys End
shot page-two
keys Home
keys Escape
gone "Bericht Vorschau : Zettelino für Windows" || fail "Escape left the preview open"
xwininfo -id "$main" | grep -q IsViewable || fail "the letter window went with the preview"
kill -0 $pid 2>/dev/null || fail "the program ended"
kill -9 $pid
echo ok
SESSION
chmod +x "$work/session.sh"

# An X server, HOME and XDG folders of the check's own (display_run.sh).
support="$(cd "$(dirname "$0")/../support" && pwd)"
ZT_XVFB_LIB="$support/xvfb_session.sh" ZT_CHECK_WORK="$work" "$support/display_run.sh" -- "$work/session.sh" "$work" "$shots"
