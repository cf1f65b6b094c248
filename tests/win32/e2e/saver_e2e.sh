#!/usr/bin/env bash
# zintu.scr started as Windows starts a screen saver, under Wine in the test
# session's Xvfb (whose X windows are found by their titles), mode by mode.
#   saver_e2e.sh SCR PREVIEW_PARENT SESSION_SCRIPT STATE OUT
# The last screenshot of the full-screen saver goes to OUT.
source "$(dirname "$0")/../../e2e/check.sh"
scr=$1 owner_program=$2 session=$3 state=$4 out=$5
source "$(dirname "$0")/wine_lib.sh"
eval "$("$session" env "$state")"
[ -n "${DISPLAY:-}" ] || { echo "no session display"; exit 1; }

start "$scr" /s
saver=$!
started+=("$saver")
check "/s: a window titled Screen Saver covers the screen" wait_until 30 covers_screen
check "  ... and shows the map and the overlay's text" wait_until 30 map_drawn
check "a second /s exits 0 at once" timeout 20 "$session" run "$state" "$scr" /s
xdotool key space
check "a key press ends the saver with 0" ends_with "$saver" 30 0

# The owner checks that the preview fills its window and that input leaves
# it; the window then goes, destroyed or with the program that owned it.
for how in destroy exit; do
    rm -f "$out/parent.txt"
    start "$owner_program" "$how" >"$out/parent.txt"
    owner=$!
    wait_until 20 test -s "$out/parent.txt" # its window's handle
    start "$scr" /p "$(head -n 1 "$out/parent.txt" | tr -d '\r')"
    preview=$!
    started+=("$owner" "$preview")
    check "/p: the preview fills its parent, input leaves it (parent: $how)" \
        ends_with "$owner" 60 0
    check "  ... and it ends with 0 with its parent" ends_with "$preview" 30 0
done

# A window that is gone, no mode, and the password change off the Windows 95
# family: -1, which the shell sees as 255.
for arguments in "/p $(head -n 1 "$out/parent.txt" | tr -d '\r')" /x /a; do
    timeout 20 "$session" run "$state" "$scr" $arguments
    check "'$arguments' exits 255" test $? -eq 255
done

# The dialog opens on the choices in the Windows folder's file; Escape ends
# it and saves nothing; OK (Enter) saves them to the user's file, in UTF-16,
# making its folder.
appdata=$(winepath -u "$(run cmd /c echo %APPDATA% | tr -d '\r')")
[ -d "$appdata" ] || { echo "FAIL no application data folder"; exit 1; }
rm -rf "$appdata/Zintu"
settings=$appdata/Zintu/zintu.ini fallback=$(winepath -u 'C:\windows')/zintu.ini
printf '[zintu]\r\nmode=fastmode\r\nzoomlevel=downtown\r\n' >"$fallback"
start "$scr" /c
dialog=$!
started+=("$dialog")
check "/c shows the settings dialog" wait_until 30 has_keyboard "$title"
xdotool key Escape
check "Escape ends /c with 0" ends_with "$dialog" 30 0
check "  ... saving nothing" test ! -e "$settings"
start "$scr" /c
dialog=$!
started+=("$dialog")
wait_until 30 has_keyboard "$title"
xdotool key Return
check "OK ends /c with 1" ends_with "$dialog" 30 1
check "  ... and saves the shown choices for the user" \
    test "$(iconv -f UTF-16 "$settings" | grep -cE '^(mode=fastmode|zoomlevel=downtown)')" -eq 2
rm -f "$fallback"
exit $fail
