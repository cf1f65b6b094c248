#!/usr/bin/env bash
# zintu as XScreenSaver runs it, with x11_probe playing the daemon: it draws
# into a window it did not create (-window-id; XSCREENSAVER_WINDOW with -root;
# the settings dialog's preview, -root with --window-id added) or on the root
# window, and ignores keys, clicks and pointer moves. It ends with status 0
# and nothing on standard error when that window is destroyed or its owner
# goes away, and by the signal itself on SIGTERM and SIGINT (unless SIGINT was
# ignored when it started, as in a script's background job). Without a
# display, or without a window it can draw into with double-buffered OpenGL,
# it ends with status 1 and one line that says why.
# Usage: x11_xscreensaver.sh ZINTU X11_PROBE
source "$(dirname "$0")/x11_lib.sh"

# Runs before the display exists: what a user without one sees.
check "without DISPLAY: exit status 1 with one line" fails_in_one_line 1 env -u DISPLAY "$zintu"
check "a display that cannot be opened: exit status 1" fails_in_one_line 1 env DISPLAY=:65000 "$zintu"
check "  ... with one line that names it" err_is "zintu: cannot open display ':65000'"
start_xvfb 1280x800

# Creates the daemon's window; sets $owner (the probe's pid), $window and its
# id in hex, $hex.
make_window() { # [input-only|single-buffered]
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
sleep 1 # time for the input to arrive; the saver must still be there after it
check "keys, clicks and moves leave it running" is_running "$pid"
"$probe" destroy "$window"
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

make_window
XSCREENSAVER_WINDOW="$hex" start_zintu -root
check "-root with XSCREENSAVER_WINDOW draws into that window" wait_until 30 shows_frames "$window"
kill -s INT "$pid"
sleep 1 # time for the signal to arrive; the saver must still be there after it
check "a SIGINT ignored since its start stays ignored" is_running "$pid"
kill -s TERM "$pid"
check "SIGTERM ends it by that signal (status 143)" ends_with "$pid" 15 143
check "  ... and prints nothing" test ! -s "$work/err"
kill "$owner"

env --default-signal=INT "$zintu" --at "$at" -root 2>"$work/err" &
pid=$!
started+=("$pid")
check "-root draws on the root window" wait_until 30 shows_frames root
kill -s INT "$pid"
check "SIGINT ends it by that signal (status 130)" ends_with "$pid" 15 130

# Windows it cannot draw into, each named in one line.
check "a window that does not exist: exit status 1" fails_in_one_line 1 "$zintu" -window-id 0x7ffff0
check "  ... with one line" err_is "zintu: there is no window 0x7ffff0 on the display"
make_window input-only
check "an input-only window: exit status 1" fails_in_one_line 1 "$zintu" -window-id "$hex"
check "  ... with one line that says so" \
    err_is "zintu: the window $hex is an input-only window: nothing can be drawn into it"
kill "$owner"
make_window single-buffered
# Without leak checking: zintu closes the display after asking GLX, which
# unloads the GL driver, and the checker then counts what the driver kept as
# leaked. (To be fixed in the X11 host: keep the display once GLX was asked,
# as it does once a context exists.)
check "a window whose visual has no double-buffered OpenGL: exit status 1" \
    fails_in_one_line 1 env ASAN_OPTIONS="$ASAN_OPTIONS:detect_leaks=0" "$zintu" -window-id "$hex"
check "  ... with one line that says so" \
    err_is "zintu: the window's visual 0x[0-9a-f]* has no double-buffered OpenGL configuration"
kill "$owner"
check "a malformed XSCREENSAVER_WINDOW: exit status 1 with one line" \
    fails_in_one_line 1 env XSCREENSAVER_WINDOW=junk "$zintu" -root
exit $fail
