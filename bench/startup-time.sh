#!/usr/bin/env bash
# Runs inside tests/desktop/harness/with-desktop: times the program from its start to
# its main window mapped, on the shipped catalogue and on an empty one,
# alternating runs so that both see the same machine. Prints two lines:
#   startup_shipped_ms MEDIAN
#   startup_empty_ms MEDIAN
set -euo pipefail
program=$1
source_dir=$2
runs=${RUNS:-9}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/shipped/database" "$work/empty/database"
sqlite3 "$work/shipped/database/padr.mdb" <"$source_dir/database/padr.sql" >/dev/null
# The empty catalogue has the same schema and no rows.
sed -n '/^BEGIN/q;p' "$source_dir/database/padr.sql" | sqlite3 "$work/empty/database/padr.mdb" >/dev/null

time_one() {
  local start end pid
  start=$(date +%s%N)
  (cd "$work/$1" && exec "$program") &
  pid=$!
  # xdotool's own --sync polls only twice a second; poll every 10 ms instead.
  for _ in $(seq 2000); do
    xdotool search --onlyvisible --name '^KelvaneV1.0$' >/dev/null 2>&1 && break
    sleep 0.01
  done
  end=$(date +%s%N)
  kill "$pid"; wait "$pid" 2>/dev/null || true
  echo $(((end - start) / 1000000))
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

: >"$work/shipped.times"; : >"$work/empty.times"
time_one shipped >/dev/null # warm the caches once
for _ in $(seq "$runs"); do
  time_one shipped >>"$work/shipped.times"
  time_one empty >>"$work/empty.times"
done
echo "startup_shipped_ms $(median <"$work/shipped.times")"
echo "startup_empty_ms $(median <"$work/empty.times")"
