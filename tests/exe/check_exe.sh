#!/usr/bin/env bash
# Static checks of the built programs: they import only system DLLs, their
# code stays small, and they carry the resources a user and the shell see
# (the host dialog template, the version strings, icon 1).
# Usage: check_exe.sh EXE... ; prints PASS/FAIL lines, fails on any FAIL.
set -u
status=0
pass() { echo "PASS $1"; }
fail() { echo "FAIL $1: $2"; status=1; }

SYSTEM_DLLS=" kernel32.dll user32.dll gdi32.dll winmm.dll shell32.dll comdlg32.dll msvcrt.dll "
TEXT_LIMIT=$((64 * 1024))
# Classic dialog template: style 0x920000C4, no controls, 0,0,200,100, no
# menu, class or title, 8 point "MS Sans Serif".
DIALOG_HEX="c400009200000000000000000000c800640000000000000008004d0053002000530061006e0073002000530065007200690066000000"

for exe in "$@"; do
    name=$(basename "$(dirname "$exe")")/$(basename "$exe")
    if [ ! -f "$exe" ]; then
        fail "$name exists" "not built"
        continue
    fi
    case "$(file -b "$exe")" in
        *x86-64*) objdump=x86_64-w64-mingw32-objdump ;;
        *) objdump=i686-w64-mingw32-objdump ;;
    esac

    dlls=$($objdump -p "$exe" | awk '/DLL Name:/ {print tolower($3)}' | sort -u)
    foreign=""
    for dll in $dlls; do
        case "$SYSTEM_DLLS" in *" $dll "*) ;; *) foreign="$foreign $dll" ;; esac
    done
    if [ -z "$dlls" ]; then
        fail "$name imports" "no import table found"
    elif [ -n "$foreign" ]; then
        fail "$name imports only system DLLs" "also$foreign"
    else
        pass "$name imports only system DLLs ($(echo $dlls))"
    fi

    text=$($objdump -h "$exe" | awk '$2 == ".text" {print $3}')
    [ -n "$text" ] && text=$((16#$text))
    if [ -n "$text" ] && [ "$text" -le "$TEXT_LIMIT" ]; then
        pass "$name .text is $text bytes"
    else
        fail "$name .text at most $TEXT_LIMIT bytes" "${text:-missing}"
    fi

    dialog=$(wrestool -x --raw --type=5 --name=28672 "$exe" 2>/dev/null | od -An -v -tx1 | tr -d ' \n')
    if [ "$dialog" = "$DIALOG_HEX" ]; then
        pass "$name host dialog template"
    else
        fail "$name host dialog template" "got ${dialog:-nothing}"
    fi

    version=$(wrestool -x --raw --type=16 "$exe" 2>/dev/null | tr -d '\0')
    missing=""
    for want in "CompanyName" "Quintara Software" "ProductName" "Zorbel Solitaire"; do
        case "$version" in *"$want"*) ;; *) missing="$missing '$want'" ;; esac
    done
    if [ -n "$version" ] && [ -z "$missing" ]; then
        pass "$name version strings"
    else
        fail "$name version strings" "missing$missing"
    fi

    icons=$(wrestool -l --type=14 "$exe" 2>/dev/null)
    if echo "$icons" | grep -q -- "--name=1 " && wrestool -x --type=14 --name=1 "$exe" 2>/dev/null |
        icotool -l - 2>/dev/null | grep -q -- "--width=32 --height=32 --bit-depth=8"; then
        pass "$name icon 1 is 32x32, 256 colours"
    else
        fail "$name icon 1" "$(echo $icons)"
    fi
done
exit $status
