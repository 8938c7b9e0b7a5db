# shellcheck shell=bash
# Shared Wine set-up for the test bench and the demo run; source it, then call
#   tv_wine_env BUILD_DIR [PREFIX]   the environment: a private prefix in the build tree
#   tv_wine_prefix                   create that prefix once (locked; safe in parallel)
#   tv_wine_reset_registry           put the prefix's registry back as it was created
#   tv_wine_session_start [--x]      one wineserver (and with --x one Xvfb) for a run
#   tv_wine_session_stop             stop what the session started, by process id
#
# Why it looks like this:
# - WINEDLLOVERRIDES: no Mono or Gecko installers, no ALSA probe, and no winedbg,
#   so a crashing program exits at once with code 5 instead of hanging.
# - The first Wine process of a server session starts the system services, which
#   keep its stdout/stderr open; a test runner waiting for EOF on them would hang.
#   The session is therefore started and primed here with stdio on /dev/null and
#   every inherited descriptor (such as a lock) closed.
# - A server session stays bound to the display it started under, so GUI tests
#   need the whole session under the one Xvfb.

# Seconds since START (an $EPOCHREALTIME value), with one decimal.
tv_elapsed() {
  awk -v a="$1" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.1f", b - a }'
}

tv_wine_env() {
  TV_WINE_BUILD=$(cd "$1" && pwd)
  TV_WINE_DIR=$TV_WINE_BUILD/wine
  mkdir -p "$TV_WINE_DIR"
  export WINEPREFIX=${2:-$TV_WINE_DIR/prefix}
  export WINEARCH=win64
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv=d;winedbg.exe=d"
  unset WINESERVER WINELOADER
}

# Closes every descriptor above $1 of the current (sub)shell.
tv_close_fds_above() {
  local fd
  for fd in /proc/"$BASHPID"/fd/*; do
    fd=${fd##*/}
    if ((fd > $1)); then eval "exec $fd>&-"; fi
  done
}

# Runs "$@" with stdio on /dev/null and no descriptor above 2 inherited.
tv_detached() {
  (
    tv_close_fds_above 2
    exec "$@"
  ) </dev/null >/dev/null 2>&1
}

tv_wine_prefix() {
  local stamp=$WINEPREFIX/.tarvolin-ready
  [[ -f $stamp ]] && return 0
  (
    flock 9 || exit 1
    [[ -f $stamp ]] && exit 0
    local start=$EPOCHREALTIME
    rm -rf "$WINEPREFIX"
    echo "Creating the Wine prefix $WINEPREFIX ..." >&2
    # Headless: no window, and the server session ends with the creation.
    unset DISPLAY
    tv_detached wineboot -u || { echo "wineboot failed" >&2; exit 1; }
    # Without a window manager Wine draws its own captions, and much faster.
    tv_detached wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f || exit 1
    tv_detached wineserver -k || true
    tv_detached wineserver -w || true
    mkdir -p "$WINEPREFIX/.tarvolin-pristine"
    cp "$WINEPREFIX"/*.reg "$WINEPREFIX/.tarvolin-pristine/"
    touch "$stamp"
    echo "Wine prefix created in $(tv_elapsed "$start") s" >&2
  ) 9>"$TV_WINE_DIR/prefix.lock"
}

# Tests leave keys behind when they fail half-way; a run starts from the
# registry the prefix was created with. No server of this prefix may run.
tv_wine_reset_registry() {
  local pristine=$WINEPREFIX/.tarvolin-pristine
  [[ -d $pristine ]] || return 0
  tv_detached wineserver -k || true
  tv_detached wineserver -w || true
  cp "$pristine"/*.reg "$WINEPREFIX/"
}

tv_wine_session_start() {
  TV_XVFB_PID="" TV_WINESERVER_PID=""
  if [[ ${1:-} == --x ]]; then
    local dfile=$TV_WINE_DIR/xvfb.display
    : >"$dfile"
    # Xvfb picks a free display itself and writes its number to fd 3.
    (
      tv_close_fds_above 3
      exec Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset
    ) </dev/null >"$TV_WINE_DIR/xvfb.log" 2>&1 3>"$dfile" &
    TV_XVFB_PID=$!
    local i
    for ((i = 0; i < 100; i++)); do
      [[ -s $dfile ]] && break
      kill -0 "$TV_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    [[ -s $dfile ]] || { echo "Xvfb did not start:" >&2; cat "$TV_WINE_DIR/xvfb.log" >&2; return 1; }
    DISPLAY=:$(head -n 1 "$dfile")
    export DISPLAY
  else
    unset DISPLAY
  fi
  (
    tv_close_fds_above 2
    exec wineserver -f -p
  ) </dev/null >/dev/null 2>&1 &
  TV_WINESERVER_PID=$!
  # The first process starts the services (with stdio on /dev/null, as above).
  tv_detached wine cmd /c exit || { echo "Wine does not start" >&2; return 1; }
}

tv_wine_session_stop() {
  if [[ -n ${TV_WINESERVER_PID:-} ]]; then
    # Ends every process of this prefix's session, then the server itself.
    tv_detached wineserver -k || true
    local i
    for ((i = 0; i < 50; i++)); do
      kill -0 "$TV_WINESERVER_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill -0 "$TV_WINESERVER_PID" 2>/dev/null && kill -KILL "$TV_WINESERVER_PID" 2>/dev/null
    wait "$TV_WINESERVER_PID" 2>/dev/null
    TV_WINESERVER_PID=""
  fi
  if [[ -n ${TV_XVFB_PID:-} ]]; then
    kill "$TV_XVFB_PID" 2>/dev/null
    wait "$TV_XVFB_PID" 2>/dev/null
    TV_XVFB_PID=""
  fi
  return 0
}
