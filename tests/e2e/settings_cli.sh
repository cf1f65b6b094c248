#!/usr/bin/env bash
# The settings file as a user meets it, without a display: `zintu --configure`
# writes both keys into $XDG_CONFIG_HOME/zintu/zintu.ini and prints its path,
# saves the switches given with it, and the file then decides what a run
# shows; one that cannot be read is named once before the run goes on
# without it. (Where the file is found, how its text is read and rewritten,
# the switches that override it, which files cannot be read and
# --configure's failures are the unit tests'.)
# Usage: settings_cli.sh ZINTU
source "$(dirname "$0")/check.sh"
zintu=$(realpath "$1")
export TZ=UTC0
export XDG_CONFIG_HOME="$work/config"
file="$XDG_CONFIG_HOME/zintu/zintu.ini"

"$zintu" --configure >"$work/out" 2>"$work/err"
check "--configure exits 0 and prints the file's path" test $? -eq 0 -a "$(cat "$work/out")" = "$file"
check "--configure writes both keys with their defaults" \
    test "$(cat "$file")" = $'[zintu]\nmode=realtime\nzoomlevel=fullnetwork'
"$zintu" -configure -downtown >/dev/null
check "--downtown is saved; the mode keeps its value" \
    test "$(cat "$file")" = $'[zintu]\nmode=realtime\nzoomlevel=downtown'

# What the file selects shows in a snapshot: downtown is four times the scale.
snap() { "$zintu" --snapshot "$work/$1.png" --frame 1 --size 160x100 --at "2026-12-07 08:15:00" "${@:2}"; }
snap file_downtown
rm "$file"
snap switch_downtown --downtown
snap no_file
check "the saved downtown shows as --downtown does" cmp -s "$work/file_downtown.png" "$work/switch_downtown.png"
check "  ... which differs from the full network" test "$(cmp -s "$work/no_file.png" "$work/file_downtown.png"; echo $?)" -ne 0
mkdir "$file"
snap folder 2>"$work/err"
check "a folder in the file's place reads as the defaults" cmp -s "$work/folder.png" "$work/no_file.png"
check "  ... and is named once, on standard error" \
    err_is "zintu: cannot read '$file': not a regular file; running with the default settings"
exit $fail
