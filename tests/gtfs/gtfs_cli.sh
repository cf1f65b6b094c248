#!/usr/bin/env bash
# zintu-gtfs as a user runs it: both files written on success and identical on
# a second run, a network file for a .zintu output; for a broken feed, exit
# status 1, one line naming the problem and the old files left as they were;
# exit status 2 for a bad command line.
set -u
gtfs=$1
fixtures=$2
# shellcheck source=/dev/null
source "$(dirname "$0")/../e2e/check.sh"
week=(--week 2026-09-14)
export TZDIR=$fixtures/zoneinfo
export SOURCE_DATE_EPOCH=1789000000 # regenerations are reproducible with it

mkdir "$work/out"
feeds=("$fixtures/schedule_feed" "$fixtures/loop_feed")
generate() { "$gtfs" "${week[@]}" --feature S "$@" "${feeds[@]}"; }
generate -o "$work/out/network_data.cpp" 2>"$work/err"
check "success exits 0" test $? -eq 0
check "source and report written, nothing else" \
    test "$(ls "$work/out" | tr '\n' ' ')" = "REPORT.md network_data.cpp "
check "summary on standard error" grep -q "^zintu-gtfs: [0-9]* rows" "$work/err"
check "source records the zone, its rule and SOURCE_DATE_EPOCH" grep -q \
    '"Europe/Amsterdam"sv, "CET-1CEST,M3.5.0,M10.5.0/3"sv, .*"2026-09-10T00:26:40Z"sv, "vehicles' \
    "$work/out/network_data.cpp"
check "report shows matching departures" grep -q "every count matches" "$work/out/REPORT.md"
cp "$work/out/network_data.cpp" "$work/first.cpp"
cp "$work/out/REPORT.md" "$work/first.md"
generate -o "$work/out/network_data.cpp" 2>/dev/null
check "second run gives the same source" cmp -s "$work/first.cpp" "$work/out/network_data.cpp"
check "second run gives the same report" cmp -s "$work/first.md" "$work/out/REPORT.md"

generate -o "$work/city.zintu" --report "$work/city.md" 2>/dev/null
check ".zintu output is a network file, with its report where --report puts it" \
    test "$(head -c 8 "$work/city.zintu")" = ZINTUNET -a -f "$work/city.md"

broken=$fixtures/broken/unknown_stop
"$gtfs" "${week[@]}" -o "$work/out/network_data.cpp" "$broken" 2>"$work/err"
check "a broken feed exits 1" test $? -eq 1
check "a broken feed gives one line naming it" \
    test "$(wc -l <"$work/err")" -eq 1 -a "$(grep -c "^zintu-gtfs: $broken/" "$work/err")" -eq 1
check "a failed run keeps the old source" cmp -s "$work/first.cpp" "$work/out/network_data.cpp"
check "a failed run keeps the old report" cmp -s "$work/first.md" "$work/out/REPORT.md"

"$gtfs" "${week[@]}" -o "$work/none.cpp" "$work/no-such-feed" 2>"$work/err"
check "missing feed exits 1" test $? -eq 1
check "missing feed is named" grep -q "no-such-feed: no such feed" "$work/err"

"$gtfs" --week 2026-09-15 -o x.cpp f >/dev/null 2>"$work/err"
check "a bad command line exits 2" test $? -eq 2
check "a bad command line points to --help" grep -q "Try 'zintu-gtfs --help'" "$work/err"
"$gtfs" --help >"$work/out.txt"
check "--help" grep -q -- "--feature ROUTE" "$work/out.txt"
"$gtfs" --version >"$work/out.txt"
check "--version" grep -q "^zintu-gtfs [0-9]" "$work/out.txt"
exit $fail
