#!/usr/bin/env bash
# The scripts' hand on the program's windows under the demo's Wine session;
# sourced, not run. Needs win (the build tree) and DISPLAY (the session's
# Xvfb) set, and ImageMagick's import for the pictures.

# tv_ui VERB ARGS...: tools/uiprobe.exe (see its source for the verbs);
# prints what it prints, without carriage returns.
tv_ui() {
  wine "$win/tools/uiprobe.exe" "$@" 2>/dev/null | tr -d '\r'
  return "${PIPESTATUS[0]}"
}

# tv_shot FILE X Y WIDTH HEIGHT: that part of the screen as a PNG.
tv_shot() {
  local file=$1 x=$2 y=$3 w=$4 h=$5
  # Let the window finish painting first.
  sleep 0.7
  ((x < 0)) && { w=$((w + x)); x=0; }
  ((y < 0)) && { h=$((h + y)); y=0; }
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$file"
  echo "      wrote $file (${w} x ${h})"
}

# tv_shot_window FILE VERB ARG: waits for the window (tv_ui VERB ARG) and
# pictures it; fails when it does not appear.
tv_shot_window() {
  local file=$1 rect
  shift
  rect=$(tv_ui "$@") || { echo "      no window for: $*" >&2; return 1; }
  # shellcheck disable=SC2086
  tv_shot "$file" $rect
}
