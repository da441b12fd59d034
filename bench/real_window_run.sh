#!/bin/bash
# Processor time of one whole default run in the real window: the program
# under Xvfb and openbox, ENTER pressed, the run left to end. Prints
# "program_s xserver_s seconds" (processor seconds of the program and of the
# X server over the run, and the run's length in seconds).
# Usage: real_window_run.sh PROGRAM; with PROFILE=FILE the program runs under
# perf record (cpu-clock samples with call graphs) writing FILE; with
# XFT_DPI=192 on a desktop scaled to 200%.
set -euo pipefail

if [ -z "${ONDULANE_IN_XVFB:-}" ]; then
  export ONDULANE_IN_XVFB=1
  screen=1280x1024x24
  [ -z "${XFT_DPI:-}" ] || screen=2560x1600x24
  exec xvfb-run -a -s "-screen 0 $screen" bash "$(readlink -f "$0")" "$(readlink -f "$1")"
fi
PROGRAM="$1"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
cd "$WORK"
export XDG_RUNTIME_DIR="$WORK"
chmod 700 "$WORK"
unset QT_QPA_PLATFORM
XSERVER="$(pgrep -P "$PPID" Xvfb | head -1)"
openbox >/dev/null 2>&1 &
OPENBOX=$!
sleep 0.5
[ -z "${XFT_DPI:-}" ] || echo "Xft.dpi: $XFT_DPI" | xrdb -merge

# Processor time of a process so far, in clock ticks (utime + stime).
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

if [ -n "${PROFILE:-}" ]; then
  perf record -q -e cpu-clock -F 2000 --call-graph dwarf,16384 -o "$PROFILE" "$PROGRAM" &
else
  "$PROGRAM" &
fi
PROGRAM_PID=$!
WINDOW="$(xdotool search --sync --onlyvisible --name '^Ondulane$' | head -1)"
sleep 2
xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1 || true
program_before=$(cpu_ticks "$PROGRAM_PID")
server_before=$(cpu_ticks "$XSERVER")
start=$(date +%s.%N)
[ "${IDLE:-}" ] || xdotool key Return
# 960 ticks of 50 ms, and a little more for the last ones.
sleep "${RUN_SECONDS:-50}"
program_after=$(cpu_ticks "$PROGRAM_PID")
server_after=$(cpu_ticks "$XSERVER")
end=$(date +%s.%N)
kill -TERM "$PROGRAM_PID" 2>/dev/null || true
kill "$OPENBOX" 2>/dev/null || true
wait "$PROGRAM_PID" 2>/dev/null || true
hz=$(getconf CLK_TCK)
awk -v p=$((program_after - program_before)) -v s=$((server_after - server_before)) \
  -v hz="$hz" -v t0="$start" -v t1="$end" 'BEGIN {printf "%.2f %.2f %.1f\n", p / hz, s / hz, t1 - t0}'
