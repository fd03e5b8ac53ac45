#!/usr/bin/env bash
# Runs one test program on a virtual X display of its own with a real window manager, for
# what only a window manager decides: frames, places, stacking and focus.
# Usage: run-under-wm.sh SECONDS PROGRAM [ARGUMENTS...]
# The display, the window manager and the program are stopped whatever happens; the
# program is stopped after SECONDS, so a hang fails here instead of outliving the run.
set -u
limit=$1
shift

for tool in Xvfb openbox xprop timeout; do
  if ! command -v "$tool" >/dev/null; then
    echo "FAIL!  : $tool is missing (scripts/install-deps.sh installs it)" >&2
    exit 1
  fi
done

work=$(mktemp -d)
xvfb=""
wm=""
program=""
stop() {
  for pid in $program $wm $xvfb; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap stop EXIT
trap 'exit 143' TERM HUP
trap 'exit 130' INT

fail() {
  echo "FAIL!  : $1" >&2
  for log in "$work"/*.log; do [ -s "$log" ] && sed 's/^/    /' "$log" >&2; done
  exit 1
}

# The server takes the first free display number itself and tells it on descriptor 3,
# so runs side by side never share a display.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do
  grep -q '^[0-9]' "$work/display" 2>/dev/null && break
  kill -0 "$xvfb" 2>/dev/null || fail "Xvfb ended at start"
  sleep 0.1
done
grep -q '^[0-9]' "$work/display" || fail "Xvfb gave no display within 10 s"
export DISPLAY=":$(head -n1 "$work/display")"

# The system's own settings rather than a user's: every run sees the same frames.
options=(--sm-disable)
[ -f /etc/xdg/openbox/rc.xml ] && options+=(--config-file /etc/xdg/openbox/rc.xml)
openbox "${options[@]}" >"$work/openbox.log" 2>&1 &
wm=$!
# The manager is up once it has announced itself on the root window.
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  kill -0 "$wm" 2>/dev/null || fail "openbox ended at start"
  sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
  fail "openbox was not up within 10 s"

export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$work"
chmod 700 "$work"
timeout -k 5 "$limit" "$@" &
program=$!
wait "$program"
rc=$?
program=""
[ "$rc" -eq 124 ] && echo "FAIL!  : $* did not end within $limit s" >&2
exit "$rc"
