#!/usr/bin/env bash
# Settings and network files as a user meets them: --configure, what the saved
# choices show, and a zintu-gtfs file against the same network compiled in.
# Usage: network_cli.sh ZINTU_OVER_DEMO ZINTU_OVER_FIXTURES ZINTU_GTFS FIXTURES
source "$(dirname "$0")/check.sh"
zintu=$(realpath "$1")
compiled=$(realpath "$2")
gtfs=$(realpath "$3")
fixtures=$4
export XDG_CONFIG_HOME=$work/config TZ=UTC0
at="2026-12-07 08:15:00"
file="$XDG_CONFIG_HOME/zintu/zintu.ini"

"$zintu" -configure -downtown --colours lines >"$work/out" 2>"$work/err"
check "--configure exits 0 and prints the file's path" test $? -eq 0 -a "$(cat "$work/out")" = "$file"
check "  ... saves the switches given beside the default mode" \
    test "$(cat "$file")" = $'[zintu]\nmode=realtime\nzoomlevel=downtown\ncolours=lines'

# What the file selects shows as the switches do, and each choice shows. (The
# demo network chooses the featured colours by itself.)
snap() { "$zintu" --snapshot "$work/$1.png" --size 320x200 --at "$at" "${@:2}"; }
differ() { ! cmp -s "$work/$1.png" "$work/$2.png"; }
snap file
rm "$file"
snap switches --downtown --colours lines
snap downtown --downtown
snap lines --colours lines
snap no_file
check "the saved choices show as --downtown --colours lines do" cmp -s "$work/file.png" "$work/switches.png"
check "  ... the colours making a difference downtown" differ switches downtown
check "  ... and the view in line colours" differ switches lines
mkdir "$file"
snap folder 2>"$work/err"
check "a folder in the file's place reads as the defaults" cmp -s "$work/folder.png" "$work/no_file.png"
check "  ... and is named once, on standard error" \
    err_is "zintu: cannot read '$file': not a regular file; running with the default settings"
rmdir "$file"

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
check "--info counts the rows and the runs, and names the week, colours and routes" \
    test "$(grep -c -e '^frequency rows: [1-9]' -e '^runs: [1-9]' -e '^week: 2026-09-14$' \
        -e '^colours: featured (four featured routes' \
        -e '^routes: 4 (1 tram, 1 rail, 2 bus); route colours: 2 of 4$' "$work/info")" -eq 5
"$zintu" --network "$fixtures/format1.zintu" --info >"$work/info"
check "  ... and says a first-format file records none of them" \
    test "$(grep -c -e '^week: not recorded$' -e '^routes: not recorded$' \
        -e '^colours: featured (the network records no route colours)$' "$work/info")" -eq 3

# A file that cannot be used, named on the command line: one line, status 1.
printf 'not a network' >"$work/bad.zintu"
for name in bad.zintu missing.zintu; do
    check "--network $name exits 1 with one line that names the file" \
        fails_with 1 ".*$name.*" "$zintu" --network "$work/$name" --vehicles
done

# --configure checks the file first and saves its absolute path.
check "--configure refuses a bad file" fails_with 1 ".*bad.zintu.*" "$zintu" --configure --network "$work/bad.zintu"
check "  ... and saves nothing" test ! -e "$file"
(cd "$work" && "$zintu" --configure --network city.zintu >/dev/null)
check "--configure saves a good file's absolute path" \
    grep -qx "network=$work/city.zintu" "$file"
"$zintu" --vehicles --at "$at" >"$work/c" 2>/dev/null
check "the saved network is the one shown" cmp -s "$work/c" <("$compiled" --vehicles --at "$at" 2>/dev/null)

# A saved file that has gone bad: said once, and the built-in network runs.
cp "$work/bad.zintu" "$work/city.zintu"
"$zintu" --vehicles --at "$at" >/dev/null 2>"$work/err"
check "a bad saved network still runs" test $? -eq 0
check "  ... and says why once" test "$(grep -c "city.zintu" "$work/err")" -eq 1
exit $fail
