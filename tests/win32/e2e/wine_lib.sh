#!/usr/bin/env bash
# Sourced by the Windows end-to-end scripts, after check.sh and with
# $session, $state and $out set: programs run in the test's Wine session, and
# what its display shows.
mkdir -p "$out"
run() { "$session" run "$state" "$@"; }
# In the background, stopped at the end, with $! the program's own process
# (the session script becomes wine).
start() {
    "$session" run "$state" "$@" &
    started+=($!)
}
# A session of the script's own in $state, stopped at the end.
own_session() {
    "$session" start "$state" >/dev/null || { echo "FAIL the Wine session did not start"; exit 1; }
    stop_more() { "$session" stop "$state"; }
    eval "$("$session" env "$state")"
}
title="Zintu Screensaver Settings"

# The map: mostly white background, the network's grey lines and the
# overlay's dark text. The screenshot stays in $out.
map_drawn() {
    xwd -root -silent | tee "$out/fullscreen.xwd" | pixel_counts >"$out/screen.txt"
    awk '{ c[$1] = $2; t += $2 } END { exit !(c["white"] * 2 >= t && c["network"] >= 100 &&
        c["other"] >= 200) }' "$out/screen.txt"
}
covers_screen() { [ "$(geometry "$(window_titled "Screen Saver")")" = 1024x768+0+0 ]; }

# True when the window titled `title` has the keyboard, so keys reach it.
has_keyboard() { # title
    local id
    id=$(window_titled "$1") && [ -n "$id" ] && [ "$(xdotool getwindowfocus 2>/dev/null)" = "$id" ]
}
