#!/usr/bin/env bash
# Runs a Windows program under Wine in the build tree's own prefix (created on
# first use). CMake gives it to every test of the Windows build as the
# emulator. Usage: wine-run.sh BUILD_DIR PROGRAM.exe [ARGS...]
#
# The program writes into temporary files that are copied to this script's
# stdout and stderr when it ends: a Wine service started by this process keeps
# the descriptors it inherited open, and a test runner would wait for them.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
tv_wine_env "$1"
shift
tv_wine_prefix || exit 1

mkdir -p "$TV_WINE_DIR/output"
out=$(mktemp "$TV_WINE_DIR/output/stdout.XXXXXX")
err=$(mktemp "$TV_WINE_DIR/output/stderr.XXXXXX")
trap 'rm -f "$out" "$err"' EXIT
wine "$@" </dev/null >"$out" 2>"$err"
rc=$?
cat "$out"
cat "$err" >&2
exit $rc
