#!/usr/bin/env bash
# Sourced by the end-to-end scripts, not run: a scratch folder $work removed at
# the end, and the checks' bookkeeping (`check DESCRIPTION COMMAND...` prints an
# "ok" or "FAIL" line; $fail is the script's exit status). Every sanitizer
# report of a program the script runs, in the foreground or not, goes to a file
# in $work instead of its standard error (which the checks may not look at);
# any report is printed and fails the script at its end. A script that starts
# programs of its own defines `stop_started`, which runs first.
set -u
work=$(mktemp -d)
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}log_path=$work/sanitizer"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:+$UBSAN_OPTIONS:}log_path=$work/sanitizer:print_stacktrace=1"
fail=0

finish() {
    local status=$? report
    if declare -F stop_started >/dev/null; then stop_started; fi
    for report in "$work"/sanitizer.*; do
        [ -e "$report" ] || continue
        echo "FAIL sanitizer report ($(basename "$report")):"
        sed 's/^/     /' "$report"
        status=1
    done
    chmod -R u+w "$work" 2>/dev/null
    rm -rf "$work"
    exit "$status"
}
trap finish EXIT

check() {
    local what=$1
    shift
    if "$@"; then echo "ok   $what"; else
        echo "FAIL $what"
        fail=1
    fi
}
