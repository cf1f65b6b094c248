#!/usr/bin/env bash
# CPU use and frame rate of `zintu --fullscreen` on a private Xvfb screen:
# runs it for SECONDS (default 20), then reads the process's and the X
# server's user+system CPU time from /proc and the frame count the program
# prints with ZINTU_FRAME_STATS=1.
# Usage: bench/x11_cpu.sh ZINTU [SECONDS] [WxH] [zintu options...]
set -euo pipefail
zintu=$(realpath "$1")
seconds=${2:-20}
size=${3:-1280x800}
shift $(($# < 3 ? $# : 3))
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

# utime + stime of a process, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)

x_before=$(cpu_ticks $xvfb)
ZINTU_FRAME_STATS=1 "$zintu" --fullscreen "$@" 2>"$work/stats" &
pid=$!
sleep "$seconds"
z_ticks=$(cpu_ticks $pid)
x_ticks=$(($(cpu_ticks $xvfb) - x_before))
kill -TERM $pid
wait $pid
awk -v z="$z_ticks" -v x="$x_ticks" -v hz="$hz" -v s="$seconds" '
    /frames in/ { frames = $2; run = $5 }
    END {
        printf "zintu: %.2f s CPU in %s s: %.1f%% of one core\n", z / hz, s, 100 * z / hz / s
        printf "Xvfb:  %.2f s CPU in %s s: %.1f%% of one core\n", x / hz, s, 100 * x / hz / s
        printf "frames: %d in %.2f s: %.1f per second\n", frames, run, frames / run
    }' "$work/stats"
