#!/usr/bin/env bash
# Screenshots of the message box (three styles), the progress window, the
# change alert, the greeting and the button/status icons, taken under Xvfb
# from the Windows build and written as PNG files to build/screenshots/.
# Usage: dialog-shots.sh [BUILD_DIR]   (default build/win; needs ImageMagick)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
build=${1:-$root/build/win}
tool=$build/tools/dialog-shots.exe
[[ -x $tool ]] || { echo "dialog-shots: build $tool first (ninja -C $build dialog-shots)" >&2; exit 1; }
out=$root/build/screenshots
mkdir -p "$out"
rm -f "$out"/*.bmp "$out"/*.png

tv_wine_env "$build"
tv_wine_prefix
trap tv_wine_session_stop EXIT
tv_wine_session_start --x
wine "$tool" "Z:${out//\//\\}" </dev/null
for bmp in "$out"/*.bmp; do
  convert "$bmp" "${bmp%.bmp}.png"
  rm -f "$bmp"
done
ls -1 "$out"
