#!/usr/bin/env bash
# Runs one check's session on an X server of its own and shares nothing with
# any other check: the server picks a free display itself (-displayfd, so a
# server of another user or another /tmp on the same number is never
# joined), never resets when its last client lets go (a program connecting
# in that moment would abort), and the session gets its own HOME, XDG
# folders and session bus setting. When the session fails, what tells why is
# printed: the window list, a screenshot's path and the error output the
# session's programs left in its folder (*.err, *.log).
#   display_run.sh [--screen WxHxD] [--server-args ARGS] [--bus] -- COMMAND...
#   --bus  a session bus of the check's own (else none: no bus is started
#          behind the check's back, none of another check is found)
# Environment: ZT_CHECK_WORK, the session's folder (default: current folder);
# ZT_FAILURE_DIR, where the screenshot of a failure is kept (default: the
# session's folder, which the check usually removes).
set -uo pipefail
screen=1280x1024x24
server_args=
bus=0
while [ $# -gt 0 ]; do
  case "$1" in
    --screen) screen=$2; shift 2 ;;
    --server-args) server_args=$2; shift 2 ;;
    --bus) bus=1; shift ;;
    --) shift; break ;;
    *) break ;;
  esac
done
[ $# -gt 0 ] || { echo "display_run.sh: no command" >&2; exit 2; }
for tool in Xvfb xauth mcookie; do
  command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 77; }
done

work=${ZT_CHECK_WORK:-$PWD}
env_dir=$(mktemp -d "$work/.display.XXXXXX")
export HOME="$env_dir/home" XDG_CONFIG_HOME="$env_dir/config" XDG_DATA_HOME="$env_dir/data"
export XDG_CACHE_HOME="$env_dir/cache" XDG_RUNTIME_DIR="$env_dir/runtime"
# Fresh on every run: a recovery copy left by an earlier run would ask first.
export XDG_STATE_HOME="$env_dir/state"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR" "$XDG_STATE_HOME"
chmod 700 "$XDG_RUNTIME_DIR"
unset SESSION_MANAGER DESKTOP_SESSION XDG_CURRENT_DESKTOP WAYLAND_DISPLAY QT_QPA_PLATFORMTHEME
# The scripted checks type into the toolkit's own file dialog; a check of the
# desktop's dialog sets ZETTELINO_FILE_DIALOG itself.
export ZETTELINO_FILE_DIALOG=${ZETTELINO_FILE_DIALOG:-qt}

export XAUTHORITY="$env_dir/Xauthority"
: >"$XAUTHORITY"
xauth -q -f "$XAUTHORITY" add :0 . "$(mcookie)" 2>/dev/null
# The cookie is written for display 0 but the server reads it for any.
xserver_pid=
bus_pid=
cleanup() {
  [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null
  if [ -n "$xserver_pid" ]; then
    kill "$xserver_pid" 2>/dev/null
    for _ in $(seq 50); do kill -0 "$xserver_pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$xserver_pid" 2>/dev/null
  fi
  rm -rf "$env_dir"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

fifo="$env_dir/displayfd"
mkfifo "$fifo"
# shellcheck disable=SC2086
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset -auth "$XAUTHORITY" $server_args \
  3>"$fifo" 2>"$env_dir/xvfb.log" </dev/null &
xserver_pid=$!
display=
read -r -t 30 display <"$fifo"
if [ -z "$display" ]; then
  echo "Xvfb did not start:" >&2
  cat "$env_dir/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$display"
# The cookie under the display's own name too, for tools that look it up so.
xauth -q -f "$XAUTHORITY" add "$DISPLAY" . "$(xauth -f "$XAUTHORITY" list | awk 'NR==1 {print $3}')" 2>/dev/null

if [ "$bus" = 1 ]; then
  command -v dbus-daemon >/dev/null || { echo "dbus-daemon is missing" >&2; exit 77; }
  dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$env_dir/bus" </dev/null >/dev/null 2>&1 &
  bus_pid=$!
  for _ in $(seq 100); do [ -s "$env_dir/bus" ] && break; sleep 0.05; done
  DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$env_dir/bus")
  [ -n "$DBUS_SESSION_BUS_ADDRESS" ] || { echo "the session bus did not start" >&2; exit 1; }
  export DBUS_SESSION_BUS_ADDRESS
else
  # No bus: a missing address would make the bus library start one through
  # the X server and record it in HOME, which a later check could find.
  export DBUS_SESSION_BUS_ADDRESS="unix:path=$XDG_RUNTIME_DIR/no-bus"
fi

export ZT_EVIDENCE_KEPT="$env_dir/evidence-kept"
export ZT_DISPLAY_EVIDENCE
ZT_DISPLAY_EVIDENCE="$(cd "$(dirname "$0")" && pwd)/display_evidence.sh"
"$@"
status=$?
if [ "$status" != 0 ] && [ "$status" != 77 ]; then
  echo "--- the check failed (status $status) on display $DISPLAY" >&2
  # A session's fail() already kept the screen as it was at the failure.
  [ -e "$ZT_EVIDENCE_KEPT" ] || "$(dirname "$0")/display_evidence.sh"
  for f in "$work"/*.err "$work"/*.log; do
    [ -s "$f" ] || continue
    echo "--- $(basename "$f"):" >&2
    tail -n 60 "$f" >&2
  done
fi
exit "$status"
