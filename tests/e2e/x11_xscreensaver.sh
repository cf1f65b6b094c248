#!/usr/bin/env bash
# zintu as XScreenSaver runs it: first with x11_probe playing the daemon's
# window, then, if installed, under the real daemon as "GL: zintu -root",
# with a cycle long enough for a sanitized build on a loaded machine to draw.
# Usage: x11_xscreensaver.sh ZINTU X11_PROBE
source "$(dirname "$0")/x11_lib.sh"
check "a display that cannot be opened: exit status 1 and one line that names it" \
    fails_with 1 "zintu: cannot open display ':65000'" env DISPLAY=:65000 "$zintu"
start_xvfb 1024x768

make_window
start_zintu -window-id "$window"
check "-window-id ID draws into that window" wait_until 30 shows_frames "$window"
xdotool mousemove 200 200 click 1 mousemove 400 300 key a key Escape
kill -s INT "$pid"
sleep 1 # time for the input to arrive; the saver must still be there after it
check "keys, clicks, moves and an ignored SIGINT leave it running" is_running "$pid"
xdotool windowclose "$window"
check "destroying the window ends it with status 0" ends_with "$pid" 15 0
check "  ... and prints no X error" test ! -s "$work/err"
# The window's owner killed mid-frame: the server destroys the window under
# the drawing, which must not stall the exit.
make_window
start_zintu -window-id "$window"
check "  ... as when the window's owner goes away" wait_until 30 shows_frames "$window"
kill "$owner"
check "  ... which ends it with status 0 too" ends_with "$pid" 15 0

check "a window that does not exist: exit status 1 and one line" \
    fails_with 1 "zintu: there is no window 0x7ffff0 on the display" "$zintu" -window-id 0x7ffff0
make_window input-only
check "an input-only window: exit status 1 and one line that says so" fails_with 1 \
    "zintu: the window $hex is an input-only window: nothing can be drawn into it" "$zintu" -window-id "$hex"

# Wholly covered by another window it draws nothing, even with every tick;
# uncovered, it draws again at once.
make_window
start_zintu -window-id "$window" --pace every-tick
check "a window drawn into on every tick" wait_until 30 shows_frames "$window"
drawn=$owner
cpu_for_2s() { local t; t=$(awk '{ print $14 + $15 }' "/proc/$pid/stat"); sleep 2
    echo $(($(awk '{ print $14 + $15 }' "/proc/$pid/stat") - t)); }
make_window # the same place and size, over it
covered=$(cpu_for_2s)
kill "$owner"
shown=$(cpu_for_2s)
check "  ... covered, it draws nothing (CPU ticks in 2 s: $covered covered, $shown shown)" \
    test "$covered" -le 5 -a "$shown" -ge 15
kill "$drawn"
check "  ... and ends with its window" ends_with "$pid" 15 0

command -v xscreensaver >/dev/null || {
    echo "skipped: the daemon's part, XScreenSaver is not installed"
    exit $fail
}
# The daemon runs no hacks as root, so as root both run as "nobody", who
# must be able to write its sanitizer reports.
chmod 1777 "$work"
export HOME=$work/home
mkdir "$HOME"
user=$(id -un)
[ "$(id -u)" -eq 0 ] && user=nobody
as_user() {
    setpriv --reuid="$user" --regid="$(id -gn "$user")" --clear-groups --reset-env \
        env HOME="$HOME" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin TZ=UTC0 \
        ASAN_OPTIONS="$ASAN_OPTIONS" UBSAN_OPTIONS="$UBSAN_OPTIONS" "$@"
}
cat >"$HOME/.xscreensaver" <<EOF
mode: one
selected: 0
cycle: 0:00:20
lock: False
fade: False
unfade: False
programs: GL: $zintu -root --at "$at" \\n
EOF
chown -R "$user" "$HOME"

as_user xscreensaver -no-splash -verbose >"$work/daemon.log" 2>&1 &
started+=($!)
daemon_up() { as_user xscreensaver-command -time >/dev/null 2>&1; }
check "the daemon starts" wait_until 20 daemon_up
as_user xscreensaver-command -activate >/dev/null
check "zintu draws in the daemon's window when it blanks" wait_until 30 shows_frames root
stopped() { grep -q "child pid [0-9]* ($zintu) exited" "$work/daemon.log"; }
check "the daemon stops it at the end of a cycle" wait_until 60 stopped
check "  ... and logs a normal exit by SIGTERM" \
    grep -q "child pid [0-9]* ($zintu) exited normally with SIGTERM" "$work/daemon.log"
check "  ... and never an abnormal one" test -z "$(grep abnormally "$work/daemon.log")"
as_user xscreensaver-command -deactivate >/dev/null
gone() { ! pgrep -u "$user" -f "^$zintu " >/dev/null; }
check "unblanking ends every zintu" wait_until 15 gone
exit $fail
