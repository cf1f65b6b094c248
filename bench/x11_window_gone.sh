#!/usr/bin/env bash
# The window a saver draws into disappears at a random moment, RUNS times in
# a row, with LOAD busy loops competing for the processors; run by hand. Each
# run starts `zintu -window-id` on a window of x11_probe's, waits until it
# draws, waits a random 0-500 ms and kills the window's owner (the server then
# destroys the window, whatever zintu is doing). A run passes when zintu ends
# with status 0 within a second, with nothing on standard error and no
# sanitizer report. Prints one line per failure and a summary: the exits'
# latency and the largest peak memory.
# Usage: bench/x11_window_gone.sh ZINTU X11_PROBE [RUNS] [LOAD], with the
# programs of the sanitizer build's tests/e2e/ (zintu_demo, x11_probe).
source "$(dirname "$0")/../tests/e2e/x11_lib.sh"
runs=${3:-200}
load=${4:-2}
export TZ=UTC0
start_xvfb 800x600

for _ in $(seq "$load"); do
    nice -n 5 bash -c 'while :; do :; done' &
    started+=($!)
done

passed=0
: >"$work/times"
for run in $(seq "$runs"); do
    rm -f "$work/window"
    "$probe" window 640x400 >"$work/window" &
    owner=$!
    wait_until 20 test -s "$work/window" && window=$(head -n 1 "$work/window")
    /usr/bin/time -f %M -o "$work/rss" "$zintu" --at "2026-12-07 08:15:00" -window-id "$window" \
        2>"$work/err" &
    pid=$!
    if ! wait_until 60 shows_frames "$window"; then
        echo "run $run: no frames"
        kill "$pid" "$owner"
        wait "$pid" "$owner" 2>/dev/null
        continue
    fi
    sleep "0.$(printf '%03d' $((RANDOM % 500)))"
    begin=${EPOCHREALTIME/./}
    kill "$owner"
    while is_running "$pid" && [ $((${EPOCHREALTIME/./} - begin)) -lt 30000000 ]; do sleep 0.005; done
    took=$(((${EPOCHREALTIME/./} - begin) / 1000))
    is_running "$pid" && kill -KILL "$pid"
    wait "$pid" 2>/dev/null
    status=$?
    wait "$owner" 2>/dev/null
    # /usr/bin/time reports a non-zero status on a line of its own first.
    rss=$(tail -n 1 "$work/rss")
    echo "$took $rss" >>"$work/times"
    if [ "$status" -eq 0 ] && [ "$took" -le 1000 ] && [ ! -s "$work/err" ]; then
        passed=$((passed + 1))
    else
        echo "run $run: status $status after $took ms, peak $rss kB, stderr:"
        head -n 20 "$work/err"
    fi
done

echo "$passed of $runs runs ended with status 0 within a second, quietly (load $load)"
sort -n "$work/times" | awk '{ t[NR] = $1; if ($2 > m) m = $2 }
    END { printf "exit after the window went: median %d ms, 95th %d ms, slowest %d ms; largest peak memory %d MB\n",
          t[int((NR + 1) / 2)], t[int(NR * 0.95 + 0.5)], t[NR], m / 1024 }'
[ "$passed" -eq "$runs" ]
