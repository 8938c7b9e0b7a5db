#!/usr/bin/env bash
# The program's PE checksum (the "App - Current Checksum" of the system
# description) against the checksums linkers wrote into real PE files found
# on this machine: up to LIMIT files that carry one. Prints each file whose
# checksum differs, then the number of files and of agreements.
#
# Usage: tools/bench/pe-checksum-check.sh [NATIVE_BUILD_DIR] [ROOT...]
#   NATIVE_BUILD_DIR  native build tree (default: build/native in the source tree)
#   ROOT...           where to look (default: /)
#   LIMIT=N           files with a checksum to compare (default 100)
#
# Wine's own builtin DLLs are left out: their stored checksum does not cover
# the file as installed (each seen differs from the computed one by the same
# amount, a stamp written after linking), so they say nothing about the sum.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-$root/build/native}
shift || true
roots=("$@")
[[ ${#roots[@]} -gt 0 ]] || roots=(/)
limit=${LIMIT:-100}

ninja -C "$build" -j2 pe-checksum-check >/dev/null
find "${roots[@]}" -xdev -type f \( -iname '*.exe' -o -iname '*.dll' -o -iname '*.efi' -o -iname '*.sys' \
  -o -iname '*.pyd' -o -iname '*.ocx' \) -size +1k -size -64M -not -path '*/wine/*' 2>/dev/null |
  sort | "$build/tools/pe-checksum-check" "$limit"
