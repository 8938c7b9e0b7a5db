#!/usr/bin/env bash
# Time of the silent output mode (one report per BHO) for many registered
# BHOs with lists of realistic size, against a floor: md5sum over the same
# DLLs plus one read of each list file, the least any program must do for
# this output. Prints both times and their ratio (program / floor), as wall
# time and as processor time (user + system): on a busy machine the wall
# times wait for the processor, the processor times do not.
#
# Data (tools/bench/output-mode-data.py): BHOS real PE DLLs of 50-500 KB,
# a 5,000-section maker's list, a 20,000-line text list and a ~5 MB HTML
# list, with BHOs known and unknown to each list. The program runs natively
# (tools/bench/output-mode-driver, a release build without sanitizers) with
# the BHOs in the in-memory registry.
#
# Usage: tools/bench/output-mode-bench.sh [BUILD_DIR]
#   BUILD_DIR   release build tree (default: build/bench-release in the source tree)
#   BHOS=N      registered BHOs (default 1000)
#   RUNS=N      timed runs of the program and of the floor; the best is kept (default 3)
#   WORK=DIR    keep the data (and the last run's reports and log) in DIR; data
#               already there for the same BHOS is reused (default: a new
#               directory in TMPDIR, else /dev/shm, else /tmp)
#   DLLS=DIR    where the PE DLLs are copied from (default: Wine's 64-bit DLLs)
#   WIN_BUILD=DIR  also time the real Tarvolin.exe of this Windows (MinGW-w64)
#               release build under Wine, in that build tree's own prefix: the
#               BHOs in Wine's registry, the exe copied beside the lists. Its
#               processor time includes the wineserver's.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-$root/build/bench-release}
bhos=${BHOS:-1000}
runs=${RUNS:-3}
dlls=${DLLS:-/usr/lib/x86_64-linux-gnu/wine/x86_64-windows}
# Memory-backed by default: creating the report files on a disk file system
# busy with other work can cost more than everything else together (ext4
# searches its inode tables past recently deleted inodes).
tmp_default=/tmp
if [[ -d /dev/shm && -w /dev/shm ]]; then tmp_default=/dev/shm; fi

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVOLIN_SANITIZE=OFF >/dev/null
ninja -C "$build" -j2 output-mode-driver >/dev/null
driver=$build/tools/output-mode-driver

work_is_temporary=0
cleanup() {
  if declare -F tv_wine_session_stop >/dev/null; then tv_wine_session_stop; fi
  if ((work_is_temporary)); then rm -rf "$work"; fi
}
trap cleanup EXIT
if [[ -n ${WORK:-} ]]; then
  work=$WORK
  mkdir -p "$work"
else
  work=$(mktemp -d "${TMPDIR:-$tmp_default}/output-mode-bench.XXXXXX")
  work_is_temporary=1
fi
if [[ ! -f $work/bhos.txt || $(wc -l <"$work/bhos.txt") -ne $bhos ]]; then
  rm -rf "$work/dlls"
  python3 "$root/tools/bench/output-mode-data.py" "$work" "$dlls" "$bhos"
fi
lists=("$work/Tarvolin20List.ini" "$work/bholist.txt" "$work/bhotb-all.html")
cat "$work"/dlls/*.dll "${lists[@]}" >/dev/null  # into the page cache before any timing

# "wall cpu" seconds of one run of "$@" (cpu: user + system, children included).
measure() {
  local TIMEFORMAT='%R %U %S' times
  times=$({ time "$@" >/dev/null 2>&1; } 2>&1)
  echo "$times" | awk '{printf "%.3f %.3f\n", $1, $2 + $3}'
}
program() {
  rm -rf "$work/out" "$work"/run_*.log
  "$driver" "$work"
}
floor() {
  md5sum "$work"/dlls/*.dll
  cat "${lists[@]}"
}
# Keeps the lower of two "wall cpu" pairs, field by field.
best() {
  if [[ -z $1 ]]; then
    echo "$2"
  else
    echo "$1 $2" | awk '{printf "%.3f %.3f\n", ($3 < $1 ? $3 : $1), ($4 < $2 ? $4 : $2)}'
  fi
}

best_program="" best_floor=""
for ((i = 0; i < runs; i++)); do
  # Alternate the two so that any drift in the machine's speed hits both.
  best_floor=$(best "$best_floor" "$(measure floor)")
  best_program=$(best "$best_program" "$(measure program)")
done

reports=$(find "$work/out" -name '*_TarvolinInfo.txt' | wc -l)
if [[ $reports -ne $bhos ]]; then
  echo "output-mode-bench: $reports reports written for $bhos BHOs" >&2
  exit 1
fi
# The same data (the same WORK) must give the same reports from any build.
digest=$(cd "$work/out" && export LC_ALL=C && cat -- * | md5sum | cut -d' ' -f1)
statuses=$(cat "$work"/out/*.txt | sed -n 's/^ *Status: //p' | sort | uniq -c | awk '{printf "%s %s, ", $2, $1}')

size() { du -k "$@" | awk '{s += $1} END {printf "%.1f MB", s / 1024}'; }
echo "data:     $bhos BHOs ($(size "$work"/dlls/*.dll) of DLLs), lists $(size "${lists[@]}")" \
  "($(grep -c '^\[' "${lists[0]}") INI sections, $(wc -l <"${lists[1]}") text lines, HTML $(size "${lists[2]}"))"
echo "reports:  $reports, digest $digest; ${statuses%, }"
read -r program_wall program_cpu <<<"$best_program"
read -r floor_wall floor_cpu <<<"$best_floor"
ratio() { echo "scale=2; $1 / $2" | bc -l; }
echo "program:  wall $program_wall s, cpu $program_cpu s (best of $runs)"
echo "floor:    wall $floor_wall s, cpu $floor_cpu s (md5sum of the DLLs + one read of the lists, best of $runs)"
echo "ratio (program / floor): wall $(ratio "$program_wall" "$floor_wall"), cpu $(ratio "$program_cpu" "$floor_cpu")"

[[ -n ${WIN_BUILD:-} ]] || exit 0
cmake -S "$root" -B "$WIN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
ninja -C "$WIN_BUILD" -j2 Tarvolin >/dev/null
# shellcheck source=../../scripts/wine-env.sh
source "$root/scripts/wine-env.sh"
tv_wine_env "$WIN_BUILD"
tv_wine_prefix
tv_wine_reset_registry
# The exe in a directory of its own beside copies of the lists, so that the
# native runs keep their stand-in executable.
wine_dir=$work/wine
mkdir -p "$wine_dir"
cp "${lists[@]}" "$WIN_BUILD/Tarvolin.exe" "$wine_dir/"
windows_path() { local p=${1//\//\\}; echo "Z:$p"; }
# Installer-style registration: the BHO key and the class's InProcServer32.
python3 - "$work/bhos.txt" >"$work/bhos.reg" <<'PY'
import sys
print("REGEDIT4")
bho = r"HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Explorer\Browser Helper Objects"
for line in open(sys.argv[1]):
    clsid, path = line.rstrip("\n").split("\t")
    value = ("Z:" + path.replace("/", "\\")).replace("\\", "\\\\")
    print("\n[%s\\%s]\n" % (bho, clsid))
    print("[HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\%s\\InProcServer32]\n@=\"%s\"" % (clsid, value))
PY
tv_wine_session_start
tv_detached wine regedit /S "$(windows_path "$work/bhos.reg")"

# The wineserver answers the registry calls: its processor time counts too.
server_ticks() { awk '{print $14 + $15}' "/proc/$TV_WINESERVER_PID/stat"; }
wine_program() {
  rm -rf "$wine_dir/out" "$wine_dir"/_Tarvolin*.log
  wine "$wine_dir/Tarvolin.exe" -Output "$(windows_path "$wine_dir/out")"
}
best_wine=""
for ((i = 0; i < runs; i++)); do
  before=$(server_ticks)
  read -r wall cpu <<<"$(measure wine_program)"
  server=$(echo "($(server_ticks) - $before) / $(getconf CLK_TCK)" | bc -l)
  best_wine=$(best "$best_wine" "$wall $(echo "$cpu + $server" | bc -l)")
done
read -r wine_wall wine_cpu <<<"$best_wine"
wine_reports=$(find "$wine_dir/out" -name '*_TarvolinInfo.txt' | wc -l)
wine_statuses=$(cat "$wine_dir"/out/*.txt | tr -d '\r' | sed -n 's/^ *Status: //p' | sort | uniq -c |
  awk '{printf "%s %s, ", $2, $1}')
echo "Wine:     wall $wine_wall s, cpu $wine_cpu s (best of $runs; $wine_reports reports; ${wine_statuses%, })"
echo "ratio (Wine / floor): wall $(ratio "$wine_wall" "$floor_wall"), cpu $(ratio "$wine_cpu" "$floor_cpu")"
