#!/usr/bin/env bash
# The Wine test bench: runs ctest of a Windows build tree under one Xvfb and
# one wineserver, and stops both (by process id) when done.
# Usage: wine-ctest.sh BUILD_DIR [CTEST_ARGS...]   e.g. wine-ctest.sh build/win -R Registry
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
build=$1
shift
tv_wine_env "$build"

start=$EPOCHREALTIME
tv_wine_prefix
tv_wine_reset_registry
echo "wine-ctest: prefix ready in $(tv_elapsed "$start") s"

trap tv_wine_session_stop EXIT
start=$EPOCHREALTIME
tv_wine_session_start --x
echo "wine-ctest: Xvfb on $DISPLAY and wineserver started in $(tv_elapsed "$start") s"

start=$EPOCHREALTIME
status=0
ctest --test-dir "$TV_WINE_BUILD" --output-on-failure -j2 "$@" || status=$?
echo "wine-ctest: tests ran in $(tv_elapsed "$start") s"
exit $status
