#!/usr/bin/env bash
# Docking under openbox, which keeps part of every window on the screen: the
# slid-out window is hidden and a 2-pixel strip of the program's stands at the
# edge; the window comes back at its docked position when the pointer is over
# the strip.
set -euo pipefail
source "$KELVANE_SOURCE_DIR/tests/desktop/harness/lib.sh"

start_kelvane
read -r sw sh < <(screen_size)
read -r _ _ fw fh < <(frame_geometry "$window")

is_viewable() { [ "$(map_state "$1")" = IsViewable ]; }
strip_is() { [ "$(edge_strip | cut -d' ' -f2-)" = "$1" ]; }
no_strip() { [ -z "$(edge_strip || true)" ]; }

# check_edge NAME DRAG_X DRAG_Y AXIS SHOWN
# After a drag of the caption bar to DRAG_X DRAG_Y, the frame's AXIS (left or
# top) is SHOWN; with the pointer away the strip stands at the frame's edge.
check_edge() {
  local name=$1 axis=$4 shown=$5 frame x y strip
  drag_caption "$window" "$2" "$3" || fail "$name: could not drag the window"
  frame=$(frame_of "$window")
  wait_until 2 "frame_${axis}_is" "$frame" "$shown" ||
    fail "$name: after the drag the frame is at $(window_geometry "$frame"), not $axis $shown"
  read -r x y _ _ < <(window_geometry "$frame")
  case $name in
    left) strip="0 $y 2 $fh" ;;
    bottom) strip="$x $((sh - 2)) $fw 2" ;;
  esac
  xdotool mousemove $((sw / 2)) $((sh / 2))
  wait_until 2 strip_is "$strip" ||
    fail "$name: with the pointer away the strip is '$(edge_strip || true)', not '$strip'"
  ! is_viewable "$window" || fail "$name: the window stayed on the screen beside its strip"
  read -r x y w h <<<"$strip"
  xdotool mousemove $((x + w / 2)) $((y + h / 2))
  wait_until 2 is_viewable "$window" || fail "$name: the pointer on the strip did not bring the window back"
  frame=$(frame_of "$window")
  wait_until 2 "frame_${axis}_is" "$frame" "$shown" ||
    fail "$name: the window came back at $(window_geometry "$frame"), not $axis $shown"
  wait_until 2 no_strip || fail "$name: the strip stayed beside the window"
  # The window manager settles a window it has just mapped before the next
  # drag: a press at once can land while the frame is still being made.
  sleep 0.5
}

check_edge left 20 300 left 0
check_edge bottom $((sw / 2)) $((sh - 1)) top $((sh - fh))
echo "PASS: the strip stands in at the left and bottom edges"
