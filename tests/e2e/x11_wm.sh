#!/usr/bin/env bash
# zintu under a window manager that offers full-screen windows (Openbox, a
# private one on a private Xvfb): --fullscreen asks for _NET_WM_STATE_FULLSCREEN
# instead of bypassing the manager, covers the screen with the cursor hidden
# and ends on a key the manager routes to it; the desktop window keeps its
# 1280x800 and ends with status 0 on the manager's close (Alt+F4).
# Usage: x11_wm.sh ZINTU X11_PROBE
source "$(dirname "$0")/x11_lib.sh"
export TZ=UTC0
at="2026-12-07 08:15:00"
start_xvfb 1280x800
openbox --sm-disable >"$work/openbox.log" 2>&1 &
started+=($!)
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }
check "the window manager runs" wait_until 30 wm_running

start_saver() { # options...
    "$zintu" --at "$at" "$@" 2>"$work/err" &
    pid=$!
    started+=("$pid")
    wait_until 30 window_shown Zintu && wid=$(window_titled Zintu) &&
        wait_until 30 shows_frames "$wid"
}
geometry() { xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
    /Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h "+" x "+" y }'; }

check "the full-screen saver shows frames under the manager" start_saver --fullscreen
check "the manager made it full screen" grep -q _NET_WM_STATE_FULLSCREEN <(xprop -id "$wid" _NET_WM_STATE)
check "it is a managed window, not override-redirect" \
    grep -q "Override Redirect State: no" <(xwininfo -id "$wid")
check "it covers the screen ($(geometry "$wid"))" test "$(geometry "$wid")" = "1280x800+0+0"
check "the cursor is hidden" test "$("$probe" cursor)" = blank
xdotool key q
check "a key press ends it with status 0" ends_with "$pid" 15 0

check "the desktop window shows frames under the manager" start_saver
check "it keeps its size" grep -q "^1280x800+" <(geometry "$wid")
xdotool windowactivate --sync "$wid" key alt+F4
check "the manager's close (Alt+F4) ends it with status 0" ends_with "$pid" 15 0
check "nothing on standard error" test ! -s "$work/err"
exit $fail
