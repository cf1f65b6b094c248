#!/usr/bin/env bash
# zintu's own windows under a private Xvfb, without and then with a window
# manager (Openbox): full screen, the desktop window, and how each ends.
# Usage: x11_window.sh ZINTU X11_PROBE
source "$(dirname "$0")/x11_lib.sh"
start_xvfb 1280x800
covers() {
    check "it covers the screen ($(geometry "$wid"))" test "$(geometry "$wid")" = "1280x800+0+0"
    check "the cursor is hidden" test "$("$probe" cursor)" = blank
}

check "the full-screen window shows the network and vehicles" start_window --fullscreen
covers
xdotool mousemove $((X + 3)) $((Y + 2))
check "a 5-pixel pointer move ends it with status 0" ends_with "$pid" 15 0
check "nothing on standard error" test ! -s "$work/err"

# Moved into a window that is not mapped, the saver's window is mapped again
# and can no longer take the keyboard focus: the server answers BadMatch.
start_window --fullscreen
make_window
xdotool windowunmap --sync "$window"
xdotool windowreparent "$wid" "$window"
check "an unexpected X error ends it with status 1" ends_with "$pid" 15 1
check "  ... with one line naming the error" err_is "zintu: X error: BadMatch .*"

openbox --sm-disable >"$work/openbox.log" 2>&1 &
started+=($!)
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }
check "a window manager runs" wait_until 30 wm_running
check "the full-screen saver shows frames under the manager" start_window --fullscreen
check "the manager made it full screen" grep -q _NET_WM_STATE_FULLSCREEN <(xprop -id "$wid" _NET_WM_STATE)
check "it is a managed window, not override-redirect" \
    grep -q "Override Redirect State: no" <(xwininfo -id "$wid")
covers
xdotool key q
check "a key press ends it with status 0" ends_with "$pid" 15 0

check "the desktop window shows frames under the manager" start_window
check "it keeps its size" grep -q "^1280x800+" <(geometry "$wid")
check "its class is zintu/Zintu" grep -q '"zintu", "Zintu"' <(xprop -id "$wid" WM_CLASS)
"$probe" close "$wid" # as the manager's close button does
check "the manager's close (WM_DELETE_WINDOW) ends it with status 0" ends_with "$pid" 15 0
check "nothing on standard error" test ! -s "$work/err"
exit $fail
