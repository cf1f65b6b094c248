#!/usr/bin/env bash
# One Wine session for the Windows tests: an Xvfb display, a Wine prefix
# under the build folder and a wineserver kept alive across tests, so that
# Wine's slow first start happens once per run.
#
#   wine_session.sh start STATE   start Xvfb, create the prefix, keep a wineserver
#   wine_session.sh stop STATE    stop both
#   wine_session.sh run STATE PROGRAM [ARGS...]
#                                 run a Windows program in the session (the
#                                 cross-compiling emulator); outside a started
#                                 session it brings up a display of its own
#   wine_session.sh env STATE     print the session's environment as exports
set -euo pipefail

command=$1
state=$(realpath -m "$2")
shift 2

export WINEPREFIX="$state/prefix"
export WINEDEBUG=-all
export WINEARCH=win64
# No Mono or Gecko installers: the tests need neither.
export WINEDLLOVERRIDES="mscoree,mshtml="

log() { echo "wine_session: $*" >&2; }

session_display() {
    local pid
    [ -f "$state/xvfb.pid" ] && [ -f "$state/display" ] || return 1
    pid=$(cat "$state/xvfb.pid")
    kill -0 "$pid" 2>/dev/null || return 1
    echo ":$(cat "$state/display")"
}

# Starts an Xvfb on a free display; prints "pid display".
start_xvfb() {
    local fifo pid display
    fifo=$(mktemp -u "$state/displayfd.XXXXXX")
    mkfifo "$fifo"
    setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp +extension GLX \
        3>"$fifo" </dev/null >"$state/xvfb.log" 2>&1 &
    pid=$!
    if ! read -r -t 30 display <"$fifo"; then
        rm -f "$fifo"
        log "Xvfb did not start (see $state/xvfb.log)"
        kill "$pid" 2>/dev/null || true
        return 1
    fi
    rm -f "$fifo"
    echo "$pid $display"
}

# Creates the prefix once; concurrent callers wait for the first.
ensure_prefix() {
    mkdir -p "$state"
    exec 9>"$state/prefix.lock"
    flock 9
    if [ ! -f "$WINEPREFIX/.zintu-ready" ]; then
        log "creating the Wine prefix (once per build folder)"
        rm -rf "$WINEPREFIX"
        DISPLAY= wineboot -i >"$state/wineboot.log" 2>&1 || true
        # A crash must end the process, not wait behind a dialog.
        DISPLAY= wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD \
            /d 0 /f >>"$state/wineboot.log" 2>&1
        # No window manager runs on the test display: windows that Wine would
        # hand to one wait two seconds for it at every map and unmap.
        DISPLAY= wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N \
            /f >>"$state/wineboot.log" 2>&1
        # A fault goes to the system's verdict without a debugger: a debugger
        # that cannot start makes the unhandled-exception filter say "end it".
        DISPLAY= wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
            /v Debugger /t REG_SZ /d 'no-debugger-here.exe %ld %ld' /f >>"$state/wineboot.log" 2>&1
        wineserver -w
        touch "$WINEPREFIX/.zintu-ready"
    fi
    flock -u 9
    exec 9>&-
}

case "$command" in
start)
    ensure_prefix
    if ! session_display >/dev/null; then
        read -r pid display < <(start_xvfb)
        echo "$pid" >"$state/xvfb.pid"
        echo "$display" >"$state/display"
    fi
    DISPLAY=$(session_display)
    export DISPLAY
    wineserver -p </dev/null >/dev/null 2>&1
    # The desktop process starts with the first program; start it now, on
    # this display, so no test pays for it.
    wine cmd /c exit 0 >/dev/null 2>&1 || true
    log "session on display $DISPLAY"
    ;;
stop)
    wineserver -k 2>/dev/null || true
    if [ -f "$state/xvfb.pid" ]; then
        kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
        rm -f "$state/xvfb.pid" "$state/display"
    fi
    ;;
env)
    echo "export WINEPREFIX='$WINEPREFIX' WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES='$WINEDLLOVERRIDES'"
    if display=$(session_display); then echo "export DISPLAY='$display'"; fi
    ;;
run)
    ensure_prefix
    if display=$(session_display); then
        export DISPLAY=$display
        exec wine "$@"
    fi
    # Not inside a started session: a display for this run only.
    read -r pid display < <(start_xvfb)
    trap 'kill "$pid" 2>/dev/null || true' EXIT
    export DISPLAY=":$display"
    status=0
    wine "$@" || status=$?
    exit "$status"
    ;;
*)
    log "unknown command $command"
    exit 2
    ;;
esac
