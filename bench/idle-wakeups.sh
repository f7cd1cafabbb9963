#!/usr/bin/env bash
# Runs inside tests/desktop/harness/with-desktop (jwm and its tray): counts the
# voluntary context switches of the program sitting idle, its window shown and
# not docked, against a bare Qt program with a menu bar and a tray icon, both
# running over the same seconds. Prints two lines, switches per minute:
#   idle_kelvane_wakeups_per_min N
#   idle_bare_wakeups_per_min N
# The bare program's count is at least 1, the resolution of the count.
set -euo pipefail
program=$1
bare=$2
source_dir=$3
seconds=${IDLE_SECONDS:-60}
work=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$work/database"
sqlite3 "$work/database/padr.mdb" <"$source_dir/database/padr.sql" >/dev/null
(cd "$work" && exec "$program") &
pids+=($!)
"$bare" &
pids+=($!)
# Both windows have the same title: each is found by its process.
for pid in "${pids[@]}"; do
  timeout 20 xdotool search --sync --onlyvisible --pid "$pid" --name '^KelvaneV1.0$' >/dev/null
done
# Out of the way of both windows, so that nothing is hovered.
xdotool mousemove 1 1
sleep 5

# Every thread of the process: Qt reads the X connection on a thread of its own.
switches() { cat /proc/"$1"/task/*/status | awk '/^voluntary_ctxt_switches/ {n += $2} END {print n}'; }
k0=$(switches "${pids[0]}") b0=$(switches "${pids[1]}")
sleep "$seconds"
k1=$(switches "${pids[0]}") b1=$(switches "${pids[1]}")
per_min() { awk -v n="$1" -v s="$seconds" 'BEGIN {printf "%.2f\n", n * 60 / s}'; }
bare_count=$((b1 - b0))
[ "$bare_count" -ge 1 ] || bare_count=1
echo "idle_kelvane_wakeups_per_min $(per_min $((k1 - k0)))"
echo "idle_bare_wakeups_per_min $(per_min "$bare_count")"
