#!/usr/bin/env bash
# The settings file as a user meets it, without a display: `zintu --configure`
# writes both keys into $XDG_CONFIG_HOME/zintu/zintu.ini (or ~/.config/...),
# keeps what else the file holds and prints its path; the file then decides
# what a run shows unless a switch overrides it; junk in it does no harm, and a
# file that cannot be read is named once before the run goes on without it.
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
"$zintu" --configure --downtown >/dev/null
check "--downtown is saved; the mode keeps its value" \
    test "$(cat "$file")" = $'[zintu]\nmode=fastmode\nzoomlevel=downtown'

printf '; mine\r\n[other]\r\nmode=keep\r\n[ZINTU]\r\nMode = FastMode\r\nextra=1\r\n' >"$file"
chmod 640 "$file"
"$zintu" --configure >/dev/null
check "other sections, keys and line ends are kept; keys found in any case" \
    test "$(cat "$file")" = $'; mine\r\n[other]\r\nmode=keep\r\n[ZINTU]\r\nmode=realtime\r\nextra=1\r\nzoomlevel=fullnetwork\r'
check "the file keeps its permissions" test "$(stat -c %a "$file")" = 640
check "no temporary file is left" test "$(ls -A "$XDG_CONFIG_HOME/zintu")" = zintu.ini

env -u XDG_CONFIG_HOME HOME="$work/home" "$zintu" --configure >"$work/out"
check "without XDG_CONFIG_HOME: ~/.config/zintu/zintu.ini" \
    test "$(cat "$work/out")" = "$work/home/.config/zintu/zintu.ini" -a -f "$work/home/.config/zintu/zintu.ini"

touch "$work/plain"
XDG_CONFIG_HOME="$work/plain" "$zintu" --configure >"$work/out" 2>"$work/err"
check "a folder that cannot be made: exit status 1" test $? -eq 1
check "  ... with one line and nothing on standard output" \
    test "$(wc -l <"$work/err")" -eq 1 -a ! -s "$work/out"
"$zintu" --configure --at "2026-12-07 08:15:00" 2>"$work/err"
check "--configure --at exits 2" test $? -eq 2

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

# Junk: binary bytes, NULs, a 100 kB line, no final newline; and a folder
# where the file should be. Each reads as the defaults.
{
    head -c 2000 /dev/urandom | tr -d '='
    printf '\n[zintu]\nzoomlevel=down\0town\nmode=%s' "$(head -c 100000 /dev/zero | tr '\0' x)"
} >"$file"
snap junk
check "a junk file reads as the defaults" cmp -s "$work/junk.png" "$work/no_file.png"
rm "$file" && mkdir "$file"
snap folder 2>"$work/err"
check "a folder in the file's place reads as the defaults" cmp -s "$work/folder.png" "$work/no_file.png"
check "  ... and is named once, on standard error" test "$(cat "$work/err")" = \
    "zintu: cannot read '$file': not a regular file; running with the default settings"
"$zintu" --configure 2>"$work/err" >/dev/null
check "--configure over a folder: exit status 1 with one line" test $? -eq 1 -a "$(wc -l <"$work/err")" -eq 1
exit $fail
