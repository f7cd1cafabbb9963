#!/usr/bin/env bash
# Two monitors, the primary one to the right of and below the other: a drag
# of the caption bar onto the other monitor keeps the frame on the primary
# screen, docked to its left edge, and the window slides out from there.
set -euo pipefail
source "$KELVANE_SOURCE_DIR/tests/desktop/harness/lib.sh"

read -r sw sh < <(screen_size)
px=$((sw / 2)) py=$((sh / 2))
xrandr --setmonitor other $((sw / 2))/100x$((sh / 2))/100+0+0 none >/dev/null
xrandr --setmonitor '*primary' $((sw - px))/100x$((sh - py))/100+$px+$py none >/dev/null

start_kelvane
wait_until 10 has_frame "$window" || fail "the window got no frame"
frame=$(frame_of "$window")
read -r _ _ fw fh < <(window_geometry "$frame")

# The pointer ends on the other monitor, away from the window, so the window
# docked to the primary screen's left edge slides out from there.
drag_caption "$window" 20 20 || fail "could not drag the window"
wait_until 3 frame_left_is "$frame" $((px + 2 - fw)) ||
  fail "dragged onto the other monitor, the frame is at $(window_geometry "$frame"), not left $((px + 2 - fw))"
read -r _ y _ _ < <(window_geometry "$frame")
[ "$y" -ge "$py" ] || fail "the frame is at $(window_geometry "$frame"), above the primary screen"
xdotool mousemove "$px" $((y + fh / 2))
wait_until 2 frame_left_is "$frame" "$px" ||
  fail "with the pointer on the strip the frame is at $(window_geometry "$frame")"
echo "PASS: kept on and docked to a primary screen away from the origin"
