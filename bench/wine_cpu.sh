#!/usr/bin/env bash
# CPU of the Windows saver under Wine with pace=every-tick beside pace=auto,
# in one run: `zintu.scr /s` on a private Xvfb screen (Mesa's software
# renderer behind Wine's OpenGL), SECONDS (default 30) with each pace, chosen
# through the settings file in the Windows folder of a Wine prefix of the
# run's own. Reports the CPU time of the saver's process, of wineserver and
# of the X server as shares of one core.
# Usage: bench/wine_cpu.sh ZINTU.SCR [SECONDS] [WxH]
set -euo pipefail
scr=$(realpath "$1")
seconds=${2:-30}
size=${3:-1280x800}
work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp +extension GLX 3>"$work/display" \
    >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k 2>/dev/null; kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
DISPLAY= wineboot -i >/dev/null 2>&1 || true
DISPLAY= wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
    >/dev/null 2>&1
wineserver -w
export DISPLAY=":$(cat "$work/display")"
wineserver -p
wine cmd /c exit 0 >/dev/null 2>&1 || true

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
# The newest process matching $1 of this run's prefix (other Wine sessions
# may run beside it).
ours() {
    local pid
    for pid in $(pgrep -f "$1" | sort -rn); do
        { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" &&
            echo "$pid" && return
    done
}
server=$(ours 'wineserver')

# One run of SECONDS with pace $1; prints: pace saver_ticks wineserver_ticks xvfb_ticks
measure() {
    local pid s_before x_before z_before
    printf '[zintu]\r\npace=%s\r\n' "$1" >"$WINEPREFIX/drive_c/windows/zintu.ini"
    wine "$scr" /s &
    sleep 5 # Wine's start, the loading frames
    pid=$(ours 'zintu\.scr')
    z_before=$(cpu_ticks "$pid")
    s_before=$(cpu_ticks "$server")
    x_before=$(cpu_ticks $xvfb)
    sleep "$seconds"
    echo "$1" $(($(cpu_ticks "$pid") - z_before)) $(($(cpu_ticks "$server") - s_before)) \
        $(($(cpu_ticks $xvfb) - x_before))
    kill "$pid"
    wait || true
}

{
    measure every-tick
    measure auto
} | awk -v hz="$hz" -v s="$seconds" -v size="$size" '{
    printf "%-10s zintu.scr /s %s: saver %5.2f%% of a core, wineserver %5.2f%%, Xvfb %5.2f%%\n",
           $1, size, 100 * $2 / hz / s, 100 * $3 / hz / s, 100 * $4 / hz / s }'
