#!/usr/bin/env bash
# MD5 throughput of the program's own digest code (tools/md5sum-tool, a
# release build without sanitizers) against the system's md5sum, both reading
# the same 256 MiB file from the page cache. Prints both rates and their
# ratio (above 1: the program's code is faster).
#
# Usage: tools/bench/md5-throughput.sh [BUILD_DIR]
#   BUILD_DIR    release build tree (default: build/bench-release in the source tree)
#   RUNS=N       timed runs of each program; the best is kept (default 5)
#   SIZE_MIB=N   size of the test file (default 256)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-$root/build/bench-release}
runs=${RUNS:-5}
size_mib=${SIZE_MIB:-256}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVOLIN_SANITIZE=OFF >/dev/null
ninja -C "$build" -j2 md5sum-tool >/dev/null
tool=$build/tools/md5sum-tool

work=$(mktemp -d "${TMPDIR:-/tmp}/md5-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
data=$work/data.bin
head -c $((size_mib * 1024 * 1024)) /dev/urandom >"$data"
cat "$data" >/dev/null  # into the page cache before any timing

expected=$(md5sum "$data" | cut -d' ' -f1)
actual=$("$tool" "$data" | cut -d' ' -f1)
if [[ $expected != "$actual" ]]; then
  echo "md5-throughput: digests differ: md5sum $expected, md5sum-tool $actual" >&2
  exit 1
fi

# Seconds (with nanoseconds) taken by one run of "$@".
seconds() {
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null
  end=$(date +%s.%N)
  echo "$end - $start" | bc -l
}

best_system="" best_tool=""
for ((i = 0; i < runs; i++)); do
  # Alternate the two so that any drift in the machine's speed hits both.
  t=$(seconds md5sum "$data")
  if [[ -z $best_system ]] || (($(echo "$t < $best_system" | bc -l))); then best_system=$t; fi
  t=$(seconds "$tool" "$data")
  if [[ -z $best_tool ]] || (($(echo "$t < $best_tool" | bc -l))); then best_tool=$t; fi
done

rate() { echo "scale=1; $size_mib / $1" | bc -l; }
echo "file:        $size_mib MiB, digest $expected, best of $runs runs"
echo "md5sum:      $(rate "$best_system") MiB/s ($best_system s)"
echo "md5sum-tool: $(rate "$best_tool") MiB/s ($best_tool s)"
echo "throughput ratio (md5sum-tool / md5sum): $(echo "scale=3; $best_system / $best_tool" | bc -l)"
