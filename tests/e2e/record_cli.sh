#!/usr/bin/env bash
# `zintu --record` as a user runs it: a lossless video decoded back equals
# --snapshot at the same instants, and every failure (no ffmpeg, a folder
# that cannot be written, an ffmpeg that ends early, an interrupt) ends with
# one line, its status, and no file left behind.
# Usage: record_cli.sh ZINTU_OVER_DEMO
source "$(dirname "$0")/check.sh"
zintu=$(realpath "$1")
export TZ=UTC0
day="2026-12-07 12:00:00"
size=160x100
only_files() { test "$(ls "$work" | tr '\n' ' ')" = "$1"; }

if command -v ffmpeg >/dev/null; then
    # Ten frames from 08:00 at the default speed: 30 simulated seconds apart.
    "$zintu" --record "$work/ten.mkv" --size $size --at "$day" --from 08:00 --to 08:05 2>/dev/null
    check "a lossless .mkv exits 0" test $? -eq 0
    ffmpeg -v error -i "$work/ten.mkv" -f rawvideo -pix_fmt rgb24 "$work/ten.rgb"
    check "  ... of ten frames" test "$(stat -c %s "$work/ten.rgb")" -eq $((10 * 160 * 100 * 3))
    for k in 0 1 9; do
        "$zintu" --snapshot "$work/k.png" --size $size --fast --at "2026-12-07 08:0$((k / 2)):$((k % 2 * 3))0"
        convert "$work/k.png" "rgb:$work/k.rgb"
        check "  ... frame $k is --snapshot's picture of its instant" cmp -s "$work/k.rgb" \
            <(dd if="$work/ten.rgb" bs=48000 skip=$k count=1 status=none)
    done
    rm -f "$work"/k.* "$work"/ten.*
else
    echo "skip the decoded video: no ffmpeg"
fi

check "no ffmpeg on PATH: one line naming the package, status 1" \
    fails_with 1 "zintu: .*Debian package: ffmpeg.*" env PATH= "$zintu" --record "$work/x.mp4"
check "a missing folder: status 1" fails_with 1 "zintu: cannot write .*" \
    "$zintu" --record "$work/missing/x.gif" --size $size
check "an unknown extension: status 2" fails_with 2 "zintu: cannot record .*" \
    "$zintu" --record "$work/x.avi"
mkdir "$work/bin"
printf '#!/bin/sh\nhead -c 1000 >/dev/null; echo "no such encoder" >&2; exit 3\n' >"$work/bin/ffmpeg"
chmod +x "$work/bin/ffmpeg"
check "an ffmpeg that ends early: its last line, status 1" \
    fails_with 1 "zintu: ffmpeg ended early, with status 3: no such encoder" \
    env PATH="$work/bin:$PATH" "$zintu" --record "$work/x.mkv" --size $size --from 08:00 --to 09:00
rm -r "$work/bin"

# Ctrl-C reaches a foreground job; job control gives this background one the
# same default handling.
set -m
"$zintu" --record "$work/x.gif" --size $size --speed 60 2>/dev/null &
pid=$!
set +m
recording() { ls "$work" | grep -q '^x\.gif\.'; }
wait_until 20 recording
sleep 0.5
kill -INT $pid
wait $pid
check "an interrupt: status 130" test $? -eq 130
check "no file left behind by any failure" only_files "err "
exit $fail
