#!/usr/bin/env bash
# `zintu --snapshot` as a user runs it: PNG files of the right size, the
# loading frame and the loaded frame, fast mode's picture of the requested
# time, and failures that leave no file behind.
# Usage: snapshot_cli.sh ZINTU
source "$(dirname "$0")/check.sh"
zintu=$(realpath "$1")
# Width and height from a PNG's header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }'; }
is_png() { [ "$(od -An -c -N4 "$1" | tr -d ' ')" = "211PNG" ]; }
differ() { ! cmp -s "$1" "$2"; }

export TZ=UTC0
at="2026-12-07 08:15:00"
"$zintu" --snapshot "$work/full.png" --at "$at" 2>"$work/err"
check "snapshot exits 0" test $? -eq 0
check "snapshot is a PNG" is_png "$work/full.png"
check "default size 1280x800" test "$(png_size "$work/full.png")" = "1280x800"
check "nothing on standard error" test ! -s "$work/err"

# Without --frame, the fast clock is set to the requested time once loading
# is done, so the picture is the real-time one; a later frame is not.
"$zintu" --snapshot "$work/fast.png" --at "$at" --fast
check "--fast without --frame shows the requested time" cmp -s "$work/full.png" "$work/fast.png"
"$zintu" --snapshot "$work/fast30.png" --at "$at" --fast --frame 30
check "--fast --frame 30 shows a later time" differ "$work/full.png" "$work/fast30.png"

"$zintu" -snapshot="$work/first.png" -frame 1 -size 320x200 -downtown -fast
check "frame 1 at 320x200 exits 0" test $? -eq 0
check "frame 1 has the requested size" test "$(png_size "$work/first.png")" = "320x200"

check "unwritable path exits 1 with one line" \
    fails_in_one_line 1 "$zintu" --snapshot "$work/missing/dir/x.png"
mkdir "$work/ro" && chmod a-w "$work/ro"
if [ ! -w "$work/ro" ]; then # root can write anywhere
    "$zintu" --snapshot "$work/ro/x.png" 2>/dev/null
    check "read-only folder exits 1" test $? -eq 1
    check "read-only folder holds no file" test -z "$(ls -A "$work/ro")"
fi

# An existing picture is replaced whole, never left half-written.
cp "$work/full.png" "$work/keep.png"
"$zintu" --snapshot "$work/keep.png" --frame 1 --size 64x40
check "replaced picture has the new size" test "$(png_size "$work/keep.png")" = "64x40"
check "no temporary files left" \
    test -z "$(ls "$work" | grep -v -E '^(full|fast|fast30|first|keep)\.png$|^(err|ro|missing)$')"

# Bad options (each is a row of the options' unit test) write nothing.
check "a bad option exits 2 with one line" \
    fails_in_one_line 2 "$zintu" --snapshot "$work/x.png" --frame 0
check "  ... and writes no file" test ! -e "$work/x.png"
exit $fail
