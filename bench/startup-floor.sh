#!/usr/bin/env bash
# Runs inside tests/desktop/harness/with-desktop: the program's start-up against the
# bare Qt program of bench/yardstick (same main window, nothing else), side by
# side. Prints name value lines:
#   floor_kelvane_map_ms, floor_bare_map_ms: start to main window mapped, median
#     of ROUNDS (20) alternating rounds, polled every 10 ms;
#   floor_*_rss_kib, floor_*_private_kib: resident and private (written, not
#     shared) memory from /proc/PID/smaps_rollup 2 s after the window mapped,
#     medians of the same rounds;
#   floor_kelvane_instructions, floor_bare_instructions: instructions executed from exec until
#     the window is mapped and the program idles (callgrind; the count does not
#     depend on the machine's load).
# The program runs on the shipped catalogue.
set -euo pipefail
program=$1
bare=$2
source_dir=$3
rounds=${ROUNDS:-20}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/kelvane/database" "$work/bare"
sqlite3 "$work/kelvane/database/padr.mdb" <"$source_dir/database/padr.sql" >/dev/null
declare -A command=([kelvane]=$program [bare]=$bare)

# Waits until the main window is mapped (up to $1 tenths of a second).
wait_mapped() {
  for _ in $(seq $(($1 * 10))); do
    xdotool search --onlyvisible --name '^KelvaneV1.0$' >/dev/null 2>&1 && return 0
    sleep 0.01
  done
  echo "the main window did not show" >&2
  return 1
}

stop() {
  kill "$1"
  wait "$1" 2>/dev/null || true
  # The next round starts with no window left over.
  for _ in $(seq 200); do
    xdotool search --name '^KelvaneV1.0$' >/dev/null 2>&1 || return 0
    sleep 0.01
  done
}

# smaps_rollup: the resident set, and the pages the process has written and
# shares with no one (Private_Dirty). Private_Clean is left out: whether a
# library's pages count as private depends on whether another program maps the
# same library at that moment, which on a shared machine varies from round to round.
memory_kib() {
  awk '/^Rss:/ {rss = $2} /^Private_Dirty:/ {private = $2}
       END {print rss, private}' "/proc/$1/smaps_rollup"
}

one_round() {
  local start end pid
  start=$(date +%s%N)
  (cd "$work/$1" && exec "${command[$1]}") &
  pid=$!
  wait_mapped 200
  end=$(date +%s%N)
  echo $(((end - start) / 1000000)) >>"$work/$1.ms"
  sleep 2
  read -r rss private < <(memory_kib "$pid")
  echo "$rss" >>"$work/$1.rss"
  echo "$private" >>"$work/$1.private"
  stop "$pid"
}

# Under callgrind: the window maps within a minute; two seconds more let it
# finish painting and idle, then SIGTERM ends it where it stands (no clean-up
# runs) and callgrind writes the count.
instructions() {
  local pid out=$work/$1.callgrind
  (cd "$work/$1" && exec valgrind --tool=callgrind --callgrind-out-file="$out" \
    "${command[$1]}" 2>/dev/null) &
  pid=$!
  wait_mapped 1200
  sleep 2
  stop "$pid"
  awk '/^(summary|totals):/ {print $2; exit}' "$out"
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

one_round kelvane >/dev/null # warm the caches once
one_round bare >/dev/null
: >"$work/kelvane.ms" ; : >"$work/bare.ms"
: >"$work/kelvane.rss" ; : >"$work/bare.rss"
: >"$work/kelvane.private" ; : >"$work/bare.private"
for _ in $(seq "$rounds"); do
  one_round kelvane
  one_round bare
done
for who in kelvane bare; do
  echo "floor_${who}_map_ms $(median <"$work/$who.ms")"
  echo "floor_${who}_rss_kib $(median <"$work/$who.rss")"
  echo "floor_${who}_private_kib $(median <"$work/$who.private")"
done
for who in kelvane bare; do
  echo "floor_${who}_instructions $(instructions "$who")"
done
