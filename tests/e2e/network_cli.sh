#!/usr/bin/env bash
# Network files as a user meets them: a file made by zintu-gtfs shows the same
# vehicles as the same network compiled in; --info describes it; --configure
# checks a file before saving it; a bad file named on the command line stops
# the program, one saved in the settings does not. (Which files are bad, and
# why, are the unit tests'.)
# Usage: network_cli.sh ZINTU_OVER_DEMO ZINTU_OVER_FIXTURES ZINTU_GTFS FIXTURES
source "$(dirname "$0")/check.sh"
zintu=$(realpath "$1")
compiled=$(realpath "$2")
gtfs=$(realpath "$3")
fixtures=$4
export XDG_CONFIG_HOME=$work/config TZ=UTC0
at="2026-12-07 08:15:00"

# The same feeds and featured routes the compiled fixture network was made from.
"$gtfs" --week 2026-09-14 --feature S --feature L -o "$work/city.zintu" \
    "$fixtures/schedule_feed" "$fixtures/frequency_feed" "$fixtures/loop_feed" \
    "$fixtures/overnight_feed" 2>/dev/null
check "zintu-gtfs writes the file" test -s "$work/city.zintu"
same=0
for moment in "$at" "2026-12-08 00:30:00" "2026-12-12 17:45:30" "2026-12-13 23:59:59"; do
    "$compiled" --vehicles --at "$moment" >"$work/a" 2>"$work/a.err"
    "$zintu" --network "$work/city.zintu" --vehicles --at "$moment" >"$work/b" 2>"$work/b.err"
    cmp -s "$work/a" "$work/b" && cmp -s "$work/a.err" "$work/b.err" && same=$((same + 1))
done
check "the file shows what the compiled tables show, at four moments" test "$same" -eq 4
"$zintu" -network="$work/city.zintu" --info >"$work/info"
check "--info counts the rows and the runs" \
    test "$(grep -c -e '^frequency rows: [1-9]' -e '^runs: [1-9]' "$work/info")" -eq 2

# A file that cannot be used, named on the command line: one line, status 1.
printf 'not a network' >"$work/bad.zintu"
for name in bad.zintu missing.zintu; do
    check "--network $name exits 1 with one line" \
        fails_in_one_line 1 "$zintu" --network "$work/$name" --vehicles
    check "  ... that names the file" grep -q "$name" "$work/err"
done

# --configure checks the file first and saves its absolute path.
check "--configure refuses a bad file" fails_in_one_line 1 "$zintu" --configure --network "$work/bad.zintu"
check "  ... and saves nothing" test ! -e "$work/config/zintu/zintu.ini"
(cd "$work" && "$zintu" --configure --network city.zintu >/dev/null)
check "--configure saves a good file's absolute path" \
    grep -qx "network=$work/city.zintu" "$work/config/zintu/zintu.ini"
"$zintu" --vehicles --at "$at" >"$work/c" 2>/dev/null
"$zintu" --network "$work/city.zintu" --vehicles --at "$at" >"$work/d" 2>/dev/null
check "the saved network is the one shown" cmp -s "$work/c" "$work/d"

# A saved file that has gone bad: said once, and the built-in network runs.
cp "$work/bad.zintu" "$work/city.zintu"
"$zintu" --vehicles --at "$at" >/dev/null 2>"$work/err"
check "a bad saved network still runs" test $? -eq 0
check "  ... and says why once" test "$(grep -c "city.zintu" "$work/err")" -eq 1
exit $fail
