#!/usr/bin/env bash
# A StatusNotifierItem host on a private session bus, under openbox, which
# has no XEmbed tray: the icon registers with the watcher, closing hides the
# window to it, the host's Activate shows the window, its ContextMenu pops up
# the icon's menu at the pointer, and 退出 there takes the item away.
set -euo pipefail
source "$KELVANE_SOURCE_DIR/tests/desktop/harness/lib.sh"

bus=$(mktemp -d)
{ read -r DBUS_SESSION_BUS_ADDRESS; read -r bus_pid; } < <(
  dbus-daemon --session --fork --print-address=1 --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS
/usr/bin/python3 "$KELVANE_SOURCE_DIR/tests/desktop/harness/sni-watcher.py" "$bus/items" &
watcher=$!
has_watcher() { [ -e "$bus/items" ]; }
wait_until 10 has_watcher || fail "the test's watcher did not start"

start_kelvane
trap 'kill $program $watcher $bus_pid 2>/dev/null || true; rm -rf "$work" "$bus"' EXIT
item_registered() { [ -s "$bus/items" ]; }
wait_until 10 item_registered || fail "the icon did not register with the watcher"
item=$(head -n1 "$bus/items")
call_item() {
  dbus-send --session --type=method_call --dest="$item" /StatusNotifierItem \
    "org.kde.StatusNotifierItem.$1" int32:"$2" int32:"$3"
}

is_viewable() { [ "$(map_state "$1")" = IsViewable ]; }
click_close_box "$window"
wait_until 3 eval '! is_viewable "$window"' || fail "closing did not hide the window to the host"
call_item Activate 0 0
wait_until 3 is_viewable "$window" || fail "the host's Activate did not show the window"

xdotool mousemove 300 300
call_item ContextMenu 300 300
wait_until 3 popup_menus_exist || fail "the host's ContextMenu popped up no menu"
read -r _ x y w h < <(popup_menus | head -n1)
[ "$x,$y" = "300,300" ] || [ "$x,$((y + h))" = "300,300" ] ||
  fail "the menu is at $x,$y, not at the pointer"
xdotool mousemove $((x + w / 2)) $((y + 3 * h / 4)) click 1
ended() { ! kill -0 "$program" 2>/dev/null; }
wait_until 5 ended || fail "退出 did not end the program"
item_gone() { ! grep -qx "$item" "$bus/items"; }
wait_until 3 item_gone || fail "the item stayed with the watcher"
echo "PASS: the icon through a StatusNotifierItem host"
