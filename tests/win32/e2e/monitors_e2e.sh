#!/usr/bin/env bash
# zintu.scr /s over two monitors side by side, in a Wine session of its own:
# by default each monitor shows the whole map with its overlay, so the two
# show the same picture; with monitors=span one map runs across both, so they
# differ. A click on either monitor ends the saver.
#   monitors_e2e.sh SCR SESSION_SCRIPT STATE OUT
# The screenshots stay in OUT.
source "$(dirname "$0")/../../e2e/check.sh"
scr=$1 session=$2 state=$3 out=$4
source "$(dirname "$0")/wine_lib.sh"
export ZINTU_WINE_USER=monitors ZINTU_WINE_MONITORS="1280x800+0+0 1280x800+1280+0"
own_session
settings=$WINEPREFIX/drive_c/users/monitors/AppData/Roaming/Zintu/zintu.ini
mkdir -p "$(dirname "$settings")"

covers_both() { [ "$(geometry "$(window_titled "Screen Saver")")" = 2560x800+0+0 ]; }
# How many pixels differ between the two monitors' halves of the screen;
# "none" unless both show network lines.
halves_differ() { # layout
    xwd -root -silent | convert xwd:- "$out/$1.png"
    for half in 0 1280; do
        convert "$out/$1.png" -crop "1280x800+$half+0" +repage "$out/$1-$half.png"
        convert "$out/$1-$half.png" xwd:- | pixel_counts >"$out/$1-$half.txt"
        awk '{ c[$1] = $2 } END { exit !(c["network"] >= 100) }' "$out/$1-$half.txt" ||
            { echo none && return; }
    done
    compare -metric AE "$out/$1-0.png" "$out/$1-1280.png" null: 2>&1 >/dev/null
}

for layout in each span; do
    printf '[zintu]\r\nmonitors=%s\r\n' "$layout" >"$settings"
    # The click comes where the pointer already is, so only the click closes.
    click_at=$([ "$layout" = each ] && echo 1900 || echo 600)
    xdotool mousemove "$click_at" 400
    start "$scr" /s
    saver=$!
    check "$layout: the window covers both monitors" wait_until 30 covers_both
    sleep 3 # past the loading frames
    differing=$(halves_differ "$layout")
    echo "$layout: $differing pixels differ between the monitors"
    if [ "$layout" = each ]; then
        check "  ... each shows the whole map and its overlay" test "${differing:-x}" -lt 2000
    else
        check "  ... one map spans them" test "${differing:-0}" -gt 20000
    fi
    xdotool click 1
    check "  ... a click at x $click_at ends the saver with 0" ends_with "$saver" 30 0
done
exit $fail
