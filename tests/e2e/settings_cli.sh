#!/usr/bin/env bash
# The settings file as a user meets it, without a display: `zintu --configure`
# writes both keys into $XDG_CONFIG_HOME/zintu/zintu.ini (or ~/.config/...),
# keeps what else the file holds and prints its path; the file then decides
# what a run shows unless a switch overrides it, and a file that cannot be
# read is named once before the run goes on without it. (How the file's text
# is read and rewritten, and --configure's failures, are the unit tests'.)
# Usage: settings_cli.sh ZINTU
source "$(dirname "$0")/check.sh"
zintu=$(realpath "$1")
export TZ=UTC0
export XDG_CONFIG_HOME="$work/config"
file="$XDG_CONFIG_HOME/zintu/zintu.ini"

"$zintu" --configure >"$work/out" 2>"$work/err"
check "--configure exits 0" test $? -eq 0
check "--configure prints the file's path" test "$(cat "$work/out")" = "$file"
check "--configure writes both keys with their defaults" \
    test "$(cat "$file")" = $'[zintu]\nmode=realtime\nzoomlevel=fullnetwork'
"$zintu" -configure -fast >/dev/null
check "--fast is saved; the zoom level keeps its value" \
    test "$(cat "$file")" = $'[zintu]\nmode=fastmode\nzoomlevel=fullnetwork'

env -u XDG_CONFIG_HOME HOME="$work/home" "$zintu" --configure >"$work/out"
check "without XDG_CONFIG_HOME: ~/.config/zintu/zintu.ini" \
    test "$(cat "$work/out")" = "$work/home/.config/zintu/zintu.ini" -a -f "$work/home/.config/zintu/zintu.ini"

# What the file selects shows in a snapshot: downtown is four times the scale.
snap() { "$zintu" --snapshot "$work/$1.png" --frame 1 --size 160x100 --at "2026-12-07 08:15:00" "${@:2}"; }
printf '[zintu]\nzoomlevel=downtown\n' >"$file"
snap file_downtown
snap switch_full --full-network
rm "$file"
snap no_file
snap switch_downtown --downtown
check "the file's downtown shows as --downtown does" cmp -s "$work/file_downtown.png" "$work/switch_downtown.png"
check "--full-network overrides the file's downtown" cmp -s "$work/switch_full.png" "$work/no_file.png"
check "downtown differs from the full network" test "$(cmp -s "$work/no_file.png" "$work/switch_downtown.png"; echo $?)" -ne 0

mkdir "$file"
snap folder 2>"$work/err"
check "a folder in the file's place reads as the defaults" cmp -s "$work/folder.png" "$work/no_file.png"
check "  ... and is named once, on standard error" \
    err_is "zintu: cannot read '$file': not a regular file; running with the default settings"
exit $fail
