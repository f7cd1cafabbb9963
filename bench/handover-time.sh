#!/usr/bin/env bash
# Runs inside tests/desktop/harness/with-desktop on an installed program (its prefix
# given): times a first start that makes the user's own catalogue from the
# starter, an ordinary start on that catalogue, and a second start that hands
# over to a running program and exits. Alternates the runs so that all see
# the same machine. Then counts the instructions of an ordinary start, which
# finds the installed starter equal to the base kept beside the catalogue,
# against a start on the same file named with --catalogue, which makes no
# such check (callgrind, from exec until the window is mapped and idle: the
# count does not depend on the machine's load). Prints five lines:
#   startup_making_catalogue_ms MEDIAN  (start to main window mapped)
#   startup_own_catalogue_ms MEDIAN     (start to main window mapped)
#   handover_ms MEDIAN                  (start to exit)
#   startup_unchanged_starter_instructions COUNT
#   startup_no_merge_check_instructions COUNT
set -euo pipefail
program=$1/bin/kelvane
runs=${RUNS:-9}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home"
export XDG_DATA_HOME=$work/data

# Starts the program from the home folder and waits for its main window;
# prints the milliseconds taken and leaves the process id in $work/pid.
time_start() {
  local start end
  start=$(date +%s%N)
  (cd "$work/home" && exec "$program") &
  echo $! >"$work/pid"
  # xdotool's own --sync polls only twice a second; poll every 10 ms instead.
  for _ in $(seq 2000); do
    xdotool search --onlyvisible --name '^KelvaneV1.0$' >/dev/null 2>&1 && break
    sleep 0.01
  done
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}

stop() {
  local pid
  pid=$(cat "$work/pid")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

: >"$work/making.times"; : >"$work/own.times"; : >"$work/handover.times"
time_start >/dev/null && stop # warm the caches once
for _ in $(seq "$runs"); do
  rm -rf "$XDG_DATA_HOME"
  time_start >>"$work/making.times"
  stop
  time_start >>"$work/own.times"
  # A second start meets a program that has finished starting (its tray
  # icon embedded, its first events handled), as a user's second start does.
  sleep 0.5
  start=$(date +%s%N)
  (cd "$work/home" && "$program")
  echo $((($(date +%s%N) - start) / 1000000)) >>"$work/handover.times"
  stop
done
echo "startup_making_catalogue_ms $(median <"$work/making.times")"
echo "startup_own_catalogue_ms $(median <"$work/own.times")"
echo "handover_ms $(median <"$work/handover.times")"

window_mapped() { xdotool search --onlyvisible --name '^KelvaneV1.0$' >/dev/null 2>&1; }
# Under callgrind: the window maps within a minute; two seconds more let it
# idle, then SIGTERM ends it and callgrind writes the count.
instructions() {
  local pid out=$work/count.callgrind
  rm -f "$out"
  (cd "$work/home" && exec valgrind --tool=callgrind --callgrind-out-file="$out" \
    "$program" "$@" 2>/dev/null) &
  pid=$!
  for _ in $(seq 1200); do window_mapped && break; sleep 0.05; done
  sleep 2
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  awk '/^(summary|totals):/ {print $2; exit}' "$out"
}
echo "startup_unchanged_starter_instructions $(instructions)"
echo "startup_no_merge_check_instructions $(instructions --catalogue "$XDG_DATA_HOME/kelvane/padr.mdb")"
