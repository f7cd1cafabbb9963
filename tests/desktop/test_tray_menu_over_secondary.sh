#!/usr/bin/env bash
# The icon's menu works while a secondary window has the main window
# disabled: statistics from Tools, then 关于... from the icon, then 退出.
set -euo pipefail
source "$KELVANE_SOURCE_DIR/tests/desktop/harness/lib.sh"

start_kelvane
wait_until 10 tray_icon >/dev/null || fail "no icon appeared in the tray"
icon=$(tray_icon)

read -r _ x y w h < <(open_tools_menu "$window") || fail "the Tools menu did not open"
xdotool mousemove $((x + w / 2)) $((y + 5 * h / 6)) click 1
wait_for_window "报纸统计" >/dev/null || fail "报纸统计... did not open the statistics window"

read -r _ x y w h < <(open_tray_menu "$icon") || fail "the icon's menu did not pop up at the pointer"
xdotool mousemove $((x + w / 2)) $((y + h / 4)) click 1
wait_for_window "关于..." >/dev/null || fail "关于... from the icon did not open the About window"

read -r _ x y w h < <(open_tray_menu "$icon") || fail "the icon's menu did not pop up again"
xdotool mousemove $((x + w / 2)) $((y + 3 * h / 4)) click 1
ended() { ! kill -0 "$program" 2>/dev/null; }
wait_until 5 ended || fail "退出 from the icon did not end the program"
echo "PASS: the icon's menu works with secondary windows open"
