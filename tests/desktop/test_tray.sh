#!/usr/bin/env bash
# The program in jwm's XEmbed tray: the icon, its two clicks, closing to the
# tray, the taskbar button through _NET_WM_STATE_SKIP_TASKBAR, and Exit.
set -euo pipefail
source "$KELVANE_SOURCE_DIR/tests/desktop/harness/lib.sh"

start_kelvane
wait_until 10 tray_icon >/dev/null || fail "no icon appeared in the tray"
icon=$(tray_icon)
wait_until 3 skips_taskbar "$window" || fail "the window kept its taskbar button at start-up"

is_unmapped() { [ "$(map_state "$1")" != IsViewable ]; }
is_viewable() { [ "$(map_state "$1")" = IsViewable ]; }
has_taskbar_button() { ! skips_taskbar "$1"; }

# Closing hides the window; the program and its icon stay.
click_close_box "$window"
wait_until 3 is_unmapped "$window" || fail "closing did not hide the main window"
kill -0 "$program" || fail "closing the main window ended the program"
[ "$(tray_icon)" = "$icon" ] || fail "the icon left the tray when the window closed"

# About from the icon's menu over the hidden window; closing it keeps the
# program, and the main window stays hidden.
read -r _ x y w h < <(open_tray_menu "$icon") || fail "the icon's menu did not pop up at the pointer"
xdotool mousemove $((x + w / 2)) $((y + h / 4)) click 1
about=$(wait_for_window "关于...") || fail "关于... did not open the About window"
click_close_box "$about"
wait_until 3 is_unmapped "$about" || fail "the About window did not close"
sleep 0.5
kill -0 "$program" || fail "closing the About window ended the program"
is_unmapped "$window" || fail "closing the About window showed the main window"

# A left click gives back the window and its taskbar button.
click_middle "$icon" 1
wait_until 3 is_viewable "$window" || fail "a left click on the icon did not show the window"
wait_until 3 has_taskbar_button "$window" || fail "a left click did not give the taskbar button back"

# Tools, 去除任务栏图标 takes the button away again.
read -r _ x y w h < <(open_tools_menu "$window") || fail "the Tools menu did not open"
xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
wait_until 3 skips_taskbar "$window" || fail "去除任务栏图标 left the taskbar button"

# 退出 ends the program with code 0, and the icon leaves the tray.
read -r _ x y w h < <(open_tray_menu "$icon") || fail "the icon's menu did not pop up at the pointer"
xdotool mousemove $((x + w / 2)) $((y + 3 * h / 4)) click 1
ended() { ! kill -0 "$program" 2>/dev/null; }
wait_until 5 ended || fail "退出 did not end the program"
code=0
wait "$program" || code=$?
[ "$code" = 0 ] || fail "the program ended with code $code"
! xwininfo -id "$icon" >/dev/null 2>&1 || fail "the icon stayed in the tray"
echo "PASS: tray icon, closing to the tray, taskbar button and Exit"
