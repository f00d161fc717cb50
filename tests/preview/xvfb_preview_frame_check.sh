#!/usr/bin/env bash
# The preview's place under a real window manager (openbox), which frames
# its windows: the outer bounds, frame included, are those the screen rule
# gives (90 % high, 60 % wide, centred; on 1280 x 1024: 256,51 768x922),
#  - for `zettelino REPORT.QRP`, and
#  - for the letter's "Vorschau", clicked twice: the second closes the
#    first preview and opens one in its place.
#   xvfb_preview_frame_check.sh ZETTELINO_EXE PAGES_DATA_DIR [SCREENSHOT_DIR]
set -euo pipefail
exe=$1
pages=$2
shots=${3:-}
export QT_QPA_PLATFORM=xcb
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$exe" "$work/zettelino"
cp "$pages/many_pages_120.qrp" "$work/bericht.QRP"
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
pid=
# The program starts once the window manager has taken the screen.
start_window_manager
stop() { kill -9 $pid 2>/dev/null || true; wait $pid 2>/dev/null || true; pid=; }
trap 'kill $wm 2>/dev/null || true' EXIT
quoted() { sed 's/[][\.*^$()+?{}|]/\\&/g' <<<"$1"; }
# The window's outer bounds: its client area widened by the frame the
# window manager reports (_NET_FRAME_EXTENTS: left, right, top, bottom).
outer() {
  local info x y w h extents l r t b
  info=$(xwininfo -id "$1")
  x=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
  y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
  w=$(awk '/Width:/ {print $2}' <<<"$info")
  h=$(awk '/Height:/ {print $2}' <<<"$info")
  extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ' ')
  [ -n "$extents" ] || { echo "no frame"; return; }
  IFS=, read -r l r t b <<<"$extents"
  echo "$((x - l)),$((y - t)) $((w + l + r))x$((h + t + b)) (frame $l,$r,$t,$b)"
}
# Waits up to 10 s for the outer bounds of window $1 to become $2.
placed() {
  local now=
  for _ in $(seq 100); do
    now=$(outer "$1")
    [[ "$now" == "$2 "* ]] && return 0
    sleep 0.1
  done
  echo "$now"
  return 1
}
expected="256,51 768x922"

./zettelino bericht.QRP 2>zettelino.err & pid=$!
preview=$(window "$(quoted "Bericht Vorschau : $PWD/bericht.QRP")") || fail "no preview of the saved report file"
got=$(placed "$preview" "$expected") || fail "the saved report's preview is at $got, not $expected"
shot report
stop

./zettelino brief.ZLW 2>>zettelino.err & pid=$!
main=$(window "$(quoted "Zettelino - [ $PWD/brief.ZLW]")") || fail "no letter window"
sleep 0.5
# The toolbar's "Vorschau" button.
xdotool mousemove --window "$main" 208 42 click 1
preview=$(window "Bericht Vorschau : Zettelino für Windows") || fail "no letter preview"
got=$(placed "$preview" "$expected") || fail "the letter's preview is at $got, not $expected"
shot letter-preview
# Once more while it is open: one preview, the new one, where the first was.
xdotool mousemove --window "$main" 208 42 click 1
sleep 1.5
count=$(xdotool search --onlyvisible --name "^Bericht Vorschau : Zettelino für Windows\$" | wc -l)
[ "$count" = 1 ] || fail "$count previews open after the second Vorschau"
preview=$(window "Bericht Vorschau : Zettelino für Windows") || fail "no preview after the second Vorschau"
got=$(placed "$preview" "$expected") || fail "the second preview is at $got, not $expected"
shot second-preview
kill -0 $pid 2>/dev/null || fail "the program ended"
stop
echo ok
SESSION
chmod +x "$work/session.sh"

support="$(cd "$(dirname "$0")/../support" && pwd)"
ZT_XVFB_LIB="$support/xvfb_session.sh" ZT_CHECK_WORK="$work" "$support/display_run.sh" -- "$work/session.sh" "$work" "$shots"
