#!/usr/bin/env bash
# Installs what is missing, builds the programs and runs every test: unit
# tests (native, ASan/UBSan, with the asset check), static analysis, the
# executable checks (with a second build of the shipped program elsewhere),
# the release tests (tools/release.sh with throwaway keys, tools/verify.sh
# on its releases), a bounded fuzzing run, and the end-to-end tests: on the
# shipped i686 build under 32-bit Wine in an emulated i386 machine (made once
# and cached), or, with "quick", on the x86_64 build under this machine's
# Wine. Ends with one line "N passed, M failed" and fails when anything failed.
#   tools/test.sh [quick]
set -uo pipefail
cd "$(dirname "$0")/.."
. tools/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${RELEASE_PACKAGES[@]}" || exit 1

FUZZ_SECONDS=${FUZZ_SECONDS:-30}
quick=${1:-}
passed=0
failed=0
failures=()
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# step NAME COMMAND...: runs the command with its output shown and kept in
# $log; a step that reports "N passed, M failed" (or ctest's summary) counts
# its own tests, any other counts as one.
step() {
    local name=$1 rc p f start=$SECONDS
    shift
    echo "== $name"
    "$@" 2>&1 | tee "$log"
    rc=${PIPESTATUS[0]}
    echo "== $name: $((SECONDS - start)) s"
    if summary=$(grep -Eo '[0-9]+ passed, [0-9]+ failed' "$log" | tail -1) && [ -n "$summary" ]; then
        p=$(echo "$summary" | awk '{print $1}')
        f=$(echo "$summary" | awk '{print $3}')
    elif summary=$(grep -Eo '[0-9]+ tests failed out of [0-9]+' "$log" | tail -1) && [ -n "$summary" ]; then
        f=$(echo "$summary" | awk '{print $1}')
        p=$(($(echo "$summary" | awk '{print $6}') - f))
    elif [ "$rc" -eq 0 ]; then
        p=1 f=0
    else
        p=0 f=1
    fi
    [ "$rc" -eq 0 ] || [ "$f" -gt 0 ] || f=1
    passed=$((passed + p))
    failed=$((failed + f))
    [ "$f" -eq 0 ] || failures+=("$name")
}

build() { cmake --preset "$1" >/dev/null && cmake --build --preset "$1"; }

fuzz() {
    local corpus
    corpus=$(mktemp -d)
    build/fuzz/fuzz_order_text -max_total_time="$FUZZ_SECONDS" -print_final_stats=1 "$corpus" 2>&1 |
        grep -E 'ERROR|SUMMARY|DONE|stat::number_of_executed_units' | tail -8
    local rc=${PIPESTATUS[0]}
    rm -rf "$corpus"
    return "$rc"
}

for preset in native win32 win64 fuzz; do
    step "build $preset" build "$preset"
done
[ "$quick" = quick ] || step "the emulated i386 machine" bash tests/vm/image.sh
step "unit tests" ctest --test-dir build/native -j2 --output-on-failure
step "static analysis" bash tools/lint.sh build/native
step "executable checks" /usr/bin/python3 tests/exe/check_exe.py build/win32/ZorbelOrder.exe build/win64/ZorbelOrder.exe
step "release: unsigned, signed three ways, time-stamped, failing; verify.sh" bash tests/release/release_test.sh
step "fuzzing the order text for ${FUZZ_SECONDS}s" fuzz
if [ "$quick" = quick ]; then
    step "end-to-end tests: x86_64 build, Wine" /usr/bin/python3 tests/e2e/e2e.py build/win64/ZorbelOrder.exe
else
    step "end-to-end tests: shipped i686 build, 32-bit Wine in the emulated i386 machine" \
        bash tests/vm/run.sh python3 tests/e2e/e2e.py build/win32/ZorbelOrder.exe
fi

[ ${#failures[@]} -eq 0 ] || echo "Failed: ${failures[*]}"
echo "All steps: $((SECONDS / 60)) min $((SECONDS % 60)) s"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
