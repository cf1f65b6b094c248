#!/usr/bin/env bash
# zintu.scr started as Windows starts a screen saver: /s, /p and the refused
# modes. (The dialog, /c, is the Łukasz flow's and dialog_test's.)
#   saver_e2e.sh SCR PREVIEW_PARENT SESSION_SCRIPT STATE OUT
source "$(dirname "$0")/../../e2e/check.sh"
scr=$1 owner_program=$2 session=$3 state=$4 out=$5
source "$(dirname "$0")/wine_lib.sh"
eval "$("$session" env "$state")"
[ -n "${DISPLAY:-}" ] || { echo "no session display"; exit 1; }

start "$scr" /s
saver=$!
check "/s: a window titled Screen Saver covers the screen" wait_until 30 covers_screen
check "  ... and a second /s exits 0 at once" timeout 20 "$session" run "$state" "$scr" /s
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
exit $fail
