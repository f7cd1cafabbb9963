#!/usr/bin/env bash
# The ways into the find window from outside the program, on the real
# program: a second start with --find hands over and the window appears; the
# global key, pressed through XTEST, shows it again after it was closed; and
# a key that another X client already holds is reported on standard error
# and in the tray while that client keeps it.
set -euo pipefail
source "$KELVANE_SOURCE_DIR/tests/desktop/harness/lib.sh"

find_title=找报纸
work=$(mktemp -d)
program=""
grabber=""
trap 'kill $program $grabber 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$work/database" "$work/bin"
sqlite3 "$work/database/padr.mdb" <"$KELVANE_SOURCE_DIR/database/padr.sql" >/dev/null
# A stand-in browser launcher that records the address it is given.
printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s/opened"\n' "$work" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"

# Starts the program with its standard error in the file given; sets
# `program` and `window`.
start() {
  (cd "$work" && PATH="$work/bin:$PATH" exec "$KELVANE") 2>"$1" &
  program=$!
  window=$(wait_for_window "KelvaneV1.0")
}

stop() {
  kill "$program"
  wait "$program" 2>/dev/null || true
}

find_window_shown() {
  xdotool search --onlyvisible --name "^$find_title\$" >/dev/null 2>&1
}

start "$work/first.err"

# A second start with --find hands over and exits; the running program opens
# the find window beside its main window, which stays as it was.
(cd "$work" && timeout 10 "$KELVANE" --find 南方) || fail "kelvane --find did not hand over"
find=$(wait_for_window "$find_title")
[ "$find" != "$window" ] || fail "the main window took the find window's title"
[ "$(map_state "$window")" = IsViewable ] || fail "the main window went when the find window came"
xdotool search --onlyvisible --name "^$find_title\$" | grep -qx "$find" ||
  fail "the find window is not visible"

# Closed, it comes back with the global key.
click_close_box "$find"
wait_until 5 eval '! find_window_shown' || fail "the find window did not close"
xdotool key ctrl+alt+k
wait_for_window "$find_title" >/dev/null || fail "Ctrl+Alt+K did not show the find window"
# With NumLock on the key still works: it is grabbed for every lock state.
click_close_box "$(wait_for_window "$find_title")"
wait_until 5 eval '! find_window_shown' || fail "the find window did not close"
xdotool key Num_Lock
xdotool key ctrl+alt+k
wait_for_window "$find_title" >/dev/null || fail "Ctrl+Alt+K with NumLock on did nothing"
xdotool key Num_Lock
# Initials typed into it, then Enter, open the paper they stand for.
xdotool type --delay 50 rmrb
xdotool key Return
wait_until 5 test -s "$work/opened" || fail "typing rmrb and Enter opened nothing"
[ "$(cat "$work/opened")" = http://www.people.com.cn/ ] ||
  fail "rmrb opened '$(cat "$work/opened")', not 人民日报's address"
grep -q 'held by another program' "$work/first.err" && fail "a free key was reported as held"
stop

# Another client holds Ctrl+Alt+K: the program says so once and goes on.
/usr/bin/python3 - >"$work/grabber.out" 2>&1 <<'PY' &
from Xlib import X, XK, display
d = display.Display()
root = d.screen().root
keycode = d.keysym_to_keycode(XK.string_to_keysym("k"))
root.grab_key(keycode, X.ControlMask | X.Mod1Mask, False, X.GrabModeAsync, X.GrabModeAsync)
d.sync()
print("grabbed", flush=True)
while True:
    if d.next_event().type == X.KeyPress:
        print("pressed", flush=True)
PY
grabber=$!
wait_until 10 grep -q grabbed "$work/grabber.out" || fail "the grabbing client did not start"
start "$work/second.err"
wait_until 10 grep -q 'Ctrl+Alt+K is held by another program' "$work/second.err" ||
  fail "the held key was not reported; standard error: $(cat "$work/second.err")"
[ "$(grep -c 'held by another program' "$work/second.err")" = 1 ] ||
  fail "the held key was reported more than once: $(cat "$work/second.err")"
# The same in the tray: a message window of the program's own beside its icon.
wait_until 10 popup_menus_exist || fail "no tray message about the held key appeared"
xdotool key ctrl+alt+k
wait_until 5 grep -q pressed "$work/grabber.out" || fail "the other client lost its key"
sleep 0.5
find_window_shown && fail "the find window opened on a key that another client holds"
kill -0 "$program" || fail "the program ended"
echo "PASS: --find hands over, Ctrl+Alt+K shows the find window, a held key is reported"
