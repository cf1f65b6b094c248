#!/usr/bin/env bash
# `zintu --fullscreen` under a private Xvfb without a window manager: it
# covers the screen with the cursor hidden and draws frames; a pointer move of
# 4 pixels from where the pointer was when the window appeared leaves it
# running, one more pixel (5 in all) ends it, as does a 5-pixel move at once,
# a key or a button, with status 0; SIGTERM and SIGHUP end it by the signal.
# Usage: x11_fullscreen.sh ZINTU X11_PROBE
source "$(dirname "$0")/x11_lib.sh"
export TZ=UTC0
at="2026-12-07 08:15:00"
start_xvfb 1280x800

# Starts the full-screen saver and waits until it shows frames; sets $pid,
# $wid and the pointer's position X, Y.
start_saver() {
    "$zintu" --fullscreen --at "$at" 2>"$work/err" &
    pid=$!
    started+=("$pid")
    wait_until 30 window_shown Zintu && wid=$(window_titled Zintu) &&
        wait_until 30 shows_frames "$wid" && eval "$(xdotool getmouselocation --shell)"
}

check "the full-screen window shows the network and vehicles" start_saver
geometry=$(xwininfo -id "$wid" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
check "it covers the 1280x800 screen ($geometry)" test "$geometry" = "1280x800"
check "the cursor is hidden" test "$("$probe" cursor)" = blank
# 3 right and 1 down: 4 pixels, not more than the threshold.
xdotool mousemove $((X + 3)) $((Y + 1))
sleep 1 # time for the motion to be seen; the saver must still be there after it
check "a 4-pixel move leaves it running" is_running "$pid"
# One more to the right: 5 pixels from the reference, measured from where the
# pointer was at the start, not from the last move.
xdotool mousemove $((X + 4)) $((Y + 1))
check "small moves add up: 5 pixels in all end it with status 0" ends_with "$pid" 15 0
check "nothing on standard error" test ! -s "$work/err"
check "the cursor shows again" test "$("$probe" cursor)" = visible

start_saver
xdotool mousemove $((X + 3)) $((Y + 2))
check "a 5-pixel move ends it with status 0" ends_with "$pid" 15 0

start_saver
xdotool key Escape
check "a key press ends it with status 0 (it has the keyboard)" ends_with "$pid" 15 0

start_saver
xdotool click 3
check "a mouse button ends it with status 0" ends_with "$pid" 15 0

for signal in TERM HUP; do
    start_saver
    kill -s "$signal" "$pid"
    status=$((128 + $(kill -l "$signal")))
    check "SIG$signal ends it by that signal (status $status)" ends_with "$pid" 15 "$status"
    check "SIG$signal: nothing on standard error" test ! -s "$work/err"
done
exit $fail
