#!/usr/bin/env bash
# zintu as XScreenSaver runs it, with x11_probe playing the daemon: it draws
# into a window it did not create (-window-id; the settings dialog's preview,
# -root with --window-id added) and ignores keys, clicks and pointer moves,
# and a SIGINT ignored when it started (as in a script's background job). It
# ends with status 0 and nothing on standard error when that window is
# destroyed or its owner goes away. A display it cannot open, or a window it
# cannot draw into, ends it with status 1 and one line that says why. (Which
# window a command line or XSCREENSAVER_WINDOW names, and the OpenGL
# configuration a window's visual allows, are the unit tests'; the daemon's
# own window and its SIGTERM are x11_daemon.sh's.)
# Usage: x11_xscreensaver.sh ZINTU X11_PROBE
source "$(dirname "$0")/x11_lib.sh"

check "a display that cannot be opened: exit status 1" fails_in_one_line 1 env DISPLAY=:65000 "$zintu"
check "  ... with one line that names it" err_is "zintu: cannot open display ':65000'"
start_xvfb 1280x800

# Creates the daemon's window; sets $owner (the probe's pid), $window and its
# id in hex, $hex.
make_window() { # [input-only]
    rm -f "$work/window" # never read the last one's id
    "$probe" window 640x400 "$@" >"$work/window" &
    owner=$!
    started+=("$owner")
    wait_until 20 test -s "$work/window" && window=$(head -n 1 "$work/window") &&
        printf -v hex '0x%x' "$window"
}

make_window
start_zintu -window-id "$window"
check "-window-id ID draws into that window" wait_until 30 shows_frames "$window"
# Input is the daemon's business: nothing of it ends the saver.
xdotool mousemove 200 200 click 1 mousemove 400 300 key a key Escape
kill -s INT "$pid"
sleep 1 # time for the input to arrive; the saver must still be there after it
check "keys, clicks, moves and an ignored SIGINT leave it running" is_running "$pid"
xdotool windowclose "$window"
check "destroying the window ends it with status 0" ends_with "$pid" 15 0
check "  ... and prints no X error" test ! -s "$work/err"
kill "$owner"

make_window
# As xscreensaver-settings 6.06 runs a preview: the XML's command, then its
# window ("zintu -root --window-id 0x400D5F").
printf -v upper '0x%X' "$window"
start_zintu -root --window-id "$upper"
check "-root --window-id 0x... (the settings dialog's preview) draws into that window" \
    wait_until 30 shows_frames "$window"
kill "$owner" # the owner's connection closes; the server destroys its window
check "the owner going away ends it with status 0" ends_with "$pid" 15 0
check "  ... and prints no X error" test ! -s "$work/err"

check "a window that does not exist: exit status 1" fails_in_one_line 1 "$zintu" -window-id 0x7ffff0
check "  ... with one line" err_is "zintu: there is no window 0x7ffff0 on the display"
make_window input-only
check "an input-only window: exit status 1" fails_in_one_line 1 "$zintu" -window-id "$hex"
check "  ... with one line that says so" \
    err_is "zintu: the window $hex is an input-only window: nothing can be drawn into it"
exit $fail
