# Shared by the test scripts: `check DESCRIPTION COMMAND...` runs the command,
# prints "ok" or "FAIL" with the description, and sets fail=1 on failure.
fail=0
check() {
    local what=$1; shift
    if "$@"; then echo "ok   $what"; else echo "FAIL $what"; fail=1; fi
}
