#!/usr/bin/env bash
# The main grid under Wine: filling it for many BHOs against loading the
# same records without any window (the grid itself should cost no more than
# a third of the loading: ratio at most 1.3), and the process's memory after
# 100 refills against after one (it should stay flat). The data are those of
# the output-mode benchmark (tools/bench/output-mode-data.py: real PE DLLs,
# lists of realistic size); tools/bench/grid-bench.cpp does the timing in a
# Windows release build under Wine on a virtual display.
#
# Usage: tools/bench/grid-bench.sh [WIN_BUILD_DIR]
#   WIN_BUILD_DIR  Windows release build tree (default: build/bench-win-release)
#   BHOS=N      registered BHOs (default 1000)
#   RUNS=N      timed runs, the best kept (default 3)
#   REFILLS=N   refills for the memory figure (default 100)
#   WORK=DIR    keep the data in DIR (reused when it holds as many BHOs)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-$root/build/bench-win-release}
bhos=${BHOS:-1000}
dlls=${DLLS:-/usr/lib/x86_64-linux-gnu/wine/x86_64-windows}
# shellcheck source=../../scripts/wine-env.sh
source "$root/scripts/wine-env.sh"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
ninja -C "$build" -j2 grid-bench >/dev/null

work_is_temporary=0
cleanup() {
  tv_wine_session_stop
  if ((work_is_temporary)); then rm -rf "$work"; fi
}
trap cleanup EXIT
if [[ -n ${WORK:-} ]]; then
  work=$WORK
  mkdir -p "$work"
else
  work=$(mktemp -d "${TMPDIR:-/tmp}/grid-bench.XXXXXX")
  work_is_temporary=1
fi
if [[ ! -f $work/bhos.txt || $(wc -l <"$work/bhos.txt") -ne $bhos ]]; then
  rm -rf "$work/dlls"
  python3 "$root/tools/bench/output-mode-data.py" "$work" "$dlls" "$bhos"
fi
cat "$work"/dlls/*.dll "$work"/*.ini "$work"/*.txt "$work"/*.html >/dev/null

tv_wine_env "$build"
tv_wine_prefix
tv_wine_session_start --x
wine "$build/tools/grid-bench.exe" "Z:${work//\//\\}" "${RUNS:-3}" "${REFILLS:-100}" 2>/dev/null | tr -d '\r'
