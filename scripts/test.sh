#!/usr/bin/env bash
# Runs every test of the project, in order:
#   1. installs the Debian packages if any is missing (scripts/install-deps.sh)
#   2. checks the formatting against .clang-format
#   3. native build with ASan+UBSan, and its ctest
#   4. Windows cross build (Tarvolin.exe and the Windows test executable)
#   5. the Windows tests under Wine (scripts/wine-ctest.sh: one Xvfb, one wineserver)
# Exits non-zero when any step fails; a failed build skips its own tests only.
#
# Usage: scripts/test.sh [--clean]
#   --clean                 delete both build trees first (the Wine prefix too)
#   TARVOLIN_BUILD_ROOT     where the build trees go (default: build/ in the source tree)
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_root=${TARVOLIN_BUILD_ROOT:-$root/build}
native=$build_root/native
win=$build_root/win
jobs=${TARVOLIN_JOBS:-2}
# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"

if [[ ${1:-} == --clean ]]; then
  rm -rf "$native" "$win"
fi

failures=()
timings=()
# step NAME COMMAND...: runs one step, notes its time and whether it failed.
step() {
  local name=$1 start=$EPOCHREALTIME
  shift
  echo
  echo "=== $name"
  if "$@"; then
    timings+=("$(printf '%-22s %6s s' "$name" "$(tv_elapsed "$start")")")
    return 0
  fi
  timings+=("$(printf '%-22s %6s s  FAILED' "$name" "$(tv_elapsed "$start")")")
  failures+=("$name")
  return 1
}

format_check() {
  "$root/scripts/format-check.sh"
}

# ctest output is kept so that the totals can be given at the end.
run_ctest() {
  local log=$1
  shift
  "$@" 2>&1 | tee "$log"
  return "${PIPESTATUS[0]}"
}

mkdir -p "$build_root"
rm -f "$build_root/native-ctest.log" "$build_root/wine-ctest.log"
step "install dependencies" bash "$root/scripts/install-deps.sh" || exit 1
step "format check" format_check

if step "native configure" cmake -S "$root" -B "$native" -G Ninja -DTARVOLIN_SANITIZE=ON &&
  step "native build" ninja -C "$native" -j"$jobs"; then
  step "native tests" run_ctest "$build_root/native-ctest.log" \
    ctest --test-dir "$native" --output-on-failure -j"$jobs"
fi

if step "cross configure" cmake -S "$root" -B "$win" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" &&
  step "cross build" ninja -C "$win" -j"$jobs"; then
  step "Wine tests" run_ctest "$build_root/wine-ctest.log" \
    "$root/scripts/wine-ctest.sh" "$win" -j"$jobs"
fi

echo
echo "=== summary"
printf '%s\n' "${timings[@]}"
passed=0 failed=0
for log in "$build_root/native-ctest.log" "$build_root/wine-ctest.log"; do
  [[ -f $log ]] || continue
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  [[ -n $line ]] || continue
  echo "$(basename "$log" -ctest.log): $line"
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
  bad=$(sed -E 's/.*, ([0-9]+) tests? failed.*/\1/' <<<"$line")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
done
if ((${#failures[@]})); then
  echo "FAILED steps: ${failures[*]}"
fi
echo "tests: $passed passed, $failed failed"
((${#failures[@]} == 0))
