#!/usr/bin/env bash
# Sourced by the X11 end-to-end scripts, on top of check.sh: a private Xvfb,
# zintu ($1) started at a Monday morning, when the demo network's vehicles are
# on the road, and windows of x11_probe's ($2).
source "$(dirname "${BASH_SOURCE[0]}")/check.sh"
zintu=$(realpath "$1")
probe=$(realpath "$2")
export TZ=UTC0
at="2026-12-07 08:15:00"
xvfb_pid=

# After check.sh has stopped the programs, so none loses its display.
stop_more() { [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null; }

# Starts Xvfb with one screen of `size` (WxH) and exports its DISPLAY.
start_xvfb() { # size
    Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp -noreset 3>"$work/display" \
        >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    if ! wait_until 20 test -s "$work/display"; then
        echo "FAIL Xvfb did not start"
        cat "$work/xvfb.log"
        exit 1
    fi
    export DISPLAY=":$(head -n 1 "$work/display")"
}

# Starts zintu --at $at `options...` in the background (with SIGINT ignored,
# as any script's job), its standard error in $work/err; sets $pid.
start_zintu() { # options...
    "$zintu" --at "$at" "$@" 2>"$work/err" &
    pid=$!
    started+=("$pid")
}

# Starts zintu in a window of its own and waits until it shows frames; sets
# $pid, $wid and the pointer's position X, Y.
start_window() { # options...
    start_zintu "$@"
    wait_until 30 window_shown Zintu && wid=$(window_titled Zintu) &&
        wait_until 30 shows_frames "$wid" && eval "$(xdotool getmouselocation --shell)"
}

# Creates a window as a daemon would; sets $owner (the probe's pid), $window
# and its id in hex, $hex.
make_window() { # [input-only]
    rm -f "$work/window" # never read the last one's id
    "$probe" window "$@" >"$work/window" &
    owner=$!
    started+=("$owner")
    wait_until 20 test -s "$work/window" && window=$(head -n 1 "$work/window") &&
        printf -v hex '0x%x' "$window"
}

# True once the window (or root) shows the network and at least one vehicle.
shows_frames() { # window
    local which=(-id "$1")
    [ "$1" = root ] && which=(-root)
    xwd -silent "${which[@]}" 2>/dev/null | pixel_counts |
        awk '$1 == "network" && $2 > 1000 { n = 1 } $1 == "coloured" && $2 > 10 { g = 1 }
             END { exit !(n && g) }'
}
