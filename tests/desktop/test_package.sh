#!/usr/bin/env bash
# The Debian package unpacked into a folder of its own: started from a home
# folder with no catalogue, it makes the user's own catalogue from its starter
# and offers the shipped papers; a second start hands over to the first and
# exits; after the first is killed, a new start works.
set -euo pipefail
source "$KELVANE_SOURCE_DIR/tests/desktop/harness/lib.sh"

deb=$(ls "$KELVANE_DEB_DIR"/kelvane_*.deb | head -n1)
prefix=$(mktemp -d)
first='' third=''
trap 'kill -9 $first $third 2>/dev/null || true; rm -rf "$prefix"' EXIT
dpkg-deb -x "$deb" "$prefix"
mkdir -p "$prefix/stub"
cat >"$prefix/stub/xdg-open" <<STUB
#!/bin/sh
printf '%s\n' "\$1" >>"$prefix/opened"
STUB
chmod +x "$prefix/stub/xdg-open"
catalogue=$XDG_DATA_HOME/kelvane/padr.mdb
[ ! -e "$catalogue" ] || fail "the temporary home already holds a catalogue"

# Becomes the program: run it as `start &` or `(start)`.
start() { cd "$HOME" && PATH="$prefix/stub:$PATH" exec "$prefix/usr/bin/kelvane"; }
tray_icons() {
  local id
  for id in $(xdotool search --onlyvisible --class kelvane 2>/dev/null); do
    is_top_level "$id" && continue
    xprop -id "$id" WM_STATE | grep -q 'not found' && echo "$id"
  done
  return 0
}
one_tray_icon() { [ "$(tray_icons | wc -l)" = 1 ]; }
is_viewable() { [ "$(map_state "$1")" = IsViewable ]; }
is_unmapped() { [ "$(map_state "$1")" != IsViewable ]; }

start &
first=$!
window=$(wait_for_window "KelvaneV1.0")
wait_until 10 one_tray_icon || fail "not one tray icon but $(tray_icons | wc -l)"

# The user's own catalogue, whole, with no temporary file left beside it.
shipped=$(mktemp -d)
sqlite3 "$shipped/padr.mdb" <"$prefix/usr/share/kelvane/padr.sql" >/dev/null
count() { sqlite3 "$1" "select count(*) from pinternal; select count(*) from poverseas" | xargs; }
[ "$(count "$catalogue")" = "$(count "$shipped/padr.mdb")" ] ||
  fail "the user's catalogue holds $(count "$catalogue") papers, the starter $(count "$shipped/padr.mdb")"
[ -z "$(ls "$(dirname "$catalogue")" | grep -v '^padr\.\(mdb\(-wal\|-shm\)\?\|base\)$')" ] ||
  fail "beside the catalogue: $(ls "$(dirname "$catalogue")" | xargs)"

# The menus hold the shipped papers: the first paper opens its address.
choose_first_paper "$window"
province=$(sqlite3 "$shipped/padr.mdb" "select distinct pcity from pinternal" | head -n1)
expected=$(sqlite3 "$shipped/padr.mdb" "select purl from pinternal where pcity='$province'" |
  head -n1)
wait_until 5 test -s "$prefix/opened" || fail "choosing the first paper opened nothing"
[ "$(cat "$prefix/opened")" = "$expected" ] ||
  fail "the first paper opened '$(cat "$prefix/opened")', not '$expected'"
rm -rf "$shipped"

# Closed to the tray, then started again: the second start hands over.
click_close_box "$window"
wait_until 3 is_unmapped "$window" || fail "closing did not hide the main window"
began=$(now_ms)
(start) || fail "the second start exited with $?"
took=$(($(now_ms) - began))
[ "$took" -lt 2000 ] || fail "the second start took $took ms"
wait_until 3 is_viewable "$window" || fail "the second start did not show the first window"
one_tray_icon || fail "not one tray icon but $(tray_icons | wc -l) after the second start"
kill -0 "$first" || fail "the first program ended"

# A killed program leaves its lock and socket; they do not block a new start.
kill -9 "$first"
wait "$first" 2>/dev/null || true
start &
third=$!
third_window=$(wait_for_window "KelvaneV1.0") || fail "no window after the first was killed"
kill -0 "$third" || fail "the new start ended"
echo "PASS: catalogue made ($(count "$catalogue")), hand-over in $took ms, $third_window after kill -9"
