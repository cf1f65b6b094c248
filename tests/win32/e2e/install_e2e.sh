#!/usr/bin/env bash
# The installer's flows in a fresh Wine prefix, as a user runs them: install,
# run, update in place and uninstall, for the current user and for all users.
#   install_e2e.sh SETUP SCR SESSION_SCRIPT STATE
# STATE holds the prefix and its display only while the script runs.
source "$(dirname "$0")/../../e2e/check.sh"
setup=$1 scr=$2 session=$3 state=$4 out=$work
source "$(dirname "$0")/wine_lib.sh"
version=$(basename "$setup" | sed -n 's/^zintu-\(.*\)-setup\.exe$/\1/p')
rm -rf "$state"
own_session
stop_more() { "$session" stop "$state" && rm -rf "$state"; }
unix_path() { winepath -u "$1"; }

uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Zintu'
desktop_key='HKCU\Control Panel\Desktop'
before_saver='C:\windows\system32\before.scr'
run reg add "$desktop_key" /v SCRNSAVE.EXE /d "$before_saver" /f >/dev/null
run reg add "$desktop_key" /v ScreenSaveActive /d 0 /f >/dev/null
settings=$(unix_path "$(run cmd /c echo %APPDATA% | tr -d '\r')\\Zintu\\zintu.ini")
mkdir -p "$(dirname "$settings")"
printf '[zintu]\r\nmode=fastmode\r\n' >"$settings"

# The values of a registry key as NAME=DATA lines in $values; false when the
# key does not exist.
read_key() { # key [view switch]
    values=$(run reg query "$@" | tr -d '\r' | sed -n 's/^    \([^ ]*\)    REG_[A-Z_]*    \(.*\)$/\1=\2/p')
    [ -n "$values" ]
}
value_is() { # name expected
    local got
    got=$(sed -n "s/^$1=//p" <<<"$values")
    [ "$got" = "$2" ] || echo "     ($1 is '$got', not '$2')"
    [ "$got" = "$2" ]
}
key_gone() { ! run reg query "$@" >/dev/null 2>&1; }

# An install in folder DIR whose saver is SCR_WIN, the active screen saver,
# with its Installed apps entry under ROOT, every value as Windows reads it.
check_installed() { # root dir scr_win
    local root=$1 dir=$2 scr_win=$3 name want size
    check "zintu.scr installed whole as $scr_win" cmp -s "$scr" "$(unix_path "$scr_win")"
    for name in README.txt LICENSE.txt uninstall.exe; do
        check "  ... with $name" test -s "$(unix_path "$dir")/$name"
    done
    check "$root entry exists (64-bit registry)" read_key "$root\\$uninstall_key" /reg:64 || return
    while IFS='|' read -r name want; do
        check "  ... $name = $want" value_is "$name" "$want"
    done <<EOF
DisplayName|Zintu
DisplayVersion|$version
Publisher|Zintu developers
DisplayIcon|$scr_win
InstallLocation|$dir
UninstallString|"$dir\\uninstall.exe"
QuietUninstallString|"$dir\\uninstall.exe" /S
NoModify|0x1
NoRepair|0x1
EOF
    size=$(sed -n 's/^EstimatedSize=//p' <<<"$values")
    check "  ... EstimatedSize covers zintu.scr (${size:-none} KiB)" \
        test $((${size:-0})) -ge $(($(stat -c %s "$scr") / 1024))
    check_saver_is "$scr_win" 1
}

check_saver_is() { # scr_win active
    read_key "$desktop_key"
    check "the screen saver is $1" value_is SCRNSAVE.EXE "$1"
    check "  ... and ScreenSaveActive is $2" value_is ScreenSaveActive "$2"
}

# Runs the entry's QuietUninstallString as Installed apps does. The
# uninstaller hands over to a copy of itself and returns: wait for the entry
# to go.
uninstall() { # root [switches]
    read_key "$1\\$uninstall_key" /reg:64 || return
    local command exe
    command=$(sed -n 's/^QuietUninstallString=//p' <<<"$values")
    exe=$(sed -n 's/^"\([^"]*\)".*/\1/p' <<<"$command")
    # shellcheck disable=SC2046 # the switches after the quoted path
    run "$exe" $(sed 's/^"[^"]*"//' <<<"$command") "${@:2}" &&
        wait_until 60 key_gone "$1\\$uninstall_key" /reg:64
}

# The clock runs fast when, between two screenshots taken back to back, the
# vehicles (the coloured pixels) have all moved: the changed pixels are about
# twice the coloured ones, where at real time they are a hundredth. The
# overlay's text, top left, is left out. Counted once vehicles are drawn and
# have settled; up to six tries, as a loaded machine may skip frames.
shoot() { xwd -root -silent | convert xwd:- -fill white -draw 'rectangle 0,0 320,170' "$work/$1.png"; }
coloured() { convert "$work/a.png" -format %c histogram:info:- |
    awk '{ gsub(/[(),:]/, " "); if ($2 != $3 || $3 != $4) n += $1 } END { print n + 0 }'; }
clock_runs_fast() {
    local try changed count
    wait_until 30 eval 'shoot a && [ "$(coloured)" -ge 50 ]' || return
    sleep 2
    for try in 1 2 3 4 5 6; do
        shoot a && shoot b
        changed=$(compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1 | awk '{ printf "%d", $1 }')
        count=$(coloured)
        echo "     (try $try: $changed pixels changed, $count coloured)"
        [ "$changed" -ge "$count" ] && return 0
    done
    return 1
}

echo "-- install for the current user (setup /S)"
check "setup /S exits 0" run "$setup" /S
user_dir="$(run cmd /c echo %LOCALAPPDATA% | tr -d '\r')\\Programs\\Zintu"
user_scr="$user_dir\\zintu.scr"
check_installed HKCU "$user_dir" "$user_scr"

echo "-- the installed saver, as Windows starts it"
start "$user_scr" /s
saver=$!
check "'$user_scr /s' covers the screen" wait_until 30 covers_screen
check "  ... with the user's fastmode: the vehicles race" clock_runs_fast
xdotool key space
check "  ... and a key press ends it with 0" ends_with "$saver" 30 0

# Its settings dialog holds zintu.scr as the Screen Saver Settings' preview
# does, and stays open whatever else is shown (the full-screen saver would
# end when setup's window came up).
echo "-- the same setup again while zintu.scr runs (an update in place)"
start "$user_scr" /c
dialog=$!
check "'$user_scr /c' shows its dialog" wait_until 30 window_shown "$title"
check "setup /S exits 0" run "$setup" /S
check "  ... having ended the running zintu.scr (exit 1)" ends_with "$dialog" 10 1
check_installed HKCU "$user_dir" "$user_scr"
check "  ... the screen saver from before is still the one recorded" \
    read_key 'HKCU\Software\Zintu'
check "  ... as $before_saver" value_is PreviousScreenSaver "$before_saver"

echo "-- uninstall (QuietUninstallString)"
check "the uninstaller removes the entry" uninstall HKCU
check "  ... and the folder" test ! -e "$(unix_path "$user_dir")"
check "  ... and its record of the screen saver" key_gone 'HKCU\Software\Zintu'
check_saver_is "$before_saver" 0
check "  ... keeping the user's settings" test -s "$settings"

echo "-- install for all users (setup /S /AllUsers)"
check "setup /S /AllUsers exits 0" run "$setup" /S /AllUsers
all_dir='C:\Program Files\Zintu' all_scr='C:\windows\system32\zintu.scr'
check_installed HKLM "$all_dir" "$all_scr"
check "  ... in the 64-bit system folder, not the 32-bit one" \
    test ! -e "$(unix_path 'C:\windows\syswow64\zintu.scr')"
check "  ... and no entry in the 32-bit registry" key_gone "HKLM\\$uninstall_key" /reg:32

echo "-- uninstall for all users, asked to remove the settings"
check "the uninstaller removes the entry" uninstall HKLM /RemoveSettings
check "  ... and zintu.scr" test ! -e "$(unix_path "$all_scr")"
check "  ... and its folder" test ! -e "$(unix_path "$all_dir")"
check_saver_is "$before_saver" 0
check "  ... and the user's settings, as asked" test ! -e "$(dirname "$settings")"
exit $fail
