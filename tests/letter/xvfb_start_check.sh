#!/usr/bin/env bash
# Starts the real program from a fresh program folder under Xvfb: the window
# is captioned "Zettelino" at 10, 10, at its designed client width of 664
# (no window manager, so no frame) and 560 to 800 high; ending it
# writes ZLW.INI; a second start restores the stored bounds.
#   xvfb_start_check.sh ZETTELINO_EXE
# A program that dies at start fails the check with its error output shown.
set -euo pipefail
exe=$1
for tool in Xvfb xwininfo xdotool; do
  command -v "$tool" >/dev/null || { echo "$tool is missing"; exit 77; }
done
# The suite runs offscreen; this check needs the real X connection.
export QT_QPA_PLATFORM=xcb
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$exe" "$work/zettelino"

cat > "$work/session.sh" <<'SESSION'
#!/usr/bin/env bash
# Runs one start: waits for the window, prints its geometry, ends it by SIGTERM.
set -euo pipefail
cd "$1"
source "$ZT_XVFB_LIB"
./zettelino 2>>zettelino.err & pid=$!
id=$(window Zettelino) || fail "no window"
sleep 0.5
xwininfo -id "$id" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
  /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print x, y, w, h}'
kill -TERM $pid
wait $pid || fail "the program ended with status $? after a termination signal"
SESSION
chmod +x "$work/session.sh"

# An X server, HOME and XDG folders of the check's own (display_run.sh).
support="$(cd "$(dirname "$0")/../support" && pwd)"
run() { ZT_XVFB_LIB="$support/xvfb_session.sh" ZT_CHECK_WORK="$work" "$support/display_run.sh" -- "$work/session.sh" "$work"; }

first=$(run)
read -r x y w h <<<"$first"
[ "$x $y $w" = "10 10 664" ] && [ "$h" -ge 560 ] && [ "$h" -le 800 ] || { echo "first start: $first"; exit 1; }
ini=$(tr -d '\r' < "$work/ZLW.INI")
for key in path_data left=10 top=10 "height=$h" width=664; do
  grep -q "^$key" <<<"$ini" || { echo "ZLW.INI lacks $key:"; echo "$ini"; exit 1; }
done

printf '[Setup]\r\npath_data=/tmp/\r\n[foMain]\r\nleft=40\r\ntop=30\r\nheight=520\r\nwidth=760\r\n' > "$work/ZLW.INI"
second=$(run)
[ "$second" = "40 30 760 520" ] || { echo "second start: $second"; exit 1; }
echo "ok: $first / $second"
