#!/usr/bin/env bash
# zintu.scr driven as Windows drives a screen saver, under Wine in the test
# session's Xvfb: full screen with a screenshot and a key press, a second
# start, the preview inside another program's window (also one whose program
# ends without destroying it), rejected command lines and the settings dialog.
#
#   saver_e2e.sh SCR PROBE SESSION_SCRIPT STATE OUT
# The screenshot of the full-screen saver goes to OUT.
set -euo pipefail
scr=$1 probe=$2 session=$3 state=$4 out=$5
mkdir -p "$out"
eval "$("$session" env "$state")"
[ -n "${DISPLAY:-}" ] || { echo "no session display"; exit 1; }

failures=0
pass() { echo "PASS: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
run() { "$session" run "$state" "$@"; }

# Waits up to 10 s for a background program to end and checks its status:
# expect_exit PID STATUS WHAT
expect_exit() {
    local pid=$1 want=$2 what=$3 status=0
    for _ in $(seq 1 40); do kill -0 "$pid" 2>/dev/null || break; sleep 0.25; done
    if kill -0 "$pid" 2>/dev/null; then
        fail "$what: still running"
        kill "$pid" 2>/dev/null || true
        return
    fi
    wait "$pid" || status=$?
    if [ "$status" -eq "$want" ]; then pass "$what: exit $status"; else fail "$what: exit $status"; fi
}

# The most common colour's share and the number of grey, non-white pixels.
screen_summary() {
    convert "$1" -format %c histogram:info:- | awk '
        { gsub(/[(),:]/, " "); n = $1; r = $2; g = $3; b = $4; total += n
          if (n > best) { best = n; colour = r "," g "," b }
          if (r == g && g == b && r >= 120 && r < 250) grey += n }
        END { printf "%s %d %d %d\n", colour, best * 100 / total, grey, total }'
}

# The map: a white background with grey network lines (and the overlay).
map_drawn() { [ "$1" = "255,255,255" ] && [ "$2" -ge 50 ] && [ "$3" -ge 100 ]; }

# Takes screenshots until the map shows (the first frames may still be
# black); keeps the last one.
check_picture() {
    local shot=$out/fullscreen.png colour=none share=0 grey=0
    for _ in $(seq 1 60); do
        xwd -root -silent | convert xwd:- "png:$shot"
        read -r colour share grey _ <<<"$(screen_summary "$shot")"
        map_drawn "$colour" "$share" "$grey" && break
        sleep 0.5
    done
    echo "screen: most common colour $colour ($share %), $grey grey pixels"
    map_drawn "$colour" "$share" "$grey"
}

# 1. Full screen: top-most window covering the screen, drawing, ended by a key.
run "$scr" /s &
saver_pid=$!
if run "$probe" wait-saver 30; then pass "full-screen window"; else fail "full-screen window"; fi
if check_picture; then pass "the screen shows the map"; else fail "the screen shows no map"; fi

# 2. A second start while the first runs ends at once with 0 and adds nothing.
start=$(date +%s)
status=0
timeout 20 "$session" run "$state" "$scr" /s || status=$?
took=$(($(date +%s) - start))
count=$(run "$probe" count-savers | tr -d '\r')
if [ "$status" -eq 0 ] && [ "$took" -le 10 ] && [ "$count" = "1" ]; then
    pass "second /s exits 0 at once (${took}s) and creates no window"
else
    fail "second /s: status $status after ${took}s, $count saver windows"
fi

# The key press goes to the window under the pointer: the saver covers all.
xdotool mousemove 500 400 >/dev/null 2>&1 || true
sleep 0.5
xdotool key space
expect_exit "$saver_pid" 0 "a key press ends the saver"

# 3. Preview inside another program's window.
if run "$probe" preview "$(winepath -w "$scr")" 30; then pass "preview"; else fail "preview"; fi

# A program that ends without destroying the preview's parent: the system
# destroys that window, and the preview with it without a word to the saver,
# which still ends with 0.
run "$probe" parent 30 >"$out/parent.txt" &
parent_pid=$!
for _ in $(seq 1 100); do [ -s "$out/parent.txt" ] && break; sleep 0.1; done
parent=$(head -n 1 "$out/parent.txt" | tr -d '\r')
run "$scr" /p "$parent" &
orphan_pid=$!
wait "$parent_pid" || fail "the parent's program: $(tr -d '\r' <"$out/parent.txt" | tail -n 1)"
expect_exit "$orphan_pid" 0 "the preview of a program that ended"

# 4. Command lines that name no usable mode: -1, which the shell sees as 255.
for arguments in "/p" "/p 0" "/x"; do
    status=0
    # shellcheck disable=SC2086
    timeout 20 "$session" run "$state" "$scr" $arguments || status=$?
    if [ "$status" -eq 255 ]; then pass "'$arguments' exits 255"; else fail "'$arguments' exits $status"; fi
done

# 5. Configure: the settings dialog, closed with OK (its result, 1).
run "$scr" /c &
dialog_pid=$!
if run "$probe" dialog 30; then pass "/c shows the settings dialog"; else fail "/c shows no dialog"; fi
expect_exit "$dialog_pid" 1 "OK ends /c"

echo "$((10 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
