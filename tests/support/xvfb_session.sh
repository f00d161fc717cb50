# Helpers of the checks that drive the real program under Xvfb; sourced by
# their session scripts, which set `shots` (a folder for pictures, or empty)
# and `pid` (the program's process, once started).

# Ends the check with a message, keeping the window list and a screenshot
# as they are before the program is taken down; display_run.sh then shows
# what the programs wrote to their error output (*.err), which tells why a
# program that died early did so.
fail() {
  echo "$*" >&2
  [ -n "${ZT_DISPLAY_EVIDENCE:-}" ] && "$ZT_DISPLAY_EVIDENCE"
  [ -n "${pid:-}" ] && kill -9 "$pid" 2>/dev/null
  exit 1
}
# A picture of window $2 (else the whole screen) for a person to look at.
shot() {
  [ -n "${shots:-}" ] || return 0
  sleep 0.7
  if [ -n "${2:-}" ]; then xwd -id "$2" -silent; else xwd -root -silent; fi > "$shots/$1.xwd" 2>/dev/null || true
}
# The id of the first visible window named exactly $1, waiting up to $2
# seconds (60): on a busy machine (a sanitizer build, other builds beside
# the suite) a start can take far longer than the second or so it takes
# alone. A program ($pid) that ended meanwhile ends the wait at once,
# saying so.
window() {
  local id=
  for _ in $(seq $((${2:-60} * 10))); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    if [ -n "${pid:-}" ] && ! kill -0 "$pid" 2>/dev/null; then
      echo "the program ended before a window named \"$1\" appeared" >&2
      return 1
    fi
    sleep 0.1
  done
  return 1
}
# Waits up to 15 s for no visible window to be named exactly $1.
gone() {
  for _ in $(seq 150); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}
keys() { xdotool key --delay 40 "$@"; sleep 0.3; }
typed() { xdotool type --delay 40 "$1"; sleep 0.3; }
# Starts openbox (its process in $wm) and waits until it has taken the
# screen, so windows started after it are framed; fails when it does not.
start_window_manager() {
  openbox >openbox.log 2>&1 & wm=$!
  for _ in $(seq 150); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.1
  done
  fail "openbox did not start: $(cat openbox.log)"
}
