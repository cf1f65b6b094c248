#!/usr/bin/env bash
# Shared by the X11 end-to-end scripts (sourced, not run): a private Xvfb on a
# display number of its own, polling with timeouts instead of fixed sleeps,
# and the checks' bookkeeping. Expects $1 to be the zintu program and $2 the
# x11_probe helper.
source "$(dirname "${BASH_SOURCE[0]}")/check.sh"
zintu=$(realpath "$1")
probe=$(realpath "$2")
xvfb_pid=
started=() # background programs to stop at the end

# Called by check.sh's exit handler: programs still running are stopped, and
# waited for, so that what they report at their end is in before it looks.
stop_started() {
    local pid
    for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; done
    for pid in "${started[@]}"; do
        wait_until 10 has_ended "$pid" || kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}

# Runs `command...` every 0.1 s until it succeeds or `seconds` pass.
wait_until() { # seconds, command...
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -ge "$deadline" ] && return 1
        sleep 0.1
    done
}

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

is_running() { kill -0 "$1" 2>/dev/null; }
has_ended() { ! is_running "$1"; }

# Shows where a program that should have ended is waiting, for the log.
report_stuck() { # pid
    echo "     (still running after the deadline; waiting in $(cat "/proc/$1/wchan" 2>/dev/null))"
    if command -v gdb >/dev/null; then
        gdb -p "$1" -batch -ex "thread apply all bt 12" 2>/dev/null | grep -E '^(Thread|#)' |
            sed 's/^/     /' | head -n 60
    fi
}

# True when `pid` ends within `seconds` with exit status `expected`. Runs in
# the script's own shell (never in $(...)), where `wait` knows the child.
ends_with() { # pid, seconds, expected
    if ! wait_until "$2" has_ended "$1"; then
        report_stuck "$1"
        return 1
    fi
    wait "$1"
    local status=$?
    [ "$status" -eq "$3" ] || echo "     (exit status $status)"
    [ "$status" -eq "$3" ]
}

# The id of the mapped window titled exactly `title`, or nothing.
window_titled() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
window_shown() { [ -n "$(window_titled "$1")" ]; }

# True once the window shows the network and at least one vehicle glyph.
shows_frames() { # window
    local counts
    counts=$("$probe" colours "$1") || return 1
    awk '$1 == "network" && $2 > 1000 { n = 1 } $1 == "glyphs" && $2 > 10 { g = 1 }
         END { exit !(n && g) }' <<<"$counts"
}
