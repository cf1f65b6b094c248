#!/usr/bin/env bash
# Sourced by every end-to-end script: a scratch folder $work, `check WHAT
# COMMAND...` ($fail is the exit status), polling, and background programs
# ($started) stopped at the end, then `stop_more` if defined. Sanitizer
# reports go to $work, away from the checked standard error, and fail the run.
set -u
work=$(mktemp -d)
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}log_path=$work/sanitizer"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:+$UBSAN_OPTIONS:}log_path=$work/sanitizer:print_stacktrace=1"
fail=0
started=()

finish() {
    local status=$? report pid
    for pid in "${started[@]}"; do kill "$pid" 2>/dev/null; done
    for pid in "${started[@]}"; do
        wait_until 10 has_ended "$pid" || kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    if declare -F stop_more >/dev/null; then stop_more; fi
    for report in "$work"/sanitizer.*; do
        [ -e "$report" ] || continue
        echo "FAIL sanitizer report ($(basename "$report")):"
        sed 's/^/     /' "$report"
        status=1
    done
    chmod -R u+w "$work" 2>/dev/null
    rm -rf "$work"
    exit "$status"
}
trap finish EXIT

check() {
    local what=$1
    shift
    if "$@"; then echo "ok   $what"; else
        echo "FAIL $what"
        fail=1
    fi
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

is_running() { kill -0 "$1" 2>/dev/null; }
has_ended() { ! is_running "$1"; }

# True when `pid` ends within `seconds` with exit status `expected`; never in
# $(...), where `wait` would not know the child.
ends_with() { # pid, seconds, expected
    if ! wait_until "$2" has_ended "$1"; then
        echo "     (still running after the deadline, waiting in $(cat "/proc/$1/wchan"))"
        return 1
    fi
    wait "$1"
    local status=$?
    [ "$status" -eq "$3" ] || echo "     (exit status $status)"
    [ "$status" -eq "$3" ]
}

# True when `command...` exits with `expected` and its standard error, kept
# in $work/err, is one line that matches `pattern` whole (err_is).
fails_with() { # expected, pattern, command...
    local expected=$1 pattern=$2 status
    shift 2
    "$@" >/dev/null 2>"$work/err"
    status=$?
    [ "$status" -eq "$expected" ] || echo "     (exit status $status)"
    [ "$status" -eq "$expected" ] && err_is "$pattern"
}

# True when $work/err is one line that matches `pattern` (a basic regex) whole.
err_is() { # pattern
    [ "$(wc -l <"$work/err")" -eq 1 ] && grep -qx -- "$1" "$work/err" && return 0
    echo "     (standard error: $(head -c 300 "$work/err"))"
    return 1
}

# Counts an xwd screenshot's pixels by kind: white, network (the lines' light
# grey), coloured (vehicles) and other (the overlay's dark text).
pixel_counts() {
    convert xwd:- -format %c histogram:info:- | awk '
        { gsub(/[(),:]/, " "); n = $1; r = $2; g = $3; b = $4
          c[r != g || g != b ? "coloured" : r == 255 ? "white" : r >= 200 ? "network" : "other"] += n }
        END { for (k in c) print k, c[k] }'
}

# The id of the mapped X window titled exactly `title`, or nothing; whether
# there is one; the geometry (WxH+X+Y) of the window `id`.
window_titled() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
window_shown() { [ -n "$(window_titled "$1")" ]; }
geometry() { [ -n "$1" ] && xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/ { x = $4 }
    /Absolute upper-left Y/ { y = $4 } /Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h "+" x "+" y }'; }
