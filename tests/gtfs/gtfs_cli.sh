#!/usr/bin/env bash
# zintu-gtfs as a user runs it: exit statuses, messages and which files it
# writes or leaves alone. (What the files hold is the round-trip test's.)
set -u
gtfs=$1
fixtures=$2
# shellcheck source=/dev/null
source "$(dirname "$0")/../e2e/check.sh"
week=(--week 2026-09-14)
export TZDIR=$fixtures/zoneinfo
export SOURCE_DATE_EPOCH=1789000000 # regenerations are reproducible with it

mkdir "$work/out"
generate() { "$gtfs" "${week[@]}" --feature S "$@" "$fixtures/schedule_feed" "$fixtures/loop_feed"; }
generate -o "$work/out/network_data.cpp" 2>"$work/err"
check "success exits 0" test $? -eq 0
check "source and report written, nothing else" \
    test "$(ls "$work/out" | tr '\n' ' ')" = "REPORT.md network_data.cpp "
check "summary on standard error" grep -q "^zintu-gtfs: [0-9]* rows" "$work/err"
cp -r "$work/out" "$work/first"
generate -o "$work/out/network_data.cpp" 2>/dev/null
check "a second run writes the same files" diff -r "$work/first" "$work/out"

for feed in "$fixtures/broken/unknown_stop" "$work/no-such-feed"; do
    check "${feed##*/} exits 1 with one line naming it" fails_with 1 "zintu-gtfs: $feed.*" \
        "$gtfs" "${week[@]}" -o "$work/out/network_data.cpp" "$feed"
    check "  ... and keeps the old files" diff -r "$work/first" "$work/out"
done

# One feed and nothing else: the week from its calendar (SOURCE_DATE_EPOCH is
# Thursday 2026-09-10, whose week has service), the file named after the network.
mkdir "$work/plain"
(cd "$work/plain" && "$gtfs" "$fixtures/schedule_feed" 2>"$work/err")
check "a feed alone makes a network named after it, with its report" test $? -eq 0 -a \
    "$(ls "$work/plain" | tr '\n' ' ')" = "Fixture-Transit.zintu REPORT.md "
check "  ... of the current week, said on standard error" \
    grep -q "^zintu-gtfs: week of 2026-09-07 (the current week): Wednesday 2026-09-09" "$work/err"

# A calendar without service (no weekday, no date): one line, status 1, nothing written.
mkdir "$work/none" && cp -r "$fixtures/schedule_feed" "$work/idle" && rm "$work/idle/calendar_dates.txt"
sed -Ei 's/^([^,]*),[01],[01],[01],[01],[01],[01],[01],/\1,0,0,0,0,0,0,0,/' "$work/idle/calendar.txt"
(cd "$work/none" && "$gtfs" "$work/idle" 2>"$work/err")
check "a feed without service exits 1 with one line and writes nothing" test $? -eq 1 -a \
    -z "$(ls "$work/none")" -a "$(cat "$work/err")" = \
    "zintu-gtfs: the feeds' calendars have no service on any Wednesday, Saturday or Sunday"

"$gtfs" --week 2026-09-15 -o x.cpp f >/dev/null 2>"$work/err"
check "a bad command line exits 2" test $? -eq 2
check "a bad command line points to --help" grep -q "Try 'zintu-gtfs --help'" "$work/err"
check "--help" grep -q -- "--feature ROUTE" <("$gtfs" --help)
check "--version" grep -q "^zintu-gtfs [0-9]" <("$gtfs" --version)
exit $fail
