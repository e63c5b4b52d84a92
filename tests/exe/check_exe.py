#!/usr/bin/env python3
"""Static checks of the built programs: what Windows loads before the first
window, the code size, the resources the user and the shell see, and that
the shipped build is the same bytes when built again elsewhere.

    tests/exe/check_exe.py build/win32/ZorbelOrder.exe build/win64/ZorbelOrder.exe
Prints PASS/FAIL lines and the totals; exits 1 on any FAIL."""
import hashlib, os, re, shutil, struct, subprocess, sys, tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
AT_START = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll"}
ON_DEMAND = {"comdlg32.dll", "winmm.dll", "shell32.dll"}   # print, cues, online page
TEXT_LIMIT = 64 * 1024
# Captionless host: style 0x920000C4, no controls, 0,0,200,100, 8 point "MS Sans Serif".
DIALOG = bytes.fromhex("c400009200000000000000000000c80064000000000000000800") + "MS Sans Serif\0".encode("utf-16-le")
results = []


def check(name, ok, detail=""):
    results.append(bool(ok))
    print("PASS " + name if ok else "FAIL %s: %s" % (name, detail))


def run(*command, **kw):
    return subprocess.run(command, capture_output=True, **kw).stdout


for exe in sys.argv[1:]:
    name = os.path.relpath(exe, ROOT)
    data = open(exe, "rb").read()
    wide = b"x86-64" in run("file", "-b", exe)
    objdump = ("x86_64" if wide else "i686") + "-w64-mingw32-objdump"
    imported = set(re.findall(r"dll name: (\S+)", run(objdump, "-p", exe).decode().lower()))
    # Delay-loaded DLLs are named in the image but not in the import table.
    named = {dll for dll in ON_DEMAND if dll.encode() in data.lower()}
    check(name + " imports only %s at start-up" % sorted(AT_START), imported == AT_START, sorted(imported))
    check(name + " delay-loads " + " ".join(sorted(ON_DEMAND)), named == ON_DEMAND, sorted(named))
    text = re.search(r"\.text\s+([0-9a-f]+)", run(objdump, "-h", exe).decode())
    size = int(text.group(1), 16) if text else None
    check(name + " .text at most %d bytes (%s)" % (TEXT_LIMIT, size), size and size <= TEXT_LIMIT, size)
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
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    check(name + " carries no time stamp", struct.unpack_from("<I", data, pe + 8)[0] == 0)
    check(name + " names no build folder", ROOT.encode() not in data)

# The shipped preset, built again from a copy of the sources in another folder.
shipped = os.path.join(ROOT, "build", "win32", "ZorbelOrder.exe")
with tempfile.TemporaryDirectory() as folder:
    copy = os.path.join(folder, "source")
    shutil.copytree(ROOT, copy, ignore=shutil.ignore_patterns(".git", "build", "__pycache__"))
    built = subprocess.run("cmake --preset win32 && cmake --build --preset win32", shell=True, cwd=copy,
                           capture_output=True).returncode == 0
    again = os.path.join(copy, "build", "win32", "ZorbelOrder.exe")
    digest = [hashlib.sha256(open(p, "rb").read()).hexdigest() if os.path.exists(p) else None
              for p in (shipped, again)]
    check("win32 build is bit-identical when built elsewhere", built and digest[0] == digest[1], digest)
print("%d passed, %d failed" % (results.count(True), results.count(False)))
sys.exit(0 if all(results) else 1)
