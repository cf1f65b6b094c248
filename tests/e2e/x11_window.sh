#!/usr/bin/env bash
# zintu's own windows under a private Xvfb. Without a window manager,
# `--fullscreen` covers the screen with the cursor hidden and draws frames; a
# pointer move of 5 pixels from where the pointer was when the window appeared
# ends it with status 0, as does a key (it holds the keyboard); an X error it
# does not expect (its window moved into an unmapped one, where it cannot take
# the keyboard) ends it with status 1 and one line naming the error. Under a
# window manager that offers full-screen windows (Openbox), --fullscreen asks
# for _NET_WM_STATE_FULLSCREEN instead of bypassing it and ends on a key the
# manager routes to it; the desktop window, titled "Zintu" with the class
# zintu/Zintu, keeps its 1280x800 and ends with status 0 on the manager's
# close request (WM_DELETE_WINDOW). (Which input closes, and the pointer's
# threshold, are the unit tests'.)
# Usage: x11_window.sh ZINTU X11_PROBE
source "$(dirname "$0")/x11_lib.sh"
start_xvfb 1280x800
# The full-screen window's checks, with or without a manager.
covers() {
    check "it covers the screen ($(geometry "$wid"))" test "$(geometry "$wid")" = "1280x800+0+0"
    check "the cursor is hidden" test "$("$probe" cursor)" = blank
}

check "the full-screen window shows the network and vehicles" start_window --fullscreen
covers
# 3 right and 2 down: 5 pixels from where the pointer was at the start.
xdotool mousemove $((X + 3)) $((Y + 2))
check "a 5-pixel pointer move ends it with status 0" ends_with "$pid" 15 0
check "nothing on standard error" test ! -s "$work/err"
check "the cursor shows again" test "$("$probe" cursor)" = visible

start_window --fullscreen
xdotool key Escape
check "a key press ends it with status 0 (it has the keyboard)" ends_with "$pid" 15 0

# Moved into a window that is not mapped, the saver's window is mapped again
# and can no longer take the keyboard focus: the server answers BadMatch.
start_window --fullscreen
"$probe" window 64x64 >"$work/parent" &
started+=($!)
wait_until 20 test -s "$work/parent" && parent=$(head -n 1 "$work/parent")
xdotool windowunmap --sync "$parent"
xdotool windowreparent "$wid" "$parent"
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
# The close request a manager sends for its close button (Alt+F4 typed here
# would reach zintu as a key press, which ends it too).
"$probe" close "$wid"
check "the manager's close (WM_DELETE_WINDOW) ends it with status 0" ends_with "$pid" 15 0
check "nothing on standard error" test ! -s "$work/err"
exit $fail
