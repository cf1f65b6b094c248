#!/usr/bin/env bash
# Sourced by the end-to-end scripts, not run: a scratch folder $work removed at
# the end, and the checks' bookkeeping (`check DESCRIPTION COMMAND...` prints an
# "ok" or "FAIL" line; $fail is the script's exit status).
set -u
work=$(mktemp -d)
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
fail=0

check() {
    local what=$1
    shift
    if "$@"; then echo "ok   $what"; else
        echo "FAIL $what"
        fail=1
    fi
}
