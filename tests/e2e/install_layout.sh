#!/usr/bin/env bash
# `cmake --install` lays zintu out as an XScreenSaver hack: the program in
# libexec/xscreensaver/ with bin/zintu leading to it, its settings description
# in share/xscreensaver/config/, zintu-gtfs in bin/, and the manual pages.
# Usage: install_layout.sh CMAKE BUILD_DIR
source "$(dirname "$0")/check.sh"
cmake=$1
build=$2

"$cmake" --install "$build" --prefix "$work/usr" >"$work/log" 2>&1
check "cmake --install succeeds" test $? -eq 0 || cat "$work/log"
check "the program is in libexec/xscreensaver/" test -x "$work/usr/libexec/xscreensaver/zintu"
check "bin/zintu is a relative link to it" \
    test "$(readlink "$work/usr/bin/zintu")" = ../libexec/xscreensaver/zintu
check "the description is in share/xscreensaver/config/" \
    test -f "$work/usr/share/xscreensaver/config/zintu.xml"
check "the manual pages are in share/man/, compressed" \
    test -f "$work/usr/share/man/man6/zintu.6.gz" -a -f "$work/usr/share/man/man1/zintu-gtfs.1.gz"
check "the installed program runs through its link" "$work/usr/bin/zintu" --version
check "zintu-gtfs is in bin/ and runs" "$work/usr/bin/zintu-gtfs" --version
exit $fail
