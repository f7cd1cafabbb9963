#!/usr/bin/env bash
# A tray host that comes after the window was closed with none: closing
# minimised the window; once jwm's tray holds the icon, a left click on it
# shows the window again.
set -euo pipefail
source "$KELVANE_SOURCE_DIR/tests/desktop/harness/lib.sh"

# jwm first without its system tray, then restarted with it.
rc=$(mktemp)
sed '/<Dock\/>/d' "$KELVANE_SOURCE_DIR/tests/desktop/harness/jwmrc" >"$rc"
jwm -f "$rc" >/dev/null 2>&1 &
wm=$!
start_kelvane
trap 'kill $program $wm 2>/dev/null || true; rm -rf "$work" "$rc"' EXIT

is_iconic() { xprop -id "$1" WM_STATE | grep -q 'window state: Iconic'; }
is_normal() { xprop -id "$1" WM_STATE | grep -q 'window state: Normal'; }
wait_until 10 has_frame "$window" || fail "jwm did not frame the window"
click_close_box "$window"
wait_until 3 is_iconic "$window" || fail "closing with no tray host did not minimise the window"

cp "$KELVANE_SOURCE_DIR/tests/desktop/harness/jwmrc" "$rc"
timeout 5 jwm -restart
wait_until 10 tray_icon >/dev/null || fail "no icon appeared in the tray that came later"
is_iconic "$window" || fail "the window did not stay minimised"
click_middle "$(tray_icon)" 1
wait_until 3 is_normal "$window" || fail "a left click on the icon did not show the minimised window"
[ "$(map_state "$window")" = IsViewable ] || fail "the window is $(map_state "$window")"
echo "PASS: a tray host that comes later shows the window closed without one"
