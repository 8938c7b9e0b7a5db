#!/usr/bin/env bash
# The settings dialog's processor time under Wine (in a virtual display)
# over SECONDS (default 30) with the scrolling banner at speed 500 and at 0,
# by tools/bench/banner-bench.cpp. Goals: at 0 nothing measurable (no timer
# runs); at 500 under 2 % of one core.
#
# Usage: tools/bench/banner-cpu.sh [WIN_BUILD_DIR]   (default: build/win)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-${TARVOLIN_BUILD_ROOT:-$root/build}/win}
# shellcheck source=../../scripts/wine-env.sh
source "$root/scripts/wine-env.sh"

ninja -C "$build" -j"${TARVOLIN_JOBS:-2}" banner-bench >/dev/null
tv_wine_env "$build"
tv_wine_prefix
tv_wine_session_start --x
trap tv_wine_session_stop EXIT
for speed in 500 0; do
  wine "$build/tools/banner-bench.exe" "$speed" "${SECONDS_MEASURED:-30}" 2>/dev/null | tr -d '\r'
done
