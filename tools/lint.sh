#!/usr/bin/env bash
# Static analysis of the program's sources: clang-tidy (checks in
# .clang-tidy, against the native build's compile database) and cppcheck.
# Usage: tools/lint.sh [native-build-dir]; fails on any finding.
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/native}
sources=$(ls app/*.cpp pages/*.cpp order/*.cpp | grep -vE 'app/(WinMain|NewDelete|ProcessStart|DelayLoad)\.cpp')
status=0
echo "clang-tidy: $(echo $sources | wc -w) files"
# A finding, or clang-tidy failing without one (no compile database, say), with its last words.
if ! tidy=$(clang-tidy -p "$build" --quiet $sources 2>&1) || grep -qE "(error|warning):" <<<"$tidy"; then
    grep -E "(error|warning):" <<<"$tidy" || tail -5 <<<"$tidy"
    status=1
fi
echo "cppcheck"
# useStlAlgorithm is off: the loops it flags are constexpr, which the C++17
# algorithms are not. The Win32 stand-in under tests/win32 is read only for
# its declarations: it keeps Win32's own signatures, so what a newer cppcheck
# finds there (a parameter that could be const) is not ours to change.
# Since 2.11 cppcheck follows fewer branches unless asked for all of them,
# as 2.10 (Debian 12's) does: asked, where it can be.
[[ $(cppcheck --help) == *--check-level=* ]] && level=--check-level=exhaustive || level=
cppcheck --enable=warning,style,performance,portability --inline-suppr --error-exitcode=1 --std=c++17 $level \
    --quiet -I . -I tests/win32 --suppress=missingIncludeSystem --suppress=useStlAlgorithm \
    --suppress='*:tests/win32/*' app pages order || status=1
[ $status -eq 0 ] && echo "static analysis: clean"
exit $status
