#!/usr/bin/env bash
# Fails when a Windows executable imports a DLL that a plain Windows does not
# ship (a MinGW runtime such as libwinpthread-1.dll, zlib1.dll, ...), because
# such an exe dies at start with nothing shown. Usage: check-imports.sh EXE...
set -euo pipefail
objdump=${OBJDUMP:-x86_64-w64-mingw32-objdump}
system_dlls='^(kernel32|user32|gdi32|advapi32|shell32|shlwapi|ole32|oleaut32|comctl32|comdlg32|version|wininet|urlmon|winmm|imagehlp|msvcrt|ws2_32|rpcrt4|uxtheme|mpr|crypt32|secur32|psapi|api-ms-win-[a-z0-9-]+)\.dll$'
status=0
for exe in "$@"; do
  headers=$("$objdump" -p "$exe") || { echo "cannot read $exe" >&2; status=1; continue; }
  mapfile -t dlls < <(awk '/DLL Name:/{print tolower($3)}' <<<"$headers" | sort -u)
  if ((${#dlls[@]} == 0)); then
    echo "$(basename "$exe") imports nothing: not a Windows executable?" >&2
    status=1
    continue
  fi
  for dll in "${dlls[@]}"; do
    if [[ ! $dll =~ $system_dlls ]]; then
      echo "$(basename "$exe") imports $dll, which Windows does not ship" >&2
      status=1
    fi
  done
  echo "$(basename "$exe"): ${dlls[*]}"
done
exit $status
