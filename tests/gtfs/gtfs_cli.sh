#!/usr/bin/env bash
# zintu-gtfs as a user runs it: both files written on success and identical on
# a second run, a network file for a .zintu output; for a broken feed, exit
# status 1, one line naming the problem and no file written or replaced; exit
# status 2 for a bad command line.
set -u
gtfs=$1
fixtures=$2
# shellcheck source=/dev/null
source "$(dirname "$0")/../e2e/check.sh"
week=(--week 2026-09-14)
export TZDIR=$fixtures/zoneinfo
export SOURCE_DATE_EPOCH=1789000000 # regenerations are reproducible with it

mkdir "$work/out"
"$gtfs" "${week[@]}" --feature S -o "$work/out/network_data.cpp" \
    "$fixtures/schedule_feed" "$fixtures/loop_feed" 2>"$work/err"
check "success exits 0" test $? -eq 0
check "source and report written, nothing else" \
    test "$(ls "$work/out" | tr '\n' ' ')" = "REPORT.md network_data.cpp "
check "summary on standard error" grep -q "^zintu-gtfs: [0-9]* rows" "$work/err"
check "source defines compiled_network" grep -q "^Network compiled_network() {" "$work/out/network_data.cpp"
check "source records the zone, its rule and SOURCE_DATE_EPOCH" grep -q \
    '"Europe/Amsterdam"sv, "CET-1CEST,M3.5.0,M10.5.0/3"sv, .*"2026-09-10T00:26:40Z"sv, "vehicles' \
    "$work/out/network_data.cpp"
check "report shows matching departures" grep -q "every count matches" "$work/out/REPORT.md"
cp "$work/out/network_data.cpp" "$work/first.cpp"
cp "$work/out/REPORT.md" "$work/first.md"
"$gtfs" "${week[@]}" --feature S -o "$work/out/network_data.cpp" \
    "$fixtures/schedule_feed" "$fixtures/loop_feed" 2>/dev/null
check "second run gives the same source" cmp -s "$work/first.cpp" "$work/out/network_data.cpp"
check "second run gives the same report" cmp -s "$work/first.md" "$work/out/REPORT.md"

mkdir "$work/file"
"$gtfs" "${week[@]}" --feature S -o "$work/file/city.zintu" \
    "$fixtures/schedule_feed" "$fixtures/loop_feed" 2>/dev/null
check ".zintu output exits 0" test $? -eq 0
check ".zintu output is a network file, with its report" \
    test "$(head -c 8 "$work/file/city.zintu")" = ZINTUNET -a -f "$work/file/REPORT.md"

"$gtfs" "${week[@]}" -o "$work/out/other.cpp" --report "$work/other.md" "$fixtures/dates_only_feed" 2>/dev/null
check "--report puts the report elsewhere" test -f "$work/other.md" -a -f "$work/out/other.cpp"

for feed in "$fixtures"/broken/*; do
    name=$(basename "$feed")
    mkdir "$work/$name"
    "$gtfs" "${week[@]}" -o "$work/$name/network_data.cpp" "$feed" 2>"$work/err"
    status=$?
    check "$name exits 1" test $status -eq 1
    check "$name gives one line naming the feed" \
        test "$(wc -l <"$work/err")" -eq 1 -a "$(grep -c "^zintu-gtfs: $feed/" "$work/err")" -eq 1
    check "$name leaves no file behind" test -z "$(ls -A "$work/$name")"
done

# A failed run leaves the previous output as it was.
"$gtfs" "${week[@]}" -o "$work/out/network_data.cpp" "$fixtures/broken/unknown_stop" 2>/dev/null
check "failed run keeps the old source" cmp -s "$work/first.cpp" "$work/out/network_data.cpp"
check "failed run keeps the old report" cmp -s "$work/first.md" "$work/out/REPORT.md"

# Outputs that cannot both be written are refused before any work.
for report in "$work/out/./network_data.cpp" "$work/out"; do
    "$gtfs" "${week[@]}" -o "$work/out/network_data.cpp" --report "$report" \
        "$fixtures/schedule_feed" 2>"$work/err"
    check "--report $report exits 2" test $? -eq 2
    check "--report $report says why" grep -qE "name the same file|is a folder" "$work/err"
    check "--report $report keeps the old source" cmp -s "$work/first.cpp" "$work/out/network_data.cpp"
done

if [ "$(id -u)" -ne 0 ]; then # root reads any folder
    cp -r "$fixtures/schedule_feed" "$work/locked" && chmod 000 "$work/locked"
    "$gtfs" "${week[@]}" -o "$work/none.cpp" "$work/locked" 2>"$work/err"
    check "unreadable feed exits 1" test $? -eq 1
    check "unreadable feed says why" grep -q "locked: cannot be read: Permission denied" "$work/err"
    chmod 755 "$work/locked"
fi

"$gtfs" "${week[@]}" -o "$work/none.cpp" "$work/no-such-feed" 2>"$work/err"
check "missing feed exits 1" test $? -eq 1
check "missing feed is named" grep -q "no-such-feed: no such feed" "$work/err"

for args in "--bogus" "--week 2026-09-15 -o x.cpp f" "-o x.cpp f" "--week"; do
    # shellcheck disable=SC2086
    "$gtfs" $args >/dev/null 2>"$work/err"
    status=$?
    check "'$args' exits 2" test $status -eq 2
    check "'$args' points to --help" grep -q "Try 'zintu-gtfs --help'" "$work/err"
done
"$gtfs" --help >"$work/out.txt"
check "--help" grep -q -- "--feature ROUTE" "$work/out.txt"
"$gtfs" --version >"$work/out.txt"
check "--version" grep -q "^zintu-gtfs [0-9]" "$work/out.txt"
exit $fail
