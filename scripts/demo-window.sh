#!/usr/bin/env bash
# The resident program in the demo world (scripts/demo-setup.sh) on the Wine
# session's virtual display: Tarvolin.exe starts as a user's first start
# does, with the greeting and the welcome, which are answered for the user;
# then its main window, with the grid of the demo BHOs, is pictured into
# build/screenshots/run-main-window.png and the log's grid lines are shown.
# It keeps running for TARVOLIN_RUN_SECONDS (default 10), then it is asked
# to close (the exit question answered OK) and the session ends.
#
# Usage: scripts/demo-window.sh BUILD_DIR [PROGRAM_ARGS...]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$1
shift
# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"
# shellcheck source=demo-setup.sh
source "$root/scripts/demo-setup.sh"
# shellcheck source=demo-ui.sh
source "$root/scripts/demo-ui.sh"

start_all=$EPOCHREALTIME
tv_demo_setup "$build"
# The pointer out of the way: a tip it called up would hide what is pictured.
xdotool mousemove 0 0 || true
shots=${TARVOLIN_SHOTS_DIR:-$(dirname "$win")/screenshots}
mkdir -p "$shots"

echo "demo: starting Tarvolin.exe $* (in C:\\Program Files\\Tarvolin) on $DISPLAY"
(
  tv_close_fds_above 2
  cd "$app_dir"
  exec wine 'C:\Program Files\Tarvolin\Tarvolin.exe' "$@"
) </dev/null >/dev/null 2>&1 &
program_pid=$!

# A first start: the greeting, then (lists fetched) the welcome message.
if tv_ui wait "Thank You for Trying Tarvolin !" 60 >/dev/null; then
  echo "demo: the greeting is up; closing it"
  tv_ui command "Thank You for Trying Tarvolin !" 1
fi
if tv_ui wait "Information - Message" 60 >/dev/null; then
  echo "demo: the welcome message is up; answering OK"
  tv_ui command "Information - Message" 1
fi
if tv_ui wait "Tip of the Day" 30 >/dev/null; then
  echo "demo: the tip of the day is up; closing it"
  tv_ui command "Tip of the Day" 1
fi
if ! rect=$(tv_ui wait "Tarvolin 2.0.0.23" 60); then
  echo "demo: the main window did not appear" >&2
  exit 1
fi
echo "demo: the main window is up ($rect) after $(tv_elapsed "$start_all") s"
# shellcheck disable=SC2086
tv_shot "$shots/run-main-window.png" $rect

logs=("$app_dir"/_Tarvolin_*.log)
echo "demo: what the grid was filled with (from the log):"
tr -d '\r' <"${logs[0]}" | grep -E "Found <[0-9]+> BHOs in the Registry|Populating main list control" |
  sed 's/^.*@[A-Z] /      /'

seconds=${TARVOLIN_RUN_SECONDS:-10}
echo "demo: Tarvolin runs for $seconds s"
sleep "$seconds"
tv_ui post "Tarvolin 2.0.0.23" 0x0010 0 0 || true
if tv_ui wait "Question - Message" 10 >/dev/null; then
  tv_ui command "Question - Message" 1
fi
for ((i = 0; i < 100; i++)); do
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.1
done
echo "demo: Tarvolin.exe ended; the log's last lines:"
tr -d '\r' <"${logs[0]}" | tail -n 4 | sed 's/^/      /'
echo "demo: done in $(tv_elapsed "$start_all") s"
