#!/usr/bin/env bash
# Runs inside tests/desktop/harness/with-desktop (Xvfb and jwm) on a built
# program and the source folder:
#   bench/find-hotkey-time.sh BUILD/kelvane SOURCE
# Times the global key press (XTEST) to the find window mapped, against a
# left click on the tray icon to the hidden main window mapped: each is one
# xdotool command and the same polling, so the ratio is the program's own.
# Both windows are closed again between runs. Prints two lines, medians of
# RUNS (20) in milliseconds:
#   find_hotkey_ms MEDIAN
#   tray_show_ms MEDIAN
# and the program's resident memory with the find window shown empty, and 1 s
# after its first find (the tables read and the index built, through
# kelvane --find rmrb):
#   find_rss_before_kib, find_rss_after_kib
set -euo pipefail
export KELVANE=$1 KELVANE_SOURCE_DIR=$2
source "$2/tests/desktop/harness/lib.sh"
runs=${RUNS:-20}
start_kelvane # sets `work`
wait_until 10 tray_icon >/dev/null
sleep 1 # the icon embedded, the first events handled
read -r ix iy iw ih < <(window_geometry "$(tray_icon)")

# Milliseconds from running the command to a visible window with this title;
# polls every 5 ms.
time_until_shown() {
  local title=$1 start
  shift
  start=$(date +%s%N)
  "$@"
  until xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1; do sleep 0.005; done
  echo "$(date +%s%N) $start" | awk '{printf "%.1f\n", ($1 - $2) / 1e6}'
}

hidden() {
  ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1
}

close_window() {
  click_close_box "$(wait_for_window "$1")"
  wait_until 5 hidden "$1"
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

: >"$work/hotkey.times"; : >"$work/tray.times"
rss() { awk '/^VmRSS/ {print $2}' "/proc/$program/status"; }

# Warm both: the find window is made at its first showing, and the first find
# reads the tables and builds the index, which stay.
time_until_shown 找报纸 xdotool key ctrl+alt+k >/dev/null
sleep 1
rss_before=$(rss)
"$KELVANE" --find rmrb
sleep 1
rss_after=$(rss)
close_window 找报纸
close_window KelvaneV1.0
time_until_shown KelvaneV1.0 xdotool mousemove $((ix + iw / 2)) $((iy + ih / 2)) click 1 >/dev/null
for _ in $(seq "$runs"); do
  time_until_shown 找报纸 xdotool key ctrl+alt+k >>"$work/hotkey.times"
  close_window 找报纸
  close_window KelvaneV1.0
  sleep 0.2
  time_until_shown KelvaneV1.0 xdotool mousemove $((ix + iw / 2)) $((iy + ih / 2)) click 1 \
    >>"$work/tray.times"
  sleep 0.2
done
echo "find_hotkey_ms $(median <"$work/hotkey.times")"
echo "tray_show_ms $(median <"$work/tray.times")"
echo "find_rss_before_kib $rss_before"
echo "find_rss_after_kib $rss_after"
