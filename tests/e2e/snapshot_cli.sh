#!/usr/bin/env bash
# `zintu --snapshot` as a user runs it: PNG files of the requested size, fast
# mode's picture of the requested time, a picture replaced whole, and
# failures that leave no file behind. (Each bad option is a row of the
# options' unit test; one is run here.)
# Usage: snapshot_cli.sh ZINTU
source "$(dirname "$0")/check.sh"
zintu=$(realpath "$1")
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
    fails_in_one_line 1 "$zintu" --snapshot "$work/missing/dir/x.png"
check "a bad option exits 2 with one line" \
    fails_in_one_line 2 "$zintu" --snapshot "$work/x.png" --frame 0
check "  ... and writes no file" test ! -e "$work/x.png"
exit $fail
