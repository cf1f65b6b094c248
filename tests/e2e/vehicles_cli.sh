#!/usr/bin/env bash
# `zintu --vehicles` as a user runs it: the CSV, the overlay lines on standard
# error, exit status 2 with a one-line reason for bad options, and New York's
# vehicles at New York's own time whatever the machine's zone.
# Usage: vehicles_cli.sh ZINTU_OVER_DEMO ZINTU_OVER_NEW_YORK
source "$(dirname "$0")/check.sh"
zintu=$(realpath "$1")
nyc=$(realpath "$2")

export TZ=UTC0
"$zintu" --vehicles --at "2026-12-07 08:15:00" >"$work/out" 2>"$work/err"
status=$?
check "exit status 0" test "$status" -eq 0
check "CSV header" test "$(head -n 1 "$work/out")" = "x,y,heading,shape_id"
check "overlay time line" test "$(sed -n 1p "$work/err")" = "(Mon) 08:15:00"
count=$(sed -n 's/^Vehicles: \([0-9]*\)$/\1/p' "$work/err")
rows=$(($(wc -l <"$work/out") - 1))
check "vehicle count printed" test -n "$count"
check "some vehicles drawn ($rows of $count)" test "$rows" -gt 0 -a "$rows" -le "${count:-0}"
# Every vehicle lies within the demo network's bounds (x 1000..6000, y 5000..7900)
# and names one of its shapes.
check "rows are well formed" awk -F, 'NR > 1 && (NF != 4 || $1 < 1000 || $1 > 6000 ||
    $2 < 5000 || $2 > 7900 || $4 < 1 || $4 > 13 || $3 < -3.15 || $3 > 3.15) { bad = 1 }
    END { exit bad }' "$work/out"

"$zintu" --vehicles --fast --at "2026-12-07 08:15:00" >"$work/fast" 2>"$work/fast_err"
check "fast mode shows the same moment" test "$(cat "$work/fast_err")" = "$(cat "$work/err")"

"$zintu" -vehicles -at "2026-12-06 03:00:00" >/dev/null 2>"$work/err"
check "after midnight on Sunday: Saturday's late runs" grep -qx "(Sun) 03:00:00" "$work/err"

check "a bad option exits 2 with one line" fails_in_one_line 2 "$zintu" --vehicles --at 2026-12-07

# New York runs on New York's time: --at is read there, and the listing is the
# same on a machine in any zone.
for zone in UTC0 Asia/Tokyo America/New_York; do
    TZ=$zone "$nyc" --vehicles --at "2026-12-07 08:15:00" >"$work/nyc-${zone//\//-}" 2>"$work/nyc-err"
    check "New York in $zone: (Mon) 08:15:00" test "$(sed -n 1p "$work/nyc-err")" = "(Mon) 08:15:00"
done
check "New York: the same rows in every zone" cmp -s "$work/nyc-UTC0" "$work/nyc-Asia-Tokyo"
check "New York: the same rows in New York" cmp -s "$work/nyc-UTC0" "$work/nyc-America-New_York"
check "New York: vehicles on the road" test "$(wc -l <"$work/nyc-UTC0")" -gt 500

"$zintu" --help >"$work/out"
check "--help" grep -q -- "--vehicles" "$work/out"
"$zintu" --version >"$work/out"
check "--version" grep -q "^zintu [0-9]" "$work/out"
exit $fail
