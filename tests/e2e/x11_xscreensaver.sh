#!/usr/bin/env bash
# zintu as XScreenSaver runs it, with x11_probe playing the daemon: it draws
# into a window it did not create (-window-id; XSCREENSAVER_WINDOW with -root;
# the settings dialog's preview, -root with --window-id added) or on the root
# window, and ignores keys, clicks and pointer moves. It ends with status 0
# and nothing on standard error when that window is destroyed or its owner
# goes away, and by the signal itself on SIGTERM, SIGHUP and SIGINT (unless
# SIGINT was ignored when it started, as in a script's background job).
# Usage: x11_xscreensaver.sh ZINTU X11_PROBE
source "$(dirname "$0")/x11_lib.sh"
export TZ=UTC0
at="2026-12-07 08:15:00"
start_xvfb 1280x800

# Creates the daemon's window; sets $owner (the probe's pid) and $window.
make_window() { # [input-only]
    rm -f "$work/window" # never read the last one's id
    "$probe" window 640x400 "$@" >"$work/window" &
    owner=$!
    started+=("$owner")
    wait_until 20 test -s "$work/window" && window=$(head -n 1 "$work/window")
}

# Starts zintu with the given arguments; sets $pid. Like any background job of
# a script, it inherits SIGINT ignored.
start_zintu() {
    "$zintu" --at "$at" "$@" 2>"$work/err" &
    pid=$!
    started+=("$pid")
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
printf -v hex '0x%X' "$window"
# As xscreensaver-settings 6.06 runs a preview: the XML's command, then its
# window ("zintu -root --window-id 0x400D5F").
start_zintu -root --window-id "$hex"
check "-root --window-id 0x... (the settings dialog's preview) draws into that window" \
    wait_until 30 shows_frames "$window"
kill "$owner" # the owner's connection closes; the server destroys its window
check "the owner going away ends it with status 0" ends_with "$pid" 15 0
check "  ... and prints no X error" test ! -s "$work/err"

make_window
printf -v hex '0x%x' "$window"
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

"$zintu" -window-id 0x7ffff0 2>"$work/err"
check "a window that does not exist: exit status 1" test $? -eq 1
check "  ... with one line" test "$(cat "$work/err")" = "zintu: there is no window 0x7ffff0 on the display"
make_window input-only
printf -v hex '0x%x' "$window"
"$zintu" -window-id "$hex" 2>"$work/err"
check "an input-only window: exit status 1" test $? -eq 1
check "  ... with one line that says so" \
    test "$(cat "$work/err")" = "zintu: the window $hex is an input-only window: nothing can be drawn into it"
kill "$owner"
XSCREENSAVER_WINDOW=junk "$zintu" -root 2>"$work/err"
check "a malformed XSCREENSAVER_WINDOW: exit status 1" test $? -eq 1
check "  ... with one line" test "$(wc -l <"$work/err")" -eq 1
for args in "-window-id" "-window-id 12abc" "-window-id 0" "-window-id 0x100000000" \
    "-root -fullscreen" "-window-id 5 -vehicles"; do
    # shellcheck disable=SC2086
    "$zintu" $args 2>"$work/err"
    check "'$args' exits 2 with one line" test $? -eq 2 -a "$(wc -l <"$work/err")" -eq 1
done
exit $fail
