#!/usr/bin/env bash
# The resident program in the demo world (scripts/demo-setup.sh), under
# Wine on a virtual display: its processor time while it sits in the tray
# with nothing happening (goal: at most 0.1 % of one core), and the time
# from another process adding a BHO key to the alert being on screen, over
# RUNS alerts (goal: every one within the 5 s poll, plus the alert's own
# drawing). Processor time is read from /proc for the program's process
# and for the wineserver, which answers its calls.
#
# Usage: tools/bench/resident-bench.sh [BUILD_DIR]
#   BUILD_DIR   Windows build tree with Tarvolin.exe, the test DLLs and uiprobe (default: build/win)
#   IDLE=N      seconds in the tray (default 60)
#   RUNS=N      alerts timed (default 10)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-$root/build/win}
# shellcheck source=../../scripts/wine-env.sh
source "$root/scripts/wine-env.sh"
# shellcheck source=../../scripts/demo-setup.sh
source "$root/scripts/demo-setup.sh"
# shellcheck source=../../scripts/demo-ui.sh
source "$root/scripts/demo-ui.sh"

ninja -C "$build" -j2 Tarvolin tarvolin_test_dlls uiprobe >/dev/null
tv_demo_setup "$build" >/dev/null
main="Tarvolin 2.0.0.23"
(
  tv_close_fds_above 2
  cd "$app_dir"
  exec wine 'C:\Program Files\Tarvolin\Tarvolin.exe'
) </dev/null >/dev/null 2>&1 &
tv_ui wait "Thank You for Trying Tarvolin !" 60 >/dev/null && tv_ui command "Thank You for Trying Tarvolin !" 1
tv_ui wait "Information - Message" 60 >/dev/null && tv_ui command "Information - Message" 1
tv_ui wait "$main" 60 >/dev/null || { echo "the main window did not appear" >&2; exit 1; }
pid=$(pgrep -f 'Tarvolin\\Tarvolin.exe' | head -n 1)
[[ -n $pid ]] || { echo "no process of Tarvolin.exe" >&2; exit 1; }

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
tv_ui post "$main" 0x0112 0xF020 0 # minimised to the tray
sleep 5
idle=${IDLE:-60}
p0=$(ticks "$pid") s0=$(ticks "$TV_WINESERVER_PID") t0=$EPOCHREALTIME
sleep "$idle"
p1=$(ticks "$pid") s1=$(ticks "$TV_WINESERVER_PID") t1=$EPOCHREALTIME
awk -v p=$((p1 - p0)) -v s=$((s1 - s0)) -v hz="$hz" -v t0="$t0" -v t1="$t1" 'BEGIN {
  wall = t1 - t0
  printf "in the tray for %.1f s: program %.2f s of processor (%.3f %% of one core), wineserver %.2f s (%.3f %%)\n",
    wall, p / hz, 100 * p / hz / wall, s / hz, 100 * s / hz / wall }'

runs=${RUNS:-10}
latencies=()
for ((n = 1; n <= runs; n++)); do
  key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\{BE0C0000-0000-4000-8000-$(printf '%012d' "$n")}"
  start=$EPOCHREALTIME
  tv_detached wine reg add "$key" /f
  tv_ui wait "BHO Change Detected!" 20 >/dev/null || { echo "alert $n did not appear" >&2; exit 1; }
  latencies+=("$(tv_elapsed "$start")")
  tv_ui command "BHO Change Detected!" 1
  tv_ui gone "BHO Change Detected!" 10
  sleep 1
done
printf 'alert latency over %d runs (s): %s\n' "$runs" "${latencies[*]}"
printf '%s\n' "${latencies[@]}" | sort -n | awk '{a[NR]=$1} END {printf "min %s, median %s, max %s\n", a[1], a[int((NR+1)/2)], a[NR]}'
