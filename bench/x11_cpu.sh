#!/usr/bin/env bash
# The running saver on a private Xvfb screen, the literal frames beside the
# fast ones in one run: `zintu --fullscreen` runs SECONDS (default 20) with
# ZINTU_FRAME_PATH=literal, then SECONDS with the fast frames. For each run it
# reports the frame rate (the frame count the program prints with
# ZINTU_FRAME_STATS=1), the CPU time of the program and of the X server (user
# + system, from /proc), and how long a fast-mode day would last: 86400 s of
# the overlay's clock at the rate the clock advanced (run with --fast, the
# default here, for that line to mean anything).
# Usage: bench/x11_cpu.sh ZINTU [SECONDS] [WxH] [zintu options...]
set -euo pipefail
zintu=$(realpath "$1")
seconds=${2:-20}
size=${3:-1280x800}
shift $(($# < 3 ? $# : 3))
[ $# -gt 0 ] || set -- --fast
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

# utime + stime of a process, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)

# One run of SECONDS with the frames of $1 (literal or fast); prints one line:
# frames run_seconds clock_seconds zintu_ticks xvfb_ticks
measure() {
    local x_before pid z_ticks x_ticks
    x_before=$(cpu_ticks $xvfb)
    ZINTU_FRAME_PATH=$1 ZINTU_FRAME_STATS=1 "$zintu" --fullscreen "${@:2}" 2>"$work/stats" &
    pid=$!
    sleep "$seconds"
    z_ticks=$(cpu_ticks $pid)
    x_ticks=$(($(cpu_ticks $xvfb) - x_before))
    kill -TERM $pid
    wait $pid
    awk -v z="$z_ticks" -v x="$x_ticks" '
        /frames in/ { sub(/;/, ""); print $2, $5, $(NF - 1), z, x }' "$work/stats"
}

literal=$(measure literal "$@")
fast=$(measure fast "$@")
printf '%s\n%s\n' "$literal" "$fast" | awk -v hz="$hz" -v s="$seconds" -v size="$size" '
    {
        name = NR == 1 ? "literal" : "fast"
        rate[NR] = $1 / $2
        printf "%-7s %s: %6.1f frames/s; zintu %5.1f%% of a core, Xvfb %5.1f%%;", name, size,
               rate[NR], 100 * $4 / hz / s, 100 * $5 / hz / s
        if ($3 > 0) printf " a fast-mode day lasts %.0f s", 86400 * $2 / $3
        printf "\n"
    }
    END { if (rate[1] > 0) printf "fast / literal frame rate: %.1fx\n", rate[2] / rate[1] }'
