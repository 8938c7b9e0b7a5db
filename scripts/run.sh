#!/usr/bin/env bash
# Builds Tarvolin.exe and runs it under Wine in a demo world: a prefix that
# holds a few Browser Helper Objects, with the program's lists served by a
# local HTTP server.
#
# Usage: scripts/run.sh [--output] [PROGRAM_ARGS...]
#   (default)   the resident program on a virtual display (scripts/demo-window.sh):
#               greeting and welcome answered, the main window pictured into
#               build/screenshots/run-main-window.png, the grid's BHOs listed,
#               then it runs for TARVOLIN_RUN_SECONDS (default 10) and is closed
#   --output    the silent output mode (scripts/demo-output.sh); without
#               PROGRAM_ARGS: Tarvolin.exe -Output "C:\Tarvolin Reports", then
#               its log and reports are shown
#   TARVOLIN_BUILD_ROOT   where the build tree goes (default: build/ in the source tree)
#   TARVOLIN_RUN_TIMEOUT  seconds before an unfinished output run is stopped (default 120)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_root=${TARVOLIN_BUILD_ROOT:-$root/build}
win=$build_root/win
# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"

bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$win" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
ninja -C "$win" -j"${TARVOLIN_JOBS:-2}" Tarvolin tarvolin_test_dlls uiprobe

if [[ ${1:-} == --output ]]; then
  shift
  exec bash "$root/scripts/demo-output.sh" "$win" "$@"
fi
exec bash "$root/scripts/demo-window.sh" "$win" "$@"
