#!/bin/bash
# A user's session with the real program under a virtual X server: start it,
# open a second window with Ctrl+N, close one with Ctrl+W while the other runs
# on, quit with Ctrl+Q, and check the exit status and the stored window size.
# With SCREENSHOT=file.png set, a picture of the screen is kept.
set -uo pipefail
executable="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

if [ -z "${TINTORA_IN_XVFB:-}" ]; then
  export TINTORA_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi

export XDG_CONFIG_HOME="$work/config"
export QT_QPA_PLATFORM=xcb
fail() { echo "FAIL: $*"; cat "$work/output.txt"; exit 1; }

windows() { xdotool search --onlyvisible --name '^Quenwick Tintora 1\.2$' 2>/dev/null; }
# Up to 30 s: a loaded machine can be slow to map a window.
wait_for_windows() {
  for _ in $(seq 1 600); do
    [ "$(windows | wc -l)" = "$1" ] && return 0
    sleep 0.05
  done
  return 1
}
source "$(dirname "$0")/desktop_keys.sh"

"$executable" > "$work/output.txt" 2>&1 &
program=$!

wait_for_windows 1 || fail "the first window did not appear"
first="$(windows | head -1)"
press ctrl+n "$first"
wait_for_windows 2 || fail "Ctrl+N did not open a second window"
if [ -n "${SCREENSHOT:-}" ]; then
  import -window root "$SCREENSHOT"
fi
second="$(windows | grep -vx "$first" | head -1)"
xdotool windowsize --sync "$second" 800 560
press ctrl+w "$first"
wait_for_windows 1 || fail "Ctrl+W did not close the window"
kill -0 "$program" 2>/dev/null || fail "the program ended with one window still open"
quit_and_wait "$second" "$program" || fail "Ctrl+Q did not end the program"
[ "$exit_status" = 0 ] || fail "exit status $exit_status"

settings="$(ls "$XDG_CONFIG_HOME"/tintora/tintora-*.conf 2>/dev/null | head -1)"
[ -n "$settings" ] || fail "no settings file written"
grep -qx 'width=800' "$settings" || { cat "$settings"; fail "the settings do not hold the last window's width"; }
grep -qx 'height=560' "$settings" || { cat "$settings"; fail "the settings do not hold the last window's height"; }
echo "1 passed, 0 failed"
