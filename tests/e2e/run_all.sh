#!/bin/bash
# Runs every end-to-end test of the program under Wine on a private Xvfb
# screen and prints one line per test, then the totals.
#
#   tests/e2e/run_all.sh [path/to/ZorbelOrder.exe]
#
# Builds nothing: the default program is build/win64/ZorbelOrder.exe.
# E2E_ONLY=regex runs only the tests whose names match.
# Screenshots, printed pages and per-test logs go to build/e2e-shots/
# (E2E_SHOTS overrides); the artwork compared against is resources/*.bmp
# (E2E_ARTWORK overrides).
set -u

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=lib.sh
. "$here/lib.sh"

AREAS="${E2E_AREAS:-shell pages form order soak}"
TEST_LIMIT=${E2E_TEST_LIMIT:-120}   # seconds for one test

exe=${1:-$E2E_ROOT/build/win64/ZorbelOrder.exe}
if [ ! -f "$exe" ]; then
    echo "FAIL setup: no program at $exe"
    echo "e2e: 0 passed, 1 failed"
    exit 1
fi
E2E_EXE=$(realpath "$exe")
E2E_SHOTS=${E2E_SHOTS:-$E2E_ROOT/build/e2e-shots}
E2E_ARTWORK=${E2E_ARTWORK:-$E2E_ROOT/resources}
export E2E_EXE E2E_SHOTS E2E_ARTWORK

mkdir -p "$E2E_SHOTS/logs"
rm -f "$E2E_SHOTS"/*.png "$E2E_SHOTS"/*.txt "$E2E_SHOTS"/*.pdf "$E2E_SHOTS"/logs/*.log

started=$(date +%s)
trap 'e2e_teardown' EXIT
trap 'exit 130' INT TERM

if ! e2e_setup 2>"$E2E_SHOTS/logs/setup.log"; then
    echo "FAIL setup: no screen or no Wine prefix (see $E2E_SHOTS/logs/setup.log)"
    echo "e2e: 0 passed, 1 failed"
    exit 1
fi

passed=0
failed=0

# A test that left windows behind (a crash, a time-out) must not disturb the
# next one: end every Wine process and bring the server back.
clear_leftovers() {
    local left
    left=$(e2e_visible_windows)
    if [ -n "$left" ]; then
        e2e_log "windows left over after $1; restarting the Wine server"
        timeout 20 wineserver -k 2>/dev/null
        timeout 20 wineserver -w 2>/dev/null
        wineserver -p
    fi
}

for area in $AREAS; do
    for fn in $(grep -o '^test_[a-z0-9_]*' "$here/$area.sh"); do
        name=${fn#test_}
        if [ -n "${E2E_ONLY:-}" ] && ! [[ $name =~ $E2E_ONLY ]]; then
            continue
        fi
        E2E_REASON="$E2E_TMP/reason-$name"
        : > "$E2E_REASON"
        t0=$(date +%s)
        E2E_REASON=$E2E_REASON timeout -k 5 "$TEST_LIMIT" \
            bash -c '. "$1/lib.sh"; . "$1/$2.sh"; e2e_run_test "$3"' _ "$here" "$area" "$name" \
            >"$E2E_SHOTS/logs/$name.log" 2>&1
        rc=$?
        e2e_log "$name: $(( $(date +%s) - t0 )) s"
        if [ $rc = 0 ]; then
            echo "PASS $name"
            passed=$((passed + 1))
        else
            if [ -s "$E2E_REASON" ]; then
                reason=$(head -c 400 "$E2E_REASON" | tr '\n' ' ')
            elif [ $rc = 124 ] || [ $rc = 137 ]; then
                reason="timed out after $TEST_LIMIT s"
            else
                reason="exit code $rc (see $E2E_SHOTS/logs/$name.log)"
            fi
            echo "FAIL $name: $reason"
            failed=$((failed + 1))
        fi
        clear_leftovers "$name"
    done
done

e2e_log "whole run: $(( $(date +%s) - started )) s"
echo "e2e: $passed passed, $failed failed"
[ $failed = 0 ]
