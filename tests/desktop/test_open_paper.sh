#!/usr/bin/env bash
# The program on the shipped catalogue: its window appears, and a paper chosen
# through the real menus with the real pointer reaches the browser launcher.
set -euo pipefail
source "$KELVANE_SOURCE_DIR/tests/desktop/harness/lib.sh"

work=$(mktemp -d)
trap 'kill $program 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$work/database" "$work/bin"
sqlite3 "$work/database/padr.mdb" <"$KELVANE_SOURCE_DIR/database/padr.sql" >/dev/null
# A stand-in browser launcher that records the address it is given.
cat >"$work/bin/xdg-open" <<STUB
#!/bin/sh
printf '%s\n' "\$1" >>"$work/opened"
STUB
chmod +x "$work/bin/xdg-open"

(cd "$work" && PATH="$work/bin:$PATH" exec "$KELVANE") &
program=$!
window=$(wait_for_window "KelvaneV1.0")
choose_first_paper "$window"

province=$(sqlite3 "$work/database/padr.mdb" "select distinct pcity from pinternal" | head -n1)
paper=$(sqlite3 "$work/database/padr.mdb" "select pname from pinternal where pcity='$province'" |
  head -n1)
expected=$(sqlite3 "$work/database/padr.mdb" "select purl from pinternal where pname='$paper'")
for _ in $(seq 50); do [ -s "$work/opened" ] && break; sleep 0.1; done
opened=$(cat "$work/opened" 2>/dev/null || true)
if [ "$opened" != "$expected" ]; then
  echo "FAIL: expected '$paper' to open '$expected', the launcher got '$opened'"
  exit 1
fi
kill -0 $program || { echo "FAIL: the program ended"; exit 1; }
echo "PASS: $province / $paper opened $expected"
