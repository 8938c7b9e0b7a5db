#!/usr/bin/env bash
# Pictures of every window built so far, as a user meets them: the program
# starts in the demo world (scripts/demo-setup.sh, its list server slowed
# down so that the progress window stays up) on the virtual display, and is
# driven through its greeting, the progress window, the welcome message,
# the tip of the day, the main window, the details of its kinds of BHO, the check for updates
# with its boxes, sending the reports, the tray menu, the alert for a newly installed BHO and
# the exit question. One PNG per window under build/screenshots/.
#
# Usage: scripts/screenshots.sh [BUILD_DIR]     (default: build/win, built first)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-${TARVOLIN_BUILD_ROOT:-$root/build}/win}
# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"
# shellcheck source=demo-setup.sh
source "$root/scripts/demo-setup.sh"
# shellcheck source=demo-ui.sh
source "$root/scripts/demo-ui.sh"

if (($# == 0)); then
  bash "$root/scripts/install-deps.sh"
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
  ninja -C "$build" -j"${TARVOLIN_JOBS:-2}" Tarvolin tarvolin_test_dlls uiprobe
fi

start_all=$EPOCHREALTIME
TV_DEMO_SERVER_DELAY=2 tv_demo_setup "$build"
# The pointer out of the way: a tip it called up would hide what is pictured.
xdotool mousemove 0 0 || true
shots=${TARVOLIN_SHOTS_DIR:-$(dirname "$win")/screenshots}
mkdir -p "$shots"
rm -f "$shots"/*.png

(
  tv_close_fds_above 2
  cd "$app_dir"
  exec wine 'C:\Program Files\Tarvolin\Tarvolin.exe'
) </dev/null >/dev/null 2>&1 &

main="Tarvolin 2.0.0.23"
echo "screenshots: the greeting"
tv_shot_window "$shots/greeting.png" wait "Thank You for Trying Tarvolin !" 60
tv_ui command "Thank You for Trying Tarvolin !" 1

echo "screenshots: the progress window (lists being fetched)"
tv_shot_window "$shots/progress-window.png" wait-control 11005 30 || true

echo "screenshots: the welcome message"
tv_shot_window "$shots/message-box.png" wait "Information - Message" 90
tv_ui command "Information - Message" 1

echo "screenshots: the tip of the day"
tv_shot_window "$shots/tip-of-the-day.png" wait "Tip of the Day" 30
tv_ui command "Tip of the Day" 1
tv_ui gone "Tip of the Day" 10

echo "screenshots: the main window"
tv_shot_window "$shots/main-window.png" wait "$main" 30

echo "screenshots: the details window (benign, investigating, malware, unknown and missing-file BHOs)"
# A row is chosen with the keyboard: a click on the first row, Down to the
# row wanted, Enter to open it.
read -r grid_x grid_y grid_w _ grid_header < <(tv_ui child "$main" 1102)
open_row() { # open_row N: the Nth BHO of the grid (1 = first)
  xdotool mousemove $((grid_x + grid_w / 2)) $((grid_y + grid_header + 6)) click 1
  sleep 0.3
  local i
  for ((i = 1; i < $1; i++)); do xdotool key Down; done
  xdotool key Return
  xdotool mousemove 0 0  # no tip over the picture
}
details_shot() { # details_shot N NAME
  open_row "$1"
  tv_shot_window "$shots/details-$2.png" wait "BHO Details" 15
  tv_ui command "BHO Details" 2
  tv_ui gone "BHO Details" 10
  sleep 0.5
}
details_shot 1 benign
details_shot 5 investigating
details_shot 3 malware
details_shot 6 unknown
open_row 4
tv_shot_window "$shots/details-orphan-question.png" wait "Question - Message" 15
tv_ui command "Question - Message" 2
tv_ui gone "Question - Message" 10
tv_shot_window "$shots/details-missing-file.png" wait "BHO Details" 10
tv_ui command "BHO Details" 2
tv_ui gone "BHO Details" 10
xdotool mousemove 0 0

echo "screenshots: the check for updates (the demo's page announces a newer version)"
updates="Check for New Version of Tarvolin"
tv_ui command "$main" 1100           # "Check for Updates"
tv_shot_window "$shots/update-dialog.png" wait "$updates" 15
tv_ui command "$updates" 1502        # "Check NOW for Updates to Tarvolin..."
tv_shot_window "$shots/update-question.png" wait "Question - Message" 15
tv_ui command "Question - Message" 1
tv_shot_window "$shots/update-new-version.png" wait "Tarvolin 2.0" 30
tv_ui command "Tarvolin 2.0" 1
tv_shot_window "$shots/update-summary.png" wait "Tarvolin 2.0" 30
tv_ui command "Tarvolin 2.0" 1
tv_ui gone "$updates" 15

echo "screenshots: sending the BHO reports (to the demo's FTP server)"
tv_ui command "$main" 1104           # "Send BHO Reports"
tv_shot_window "$shots/send-reports-prompt.png" wait "Tarvolin 2.0" 15
tv_ui command "Tarvolin 2.0" 1
tv_shot_window "$shots/send-reports-thanks.png" wait "Tarvolin 2.0" 60
tv_ui command "Tarvolin 2.0" 1
tv_ui gone "Tarvolin 2.0" 10 || true
echo "      the FTP server received: $(ls "$served/uploads" | tr '\n' ' ')"

echo "screenshots: the settings and the about dialog"
tv_ui command "$main" 1105           # "Settings"
tv_shot_window "$shots/settings.png" wait "Tarvolin Settings" 15
tv_ui command "Tarvolin Settings" 2
tv_ui gone "Tarvolin Settings" 10
tv_ui post "$main" 0x0112 16 0       # WM_SYSCOMMAND: "About Tarvolin 2.0..."
tv_shot_window "$shots/about.png" wait "About Tarvolin 2.0" 15
tv_ui command "About Tarvolin 2.0" 1
tv_ui gone "About Tarvolin 2.0" 10

echo "screenshots: the tray menu (the window minimised to the tray)"
tv_ui post "$main" 0x0112 0xF020 0   # WM_SYSCOMMAND SC_MINIMIZE
tv_ui gone "$main" 10
tv_ui post "$main" 0x8064 130 0x205  # the tray icon's notification: right button up
tv_shot_window "$shots/tray-menu.png" wait-class "#32768" 10 || true
tv_ui post "$main" 0x001F 0 0        # WM_CANCELMODE closes the menu
sleep 0.5
tv_ui command "$main" 32771           # "Open Tarvolin 2.0..."
tv_ui wait "$main" 10 >/dev/null

echo "screenshots: the alert for a newly installed BHO"
tv_detached wine reg add \
  'HKLM\Software\Microsoft\Windows\CurrentVersion\Explorer\Browser Helper Objects\{5F607182-93A4-4BB0-91C2-5D6E7F8091A2}' /f
tv_shot_window "$shots/alert.png" wait "BHO Change Detected!" 15
tv_ui command "BHO Change Detected!" 1
tv_ui gone "BHO Change Detected!" 10
sleep 1
tv_shot_window "$shots/main-window-after-alert.png" wait "$main" 10

echo "screenshots: the exit question"
tv_ui post "$main" 0x0010 0 0        # WM_CLOSE
tv_shot_window "$shots/exit-question.png" wait "Question - Message" 10
tv_ui command "Question - Message" 1
tv_ui gone "$main" 15 || true
echo "screenshots: $(ls "$shots" | wc -l) pictures in $shots after $(tv_elapsed "$start_all") s"
