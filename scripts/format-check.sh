#!/usr/bin/env bash
# Checks that the C++ sources are formatted as .clang-format says.
# Usage: format-check.sh            every tracked file under src/ and tests/
#        format-check.sh BASE_REF   only files changed since BASE_REF (e.g. origin/main)
#        format-check.sh --fix      reformat every tracked file in place
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
patterns=('src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'tools/*.cpp' 'tools/*.h')
fix=0
if [[ ${1:-} == --fix ]]; then
  fix=1
  mapfile -t files < <(git ls-files -- "${patterns[@]}")
elif [[ -n ${1:-} ]]; then
  mapfile -t files < <(git diff --name-only --diff-filter=ACMR "$1" -- "${patterns[@]}")
else
  mapfile -t files < <(git ls-files -- "${patterns[@]}")
fi
if ((${#files[@]} == 0)); then
  echo "format-check: no files"
  exit 0
fi
if ((fix)); then
  clang-format -i "${files[@]}"
  echo "format-check: formatted ${#files[@]} files"
  exit 0
fi
# One clang-format for all files; its diagnostics name the files to fix.
mapfile -t bad < <(clang-format --dry-run -Werror "${files[@]}" 2>&1 >/dev/null |
  sed -nE 's/^(.+):[0-9]+:[0-9]+: error: .*/\1/p' | sort -u)
if ((${#bad[@]})); then
  echo "format-check: ${#bad[@]} of ${#files[@]} files need clang-format:"
  printf '  %s\n' "${bad[@]}"
  echo "format-check: fix with scripts/format-check.sh --fix"
  exit 1
fi
echo "format-check: ${#files[@]} files formatted"
