#!/usr/bin/env bash
# The demo of the silent output mode under Wine, in a prefix of its own
# (BUILD_DIR/wine/demo, made once, its registry fresh for every run):
#   - a few BHOs registered the way installers leave them: on DLLs with
#     version resources (the test DLLs and one of Wine's own), one disabled
#     by the program's classic method, one by the add-on manager's setting,
#     one whose DLL is missing, one registered as %SystemRoot%\...;
#   - the three known-BHO lists served by a local HTTP server on 127.0.0.1
#     (the two maker's zips with their ".size" companions, the HTML list
#     plain), so the program downloads and unpacks them at start;
#   - one run of Tarvolin.exe from C:\Program Files\Tarvolin, then its
#     progress texts, log and report files are printed.
# The server is stopped by its process id, the Wine session by its own.
#
# Usage: scripts/demo-output.sh BUILD_DIR [PROGRAM_ARGS...]
#   BUILD_DIR   a Windows build tree with Tarvolin.exe and the test DLLs built
#   Without PROGRAM_ARGS the program runs as: Tarvolin.exe -Output "C:\Tarvolin Reports"
#   TARVOLIN_RUN_TIMEOUT  seconds before an unfinished run is stopped (default 120)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$1
shift
# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"
# shellcheck source=demo-setup.sh
source "$root/scripts/demo-setup.sh"

start_all=$EPOCHREALTIME
tv_demo_setup "$build"

if (($# == 0)); then
  set -- -Output 'C:\Tarvolin Reports'
fi

echo "demo: running Tarvolin.exe $* (in C:\\Program Files\\Tarvolin)"
errors=$served/stderr.txt
status=0
start=$EPOCHREALTIME
(
  tv_close_fds_above 2
  cd "$app_dir"
  exec timeout "${TARVOLIN_RUN_TIMEOUT:-120}" wine 'C:\Program Files\Tarvolin\Tarvolin.exe' "$@"
) </dev/null >/dev/null 2>"$errors" || status=$?
elapsed=$(tv_elapsed "$start")
if ((status == 124)); then
  echo "demo: Tarvolin.exe did not finish within ${TARVOLIN_RUN_TIMEOUT:-120} s and was stopped"
else
  echo "demo: Tarvolin.exe exited with code $status after $elapsed s"
fi
if [[ -s $errors ]]; then
  echo "demo: what it showed (progress and messages, on standard error):"
  tr -d '\r' <"$errors" | sed 's/^/      /'
fi

shopt -s nullglob
echo "demo: lists beside the executable:"
for f in "$app_dir"/Tarvolin20List.* "$app_dir"/bholist.* "$app_dir"/bhotb-all.*; do
  echo "      $(basename "$f") ($(stat -c %s "$f") bytes)"
done
logs=("$app_dir"/_Tarvolin_*.log)
if ((${#logs[@]} == 0)); then
  echo "demo: no log was written beside the executable ($app_dir)"
  exit 1
fi
for log in "${logs[@]}"; do
  echo "Log: $log"
  echo "----"
  tr -d '\r' <"$log"
  echo "----"
done
reports=("$reports_dir"/*)
echo "demo: ${#reports[@]} report files in $reports_dir"
for report in "${reports[@]}"; do
  echo "== $(basename "$report")"
  tr -d '\r' <"$report" | iconv -c -f CP1252 -t UTF-8
done
echo "demo: done in $(tv_elapsed "$start_all") s"
