#!/usr/bin/env bash
# zintu under the real XScreenSaver daemon, as a user who lists it as
# "GL: zintu -root" runs it: the daemon starts it in its window when it
# blanks, zintu draws there, and when the daemon stops it (at each cycle and
# when it unblanks) zintu ends by the daemon's SIGTERM, which the daemon logs
# as a normal exit. The daemon does not run hacks as root, so as root the
# daemon and zintu run as "nobody". Without XScreenSaver it exits 77, which
# CTest counts as skipped.
# Usage: x11_daemon.sh ZINTU X11_PROBE
source "$(dirname "$0")/x11_lib.sh"
command -v xscreensaver >/dev/null || {
    echo "skipped: XScreenSaver is not installed"
    exit 77
}
# The user's files, and the sanitizer reports of a zintu running as nobody.
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
cycle: 0:00:10
lock: False
fade: False
unfade: False
splash: False
programs: GL: $zintu -root --at "$at" \\n
EOF
chown -R "$user" "$HOME"
start_xvfb 1024x768

as_user xscreensaver -no-splash -verbose >"$work/daemon.log" 2>&1 &
started+=($!)
daemon_up() { as_user xscreensaver-command -time >/dev/null 2>&1; }
check "the daemon starts" wait_until 20 daemon_up
as_user xscreensaver-command -activate >/dev/null
check "zintu draws in the daemon's window when it blanks" wait_until 30 shows_frames root
stopped() { grep -q "child pid [0-9]* ($zintu) exited" "$work/daemon.log"; }
check "the daemon stops it at the end of a cycle" wait_until 40 stopped
check "  ... and logs a normal exit by SIGTERM" \
    grep -q "child pid [0-9]* ($zintu) exited normally with SIGTERM" "$work/daemon.log"
check "  ... and never an abnormal one" test -z "$(grep abnormally "$work/daemon.log")"
as_user xscreensaver-command -deactivate >/dev/null
gone() { ! pgrep -u "$user" -f "^$zintu " >/dev/null; }
check "unblanking ends every zintu" wait_until 15 gone
exit $fail
