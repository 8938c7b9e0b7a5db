#!/usr/bin/env bash
# Time of the silent output mode (one report per BHO) for many registered
# BHOs with lists of realistic size, against a floor: md5sum over the same
# DLLs plus one read of each list file, the least any program must do for
# this output. Prints both times and their ratio (program / floor), as wall
# time and as processor time (user + system): on a busy machine the wall
# times wait for the processor, the processor times do not.
#
# Data (tools/bench/output-mode-data.py): BHOS real PE DLLs of 50-500 KB,
# a 5,000-section maker's list, a 20,000-line text list and a ~5 MB HTML
# list, with BHOs known and unknown to each list. The program runs natively
# (tools/bench/output-mode-driver, a release build without sanitizers) with
# the BHOs in the in-memory registry.
#
# Usage: tools/bench/output-mode-bench.sh [BUILD_DIR]
#   BUILD_DIR   release build tree (default: build/bench-release in the source tree)
#   BHOS=N      registered BHOs (default 1000)
#   RUNS=N      timed runs of the program and of the floor; the best is kept (default 3)
#   WORK=DIR    keep the data (and the last run's reports and log) in DIR; data
#               already there for the same BHOS is reused (default: a new
#               directory in TMPDIR, else /dev/shm, else /tmp)
#   DLLS=DIR    where the PE DLLs are copied from (default: Wine's 64-bit DLLs)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-$root/build/bench-release}
bhos=${BHOS:-1000}
runs=${RUNS:-3}
dlls=${DLLS:-/usr/lib/x86_64-linux-gnu/wine/x86_64-windows}
# Memory-backed by default: creating the report files on a disk file system
# busy with other work can cost more than everything else together (ext4
# searches its inode tables past recently deleted inodes).
tmp_default=/tmp
if [[ -d /dev/shm && -w /dev/shm ]]; then tmp_default=/dev/shm; fi

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVOLIN_SANITIZE=OFF >/dev/null
ninja -C "$build" -j2 output-mode-driver >/dev/null
driver=$build/tools/output-mode-driver

if [[ -n ${WORK:-} ]]; then
  work=$WORK
  mkdir -p "$work"
else
  work=$(mktemp -d "${TMPDIR:-$tmp_default}/output-mode-bench.XXXXXX")
  trap 'rm -rf "$work"' EXIT
fi
if [[ ! -f $work/bhos.txt || $(wc -l <"$work/bhos.txt") -ne $bhos ]]; then
  rm -rf "$work/dlls"
  python3 "$root/tools/bench/output-mode-data.py" "$work" "$dlls" "$bhos"
fi
lists=("$work/Tarvolin20List.ini" "$work/bholist.txt" "$work/bhotb-all.html")
cat "$work"/dlls/*.dll "${lists[@]}" >/dev/null  # into the page cache before any timing

# "wall cpu" seconds of one run of "$@" (cpu: user + system, children included).
measure() {
  local TIMEFORMAT='%R %U %S' times
  times=$({ time "$@" >/dev/null 2>&1; } 2>&1)
  echo "$times" | awk '{printf "%.3f %.3f\n", $1, $2 + $3}'
}
program() {
  rm -rf "$work/out" "$work"/run_*.log
  "$driver" "$work"
}
floor() {
  md5sum "$work"/dlls/*.dll
  cat "${lists[@]}"
}
# Keeps the lower of two "wall cpu" pairs, field by field.
best() { if [[ -z $1 ]]; then echo "$2"; else echo "$1 $2" | awk '{printf "%.3f %.3f\n", ($3 < $1 ? $3 : $1), ($4 < $2 ? $4 : $2)}'; fi; }

best_program="" best_floor=""
for ((i = 0; i < runs; i++)); do
  # Alternate the two so that any drift in the machine's speed hits both.
  best_floor=$(best "$best_floor" "$(measure floor)")
  best_program=$(best "$best_program" "$(measure program)")
done

reports=$(find "$work/out" -name '*_TarvolinInfo.txt' | wc -l)
if [[ $reports -ne $bhos ]]; then
  echo "output-mode-bench: $reports reports written for $bhos BHOs" >&2
  exit 1
fi
# The same data must give the same reports from any build.
digest=$(cd "$work/out" && export LC_ALL=C && cat -- * | md5sum | cut -d' ' -f1)
statuses=$(cat "$work"/out/*.txt | sed -n 's/^ *Status: //p' | sort | uniq -c | awk '{printf "%s %s, ", $2, $1}')

size() { du -k "$@" | awk '{s += $1} END {printf "%.1f MB", s / 1024}'; }
echo "data:     $bhos BHOs ($(size "$work"/dlls/*.dll) of DLLs), lists $(size "${lists[@]}")" \
  "($(grep -c '^\[' "${lists[0]}") INI sections, $(wc -l <"${lists[1]}") text lines, HTML $(size "${lists[2]}"))"
echo "reports:  $reports, digest $digest; ${statuses%, }"
read -r program_wall program_cpu <<<"$best_program"
read -r floor_wall floor_cpu <<<"$best_floor"
ratio() { echo "scale=2; $1 / $2" | bc -l; }
echo "program:  wall $program_wall s, cpu $program_cpu s (best of $runs)"
echo "floor:    wall $floor_wall s, cpu $floor_cpu s (md5sum of the DLLs + one read of the lists, best of $runs)"
echo "ratio (program / floor): wall $(ratio "$program_wall" "$floor_wall"), cpu $(ratio "$program_cpu" "$floor_cpu")"
