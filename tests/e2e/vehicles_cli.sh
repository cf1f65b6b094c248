#!/usr/bin/env bash
# `zintu --vehicles` as a user runs it: the CSV on standard output, the
# overlay lines on standard error, and New York's vehicles at New York's own
# time whatever the machine's zone. (The options and the clock's rules are the
# unit tests'; a bad option's exit is the snapshot script's.)
# Usage: vehicles_cli.sh ZINTU_OVER_DEMO ZINTU_OVER_NEW_YORK
source "$(dirname "$0")/check.sh"
zintu=$(realpath "$1")
nyc=$(realpath "$2")

export TZ=UTC0
"$zintu" --vehicles --at "2026-12-07 08:15:00" >"$work/out" 2>"$work/err"
check "exit status 0" test $? -eq 0
check "CSV header" test "$(head -n 1 "$work/out")" = "x,y,heading,shape_id"
check "overlay time line" test "$(sed -n 1p "$work/err")" = "(Mon) 08:15:00"
count=$(sed -n 's/^Vehicles: \([0-9]*\)$/\1/p' "$work/err")
rows=$(($(wc -l <"$work/out") - 1))
check "some vehicles drawn ($rows of ${count:-none})" test "$rows" -gt 0 -a "$rows" -le "${count:-0}"
# Every vehicle lies within the demo network's bounds (x 1000..6000, y 5000..7900)
# and names one of its shapes.
check "rows are well formed" awk -F, 'NR > 1 && (NF != 4 || $1 < 1000 || $1 > 6000 ||
    $2 < 5000 || $2 > 7900 || $4 < 1 || $4 > 13 || $3 < -3.15 || $3 > 3.15) { bad = 1 }
    END { exit bad }' "$work/out"

# New York runs on New York's time: --at is read there, and the listing is the
# same on a machine in any zone.
for zone in UTC0 Asia/Tokyo America/New_York; do
    TZ=$zone "$nyc" --vehicles --at "2026-12-07 08:15:00" >"$work/nyc-${zone//\//-}" 2>"$work/err"
    check "New York in $zone: (Mon) 08:15:00" test "$(sed -n 1p "$work/err")" = "(Mon) 08:15:00"
done
check "New York: the same rows in every zone" cmp -s <(cat "$work/nyc-UTC0" "$work/nyc-UTC0") \
    <(cat "$work/nyc-Asia-Tokyo" "$work/nyc-America-New_York")
check "New York: vehicles on the road" test "$(wc -l <"$work/nyc-UTC0")" -gt 500
exit $fail
