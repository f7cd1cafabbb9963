#!/usr/bin/env bash
# Docking under jwm, which moves a window exactly where the program asks: a
# real drag of the caption bar past each edge keeps the frame on the screen,
# the window slides out leaving 2 pixels when the pointer goes elsewhere, and
# comes back when the pointer touches that strip. A docked window hidden to
# the tray keeps its slid-out position.
set -euo pipefail
source "$KELVANE_SOURCE_DIR/tests/desktop/harness/lib.sh"

start_kelvane
wait_until 10 tray_icon >/dev/null || fail "no icon appeared in the tray"
frame=$(frame_of "$window")
read -r sw sh < <(screen_size)
read -r _ _ fw fh < <(window_geometry "$frame")
# The slowest slide-out seen, in milliseconds.
slowest=0

# check_edge NAME DRAG_X DRAG_Y AXIS SHOWN SLID_OUT
# Drags the caption bar to put the pointer at DRAG_X DRAG_Y; the frame's
# AXIS (left or top) must then be SHOWN, SLID_OUT with the pointer away, and
# SHOWN again with the pointer on the strip.
check_edge() {
  local name=$1 axis=$4 shown=$5 slid=$6 x y start elapsed
  drag_caption "$window" "$2" "$3" || fail "$name: could not drag the window"
  wait_until 2 "frame_${axis}_is" "$frame" "$shown" ||
    fail "$name: after the drag the frame is at $(window_geometry "$frame"), not $axis $shown"
  xdotool mousemove $((sw / 2)) $((sh / 2))
  start=$(now_ms)
  wait_until 2 "frame_${axis}_is" "$frame" "$slid" ||
    fail "$name: with the pointer away the frame is at $(window_geometry "$frame"), not $axis $slid"
  elapsed=$(($(now_ms) - start))
  [ "$elapsed" -le "$slowest" ] || slowest=$elapsed
  read -r x y _ _ < <(window_geometry "$frame")
  case $name in
    left) xdotool mousemove 0 $((y + fh / 2)) ;;
    right) xdotool mousemove $((sw - 1)) $((y + fh / 2)) ;;
    top) xdotool mousemove $((x + fw / 2)) 0 ;;
    bottom) xdotool mousemove $((x + fw / 2)) $((sh - 1)) ;;
  esac
  wait_until 2 "frame_${axis}_is" "$frame" "$shown" ||
    fail "$name: with the pointer on the strip the frame is at $(window_geometry "$frame")"
}

check_edge left 20 300 left 0 $((2 - fw))

# Hidden to the tray while docked, the window goes on sliding out, and a left
# click on the icon shows it where it is.
click_close_box "$window"
xdotool mousemove $((sw / 2)) $((sh / 2))
sleep 0.5
click_middle "$(tray_icon)" 1
is_viewable() { [ "$(map_state "$1")" = IsViewable ]; }
wait_until 3 is_viewable "$window" || fail "a left click on the icon did not show the window"
# jwm gives a window a new frame each time it is shown.
frame=$(frame_of "$window")
sleep 0.3
frame_left_is "$frame" $((2 - fw)) ||
  fail "shown from the tray, the docked window is at $(window_geometry "$frame")"
read -r _ y _ _ < <(window_geometry "$frame")
xdotool mousemove 0 $((y + fh / 2))
wait_until 2 frame_left_is "$frame" 0 || fail "the window shown from the tray did not come back"
# Let jwm settle the window it has just mapped before the next drag.
sleep 0.5

check_edge right $((sw - 1)) 300 left $((sw - fw)) $((sw - 2))
check_edge top $((sw / 2)) 0 top 0 $((2 - fh))
check_edge bottom $((sw / 2 + 100)) $((sh - 1)) top $((sh - fh)) $((sh - 2))

echo "PASS: docked at every edge; the slowest slide-out took ${slowest} ms"
