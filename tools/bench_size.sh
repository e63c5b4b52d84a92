#!/usr/bin/env bash
# Size of the shipped program: its code (.text) and what it imports, loaded
# at start-up or delay-loaded on first use, then the executable checks on it.
# By hand: tools/bench_size.sh [EXE]
set -euo pipefail
cd "$(dirname "$0")/.."
exe=${1:-build/win32/ZorbelOrder.exe}
objdump=i686-w64-mingw32-objdump
file -b "$exe" | grep -q x86-64 && objdump=x86_64-w64-mingw32-objdump

text=$($objdump -h "$exe" | awk '$2 == ".text" {print $3}')
echo "$exe: .text $((16#$text)) bytes, file $(stat -c %s "$exe") bytes"
echo "Imported at start-up:"
$objdump -p "$exe" | awk '
    /DLL Name:/ { if (dll) print "  " dll ":" names; dll = $3; names = ""; next }
    dll && /^\t[0-9a-f]+\t +[0-9]+ +[A-Za-z_]/ { names = names " " $3 }
    /^$/ && dll && names { print "  " dll ":" names; dll = ""; names = "" }
    END { if (dll) print "  " dll ":" names }'
echo "Checks:"
/usr/bin/python3 tests/exe/check_exe.py "$exe" | sed "s/^/  /"   # .text bound, 486 code, imports
