#!/usr/bin/env bash
# Time of the silent output mode (one report per BHO) for many registered
# BHOs with lists of realistic size, against a floor: md5sum over the same
# DLLs plus one read of each list file, the least any program must do for
# this output. Prints both times and their ratio (program / floor).
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
#               already there for the same BHOS is reused
#   DLLS=DIR    where the PE DLLs are copied from (default: Wine's 64-bit DLLs)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-$root/build/bench-release}
bhos=${BHOS:-1000}
runs=${RUNS:-3}
dlls=${DLLS:-/usr/lib/x86_64-linux-gnu/wine/x86_64-windows}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVOLIN_SANITIZE=OFF >/dev/null
ninja -C "$build" -j2 output-mode-driver >/dev/null
driver=$build/tools/output-mode-driver

if [[ -n ${WORK:-} ]]; then
  work=$WORK
  mkdir -p "$work"
else
  work=$(mktemp -d "${TMPDIR:-/tmp}/output-mode-bench.XXXXXX")
  trap 'rm -rf "$work"' EXIT
fi
if [[ ! -f $work/bhos.txt || $(wc -l <"$work/bhos.txt") -ne $bhos ]]; then
  rm -rf "$work/dlls"
  python3 "$root/tools/bench/output-mode-data.py" "$work" "$dlls" "$bhos"
fi
lists=("$work/Tarvolin20List.ini" "$work/bholist.txt" "$work/bhotb-all.html")
cat "$work"/dlls/*.dll "${lists[@]}" >/dev/null  # into the page cache before any timing

# Seconds (with nanoseconds) taken by one run of "$@".
seconds() {
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null
  end=$(date +%s.%N)
  echo "$end - $start" | bc -l
}
program() {
  rm -rf "$work/out" "$work"/run_*.log
  "$driver" "$work"
}
floor() {
  md5sum "$work"/dlls/*.dll
  cat "${lists[@]}"
}
min() { if [[ -z $1 ]] || (($(echo "$2 < $1" | bc -l))); then echo "$2"; else echo "$1"; fi; }

best_program="" best_floor=""
for ((i = 0; i < runs; i++)); do
  best_floor=$(min "$best_floor" "$(seconds floor)")
  best_program=$(min "$best_program" "$(seconds program)")
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
echo "program:  $best_program s (best of $runs)"
echo "floor:    $best_floor s (md5sum of the DLLs + one read of the lists, best of $runs)"
echo "ratio (program / floor): $(echo "scale=2; $best_program / $best_floor" | bc -l)"
