#!/usr/bin/env bash
# The headless renderer as a user runs it: --snapshot's PNG files and
# --vehicles' listing, New York's at New York's time in any machine zone.
# Usage: headless_cli.sh ZINTU_OVER_DEMO ZINTU_OVER_NEW_YORK
source "$(dirname "$0")/check.sh"
zintu=$(realpath "$1")
nyc=$(realpath "$2")
# Width and height from a PNG's header, after checking its signature.
png_size() {
    [ "$(od -An -c -N4 "$1" | tr -d ' ')" = "211PNG" ] &&
        od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }'
}

export TZ=UTC0
at="2026-12-07 08:15:00"
"$zintu" --snapshot "$work/full.png" --at "$at" 2>"$work/err"
check "snapshot exits 0" test $? -eq 0
check "a PNG of the default size, 1280x800" test "$(png_size "$work/full.png")" = "1280x800"
check "nothing on standard error" test ! -s "$work/err"
# Without --frame, the fast clock is set to the requested time once loading
# is done, so the picture is the real-time one.
"$zintu" --snapshot "$work/fast.png" --at "$at" --fast
check "--fast without --frame shows the requested time" cmp -s "$work/full.png" "$work/fast.png"

# An existing picture is replaced whole, never left half-written.
"$zintu" -snapshot="$work/full.png" -frame 1 -size 64x40
check "a picture replaced at the requested size" test "$(png_size "$work/full.png")" = "64x40"
check "no temporary files left" test "$(ls "$work" | tr '\n' ' ')" = "err fast.png full.png "

check "an unwritable path exits 1 with one line" \
    fails_with 1 "zintu: .*" "$zintu" --snapshot "$work/missing/dir/x.png"
check "a bad option exits 2 with one line" \
    fails_with 2 "zintu: .*" "$zintu" --snapshot "$work/x.png" --frame 0
check "  ... and writes no file" test ! -e "$work/x.png"

"$zintu" --vehicles --at "$at" >"$work/out" 2>"$work/err"
check "--vehicles exits 0" test $? -eq 0
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

"$zintu" --vehicles --at "$at" >/dev/full 2>"$work/err"
check "a listing that cannot be written exits 1 and says so" test $? -eq 1 -a \
    "$(tail -n 1 "$work/err")" = "zintu: cannot write the vehicle list"
"$zintu" --help >"$work/out"
check "--help shows the usage" grep -q -- "--snapshot FILE" "$work/out"
check "--version" test "$(head -c 6 <("$zintu" --version))" = "zintu "

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
