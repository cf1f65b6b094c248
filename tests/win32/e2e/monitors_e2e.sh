#!/usr/bin/env bash
# zintu.scr /s over two monitors side by side, in a Wine session of its own:
# by default each shows the whole map with its overlay, the same picture;
# with monitors=span one map runs across both. A click on either ends it.
#   monitors_e2e.sh SCR SESSION_SCRIPT STATE OUT   (screenshots stay in OUT)
source "$(dirname "$0")/../../e2e/check.sh"
scr=$1 session=$2 state=$3 out=$4
source "$(dirname "$0")/wine_lib.sh"
export ZINTU_WINE_USER=monitors ZINTU_WINE_SCREEN=2560x800
export ZINTU_WINE_MONITORS="1280/338x800/211+0+0 1280/338x800/211+1280+0"
own_session
settings=$WINEPREFIX/drive_c/users/monitors/AppData/Roaming/Zintu/zintu.ini
mkdir -p "$(dirname "$settings")"

covers_both() { [ "$(geometry "$(window_titled "Screen Saver")")" = 2560x800+0+0 ]; }
# The pixels that differ between the two monitors in map_drawn's screenshot.
halves_differ() { # layout
    for x in 0 1280; do
        convert "xwd:$out/fullscreen.xwd" -crop "1280x800+$x+0" +repage "$out/$1-$x.png"
    done
    compare -metric AE "$out/$1-0.png" "$out/$1-1280.png" null: 2>&1 >/dev/null
}

for layout in each span; do
    printf '[zintu]\r\nmonitors=%s\r\n' "$layout" >"$settings"
    click_at=$([ "$layout" = each ] && echo 1900 || echo 600)
    xdotool mousemove "$click_at" 400 # there already, so only the click closes
    start "$scr" /s
    saver=$!
    check "$layout: the window covers both monitors and shows a map" \
        wait_until 30 eval 'covers_both && map_drawn'
    differing=$(halves_differ "$layout")
    if [ "$layout" = each ]; then
        check "  ... the same on each ($differing pixels differ)" test "$differing" -lt 2000
    else
        check "  ... but one map across them ($differing pixels differ)" test "$differing" -gt 20000
    fi
    xdotool click 1
    check "  ... a click at x $click_at ends the saver with 0" ends_with "$saver" 30 0
done
exit $fail
