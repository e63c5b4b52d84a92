#!/usr/bin/env bash
# Installs what is missing, builds the three programs and runs every test:
# unit tests (native, ASan/UBSan), asset and executable checks, a bounded
# fuzzing run, and the end-to-end tests under Wine. Ends with one line
# "N passed, M failed" and fails when anything failed.
set -uo pipefail
cd "$(dirname "$0")/.."
. tools/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}" || exit 1

passed=0
failed=0
failures=()
count() {   # count NAME PASSED FAILED
    passed=$((passed + $2))
    failed=$((failed + $3))
    [ "$3" -eq 0 ] || failures+=("$1")
}

FUZZ_SECONDS=${FUZZ_SECONDS:-60}

for preset in native win32 win64 fuzz; do
    echo "== Building $preset"
    if cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset"; then
        count "build $preset" 1 0
    else
        count "build $preset" 0 1
    fi
done

echo "== Unit tests"
log=$(mktemp)
(cd build/native && ctest --output-on-failure -j2) | tee "$log"
summary=$(grep -Eo '[0-9]+ tests failed out of [0-9]+' "$log" | tail -1)
if [ -n "$summary" ]; then
    bad=$(echo "$summary" | awk '{print $1}')
    all=$(echo "$summary" | awk '{print $6}')
    count "unit tests" $((all - bad)) "$bad"
else
    count "unit tests" 0 1
fi

echo "== Static analysis"
if bash tools/lint.sh build/native; then
    count "static analysis" 1 0
else
    count "static analysis" 0 1
fi

echo "== Executable checks"
if bash tests/exe/check_exe.sh build/win32/ZorbelOrder.exe build/win64/ZorbelOrder.exe | tee "$log"; then
    count "executable checks" "$(grep -c '^PASS' "$log")" 0
else
    count "executable checks" "$(grep -c '^PASS' "$log")" "$(grep -c '^FAIL' "$log" | sed 's/^0$/1/')"
fi

echo "== Fuzzing the order text for ${FUZZ_SECONDS}s"
if [ -x build/fuzz/fuzz_order_text ]; then
    corpus=$(mktemp -d)
    if build/fuzz/fuzz_order_text -max_total_time="$FUZZ_SECONDS" -print_final_stats=1 "$corpus" 2>"$log"; then
        grep -E 'stat::number_of_executed_units|exec/s' "$log" | tail -2
        count "fuzzing" 1 0
    else
        tail -40 "$log"
        count "fuzzing" 0 1
    fi
    rm -rf "$corpus"
else
    count "fuzzing" 0 1
fi

echo "== End-to-end tests under Wine"
bash tests/e2e/run_all.sh build/win64/ZorbelOrder.exe | tee "$log"
e2e=$(grep -Eo 'e2e: [0-9]+ passed, [0-9]+ failed' "$log" | tail -1)
if [ -n "$e2e" ]; then
    count "end-to-end tests" "$(echo "$e2e" | awk '{print $2}')" "$(echo "$e2e" | awk '{print $4}')"
else
    count "end-to-end tests" 0 1
fi
rm -f "$log"

[ ${#failures[@]} -eq 0 ] || echo "Failed: ${failures[*]}"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
