#!/usr/bin/env python3
"""Static checks of the built programs: what Windows loads before the first
window, the code size, the resources the user and the shell see, and nothing
of the time or folder of the build.

    tests/exe/check_exe.py build/win32/ZorbelOrder.exe build/win64/ZorbelOrder.exe
Prints PASS/FAIL lines and the totals; exits 1 on any FAIL."""
import itertools, os, re, struct, subprocess, sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
AT_START = {"kernel32.dll", "user32.dll", "gdi32.dll"}   # KnownDLLs, which Windows takes from the system folder
ON_DEMAND = {"comdlg32.dll": "PrintDlgA", "winmm.dll": "PlaySoundA", "shell32.dll": "ShellExecuteA"}  # print, cues, web
RUNTIME = {False: "crtdll.dll", True: "msvcrt.dll"}   # the C runtime in every Windows of that width, from 95 on
TEXT_LIMIT = 12 * 1024   # the shipped code stays small: 11.1 KB on i686 now
# What a 486 cannot run: P5/P6 instructions (multi-byte NOPs included), MMX/SSE and later; in objdump's words.
NEWER_THAN_486 = re.compile(r"\b(cmov|fcmov|fu?comip?\b|cmpxchg8b|rdtsc|rdpmc|rdmsr|wrmsr|cpuid|sys(enter|exit)|ud2|"
                            r"nop[wlq]|prefetch|tzcnt|lzcnt|popcnt|movbe|endbr|fisttp|emms|fx(save|rstor))|%[xyz]?mm\d")
# Captionless host: style 0x920000C4, no controls, 0,0,200,100, 8 point "MS Sans Serif".
# Every function the program calls, by DLL, each checked to be in Windows 95 as it shipped (the C runtime's in
# crtdll.dll there; the x86_64 build's Ptr pair and msvcrt.dll are every 64-bit Windows'). A name not here, or from
# another DLL, is one nobody has checked: it may stop the program from starting on some Windows.
RUNTIME_FUNCTIONS = "abort fclose fopen fputs free malloc strchr strcmp strlen"
REVIEWED = {dll: set(names.split()) for dll, names in {
    "kernel32.dll": "ExitProcess GetLastError GetModuleHandleA GetProcAddress GetSystemDirectoryA GlobalFree "
                    "LoadLibraryA RaiseException VirtualProtect lstrcpyA lstrlenA",
    "user32.dll": "AppendMenuA BeginPaint ClientToScreen CreatePopupMenu CreateWindowExA DestroyMenu DestroyWindow "
                  "DialogBoxParamA DrawTextA EndDialog EndPaint GetClientRect GetDC GetDlgItem GetDlgItemTextA "
                  "GetSysColor GetSystemMetrics GetWindowLongA GetWindowRect InvalidateRect LoadBitmapA MessageBoxA "
                  "MoveWindow ReleaseCapture ReleaseDC SendMessageA SetCapture SetDlgItemTextA SetFocus SetWindowLongA "
                  "TrackPopupMenu wsprintfA GetWindowLongPtrA SetWindowLongPtrA",
    "gdi32.dll": "BitBlt CreateCompatibleDC CreateFontIndirectA CreatePen DeleteDC DeleteObject EndDoc EndPage "
                 "GetDeviceCaps GetTextExtentPoint32A LineTo MoveToEx SelectObject SetBkColor SetBkMode SetTextAlign "
                 "SetTextColor StartDocA StartPage TextOutA",
    "crtdll.dll": RUNTIME_FUNCTIONS, "msvcrt.dll": RUNTIME_FUNCTIONS, "comdlg32.dll": "PrintDlgA",
    "winmm.dll": "PlaySoundA", "shell32.dll": "ShellExecuteA"}.items()}
DIALOG = bytes.fromhex("c400009200000000000000000000c80064000000000000000800") + "MS Sans Serif\0".encode("utf-16-le")
results = []


def check(name, ok, detail=""):
    results.append(bool(ok))
    print("PASS " + name if ok else "FAIL %s: %s" % (name, detail))


def run(*command, **kw):
    return subprocess.run(command, capture_output=True, **kw).stdout


class PE:  # just enough of a PE image to follow its import tables
    def __init__(self, data):
        self.data, head = data, struct.unpack_from("<I", data, 0x3C)[0] + 4
        count, self.stamp, optional, magic = struct.unpack_from("<2xHI8xH2xH", data, head)
        self.wide, self.ptr = magic == 0x20B, "<Q" if magic == 0x20B else "<I"
        self.base, _, self.imports = struct.unpack_from(("<Q80x" if self.wide else "<I64x") + "I4xI", data,
                                                                   head + 48 - 4 * self.wide)
        self.sections = [struct.unpack_from("<4I12xI", data, head + 28 + optional + 40 * i) for i in range(count)]

    def writable(self, rva):
        return any(0 <= rva - start < size and flags & 0x80000000 for size, start, _, _, flags in self.sections)

    def at(self, rva, code=False):  # file offset; None outside the sections' file data (or outside code)
        return next((offset + rva - start for size, start, file_size, offset, flags in self.sections
                     if 0 <= rva - start < min(size, file_size) and (flags & 0x20000000 or not code)), None)

    def get(self, form, rva):
        return struct.unpack_from(form, self.data, self.at(rva))

    def records(self, form, rva):  # up to the first that starts with 0
        return itertools.takewhile(any, (self.get(form, rva + struct.calcsize(form) * i) for i in itertools.count()))

    def name(self, rva):
        return self.data[self.at(rva):self.data.index(b"\0", self.at(rva))].decode("latin-1")

    def table(self, dll, slots, names):  # (DLL, [(function, its address slot)])
        return self.name(dll).lower(), [(self.name(entry + 2), slots + struct.calcsize(self.ptr) * i)
                                        for i, (entry,) in enumerate(self.records(self.ptr, names))]

    def tables(self):  # import tables, then the delay-import ones: out of the directory, so found by shape
        heads = [head for at in range(0, len(self.data) - 32, 4) if self.data.startswith(b"\1\0\0\0", at)
                 for head in [struct.unpack_from("<4x7I", self.data, at)] if head[4:] == (0, 0, 0)
                 and None not in map(self.at, head[:4]) and self.name(head[0]).lower().endswith(".dll")]
        self.handles = [handle for _, handle, *_ in heads]   # where the helper keeps each DLL once loaded
        return [self.table(dll, slots, names) for names, _, _, dll, slots in self.records("<5I", self.imports)], [
            self.table(dll, slots, names) for dll, _, slots, names, *_ in heads]

    def loads(self, slot):  # whether the slot starts at a stub for itself: mov eax, slot / lea rax, [slot]; jmp
        at = self.at(stub := self.get(self.ptr, slot)[0] - self.base, code=True)
        prefix, value = (b"\x48\x8d\x05", slot - stub - 7) if self.wide else (b"\xb8", self.base + slot)
        return at is not None and self.data.startswith(prefix + struct.pack("<q", value)[:4] + b"\xe9", at)


def unprotects(exe, objdump, image, slot, protect):
    """Whether the delay-load helper (the first call of the loader stubs' common tail, found from a slot's stub)
    uses VirtualProtect's slot before the next function anything calls: it makes a slot writable to store in it."""
    code = [(int(at, 16), op, rest) for at, op, rest in re.findall(r"^ *([0-9a-f]+):\s*(\S+)\s*(.*)$", run(
        objdump, "-d", "--no-show-raw-insn", "-j", ".text", exe).decode(), re.M)]
    jumps = [(at, op[:3], int(rest, 16)) for at, op, rest in code if re.fullmatch("0x[0-9a-f]+", rest)]
    target = lambda after, op: next(to for at, kind, to in jumps if at > after and kind == op)
    helper = target(target(image.get(image.ptr, slot)[0], "jmp"), "cal")
    end = min([to for _, kind, to in jumps if kind == "cal" and to > helper] + [1 << 64])
    return any(re.search(r"0x%x\b" % (image.base + protect), rest) for at, _, rest in code if helper <= at < end)


for exe in sys.argv[1:]:
    name = os.path.relpath(exe, ROOT)
    data = open(exe, "rb").read()
    image = PE(data)
    objdump = ("x86_64" if image.wide else "i686") + "-w64-mingw32-objdump"
    imports, delayed = image.tables()
    imported = {dll for dll, _ in imports}
    check(name + " imports only %s at start-up" % sorted(AT_START), imported == AT_START, sorted(imported))
    wide = [function for _, slots in imports + delayed for function, _ in slots if re.search("[a-z]W$", function)]
    check(name + " imports no Unicode (W) function (stubs that fail on Windows 95/98)", not wide, wide)
    text = re.search(r"\.text\s+([0-9a-f]+)", run(objdump, "-h", exe).decode())
    size = int(text.group(1), 16) if text else None
    check(name + " .text at most %d bytes (%s)" % (TEXT_LIMIT, size), size and size <= TEXT_LIMIT, size)
    if not image.wide:   # the shipped build runs on any PC from a 486 up
        code = run(objdump, "-d", "--no-show-raw-insn", "-j", ".text", exe).decode().splitlines()
        newer = [line.strip() for line in code if NEWER_THAN_486.search(line.partition(":")[2])]
        check(name + " holds no instruction newer than the 486 (%d found)" % len(newer), not newer, newer[:8])
    dialog = run("wrestool", "-x", "--raw", "--type=5", "--name=28672", exe)
    check(name + " host dialog template", dialog == DIALOG, dialog.hex())
    version = run("wrestool", "-x", "--raw", "--type=16", exe).replace(b"\0", b"")
    check(name + " version strings", all(w in version for w in (b"Quintara Software", b"Zorbel Solitaire Order Form")))
    # Cue 1, the chime of the three order buttons, is the long 44.1 kHz one; cue 2 the short click.
    rates = [struct.unpack_from("<I", run("wrestool", "-x", "--raw", "--type=WAVE", "--name=%d" % cue, exe) + bytes(28),
                                24)[0] for cue in (1, 2)]
    check(name + " cues 1 and 2 at 44100 and 22050 Hz", rates == [44100, 22050], rates)
    icon = run("sh", "-c", "wrestool -x --type=14 --name=1 '%s' | icotool -l -" % exe).decode()
    check(name + " icon 1 is 32x32, 256 colours", "--width=32 --height=32 --bit-depth=8" in icon, icon)
    check(name + " carries no time stamp", image.stamp == 0)
    check(name + " names no build folder", ROOT.encode() not in data)
    # A delay-import slot left without its loader stub sends the first call to address 0.
    stubs = {(dll, function): image.loads(slot) for dll, slots in delayed for function, slot in slots}
    wanted = dict(ON_DEMAND, **{RUNTIME[image.wide]: "fputs"})
    check(name + " delay-loads %s and nothing else" % sorted(wanted), {dll for dll, _ in delayed} == set(wanted),
          sorted(dll for dll, _ in delayed))
    check(name + " delay-import slots start at their loader stubs",
          set(wanted.items()) <= set(stubs) and all(stubs.values()), stubs)
    # Newer linkers leave the import table read-only, older ones writable: the same program must run either way.
    protect = dict(dict(imports).get("kernel32.dll", [])).get("VirtualProtect")
    slot = delayed[0][1][0][1]   # any delay-loaded function's: every stub leads to the helper
    check(name + " delay-load helper makes a slot writable to store in it; keeps each DLL in writable memory",
          protect and unprotects(exe, objdump, image, slot, protect) and all(map(image.writable, image.handles)),
          "no VirtualProtect before the store, or a handle read-only")
    unchecked = [dll + "!" + function for dll, slots in imports + delayed for function, _ in slots
                 if function not in REVIEWED.get(dll, ())]
    check(name + " calls only functions checked to be in Windows 95 in the DLL it names", not unchecked, unchecked)

print("%d passed, %d failed" % (results.count(True), results.count(False)))
sys.exit(0 if all(results) else 1)
