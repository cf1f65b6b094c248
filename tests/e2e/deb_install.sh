#!/usr/bin/env bash
# The Debian package as an administrator installs and removes it. Only as
# root where no zintu package is installed; otherwise, or without a package
# (scripts/package), it exits 77 (skipped).
# Usage: deb_install.sh PACKAGE_FOLDER VERSION
source "$(dirname "$0")/check.sh"
deb=$1/zintu_$2_$(dpkg --print-architecture).deb
skip() {
    echo "skipped: $*"
    exit 77
}
[ -f "$deb" ] || skip "no package $deb; scripts/package builds it"
[ "$(id -u)" -eq 0 ] || skip "installing a package needs root; run as root to test $deb"
status=$(dpkg-query -W -f='${db:Status-Status}' zintu 2>/dev/null)
[ -z "$status" ] || [ "$status" = not-installed ] ||
    skip "a zintu package is on this machine already ($status); not replacing it"

# Whatever ends the script, the package it installed goes again.
stop_more() { [ "$(dpkg-query -W -f='${db:Status-Status}' zintu 2>/dev/null)" = installed ] &&
    dpkg -r zintu >/dev/null 2>&1; }

dpkg-deb -c "$deb" | awk '{ print substr($6, 2) }' | grep -v '/$' >"$work/files"
dpkg -i "$deb" >"$work/log" 2>&1
check "dpkg -i installs it" test $? -eq 0 || sed 's/^/     /' "$work/log"
check "XScreenSaver's configuration folder lists it" \
    grep -q '<screensaver name="zintu"' /usr/share/xscreensaver/config/zintu.xml
check "/usr/bin/zintu leads to the hack in /usr/libexec/xscreensaver/" \
    test "$(realpath /usr/bin/zintu)" = /usr/libexec/xscreensaver/zintu
XDG_CONFIG_HOME=$work/config /usr/bin/zintu --snapshot "$work/shot.png" --size 64x40 --frame 1 \
    2>"$work/err"
check "zintu --snapshot runs from its installed path" test $? -eq 0 -a -s "$work/shot.png" \
    -a ! -s "$work/err"
/usr/bin/zintu-gtfs --help >"$work/help"
check "zintu-gtfs --help runs from its installed path" grep -q '^usage: zintu-gtfs' "$work/help"

dpkg -r zintu >"$work/log" 2>&1
check "dpkg -r removes it" test $? -eq 0 || sed 's/^/     /' "$work/log"
check "  ... and leaves none of its files behind (it has no configuration files)" \
    test -z "$(xargs -a "$work/files" ls -d 2>/dev/null)"
exit $fail
