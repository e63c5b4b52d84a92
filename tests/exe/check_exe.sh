#!/usr/bin/env bash
# Static checks of the built programs: they import only system DLLs, those
# needed only for later commands delay-loaded, their code stays small, and
# they carry the resources a user and the shell see (the host dialog
# template, the version strings, icon 1).
# Usage: check_exe.sh EXE... ; prints PASS/FAIL lines, fails on any FAIL.
set -u
status=0
pass() { echo "PASS $1"; }
fail() { echo "FAIL $1: $2"; status=1; }

SYSTEM_DLLS=" kernel32.dll user32.dll gdi32.dll winmm.dll shell32.dll comdlg32.dll msvcrt.dll "
# Needed only after the user does something (print, cues, the online page):
# delay-loaded, so they must not be in the import table proper, which Windows
# loads before the first window.
ON_DEMAND_DLLS=" comdlg32.dll shell32.dll winmm.dll "
TEXT_LIMIT=$((64 * 1024))

# The delay-imported DLLs of a PE file, one "dll function..." line each.
# objdump does not list delay imports, and GNU ld leaves the delay import
# directory empty, so without a directory the descriptors are found by their
# shape: attributes 1, a DLL name, and name and address tables in the image.
delay_imports() {
    /usr/bin/python3 - "$1" <<'PY'
import re, struct, sys
data = open(sys.argv[1], "rb").read()
pe = struct.unpack_from("<I", data, 0x3C)[0]
sections, optional_size = struct.unpack_from("<H", data, pe + 6)[0], struct.unpack_from("<H", data, pe + 20)[0]
optional = pe + 24
wide = struct.unpack_from("<H", data, optional)[0] == 0x20B
image_size = struct.unpack_from("<I", data, optional + 56)[0]
table = []
for i in range(sections):
    virtual_size, address, raw_size, raw = struct.unpack_from("<IIII", data, optional + optional_size + 40 * i + 8)
    table.append((address, virtual_size, raw, raw_size))

def offset(rva):
    for address, virtual_size, raw, raw_size in table:
        if address <= rva < address + min(virtual_size or raw_size, raw_size):
            return raw + rva - address
    return None

def text(rva, pattern):
    at = offset(rva)
    if at is None:
        return None
    end = data.find(b"\0", at, at + 260)
    return data[at:end].decode("ascii") if end > at and re.fullmatch(pattern, data[at:end]) else None

def descriptor(at):
    attributes, name, module, addresses, names = struct.unpack_from("<5I", data, at)
    dll = text(name, rb"[A-Za-z0-9_.-]+\.dll") if attributes == 1 else None
    if not dll or not 0 < module < image_size or not 0 < addresses < image_size or offset(names) is None:
        return None
    functions, step = [], 8 if wide else 4
    at = offset(names)
    while at is not None and at + step <= len(data):
        thunk = struct.unpack_from("<Q" if wide else "<I", data, at)[0]
        if thunk == 0:
            break
        if thunk >> (63 if wide else 31):
            functions.append("#%d" % (thunk & 0xFFFF))
        else:
            function = text((thunk & 0x7FFFFFFF) + 2, rb"[A-Za-z_][A-Za-z0-9_@?$]*")
            if function is None:
                return None
            functions.append(function)
        at += step
    return (dll.lower(), functions) if functions else None

found = []
directory = optional + (112 if wide else 96) + 13 * 8
rva = struct.unpack_from("<I", data, directory)[0] if len(data) > directory + 8 else 0
if rva and offset(rva) is not None:
    at = offset(rva)
    while any(data[at:at + 32]) and (entry := descriptor(at)):
        found.append(entry)
        at += 32
else:
    for address, virtual_size, raw, raw_size in table:
        for at in range(raw, raw + raw_size - 32, 4):
            entry = descriptor(at) if data[at] == 1 else None
            if entry:
                found.append(entry)
for dll, functions in sorted(found):
    print(dll, *functions)
PY
}

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
    if ! delayed=$(delay_imports "$exe"); then
        fail "$name delay imports" "unreadable"
    fi
    delayed=$(echo "$delayed" | awk '{print $1}' | sort -u)
    foreign=""
    for dll in $dlls $delayed; do
        case "$SYSTEM_DLLS" in *" $dll "*) ;; *) foreign="$foreign $dll" ;; esac
    done
    if [ -z "$dlls" ]; then
        fail "$name imports" "no import table found"
    elif [ -n "$foreign" ]; then
        fail "$name imports only system DLLs" "also$foreign"
    else
        pass "$name imports only system DLLs ($(echo $dlls); delay-loaded: $(echo ${delayed:-none}))"
    fi

    early=""
    for dll in $dlls; do
        case "$ON_DEMAND_DLLS" in *" $dll "*) early="$early $dll" ;; esac
    done
    if [ -z "$early" ]; then
        pass "$name loads $(echo $ON_DEMAND_DLLS) only on first use"
    else
        fail "$name loads $(echo $ON_DEMAND_DLLS) only on first use" "imported outright:$early"
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
