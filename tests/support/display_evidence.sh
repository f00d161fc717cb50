#!/usr/bin/env bash
# What a failed check under a display saw: the list of windows (on the
# error output) and a screenshot, kept in ZT_FAILURE_DIR (else the check's
# folder) and named by its path. Called by display_run.sh and the sessions'
# fail() before the program is taken down.
shots=${ZT_FAILURE_DIR:-${ZT_CHECK_WORK:-$PWD}}
{
  echo "--- windows on $DISPLAY:"
  # Named windows only: a window manager adds hundreds of unnamed ones.
  xwininfo -root -tree 2>&1 | grep -v -e 'has no name' -e 'child' -e '^ *$' | head -n 60
  mkdir -p "$shots" 2>/dev/null
  if xwd -root -silent >"$shots/failure.xwd" 2>/dev/null; then
    echo "--- the screen at the failure: $shots/failure.xwd"
  else
    rm -f "$shots/failure.xwd"
  fi
} >&2
[ -n "${ZT_EVIDENCE_KEPT:-}" ] && : >"$ZT_EVIDENCE_KEPT"
exit 0
