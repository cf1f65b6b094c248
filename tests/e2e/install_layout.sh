#!/usr/bin/env bash
# `cmake --install` lays zintu out as an XScreenSaver hack: the program in
# libexec/xscreensaver/, its settings description in share/xscreensaver/config/
# and its manual page in share/man/man6/.
# Usage: install_layout.sh CMAKE BUILD_DIR
source "$(dirname "$0")/check.sh"
cmake=$1
build=$2

"$cmake" --install "$build" --prefix "$work/usr" >"$work/log" 2>&1
check "cmake --install succeeds" test $? -eq 0 || cat "$work/log"
check "the program is in libexec/xscreensaver/" test -x "$work/usr/libexec/xscreensaver/zintu"
check "the description is in share/xscreensaver/config/" \
    test -f "$work/usr/share/xscreensaver/config/zintu.xml"
check "the manual is in share/man/man6/" test -f "$work/usr/share/man/man6/zintu.6"
check "the installed program runs" "$work/usr/libexec/xscreensaver/zintu" --version
exit $fail
