#!/usr/bin/env bash
# The report upload's cost. COUNT reports go to a local FTP server (pyftpdlib
# on 127.0.0.1, tests/support/local_server.py) with Reporter::UploadBHOReport,
# one connection and login each as the program makes them (report written,
# upload, INI mark), under Wine through WinInet and natively through the
# POSIX client (tools/bench/upload-bench.cpp, release builds); then the very
# same files with Python's ftplib, once in one session and once with a
# session per file. Prints total time, cost per report and the ratios
# against the one-session client. Best of RUNS for each figure.
#
# Usage: tools/bench/upload-bench.sh [WIN_BUILD_DIR] [NATIVE_BUILD_DIR]
#   WIN_BUILD_DIR     Windows release build tree (default: build/bench-win-release)
#   NATIVE_BUILD_DIR  native release build tree (default: build/bench-release)
#   COUNT=N   reports per run (default 100)
#   RUNS=N    timed runs, the best kept (default 3)
#   NATIVE=0  skip the native program; WINE=0 skip the Wine one
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
win_build=${1:-$root/build/bench-win-release}
native_build=${2:-$root/build/bench-release}
count=${COUNT:-100}
runs=${RUNS:-3}
# shellcheck source=../../scripts/wine-env.sh
source "$root/scripts/wine-env.sh"

tmp_default=/tmp
if [[ -d /dev/shm && -w /dev/shm ]]; then tmp_default=/dev/shm; fi
work=$(mktemp -d "${TMPDIR:-$tmp_default}/upload-bench.XXXXXX")
server_pid=""
wine_started=0
cleanup() {
  if [[ -n $server_pid ]]; then kill "$server_pid" 2>/dev/null || true; fi
  if ((wine_started)); then tv_wine_session_stop; fi
  rm -rf "$work"
}
trap cleanup EXIT

programs=()
if [[ ${WINE:-1} != 0 ]]; then
  cmake -S "$root" -B "$win_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
  ninja -C "$win_build" -j2 upload-bench >/dev/null
  programs+=(wine)
fi
if [[ ${NATIVE:-1} != 0 ]]; then
  cmake -S "$root" -B "$native_build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVOLIN_SANITIZE=OFF >/dev/null
  ninja -C "$native_build" -j2 upload-bench >/dev/null
  programs+=(native)
fi
if [[ " ${programs[*]} " == *" wine "* ]]; then
  tv_wine_env "$win_build"
  tv_wine_prefix
  tv_wine_session_start
  wine_started=1
fi

# The server: the program's upload account, whose home is $work/home.
if [[ ${programs[0]} == native ]]; then
  read -r user password < <("$native_build/tools/upload-bench" --account)
else
  read -r user password < <(wine "$win_build/tools/upload-bench.exe" --account 2>/dev/null | tr -d '\r')
fi
mkdir -p "$work/home"
/usr/bin/python3 "$root/tests/support/local_server.py" ftp "$work/home" "$work/ready" "$user" "$password" &
for ((i = 0; i < 200; i++)); do
  [[ -s $work/ready ]] && break
  sleep 0.05
done
read -r server_pid port <"$work/ready" || { echo "the FTP server did not start" >&2; exit 1; }

# Runs the program once in a clean folder; prints its seconds.
run_program() {
  local kind=$1 dir=$work/program
  rm -rf "$dir" "$work/home"/*
  mkdir -p "$dir"
  local out
  if [[ $kind == wine ]]; then
    out=$(wine "$win_build/tools/upload-bench.exe" "Z:${dir//\//\\}" "$port" "$count" 2>/dev/null | tr -d '\r')
  else
    out=$("$native_build/tools/upload-bench" "${dir//\//\\}" "$port" "$count" 2>/dev/null)
  fi
  local got
  got=$(find "$work/home" -name '__TarvolinReport_*' | wc -l)
  if ((got != count)); then
    echo "$kind: $got of $count reports arrived" >&2
    echo "$out" >&2
    exit 1
  fi
  echo "$out" >"$work/$kind.out"
  sed -nE 's/^UploadBHOReport: [0-9]+ reports in ([0-9.]+) s.*/\1/p' <<<"$out"
}

# The reports the last run wrote, sent by ftplib (ASCII, active mode as the
# program does); "one" session for all or "each" file its own. Prints seconds.
run_ftplib() {
  rm -rf "$work/home"/*
  /usr/bin/python3 - "$1" "$port" "$user" "$password" "$work/program" <<'EOF'
import ftplib, glob, os, sys, time
mode, port, user, password, folder = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4], sys.argv[5]
files = sorted(glob.glob(os.path.join(folder, "__TarvolinReport_*.txt")))
def session():
    ftp = ftplib.FTP()
    ftp.connect("127.0.0.1", port)
    ftp.login(user, password)
    ftp.set_pasv(False)
    return ftp
start = time.perf_counter()
ftp = session() if mode == "one" else None
for path in files:
    if mode == "each":
        ftp = session()
    with open(path, "rb") as f:
        ftp.storlines("STOR " + os.path.basename(path), f)
    if mode == "each":
        ftp.quit()
if mode == "one":
    ftp.quit()
print("%.4f" % (time.perf_counter() - start))
EOF
}

best() { sort -g | head -n 1; }

declare -A program_best
ftplib_one=() ftplib_each=()
for kind in "${programs[@]}"; do
  times=()
  for ((run = 0; run < runs; run++)); do
    seconds=$(run_program "$kind")
    [[ -n $seconds ]] || { echo "$kind: no time reported" >&2; exit 1; }
    times+=("$seconds")
    ftplib_one+=("$(run_ftplib one)")
    ftplib_each+=("$(run_ftplib each)")
  done
  program_best[$kind]=$(printf '%s\n' "${times[@]}" | best)
done
one=$(printf '%s\n' "${ftplib_one[@]}" | best)
each=$(printf '%s\n' "${ftplib_each[@]}" | best)

echo "$count reports to pyftpdlib on 127.0.0.1 (best of $runs runs; the indented splits from the last run):"
line() { # label seconds
  awk -v l="$1" -v s="$2" -v n="$count" -v one="$one" \
    'BEGIN { printf "  %-44s %7.3f s  %6.2f ms/report  ratio %5.1f\n", l, s, 1000 * s / n, s / one }'
}
for kind in "${programs[@]}"; do
  label="UploadBHOReport, $kind"
  [[ $kind == wine ]] && label="UploadBHOReport, Wine (WinInet)"
  [[ $kind == native ]] && label="UploadBHOReport, native (POSIX client)"
  line "$label" "${program_best[$kind]}"
  sed -nE 's/^  (of which writing a report alone|MyFtp alone, per report): /    \1: /p' "$work/$kind.out"
done
line "ftplib, one session for all files" "$one"
line "ftplib, a session per file" "$each"
