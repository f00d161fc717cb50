#!/usr/bin/env bash
# The questions that guard a letter, asked of the real program under a
# window manager (openbox), by keyboard as a user would:
#  - type, "Neu", Escape: the letter is still there (saving it stores it);
#  - type, "Öffnen": the question comes before the file dialog, and Escape
#    keeps the letter and opens nothing;
#  - Extras → Textbausteine → OK without a phrase file: the file then holds
#    the built-in phrases, not nothing.
#   xvfb_questions_check.sh ZETTELINO_EXE [SCREENSHOT_DIR]
set -euo pipefail
exe=$1
shots=${2:-}
for tool in Xvfb xdotool openbox; do
  command -v "$tool" >/dev/null || { echo "$tool is missing"; exit 77; }
done
export QT_QPA_PLATFORM=xcb
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$exe" "$work/zettelino"

cat > "$work/session.sh" <<'SESSION'
#!/usr/bin/env bash
set -euo pipefail
cd "$1"
shots=$2
# shellcheck source=../support/xvfb_session.sh
source "$ZT_XVFB_LIB"
pid=
start_window_manager
trap 'kill $wm 2>/dev/null || true' EXIT

# Saves the letter through Ctrl+S, as $1 when it has no file yet.
save() {
  xdotool windowfocus --sync "$main"
  keys ctrl+s
  local dialog info
  if [ -n "${1:-}" ]; then
    dialog=$(window "Speichern unter") || fail "no save dialog"
    xdotool windowfocus --sync "$dialog"
    typed "$PWD/$1"
    keys Return
  fi
  info=$(window "Informationen") || fail "no saved message"
  xdotool windowfocus --sync "$info"
  keys Return
  gone Informationen || fail "the saved message stays"
}

./zettelino 2>zettelino.err & pid=$!
main=$(window Zettelino) || fail "no main window"
sleep 0.5
xdotool windowfocus --sync "$main"

# "Neu", then Escape on its question.
typed "Erika Muster"
keys ctrl+n
question=$(window Warnung) || fail "New asked nothing about the typed letter"
shot new-question "$question"
xdotool windowfocus --sync "$question"
keys Escape
gone Warnung || fail "Escape left New's question open"
save kept.ZLW
grep -aq $'^Erika Muster\r$' kept.ZLW || fail "Escape on New's question lost the letter: $(cat -A kept.ZLW | head -8)"

# "Öffnen" asks first; Escape keeps the letter and shows no file dialog.
xdotool windowfocus --sync "$main"
typed " und Sohn"
keys ctrl+o
question=$(window Warnung) || fail "Open asked nothing about the unsaved letter"
xdotool search --onlyvisible --name "Öffnen" >/dev/null 2>&1 && fail "the file dialog came before the question"
shot open-question "$question"
xdotool windowfocus --sync "$question"
keys Escape
gone Warnung || fail "Escape left Open's question open"
sleep 0.5
xdotool search --onlyvisible --name "Öffnen" >/dev/null 2>&1 && fail "Escape on Open's question still opened the file dialog"
save
grep -aq $'^Erika Muster und Sohn\r$' kept.ZLW || fail "Escape on Open's question lost the letter"

# Extras → Textbausteine → OK, with no phrase file beside the program.
[ ! -e zlwtext.txt ] || fail "a phrase file was there before"
xdotool windowfocus --sync "$main"
keys alt+z Right Return            # the menu "Zettelino", over to "Extras", its first entry
editor=$(window Textbausteine) || fail "Extras → Textbausteine opened no editor"
shot phrases "$editor"
xdotool windowfocus --sync "$editor"
keys ctrl+Tab Return               # from the phrase box on to "OK"
gone Textbausteine || fail "OK left the editor open"
[ -s zlwtext.txt ] || fail "OK wrote an empty phrase file"
grep -aq $'^Sehr geehrte Damen und Herren \r$' zlwtext.txt || fail "the phrase file lacks the built-in phrases: $(head -3 zlwtext.txt)"
[ "$(wc -l < zlwtext.txt)" = 13 ] || fail "the phrase file holds $(wc -l < zlwtext.txt) lines, not the 13 built-in phrases"

kill -9 $pid; pid=
echo ok
SESSION
chmod +x "$work/session.sh"

# An X server, HOME and XDG folders of the check's own (display_run.sh).
support="$(cd "$(dirname "$0")/../support" && pwd)"
ZT_XVFB_LIB="$support/xvfb_session.sh" ZT_CHECK_WORK="$work" "$support/display_run.sh" -- "$work/session.sh" "$work" "$shots"
