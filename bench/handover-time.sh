#!/usr/bin/env bash
# Runs inside tests/desktop/harness/with-desktop on an installed program (its prefix
# given): times a first start that makes the user's own catalogue from the
# starter, an ordinary start on that catalogue, and a second start that hands
# over to a running program and exits. Alternates the runs so that all see
# the same machine. Prints three lines:
#   startup_making_catalogue_ms MEDIAN  (start to main window mapped)
#   startup_own_catalogue_ms MEDIAN     (start to main window mapped)
#   handover_ms MEDIAN                  (start to exit)
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
