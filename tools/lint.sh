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
clang-tidy -p "$build" --quiet $sources 2>/dev/null | grep -E "(error|warning):" && status=1
echo "cppcheck"
# useStlAlgorithm is off: the loops it flags are constexpr, which the C++17
# algorithms are not.
cppcheck --enable=warning,style,performance,portability --inline-suppr --error-exitcode=1 --std=c++17 \
    --quiet -I . -I tests/win32 --suppress=missingIncludeSystem --suppress=useStlAlgorithm app pages order || status=1
[ $status -eq 0 ] && echo "static analysis: clean"
exit $status
