#!/usr/bin/env bash
# One Wine session for the Windows tests (Xvfb, prefix, wineserver kept
# alive), so that Wine's slow first start happens once per run.
#   wine_session.sh start|stop|env STATE
#   wine_session.sh run STATE PROGRAM [ARGS...]   (the cross-compiling emulator)
# ZINTU_WINE_USER, set for every command of a session, names its Windows user.
# ZINTU_WINE_SCREEN (WxH) and ZINTU_WINE_MONITORS (xrandr --setmonitor
# geometries), set when a session starts, give its display that size and
# those monitors, which the X server reports through Xinerama; Wine takes its
# monitors from there (through RandR it would see the one output Xvfb has).
set -euo pipefail
command=$1
state=$(realpath -m "$2")
shift 2
export WINEPREFIX="$state/prefix" WINEDEBUG=-all WINEARCH=win64
# No Mono or Gecko installers: the tests need neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ -n "${ZINTU_WINE_USER:-}" ]; then export USER=$ZINTU_WINE_USER LOGNAME=$ZINTU_WINE_USER; fi

session_display() {
    [ -f "$state/xvfb.pid" ] && [ -f "$state/display" ] && kill -0 "$(cat "$state/xvfb.pid")" \
        2>/dev/null && echo ":$(cat "$state/display")"
}

# Starts an Xvfb on a free display, its pid and number in STATE.
start_xvfb() {
    rm -f "$state/display"
    # No reset when the last client leaves, which would forget the monitors.
    setsid Xvfb -displayfd 3 -screen 0 "${ZINTU_WINE_SCREEN:-1024x768}x24" -noreset -nolisten tcp \
        +extension GLX 3>"$state/display" </dev/null >"$state/xvfb.log" 2>&1 &
    echo $! >"$state/xvfb.pid"
    for _ in $(seq 300); do [ -s "$state/display" ] && return; sleep 0.1; done
    echo "wine_session: Xvfb did not start (see $state/xvfb.log)" >&2
    return 1
}

# Creates the prefix once; concurrent callers wait for the first.
ensure_prefix() {
    mkdir -p "$state"
    exec 9>"$state/prefix.lock"
    flock 9
    if [ ! -f "$WINEPREFIX/.zintu-ready" ]; then
        rm -rf "$WINEPREFIX"
        local log=$state/wineboot.log
        DISPLAY= wineboot -i >"$log" 2>&1 || true
        # A crash must end the process, not wait behind a dialog.
        DISPLAY= wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD \
            /d 0 /f >>"$log" 2>&1
        # No window manager runs on the test display: windows that Wine would
        # hand to one wait two seconds for it at every map and unmap.
        DISPLAY= wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N \
            /f >>"$log" 2>&1
        # A fault goes to the system's verdict without a debugger: a debugger
        # that cannot start makes the unhandled-exception filter say "end it".
        DISPLAY= wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
            /v Debugger /t REG_SZ /d 'no-debugger-here.exe %ld %ld' /f >>"$log" 2>&1
        wineserver -w
        touch "$WINEPREFIX/.zintu-ready"
    fi
    exec 9>&-
}

case "$command" in
start)
    ensure_prefix
    if [ -n "${ZINTU_WINE_MONITORS:-}" ]; then
        DISPLAY= wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /t REG_SZ /d N /f \
            >/dev/null 2>&1
        wineserver -w
    fi
    session_display >/dev/null || start_xvfb
    export DISPLAY=$(session_display)
    # The first monitor takes the screen's one output, replacing the server's
    # own monitor over the whole screen.
    output=screen n=0
    for monitor in ${ZINTU_WINE_MONITORS:-}; do
        xrandr --setmonitor "zintu$((n++))" "$monitor" "$output" >/dev/null
        output=none
    done
    wineserver -p </dev/null >/dev/null 2>&1
    # The desktop process starts with the first program: start it now.
    wine cmd /c exit 0 >/dev/null 2>&1 || true
    ;;
stop)
    wineserver -k 2>/dev/null || true
    [ ! -f "$state/xvfb.pid" ] || kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
    rm -f "$state/xvfb.pid" "$state/display"
    ;;
env)
    echo "export WINEPREFIX='$WINEPREFIX' WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES='$WINEDLLOVERRIDES'"
    if [ -n "${ZINTU_WINE_USER:-}" ]; then echo "export USER='$USER' LOGNAME='$LOGNAME'"; fi
    if display=$(session_display); then echo "export DISPLAY='$display'"; fi
    ;;
run)
    ensure_prefix
    DISPLAY=$(session_display) || { echo "wine_session: no session started in $state" >&2; exit 1; }
    export DISPLAY
    exec wine "$@"
    ;;
*) echo "wine_session: unknown command $command" >&2 && exit 2 ;;
esac
