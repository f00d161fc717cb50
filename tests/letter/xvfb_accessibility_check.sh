#!/usr/bin/env bash
# The program as a screen reader hears it, through AT-SPI under Xvfb: the
# letter window names its three blocks, both subject lines, the place/date
# line, all fifteen tick marks, the phrase picker and every toolbar button,
# and no field or button goes unnamed; "Vorschau" pressed through the
# accessibility bus opens the preview of a two-page letter, whose page view
# is "Seite 1 von 2" and offers the page's text, whose toolbars and commands
# are named in German and where nothing hidden takes or reports the focus;
# the warning about an unreadable letter is read with its text.
#   xvfb_accessibility_check.sh ZETTELINO_EXE LETTER_DATA_DIR [SCREENSHOT_DIR]
set -euo pipefail
exe=$1
letters=$2
shots=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
# Installed by scripts/test (ZT_PACKAGES); without them this check cannot
# say anything, and says so by failing.
for tool in Xvfb xdotool dbus-daemon; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (package list in scripts/lib/common.sh)"; exit 1; }
done
# The system's Python, which the Debian package serves (not one of a user's own).
py=/usr/bin/python3
[ -x "$py" ] || py=python3
export ZT_PYTHON=$py
"$py" -c 'import pyatspi' 2>/dev/null || { echo "python3-pyatspi is missing (package list in scripts/lib/common.sh)"; exit 1; }
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "at-spi2-core is missing (package list in scripts/lib/common.sh)"; exit 1; }
export QT_QPA_PLATFORM=xcb
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$exe" "$work/zettelino"
cp "$here/atspi_tree.py" "$work/"
cp "$letters/pastend.ZLW" "$work/kaputt.ZLW"
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
# The check's own session bus (display_run.sh --bus) starts the
# accessibility bus on demand.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0

./zettelino brief.ZLW 2>zettelino.err & pid=$!
window "Zettelino - \[ .*brief\.ZLW\]" >/dev/null || fail "no letter window"
shot letter
timeout 60 "$ZT_PYTHON" atspi_tree.py letter || fail "the letter window is not named as a screen reader needs it"
timeout 60 "$ZT_PYTHON" atspi_tree.py preview || fail "the preview is not named as a screen reader needs it"
shot preview
kill -9 $pid

./zettelino kaputt.ZLW 2>>zettelino.err & pid=$!
timeout 60 "$ZT_PYTHON" atspi_tree.py warning || fail "the warning is not read with its text"
shot warning
kill -9 $pid
echo ok
SESSION
chmod +x "$work/session.sh"

# An X server, HOME and XDG folders of the check's own (display_run.sh).
support="$(cd "$here/../support" && pwd)"
ZT_XVFB_LIB="$support/xvfb_session.sh" ZT_CHECK_WORK="$work" "$support/display_run.sh" --bus -- "$work/session.sh" "$work" "$shots"
