#!/usr/bin/env bash
# A letter typed into the real program survives a kill -9: the next start
# asks, "Ja" brings the text back and Save writes it; a saved letter leaves
# nothing to ask about; of two programs, only the killed one's letter is
# offered, and only once.
#   xvfb_recovery_check.sh ZETTELINO_EXE
set -euo pipefail
exe=$1
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "$tool is missing"; exit 1; }
done
export QT_QPA_PLATFORM=xcb
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$exe" "$work/zettelino"

cat > "$work/session.sh" <<'SESSION'
#!/usr/bin/env bash
set -euo pipefail
cd "$1"
shots=
source "$ZT_XVFB_LIB"
export XDG_STATE_HOME="$PWD/state" XDG_CONFIG_HOME="$PWD/config"
copies() { ls state/zettelino/kopie-*.ZLW 2>/dev/null | wc -l; }
wait_copies() { for _ in $(seq 100); do [ "$(copies)" = "$1" ] && return 0; sleep 0.1; done; return 1; }
question="Bestätigen"

# Type, wait for the copy, kill -9.
./zettelino 2>zettelino.err & pid=$!
main=$(window Zettelino) || fail "no main window"
sleep 0.5
xdotool windowfocus --sync "$main"
typed "Max Muster"
wait_copies 1 || fail "no recovery copy after typing"
kill -9 $pid; wait $pid 2>/dev/null || true

# Two programs: the second starts while the first is asked; only one asks.
./zettelino 2>zettelino.err & pid=$!
box=$(window "$question") || fail "no question after the crash"
./zettelino 2>second.err & second=$!
other=$(window Zettelino) || fail "the second program shows no window"
sleep 1
[ "$(xdotool search --onlyvisible --name "^$question\$" | wc -l)" = 1 ] || fail "both programs ask"
kill -9 $second; wait $second 2>/dev/null || true
xdotool windowfocus --sync "$box"
keys alt+j
gone "$question" || fail "the question stays"
main=$(window "Zettelino") || fail "no main window after Ja"
xdotool windowfocus --sync "$main"
keys ctrl+s
dialog=$(window "Speichern unter") || fail "no save dialog"
xdotool windowfocus --sync "$dialog"
typed "$PWD/gerettet.ZLW"
keys Return
info=$(window "Informationen") || fail "no saved message"
xdotool windowfocus --sync "$info"
keys Return
grep -aq "^Max Muster" gerettet.ZLW || fail "the recovered text was not saved: $(cat -A gerettet.ZLW)"
wait_copies 0 || fail "the copy stays after saving"

# Saved, then killed: nothing to ask about.
kill -9 $pid; wait $pid 2>/dev/null || true
./zettelino 2>zettelino.err & pid=$!
window Zettelino >/dev/null || fail "no main window"
sleep 1
xdotool search --onlyvisible --name "^$question\$" >/dev/null 2>&1 && fail "asked after a saved letter"
kill -TERM $pid; wait $pid || true
echo ok
SESSION
chmod +x "$work/session.sh"
support="$(cd "$(dirname "$0")/../support" && pwd)"
ZT_XVFB_LIB="$support/xvfb_session.sh" ZT_CHECK_WORK="$work" "$support/display_run.sh" -- "$work/session.sh" "$work"
