#!/usr/bin/env bash
# Drives the real program by keyboard under Xvfb, as a user would:
#  - 15 Tabs from the start reach the first "other" field; typing
#    "Weiterleitung an Herrn Schmidt" and saving stores its first 20 characters;
#  - an address typed after a Tab makes Ctrl+N ask; "Ja" and Escape in the
#    save dialog keep the letter, and closing still asks;
#  - text typed into the sender block makes the close box ask, and the
#    program keeps running after "Abbrechen"; a termination signal asks too,
#    and "Nein" ends the program, which writes its settings.
#   xvfb_keyboard_check.sh ZETTELINO_EXE [SCREENSHOT_DIR]
set -euo pipefail
exe=$1
shots=${2:-}
for tool in Xvfb xdotool xwininfo; do
  command -v "$tool" >/dev/null || { echo "$tool is missing"; exit 77; }
done
/usr/bin/python3 -c "import Xlib" 2>/dev/null || { echo "python3-xlib is missing"; exit 77; }
export QT_QPA_PLATFORM=xcb
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$exe" "$work/zettelino"

# Asks a window to close the way a close box does (WM_DELETE_WINDOW).
cat > "$work/closebox.py" <<'PY'
import sys
from Xlib import X, display, protocol
d = display.Display()
w = d.create_resource_object('window', int(sys.argv[1]))
event = protocol.event.ClientMessage(window=w, client_type=d.intern_atom('WM_PROTOCOLS'),
                                     data=(32, [d.intern_atom('WM_DELETE_WINDOW'), X.CurrentTime, 0, 0, 0]))
w.send_event(event, event_mask=0)
d.flush()
PY

cat > "$work/session.sh" <<'SESSION'
#!/usr/bin/env bash
set -euo pipefail
cd "$1"
shots=$2
# shellcheck source=../support/xvfb_session.sh
source "$ZT_XVFB_LIB"
# Asks the main window to close as its close box does, and prints the id of
# the question that follows. On a loaded machine a request that arrives
# while a dialog that just went is still ending its modal run never reaches
# the window (the toolkit drops it; the window's close handler is not
# called): it is sent again, as a user would click again.
close_asks() {
  local question
  for _ in 1 2 3; do
    /usr/bin/python3 closebox.py "$main"
    question=$(window Warnung 5 2>/dev/null) && { echo "$question"; return 0; }
  done
  return 1
}

./zettelino 2>zettelino.err & pid=$!
main=$(window Zettelino) || fail "no main window"
sleep 0.5
xdotool windowfocus --sync "$main"
sleep 0.3

keys $(printf 'Tab %.0s' $(seq 15))
typed "Weiterleitung an Herrn Schmidt"
shot typed-other
keys ctrl+s
dialog=$(window "Speichern unter") || fail "no save dialog"
shot save-dialog "$dialog"
xdotool windowfocus --sync "$dialog"
typed "$PWD/brief.ZLW"
keys Return
info=$(window "Informationen") || fail "no saved message"
xdotool windowfocus --sync "$info"
keys Return
gone Informationen || fail "the saved message stays"
grep -q $'^edSonst1=Weiterleitung an Her\r$' brief.ZLW || fail "stored: $(grep -a edSonst1 brief.ZLW)"

xdotool windowfocus --sync "$main"
keys ctrl+n                       # saved: clears without a question, focus in the sender block
gone Warnung || fail "New asked about a saved letter"
keys Tab
typed "Frau Muster"
keys ctrl+n
question=$(window Warnung) || fail "Ctrl+N after typing an address asked nothing"
shot new-question "$question"
xdotool windowfocus --sync "$question"
keys alt+j                        # "Ja": save first
dialog=$(window "Speichern unter") || fail "Ja to New opened no save dialog"
xdotool windowfocus --sync "$dialog"
keys Escape                       # the save is cancelled: the letter must stay
gone "Speichern unter" || fail "the save dialog stays"

# Closing still asks about the kept letter; "Abbrechen" keeps the program.
question=$(close_asks) || fail "closing after a cancelled New asked nothing"
shot close-question "$question"
kill -0 $pid 2>/dev/null || fail "the program ended"
xdotool windowfocus --sync "$question"
keys Escape                       # "Abbrechen"
gone Warnung || fail "the question stays"
sleep 0.5
kill -0 $pid 2>/dev/null || fail "the program ended after Abbrechen"
[ ! -e ZLW.INI ] || fail "settings written without a close"

# The letter is still there: saving it stores the address typed before New.
xdotool windowfocus --sync "$main"
keys ctrl+s
dialog=$(window "Speichern unter") || fail "no save dialog"
xdotool windowfocus --sync "$dialog"
typed "$PWD/behalten.ZLW"
keys Return
info=$(window "Informationen") || fail "no saved message"
xdotool windowfocus --sync "$info"
keys Return
gone Informationen || fail "the saved message stays"
grep -aq $'^Frau Muster\r$' behalten.ZLW || fail "the letter was lost by the cancelled New: $(cat -A behalten.ZLW)"

xdotool windowfocus --sync "$main"
keys ctrl+n                       # saved now: clears without a question
gone Warnung || fail "New asked about a saved letter"
typed "Max Muster"
question=$(close_asks) || fail "closing with an unsaved letter asked nothing"
xdotool windowfocus --sync "$question"
keys Escape                       # "Abbrechen"
gone Warnung || fail "the question stays"

kill -TERM $pid
question=$(window Warnung) || fail "a termination signal asked nothing"
xdotool windowfocus --sync "$question"
keys alt+n
for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
kill -0 $pid 2>/dev/null && fail "the program still runs after Nein"
wait $pid || fail "exit status $?"
[ -e ZLW.INI ] || fail "no settings written"
echo ok
SESSION
chmod +x "$work/session.sh"

# An X server, HOME and XDG folders of the check's own (display_run.sh).
support="$(cd "$(dirname "$0")/../support" && pwd)"
ZT_XVFB_LIB="$support/xvfb_session.sh" ZT_CHECK_WORK="$work" "$support/display_run.sh" -- "$work/session.sh" "$work" "$shots"
