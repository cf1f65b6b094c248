#!/usr/bin/env bash
# `zintu --snapshot` as a user runs it: PNG files of the right size, the
# loading frame and the loaded frame, and failures that leave no file behind.
set -u
zintu=$(realpath "$1")
# shellcheck source=/dev/null
source "$(dirname "$0")/check.sh"
# Width and height from a PNG's header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }'; }
is_png() { [ "$(od -An -c -N4 "$1" | tr -d ' ')" = "211PNG" ]; }

export TZ=UTC0
"$zintu" --snapshot "$work/full.png" --at "2026-12-07 08:15:00" 2>"$work/err"
check "snapshot exits 0" test $? -eq 0
check "snapshot is a PNG" is_png "$work/full.png"
check "default size 1280x800" test "$(png_size "$work/full.png")" = "1280x800"
check "nothing on standard error" test ! -s "$work/err"

"$zintu" -snapshot="$work/first.png" -frame 1 -size 320x200 -downtown -fast
check "frame 1 at 320x200 exits 0" test $? -eq 0
check "frame 1 has the requested size" test "$(png_size "$work/first.png")" = "320x200"

check "the loaded frame differs from the first" test "$(cmp -s "$work/full.png" "$work/first.png"; echo $?)" -ne 0

"$zintu" --snapshot "$work/missing/dir/x.png" 2>"$work/err"
check "unwritable path exits 1" test $? -eq 1
check "unwritable path says why in one line" test "$(wc -l <"$work/err")" -eq 1

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
check "no temporary files left" test -z "$(ls "$work" | grep -v -E '^(full|first|keep)\.png$|^(err|ro|missing)$')"

for args in "--snapshot" "--snapshot x.png --size 0x10" "--snapshot x.png --size 10" \
    "--snapshot x.png --size 20000x10" "--snapshot x.png --frame 0" "--snapshot x.png --frame -1" \
    "--snapshot x.png --frame 2x" "--vehicles --size 10x10" "--frame 3"; do
    # shellcheck disable=SC2086
    (cd "$work" && "$zintu" $args >/dev/null 2>"$work/err")
    status=$?
    check "'$args' exits 2" test "$status" -eq 2
    check "'$args' gives one line" test "$(wc -l <"$work/err")" -eq 1
done
check "bad options wrote no file" test ! -e "$work/x.png"
exit $fail
