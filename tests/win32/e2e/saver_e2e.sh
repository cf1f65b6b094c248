#!/usr/bin/env bash
# zintu.scr driven as Windows drives a screen saver, under Wine in the test
# session's Xvfb: full screen with a screenshot and a key press, a second
# start, the preview inside another program's window (one that destroys the
# window, and one whose program ends without destroying it), a switch that
# names no mode and the settings dialog, which saves to the user's
# application data. Wine's windows are X windows of the session's display,
# found by their titles. Uses the end-to-end scripts' shared checks
# (tests/e2e/check.sh).
#
#   saver_e2e.sh SCR PREVIEW_PARENT SESSION_SCRIPT STATE OUT
# The screenshot of the full-screen saver goes to OUT.
source "$(dirname "$0")/../../e2e/check.sh"
scr=$1 owner_program=$2 session=$3 state=$4 out=$5
mkdir -p "$out"
eval "$("$session" env "$state")"
[ -n "${DISPLAY:-}" ] || { echo "no session display"; exit 1; }
run() { "$session" run "$state" "$@"; }

# The map: mostly white background, with the network's grey lines. The last
# screenshot goes to OUT/fullscreen.xwd, its pixel counts to OUT/screen.txt.
map_drawn() {
    xwd -root -silent | tee "$out/fullscreen.xwd" | pixel_counts >"$out/screen.txt"
    awk '{ c[$1] = $2; total += $2 } END { exit !(c["white"] * 2 >= total && c["network"] >= 100) }' \
        "$out/screen.txt"
}

covers_screen() { [ "$(geometry "$(window_titled "Screen Saver")")" = 1024x768+0+0 ]; }

# 1. Full screen: a window covering the screen, drawing, ended by a key.
run "$scr" /s &
saver=$!
started+=("$saver")
check "/s: a window titled Screen Saver covers the screen" wait_until 30 covers_screen
# The first frames may still be black; the last screenshot stays in OUT.
check "the screen shows the map" wait_until 30 map_drawn
echo "     ($(sort "$out/screen.txt" | tr '\n' ' '))"
# 2. A second start while the first runs ends at once with 0 (a window of its
# own would keep it running).
check "a second /s exits 0 at once" timeout 20 "$session" run "$state" "$scr" /s
# The key press goes to the window under the pointer: the saver covers all.
xdotool mousemove 500 400 >/dev/null 2>&1
sleep 0.5
xdotool key space
check "a key press ends the saver with 0" ends_with "$saver" 30 0

# 3. Preview inside another program's window: it fills the window, input
# leaves it running, and it ends with 0 when that window goes, also without a
# word to the saver (the program ended and the system destroyed its windows).
has_line() { [ "$(wc -l <"$1")" -ge 1 ]; }
for how in destroy exit; do
    rm -f "$out/parent.txt"
    run "$owner_program" "$how" 30 >"$out/parent.txt" &
    owner=$!
    wait_until 20 has_line "$out/parent.txt" # its window's handle
    run "$scr" /p "$(head -n 1 "$out/parent.txt" | tr -d '\r')" &
    preview=$!
    started+=("$owner" "$preview")
    check "/p: the preview fills its parent, input leaves it (parent: $how)" \
        ends_with "$owner" 60 0
    check "  ... and it ends with 0 with its parent" ends_with "$preview" 30 0
done

# 4. A preview for the window that is gone now, and a switch that names no
# mode: -1, which the shell sees as 255.
for arguments in "/p $(head -n 1 "$out/parent.txt" | tr -d '\r')" /x; do
    timeout 20 "$session" run "$state" "$scr" $arguments
    check "'$arguments' exits 255" test $? -eq 255
done

# 5. Configure: the settings dialog, closed with Enter (OK, its result 1),
# writes the user's settings file.
settings=$(winepath -u "$(run cmd /c echo %APPDATA% | tr -d '\r')")/Zintu/zintu.ini
rm -f "$settings"
run "$scr" /c &
dialog=$!
started+=("$dialog")
check "/c shows the settings dialog" wait_until 30 window_shown "Zintu Screensaver Settings"
xdotool key Return
check "OK ends /c with 1" ends_with "$dialog" 30 1
check "  ... and writes the user's settings file" grep -q "^mode=" "$settings"
exit $fail
