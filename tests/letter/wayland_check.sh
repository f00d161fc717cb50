#!/usr/bin/env bash
# The letter window under a Wayland compositor (weston, nested in an X
# server of the check's own: its headless backend has no seat, and Qt's
# Wayland plugin then crashes at the first text caret). Windows are found
# through the accessibility bus, as Wayland lets no outside program list
# them:
#  - a letter opened and the window's focus taken away by a click on the
#    desktop: the letter stays unchanged (no recovery copy is written) and
#    a termination signal ends the program at once, without a question;
#  - `zettelino REPORT.QRP` shows its preview and ends cleanly;
#  - a letter that cannot be read shows Open's warning.
# Skipped (77) with the reason when weston or Qt's Wayland plugin is missing.
#   wayland_check.sh ZETTELINO_EXE LETTER_DATA_DIR PAGES_DATA_DIR
set -euo pipefail
exe=$1
letters=$2
pages=$3
command -v weston >/dev/null || { echo "weston is missing: no Wayland compositor to run under"; exit 77; }
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 ||
  { echo "Qt's Wayland plugin (qt6-wayland) is missing"; exit 77; }
py=/usr/bin/python3
"$py" -c 'import pyatspi' 2>/dev/null || { echo "python3-pyatspi is missing"; exit 77; }
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$exe" "$work/zettelino"
cp "$here/atspi_wait.py" "$work/"
cp "$letters/letter18.ZLW" "$work/brief.ZLW"
cp "$letters/pastend.ZLW" "$work/kaputt.ZLW"
cp "$pages/many_pages_120.qrp" "$work/bericht.QRP"
# No panel: a click on it could start a terminal that takes the keys.
printf '[core]\nidle-time=0\n[shell]\npanel-position=none\n' > "$work/weston.ini"

cat > "$work/session.sh" <<'SESSION'
#!/usr/bin/env bash
set -euo pipefail
cd "$1"
# shellcheck source=../support/xvfb_session.sh
source "$ZT_XVFB_LIB"
pid=
weston --backend=x11-backend.so --config="$PWD/weston.ini" --socket=wayland-zt --width=1024 --height=768 \
  >weston.log 2>&1 & compositor=$!
trap 'kill $compositor 2>/dev/null || true' EXIT
for _ in $(seq 300); do [ -S "$XDG_RUNTIME_DIR/wayland-zt" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/wayland-zt" ] || fail "weston did not start"
export WAYLAND_DISPLAY=wayland-zt QT_QPA_PLATFORM=wayland
# In a sanitizer build: what the Wayland client library and Qt's Wayland
# plugin keep at exit is reported with one-frame stacks in unloaded or
# uninstrumented libraries, which no suppression can name; the program's own
# leaks are checked by every other check.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
seen() { /usr/bin/python3 atspi_wait.py "$@"; }
# Waits up to 15 s for the program to end, and fails unless it ended
# with status 0; $1 says what was being ended.
ended() {
  for _ in $(seq 150); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "$1: the program still runs 15 s after a termination signal (it asked something?)"
  local status=0
  wait "$pid" || status=$?
  pid=
  [ "$status" = 0 ] || fail "$1: the program ended with status $status"
}

./zettelino brief.ZLW 2>>zettelino.err & pid=$!
seen "Zettelino - \[ .*/brief\.ZLW\]" || fail "no letter window under Wayland"
sleep 1
xdotool mousemove 1000 740 click 1     # the desktop: the window loses the focus
sleep 4                                # longer than the pause before a recovery copy
ls "$XDG_STATE_HOME"/zettelino/kopie-*.ZLW >/dev/null 2>&1 &&
  fail "a recovery copy of a letter nobody changed"
kill -TERM "$pid"
ended "an untouched letter"

./zettelino bericht.QRP 2>>zettelino.err & pid=$!
seen "Bericht Vorschau : .*/bericht\.QRP" || fail "no preview of the saved report file under Wayland"
kill -TERM "$pid"
ended "a preview open"

./zettelino kaputt.ZLW 2>>zettelino.err & pid=$!
seen "Warnung" || fail "no warning about an unreadable letter under Wayland"
kill -9 "$pid"; wait "$pid" 2>/dev/null || true; pid=
echo ok
SESSION
chmod +x "$work/session.sh"

support="$(cd "$here/../support" && pwd)"
ZT_XVFB_LIB="$support/xvfb_session.sh" ZT_CHECK_WORK="$work" "$support/display_run.sh" --bus -- "$work/session.sh" "$work"
