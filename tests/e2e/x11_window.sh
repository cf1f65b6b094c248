#!/usr/bin/env bash
# `zintu` in a desktop window as a user runs it: no display, then under a
# private Xvfb the 1280x800 window titled "Zintu" drawing the network and its
# vehicles, and each way of closing it (a key, a mouse button, a 5-pixel
# pointer move, the window manager's close) ending it with status 0.
# Usage: x11_window.sh ZINTU X11_PROBE
source "$(dirname "$0")/x11_lib.sh"
export TZ=UTC0
# A Monday morning: the demo network's weekday vehicles are on the road.
at="2026-12-07 08:15:00"

env -u DISPLAY "$zintu" 2>"$work/err"
check "without DISPLAY: exit status 1" test $? -eq 1
check "without DISPLAY: one line says so" test "$(wc -l <"$work/err")" -eq 1
DISPLAY=":65000" "$zintu" 2>"$work/err"
check "display that cannot be opened: exit status 1" test $? -eq 1
check "display that cannot be opened: one line" grep -qx "zintu: cannot open display ':65000'" \
    "$work/err"

# The screen is larger than the window, so the size seen is the window's own.
start_xvfb 1600x1000

# Starts zintu in a window and waits until it shows frames; sets $pid, $wid.
start_window() {
    "$zintu" --at "$at" "$@" 2>"$work/err" &
    pid=$!
    started+=("$pid")
    wait_until 30 window_shown Zintu && wid=$(window_titled Zintu) &&
        wait_until 30 shows_frames "$wid"
}

check "a window titled Zintu shows the network and vehicles" start_window
geometry=$(xwininfo -id "$wid" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
check "the window is 1280x800 ($geometry)" test "$geometry" = "1280x800"
check "the window's class is zintu/Zintu" grep -q '"zintu", "Zintu"' <(xprop -id "$wid" WM_CLASS)
check "the window takes the window manager's close" grep -q WM_DELETE_WINDOW \
    <(xprop -id "$wid" WM_PROTOCOLS)
xdotool windowfocus "$wid" key space
check "a key press ends it with status 0" ends_with "$pid" 15 0
check "nothing on standard error" test ! -s "$work/err"

# The pointer rests inside the window (the screen's centre), so a click or a
# move reaches it without moving it there first.
start_window
xdotool click 1
check "a mouse button ends it with status 0" ends_with "$pid" 15 0

start_window
eval "$(xdotool getmouselocation --shell)"
xdotool mousemove $((X + 3)) $((Y + 2))
check "a 5-pixel pointer move ends it with status 0" ends_with "$pid" 15 0

start_window
"$probe" close "$wid"
check "the window manager's close ends it with status 0" ends_with "$pid" 15 0
exit $fail
