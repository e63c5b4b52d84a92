#!/usr/bin/env bash
# Installs what is missing, builds the programs and runs every test: unit
# tests (native, ASan/UBSan, with the asset check), static analysis, the
# executable checks of both Windows builds,
# the release tests (tools/release.sh with throwaway keys, tools/verify.sh
# on its releases), a bounded fuzzing run, and the end-to-end tests: on the
# shipped i686 build under 32-bit Wine in an emulated i386 machine (made once
# and cached), or, with "quick", on the x86_64 build under this machine's
# Wine. A check that cannot run here says "NOT RUN what: why"; the summary
# lists those and ends with one line "N passed, M failed, K skipped" (K: not
# run). Fails when anything failed.
#   tools/test.sh [quick]
set -uo pipefail
cd "$(dirname "$0")/.."
. tools/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${RELEASE_PACKAGES[@]}" || exit 1

FUZZ_SECONDS=${FUZZ_SECONDS:-30}
quick=${1:-}
passed=0
failed=0
skipped=0
failures=()
not_run=()
# Every step's temporary files go into one folder that goes however the run
# ends, those of a step cut short by Ctrl-C too.
work=$(mktemp -d)
export TMPDIR=$work
trap 'rm -rf "$work"' EXIT
trap 'echo "tools/test.sh: stopped by a signal"; exit 130' INT TERM
log=$work/log

# step NAME COMMAND...: runs the command with its output shown and kept in
# $log; a step that reports "N passed, M failed[, K not run]" (or ctest's
# summary) counts its own tests, any other counts as one. Each "NOT RUN"
# line counts as one not run, unless the step's summary counts them.
step() {
    local name=$1 rc p f k lines start=$SECONDS
    shift
    echo "== $name"
    "$@" 2>&1 | tee "$log"
    rc=${PIPESTATUS[0]}
    echo "== $name: $((SECONDS - start)) s$([ "$rc" -eq 0 ] || echo ", exit status $rc")"
    mapfile -t lines < <(sed -n 's/^NOT RUN //p' "$log")
    k=${#lines[@]}
    if summary=$(grep -Eo '[0-9]+ passed, [0-9]+ failed(, [0-9]+ not run)?' "$log" | tail -1) && [ -n "$summary" ]; then
        read -r p _ f _ k _ <<<"${summary//,/} $k"
    elif summary=$(grep -Eo '[0-9]+ tests failed out of [0-9]+' "$log" | tail -1) && [ -n "$summary" ]; then
        f=$(echo "$summary" | awk '{print $1}')
        k=$(grep -cE '^\s*[0-9]+ - .* \((Skipped|Disabled)\)$' "$log")
        p=$(($(echo "$summary" | awk '{print $6}') - f - k))
    elif [ "$rc" -eq 0 ]; then
        p=$((k == 0)) f=0
    else
        p=0 f=1
    fi
    [ "$rc" -eq 0 ] || [ "$f" -gt 0 ] || f=1
    passed=$((passed + p))
    failed=$((failed + f))
    skipped=$((skipped + k))
    not_run+=("${lines[@]}")
    [ "$f" -eq 0 ] || failures+=("$name")
}

build() { cmake --preset "$1" >/dev/null && cmake --build --preset "$1"; }

fuzz() {
    [ -x build/fuzz/fuzz_order_text ] || { echo "no fuzzer: its build failed (see above)"; return 1; }
    mkdir -p "$work/corpus"
    build/fuzz/fuzz_order_text -max_total_time="$FUZZ_SECONDS" -print_final_stats=1 "$work/corpus" 2>&1 |
        grep -E 'ERROR|SUMMARY|DONE|stat::number_of_executed_units' | tail -8
    return "${PIPESTATUS[0]}"
}

e2e_in_machine() {
    [ -n "${VM_DIR:-}" ] || { echo "no emulated machine to run them in: making it failed (see above)"; return 1; }
    bash tests/vm/run.sh python3 tests/e2e/e2e.py build/win32/ZorbelOrder.exe
}

# ctest, then what a skipped test said of why (ctest shows only a failing one's output).
unit_tests() {
    rm -f build/native/Testing/Temporary/LastTest.log
    ctest --test-dir build/native -j2 --output-on-failure
    local rc=$?
    grep -h '^NOT RUN ' build/native/Testing/Temporary/LastTest.log
    return $rc
}

for preset in native win32 win64 fuzz; do
    step "build $preset" build "$preset"
done
if [ "$quick" != quick ]; then
    step "the emulated i386 machine" bash tests/vm/image.sh
    vm=$(tail -1 "$log")   # its folder, once made; not made again below when that failed
    [ -f "$vm/disk.img" ] && export VM_DIR=$vm
fi
step "unit tests" unit_tests
step "static analysis" bash tools/lint.sh build/native
step "executable checks" /usr/bin/python3 tests/exe/check_exe.py build/win32/ZorbelOrder.exe build/win64/ZorbelOrder.exe
step "release: unsigned, signed three ways, time-stamped, failing; verify.sh" bash tests/release/release_test.sh
step "fuzzing the order text for ${FUZZ_SECONDS}s" fuzz
if [ "$quick" = quick ]; then
    step "end-to-end tests: x86_64 build, Wine" /usr/bin/python3 tests/e2e/e2e.py build/win64/ZorbelOrder.exe
else
    step "end-to-end tests: shipped i686 build, 32-bit Wine in the emulated i386 machine" e2e_in_machine
fi

[ ${#failures[@]} -eq 0 ] || echo "Failed: ${failures[*]}"
if [ ${#not_run[@]} -gt 0 ]; then
    echo "Not run:"
    printf '  %s\n' "${not_run[@]}"
fi
echo "All steps: $((SECONDS / 60)) min $((SECONDS % 60)) s"
echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
