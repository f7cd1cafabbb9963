#!/usr/bin/env bash
# The program started on a file that is no catalogue (a Microsoft Access
# file): each error box is answered with Enter, then the main window comes up,
# the program keeps running and opens a menu, and the file is left as it was.
set -euo pipefail
source "$KELVANE_SOURCE_DIR/tests/desktop/harness/lib.sh"

work=$(mktemp -d)
trap 'kill $program 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$work/database"
{ printf '\x00\x01\x00\x00Standard Jet DB\x00'; head -c 4076 /dev/zero; } >"$work/database/padr.mdb"
before=$(sha256sum <"$work/database/padr.mdb")

(cd "$work" && exec "$KELVANE") &
program=$!

is_dialog() { xprop -id "$1" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q DIALOG; }

# Answers error boxes until the main window is up and no box is left.
boxes=0 main=""
for _ in $(seq 80); do
  dialogs=0
  for id in $(xdotool search --onlyvisible --name '^KelvaneV1.0$' 2>/dev/null); do
    if is_dialog "$id"; then
      dialogs=$((dialogs + 1))
      xdotool windowactivate --sync "$id" key Return 2>/dev/null && boxes=$((boxes + 1))
    else
      main=$id
    fi
  done
  [ -n "$main" ] && [ "$dialogs" -eq 0 ] && [ "$boxes" -gt 0 ] && break
  sleep 0.25
done

fail() { echo "FAIL: $*"; exit 1; }
[ "$boxes" -ge 2 ] || fail "expected the error boxes of the two menus, answered $boxes"
[ -n "$main" ] || fail "the main window did not appear"
kill -0 $program 2>/dev/null || fail "the program ended"
# Still responding: a click on the menu bar right of the two empty newspaper
# menus opens the commands menu.
read -r x y _ _ < <(window_geometry "$main")
opened=0
for dx in 100 130 160 190; do
  xdotool mousemove $((x + dx)) $((y + 10)) click 1
  sleep 0.4
  [ -n "$(popup_menus)" ] && { opened=1; break; }
done
xdotool key Escape
[ "$opened" -eq 1 ] || fail "no menu opened on the menu bar"
kill -0 $program 2>/dev/null || fail "the program ended after a click"
[ "$(sha256sum <"$work/database/padr.mdb")" = "$before" ] || fail "the file was changed"
echo "PASS: $boxes error boxes answered, the program runs on, the file is unchanged"
