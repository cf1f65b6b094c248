#!/usr/bin/env bash
# Sourced by the end-to-end scripts, not run: a scratch folder removed at the
# end, and the checks' bookkeeping (an "ok" or "FAIL" line each; $fail is the
# script's exit status).
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0

check() { # description, command...
    local what=$1
    shift
    if "$@"; then echo "ok   $what"; else
        echo "FAIL $what"
        fail=1
    fi
}
