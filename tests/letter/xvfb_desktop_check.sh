#!/usr/bin/env bash
# The desktop's ways, tried by keyboard under a window manager (openbox):
#  - Ctrl+O opens a letter; the desktop's recently used files then name it,
#    and after a restart "Zuletzt geöffnet" in the Zettelino menu opens it;
#  - Ctrl+P with no printer says so; once a printer is set up (a spooler of
#    the check's own), Ctrl+P shows the print dialog, and Escape prints
#    nothing;
#  - a letter dragged from another program and dropped on the message
#    asks about the unsaved letter, then opens;
#  - with a desktop portal on the session bus, Ctrl+O shows the portal's
#    chooser (no dialog of ours), starting in the documents folder, and
#    opens the file it answers.
#   xvfb_desktop_check.sh ZETTELINO_EXE LETTER_DATA_DIR DRAG_SOURCE_EXE [SCREENSHOT_DIR]
set -euo pipefail
exe=$1
letters=$2
dragger=$3
shots=${4:-}
for tool in Xvfb xdotool openbox; do
  command -v "$tool" >/dev/null || { echo "$tool is missing"; exit 77; }
done
export QT_QPA_PLATFORM=xcb
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$exe" "$work/zettelino"
cp "$letters/letter18.ZLW" "$work/brief.ZLW"
cp "$letters/letter18.ZLW" "$work/portal.ZLW"
cp "$letters/letter18.ZLW" "$work/gezogen.ZLW"
cp "$dragger" "$work/drag_source"
support="$(cd "$(dirname "$0")/../support" && pwd)"

cat > "$work/common.sh" <<'COMMON'
source "$ZT_XVFB_LIB"
pid=
start_window_manager
trap 'kill $wm 2>/dev/null || true; kill -9 $pid 2>/dev/null || true' EXIT
quoted() { sed 's/[][\.*^$()+?{}|]/\\&/g' <<<"$1"; }
captioned() { window "$(quoted "Zettelino - [ $1]")"; }
COMMON

cat > "$work/session.sh" <<'SESSION'
#!/usr/bin/env bash
set -euo pipefail
cd "$1"
shots=$2
source ./common.sh
source "$ZT_SUPPORT/private_spooler.sh"
# The program asks the check's spooler, not the machine's: none runs yet.
export CUPS_SERVER=$PWD/spooler/cups.sock
spooler=
trap 'kill $wm $spooler 2>/dev/null || true; kill -9 $pid 2>/dev/null || true' EXIT

./zettelino 2>zettelino.err & pid=$!
main=$(window Zettelino) || fail "no main window"
sleep 0.5
xdotool windowfocus --sync "$main"
keys ctrl+o
dialog=$(window "Öffnen") || fail "Ctrl+O showed no file dialog"
xdotool windowfocus --sync "$dialog"
typed "$PWD/brief.ZLW"
keys Return
main=$(captioned "$PWD/brief.ZLW") || fail "the chosen letter did not open"
list="$XDG_DATA_HOME/recently-used.xbel"
[ -f "$list" ] || fail "Open left no recently used files"
grep -q "file://$PWD/brief.ZLW" "$list" || fail "the recently used files do not name the letter: $(cat "$list")"
grep -q 'mime-type type="application/x-zettelino-letter"' "$list" || fail "the letter is not listed with its type"

# Ctrl+P without a printer: a box says so, and Return closes it.
xdotool windowfocus --sync "$main"
keys ctrl+p
box=$(window Fehler) || fail "Ctrl+P without a printer said nothing"
shot no-printer "$box"
xdotool windowfocus --sync "$box"
keys Return
gone Fehler || fail "Return left the box open"

# With a printer set up meanwhile, Ctrl+P shows the print dialog; Escape
# leaves it without a printout.
if start_private_spooler "$PWD/spooler"; then
  xdotool windowfocus --sync "$main"
  keys ctrl+p
  print=$(window "Drucken") || fail "Ctrl+P showed no print dialog"
  shot print-dialog "$print"
  xdotool windowfocus --sync "$print"
  keys Escape
  gone Drucken || fail "Escape left the print dialog open"
  lpstat -W all -o 2>/dev/null | grep -q . && fail "Escape printed: $(lpstat -W all -o)"
else
  [ $? = 77 ] || fail "the check's spooler did not start"
  echo "the print dialog was not tried: this machine has no cupsd"
fi
kill -9 $pid; wait $pid 2>/dev/null || true; pid=

# After a restart the menu offers the letter again.
./zettelino 2>>zettelino.err & pid=$!
main=$(window Zettelino) || fail "no main window after the restart"
sleep 0.5
xdotool windowfocus --sync "$main"
keys alt+z z
shot recent-menu
keys 1
main=$(captioned "$PWD/brief.ZLW") || fail "\"Zuletzt geöffnet\" did not open the letter"

# A drag from another program onto the message: type first, so the drop asks.
xdotool windowmove --sync "$main" 0 0
xdotool windowfocus --sync "$main"
keys ctrl+End
typed "ungespeichert"
./drag_source "$PWD/gezogen.ZLW" 2>drag.err & dragger=$!
source_window=$(window Ziehquelle) || fail "the drag source did not show"
eval "$(xdotool getwindowgeometry --shell "$main")"
drop_x=$((X + WIDTH / 2)) drop_y=$((Y + HEIGHT * 3 / 4))   # over the message
xdotool mousemove --window "$source_window" 50 50 mousedown 1
for step in 1 2 3 4 5 6 7 8; do
  xdotool mousemove $((750 + (drop_x - 750) * step / 8)) $((100 + (drop_y - 100) * step / 8))
  sleep 0.1
done
sleep 0.3
xdotool mouseup 1
question=$(window Warnung) || fail "the dropped letter did not ask about the unsaved one"
xdotool windowfocus --sync "$question"
keys alt+n                                                   # "Nein": discard it
captioned "$PWD/gezogen.ZLW" >/dev/null || fail "the dropped letter did not open"
kill $dragger 2>/dev/null || true
kill -9 $pid; wait $pid 2>/dev/null || true; pid=
echo ok
SESSION

cat > "$work/portal.sh" <<'SESSION'
#!/usr/bin/env bash
set -euo pipefail
cd "$1"
shots=$2
source ./common.sh
# The system's Python, where Debian's GObject bindings are.
py=/usr/bin/python3
"$py" -c 'from gi.repository import Gio' 2>/dev/null || { echo "skipped: python3-gi is missing for the portal"; exit 77; }
mkdir -p "$HOME/Dokumente"
printf 'XDG_DOCUMENTS_DIR="$HOME/Dokumente"\n' > "$XDG_CONFIG_HOME/user-dirs.dirs"
"$py" "$ZT_SUPPORT/fake_portal.py" "$PWD/portal.ZLW" portal.log > portal.out 2>portal.err & portal=$!
trap 'kill $wm $portal 2>/dev/null || true; kill -9 $pid 2>/dev/null || true' EXIT
for _ in $(seq 100); do grep -q ready portal.out 2>/dev/null && break; sleep 0.1; done
grep -q ready portal.out || fail "the portal did not start"

ZETTELINO_FILE_DIALOG=portal ./zettelino 2>zettelino.err & pid=$!
main=$(window Zettelino) || fail "no main window"
sleep 0.5
xdotool windowfocus --sync "$main"
keys ctrl+o
captioned "$PWD/portal.ZLW" >/dev/null || fail "the portal's answer did not open the letter"
xdotool search --onlyvisible --name "^Öffnen$" >/dev/null 2>&1 && fail "a dialog of ours showed beside the portal"
grep -q '"method": "OpenFile"' portal.log || fail "the portal was not asked: $(cat portal.log)"
grep -q "\"current_folder\": \"$HOME/Dokumente/\?\"" portal.log || fail "the chooser did not start in the documents folder: $(cat portal.log)"
grep -q '"\*.ZLW", "\*.zlw"\|\*\.ZLW' portal.log || fail "the chooser got no letter filter: $(cat portal.log)"
kill -9 $pid; wait $pid 2>/dev/null || true; pid=
echo ok
SESSION
chmod +x "$work/session.sh" "$work/portal.sh"

export ZT_XVFB_LIB="$support/xvfb_session.sh" ZT_CHECK_WORK="$work" ZT_SUPPORT="$support"
"$support/display_run.sh" -- "$work/session.sh" "$work" "$shots"
ZETTELINO_FILE_DIALOG=portal "$support/display_run.sh" --bus -- "$work/portal.sh" "$work" "$shots"
