#!/usr/bin/env bash
# Builds Tarvolin.exe and runs it under Wine in a demo prefix that holds a few
# Browser Helper Objects, then shows its log (and any reports it wrote).
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
ninja -C "$win" -j"${TARVOLIN_JOBS:-2}" Tarvolin

tv_wine_env "$win" "$win/wine/demo"
tv_wine_prefix
trap tv_wine_session_stop EXIT
tv_wine_session_start --x

# Browser Helper Objects to find: two housed in real DLLs of Wine, one whose
# DLL is missing.
bho_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Explorer\Browser Helper Objects'
add_bho() {
  local clsid=$1 name=$2 progid=$3 dll=$4
  tv_detached wine reg add "$bho_key\\$clsid" /f
  tv_detached wine reg add "HKLM\\Software\\Classes\\CLSID\\$clsid" /ve /d "$name" /f
  tv_detached wine reg add "HKLM\\Software\\Classes\\CLSID\\$clsid\\ProgID" /ve /d "$progid" /f
  tv_detached wine reg add "HKLM\\Software\\Classes\\CLSID\\$clsid\\InProcServer32" /ve /d "$dll" /f
}
add_bho '{1F3C5A7E-0B2D-4E6F-8A9C-1D2E3F405162}' 'Demo Toolbar Helper' 'DemoToolbar.Helper.1' \
  'C:\windows\system32\msxml3.dll'
add_bho '{2A4B6C8D-1E3F-4051-9263-748596A7B8C9}' 'Demo Search Assistant' 'DemoSearch.Assistant.1' \
  'C:\windows\system32\urlmon.dll'
add_bho '{3B5D7F91-2A4C-4E6B-8D0F-123456789ABC}' 'Demo Orphan' 'DemoOrphan.Object.1' \
  'C:\Program Files\Demo Orphan\orphan.dll'

app_dir=$WINEPREFIX/drive_c/Program\ Files/Tarvolin
reports_dir=$WINEPREFIX/drive_c/Tarvolin\ Reports
mkdir -p "$app_dir"
cp "$win/Tarvolin.exe" "$app_dir/"
rm -f "$app_dir"/_Tarvolin_*.log
rm -rf "$reports_dir"
if (($# == 0)); then
  mkdir -p "$reports_dir"
  set -- -Output 'C:\Tarvolin Reports'
fi

echo "Running: Tarvolin.exe $* (in $app_dir)"
status=0
(
  tv_close_fds_above 2
  cd "$app_dir"
  exec timeout "${TARVOLIN_RUN_TIMEOUT:-120}" wine 'C:\Program Files\Tarvolin\Tarvolin.exe' "$@"
) </dev/null || status=$?
if ((status == 124)); then
  echo "Tarvolin.exe did not finish within ${TARVOLIN_RUN_TIMEOUT:-120} s and was stopped"
else
  echo "Tarvolin.exe exited with code $status"
fi

shopt -s nullglob
logs=("$app_dir"/_Tarvolin_*.log)
if ((${#logs[@]} == 0)); then
  echo "No log was written beside the executable ($app_dir)"
  exit 1
fi
for log in "${logs[@]}"; do
  echo "Log: $log"
  echo "----"
  tr -d '\r' <"$log"
  echo "----"
done
reports=("$reports_dir"/*)
if ((${#reports[@]})); then
  echo "Reports in $reports_dir:"
  for report in "${reports[@]}"; do
    echo "== $(basename "$report")"
    tr -d '\r' <"$report"
  done
fi
