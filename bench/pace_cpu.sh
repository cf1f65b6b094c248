#!/usr/bin/env bash
# CPU of the running saver with pace=every-tick beside pace=auto, in one run:
# `zintu --fullscreen` on a private Xvfb screen with Mesa's software renderer,
# SECONDS (default 30) with each pace, chosen through a settings file of the
# run's own. For each it reports the frame rate (ZINTU_FRAME_STATS=1) and the
# CPU time of the program and of the X server (user + system, from /proc) as
# a share of one core.
# Usage: bench/pace_cpu.sh ZINTU [SECONDS] [WxH] [zintu options...]
#   e.g. bench/pace_cpu.sh build/linux-release/zintu 30 1920x1200 --downtown
set -euo pipefail
zintu=$(realpath "$1")
seconds=${2:-30}
size=${3:-1920x1200}
shift $(($# < 3 ? $# : 3))
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")" LIBGL_ALWAYS_SOFTWARE=1 XDG_CONFIG_HOME=$work/config
mkdir -p "$work/config/zintu"

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)

# One run of SECONDS with pace $1; prints: pace frames run_seconds zintu_ticks xvfb_ticks
measure() {
    local x_before pid z_ticks x_ticks
    printf '[zintu]\npace=%s\n' "$1" >"$work/config/zintu/zintu.ini"
    ZINTU_FRAME_STATS=1 "$zintu" --fullscreen "${@:2}" 2>"$work/stats" &
    pid=$!
    sleep 3 # loading and start-up are not what is measured
    x_before=$(cpu_ticks $xvfb)
    z_before=$(cpu_ticks $pid)
    sleep "$seconds"
    z_ticks=$(($(cpu_ticks $pid) - z_before))
    x_ticks=$(($(cpu_ticks $xvfb) - x_before))
    kill -TERM $pid
    wait $pid || true
    awk -v p="$1" -v z="$z_ticks" -v x="$x_ticks" '
        /frames in/ { print p, $2, $5, z, x }' "$work/stats"
}

{
    measure every-tick "$@"
    measure auto "$@"
} | awk -v hz="$hz" -v s="$seconds" -v size="$size" -v opts="$*" '
    {
        printf "%-10s %s %s: %6.1f frames/s; zintu %5.2f%% of a core, Xvfb %5.2f%%\n", $1, size,
               opts, $2 / $3, 100 * $4 / hz / s, 100 * $5 / hz / s
    }'
