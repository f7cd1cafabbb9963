#!/usr/bin/env bash
# Under openbox with no tray host the program keeps its taskbar button:
# closing the main window minimises it, the skip-taskbar state is never set,
# not even by 去除任务栏图标, and the window can be brought back.
set -euo pipefail
source "$KELVANE_SOURCE_DIR/tests/desktop/harness/lib.sh"

start_kelvane

is_viewable() { [ "$(map_state "$1")" = IsViewable ]; }
is_iconic() { xprop -id "$1" WM_STATE | grep -q 'window state: Iconic'; }
# A while after start-up, the button is still there.
sleep 1.5
! skips_taskbar "$window" || fail "the window lost its taskbar button with no tray host"

click_close_box "$window"
wait_until 3 is_iconic "$window" || fail "closing did not minimise the window"
kill -0 "$program" || fail "closing the main window ended the program"
! skips_taskbar "$window" || fail "the minimised window lost its taskbar button"

xdotool windowactivate "$window"
wait_until 3 is_viewable "$window" || fail "the minimised window could not be brought back"
is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$window" ]; }
wait_until 3 is_active || fail "the window brought back did not become active"
sleep 0.3

read -r _ x y w h < <(open_tools_menu "$window") || fail "the Tools menu did not open"
xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
sleep 0.5
! skips_taskbar "$window" || fail "去除任务栏图标 took the button away with no tray host"
kill -0 "$program" || fail "the program ended"
echo "PASS: without a tray host the window minimises and keeps its taskbar button"
