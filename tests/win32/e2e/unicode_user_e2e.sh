#!/usr/bin/env bash
# zintu.scr for a user whose name the ANSI code page cannot spell, "Łukasz",
# with a network at C:\Łódź\東京.zintu (a copy of NETWORK): the dialog at 96
# and 192 DPI, and the saver showing that network.
#   unicode_user_e2e.sh SCR NETWORK SESSION_SCRIPT STATE OUT
# Screenshots of the dialog at 96 and 192 DPI go to OUT.
source "$(dirname "$0")/../../e2e/check.sh"
scr=$1 network=$2 session=$3 state=$4 out=$5
source "$(dirname "$0")/wine_lib.sh"
export ZINTU_WINE_USER=Łukasz
own_session

drive=$WINEPREFIX/drive_c
roaming=$drive/users/Łukasz/AppData/Roaming
check "the prefix's profile is C:\\users\\Łukasz" test -d "$roaming"
mkdir -p "$drive/Łódź" "$roaming/Zintu"
cp "$network" "$drive/Łódź/東京.zintu"
settings=$roaming/Zintu/zintu.ini
user_file() { # colours [network [zoomlevel]]
    printf '\xff\xfe'
    printf '[zintu]\r\nmode=fastmode\r\nzoomlevel=%s\r\nnetwork=%s\r\ncolours=%s\r\n%s\r\n' \
        "${3-downtown}" "${2-C:\Łódź\東京.zintu}" "$1" monitors=each | iconv -f UTF-8 -t UTF-16LE
}
user_file lines >"$settings"

# Opens the dialog, keeps its size in $size and its picture in OUT/NAME.png,
# then presses KEYS; the dialog must end with STATUS.
dialog_at() { # name, status, keys...
    start "$scr" /c
    local dialog=$! name=$1 status=$2
    shift 2
    wait_until 30 has_keyboard "$title" && sleep 1 # painted
    local id=$(window_titled "$title")
    size=$(geometry "$id" | cut -d+ -f1)
    xwd -id "$id" -silent | convert xwd:- "$out/$name.png"
    xdotool key "$@"
    ends_with "$dialog" 30 "$status"
}
dpi() { run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
dpi 96
check "/c shows the dialog; Alt+A and OK end it with 1" dialog_at dialog-100 1 alt+a Return
size96=$size
check "  ... which read the user's choices and saved them with the colours changed" \
    cmp "$settings" <(user_file auto)
check "  ... in the user's own folder alone" test ! -e "$drive/users/Lukasz"

dpi 192
check "at 192 DPI the dialog opens; Alt+R and Escape end it with 0" dialog_at dialog-200 0 alt+r Escape
check "  ... saving nothing" cmp "$settings" <(user_file auto)
# Each side about twice as long; the frame Wine draws grows less than the
# dialog's own area.
twice() { # WxH at 96 DPI, at 192
    awk -v a="$1" -v b="$2" 'BEGIN { split(a, s, "x"); split(b, t, "x")
        for (i = 1; i <= 2; i++) if (t[i] < 1.7 * s[i] || t[i] > 2.2 * s[i]) exit 1 }'
}
check "  ... laid out twice as large ($size96, $size)" twice "$size96" "$size"

# Runs the full-screen saver until it covers the screen and shows a map,
# keeps the map's count of grey pixels in $grey, and ends it with a key. The
# whole map: the network's downtown view has no line in it.
saver_shows() {
    grey=
    start "$scr" /s
    local saver=$!
    wait_until 30 covers_screen && wait_until 30 map_drawn &&
        grey=$(awk '$1 == "network" { print $2 }' "$out/screen.txt")
    xdotool key space
    ends_with "$saver" 30 0 && [ -n "$grey" ]
}
user_file auto 'C:\Łódź\東京.zintu' fullnetwork >"$settings"
check "/s at 192 DPI covers the screen in its pixels, shows a map, ends on a key" saver_shows
file_grey=$grey
user_file auto "" fullnetwork >"$settings"
check "  ... and so it does without the file" saver_shows
check "  ... which shows another map (grey pixels: $file_grey with the file, $grey without)" \
    awk -v a="$file_grey" -v b="$grey" 'BEGIN { exit !(a * 2 < b || b * 2 < a) }'
exit $fail
