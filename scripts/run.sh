#!/usr/bin/env bash
# Builds Tarvolin.exe and runs it under Wine in a demo prefix that holds a few
# Browser Helper Objects, with its lists served by a local HTTP server, then
# shows its log and the reports it wrote (scripts/demo-output.sh).
#
# Usage: scripts/run.sh [PROGRAM_ARGS...]
#   Without arguments the program runs as: Tarvolin.exe -Output "C:\Tarvolin Reports"
#   TARVOLIN_BUILD_ROOT   where the build tree goes (default: build/ in the source tree)
#   TARVOLIN_RUN_TIMEOUT  seconds before an unfinished run is stopped (default 120)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_root=${TARVOLIN_BUILD_ROOT:-$root/build}
win=$build_root/win
# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"

bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$win" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
ninja -C "$win" -j"${TARVOLIN_JOBS:-2}" Tarvolin tarvolin_test_dlls

# The demo itself: BHOs in a prefix of its own, lists from a local server.
exec bash "$root/scripts/demo-output.sh" "$win" "$@"
