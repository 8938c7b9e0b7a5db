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

# "WALL CPU" seconds of one run of "$@" (CPU: user plus system time). On a
# busy machine the CPU time is the steadier of the two.
measure() {
  local TIMEFORMAT='%R %U %S' line
  line=$({ time "$@" >/dev/null; } 2>&1)
  read -r real user sys <<<"$line"
  echo "$real $(echo "$user + $sys" | bc -l)"
}

# Keeps the smaller of a best-so-far value and a new one.
min() { if [[ -z $1 ]] || (($(echo "$2 < $1" | bc -l))); then echo "$2"; else echo "$1"; fi; }

sys_wall="" sys_cpu="" tool_wall="" tool_cpu=""
for ((i = 0; i < runs; i++)); do
  # Alternate the two so that any drift in the machine's speed hits both.
  read -r wall cpu < <(measure md5sum "$data")
  sys_wall=$(min "$sys_wall" "$wall")
  sys_cpu=$(min "$sys_cpu" "$cpu")
  read -r wall cpu < <(measure "$tool" "$data")
  tool_wall=$(min "$tool_wall" "$wall")
  tool_cpu=$(min "$tool_cpu" "$cpu")
done

rate() { echo "scale=1; $size_mib / $1" | bc -l; }
ratio() { echo "scale=3; $1 / $2" | bc -l; }
echo "file:        $size_mib MiB, digest $expected, best of $runs runs each"
echo "md5sum:      $(rate "$sys_wall") MiB/s elapsed, $(rate "$sys_cpu") MiB/s of CPU time"
echo "md5sum-tool: $(rate "$tool_wall") MiB/s elapsed, $(rate "$tool_cpu") MiB/s of CPU time"
echo "throughput ratio (md5sum-tool / md5sum): $(ratio "$sys_wall" "$tool_wall") elapsed, $(ratio "$sys_cpu" "$tool_cpu") CPU"
