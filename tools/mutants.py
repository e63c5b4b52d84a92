#!/usr/bin/env python3
# Mutation check: does the test suite notice faults a player or the vendor
# would notice? Each mutant is a one-line fault of the program (not of the
# tests); it is applied to a scratch copy, the three builds are rebuilt, and
# the unit and executable checks run, then, if those pass, the Wine tests.
# A mutant is killed when any stage fails. Run by hand, not by tools/test.sh:
#
#   python3 tools/mutants.py [--source DIR] [--scratch DIR] [--only 3,7]
#                            [--list] [--fast-only]
#
# The scratch folder (default /tmp/zorbel-mutants) is wiped and refilled
# from the source tree (default: this checkout); each stage's output goes to
# its logs/ folder. A mutant whose line is gone or no longer unique is
# reported stale and not counted, as is one that does not build.
import argparse, hashlib, os, shutil, signal, subprocess, sys, time
from pathlib import Path

# (file, exact original text found once in the file, replacement, what goes wrong)
MUTANTS = [
    ("app/Register.cpp", 'ShortcutFile[] = "quintara.url";', 'ShortcutFile[] = "quintara.txt";',
     "online order shortcut saved as a text file"),
    ("app/Register.cpp", "VENDOR_WEB_HOST VENDOR_ORDER_PATH;", 'VENDOR_WEB_HOST "/";',
     "shortcut opens the home page, not the order page"),
    ("app/Register.cpp", "r.ShowPhonePage(); }", "r.ShowOrderPage(); }", "phone button opens the order form"),
    ("app/Register.cpp", "InvalidateRect(dialogWindow, nullptr, TRUE);", "(void)0;",
     "page switch without a repaint"),
    ("app/CenterWindowClient.cpp", "(screenWidth - outerWidth) >> 1", "(screenWidth - outerWidth) >> 2",
     "window not centred across the screen"),
    ("app/Vendor.h", '"+1 212-555-0148"', '"+1 212-555-0184"', "wrong fax number in the saved order"),
    ("pages/ImageButton.h", "x <= r.right", "x < r.right", "image buttons miss their right edge"),
    ("pages/CPage.cpp", "InvalidateRect(host, &highlight, TRUE);", "(void)highlight;",
     "held-down look stays after the release"),
    ("pages/CPage1.cpp", "PlaySoundA(MAKEINTRESOURCEA(IDW_CUE_CLICK)", "PlaySoundA(MAKEINTRESOURCEA(IDW_CUE_ORDER)",
     "topic hover plays the order chime"),
    ("pages/CPage1_2.cpp", "DeleteObject(largeFont);", "(void)0;", "large font leaked by every message page"),
    ("pages/CPage1.h", "only US$14.95.", "only US$14.59.", "wrong price in the second topic's answer"),
    ("pages/CPage1.h", "{ID_PHONE, {122, 412, 191, 440}", "{ID_PHONE, {122, 412, 181, 440}",
     "phone button's hot area ten pixels short"),
    ("pages/CPage2.h", "ES_UPPERCASE, 2, nullptr}", "0, 2, nullptr}", "State field no longer upper-cases (ny)"),
    ("pages/CPage2.h", "162, 18, 0, 20, nullptr}", "162, 18, 0, 16, nullptr}",
     "card number field takes only 16 characters"),
    ("pages/CPage2.h", "constexpr int FieldMargin = 2;", "constexpr int FieldMargin = 5;",
     "the first letter of WA scrolled out of sight in State"),
    ("pages/CPage2.cpp", "== 0 ? 2 : 0)", "== 0 ? 1 : 0)", "NY sets the CD-ROM price bit, not the tax bit"),
    ("pages/CPage2.cpp", "InvalidateRect(hostWindow, &TotalRect, TRUE);", "(void)0;",
     "total not repainted when it changes"),
    ("pages/CPage2.cpp", "InvalidateRect(hostWindow, &SelectorRepaintRect, TRUE);",
     "InvalidateRect(hostWindow, &PaymentMethodRect, TRUE);", "method change leaves a remnant of a longer name"),
    ("pages/CPage2.cpp", "DestroyMenu(menu);", "(void)0;", "payment menu leaked on every opening"),
    ("pages/CPage2.cpp", "paymentMethod >= 0 ?", "paymentMethod > 0 ?", "Check shows as 'Choose Payment Method'"),
    ("order/OrderText.h", r'EmailLabel[] = "\n\nEmail:    ";', r'EmailLabel[] = "\nEmail:    ";',
     "no empty line before Email in the order"),
    ("order/OrderText.cpp", "return field[0] && field[1];", "return field[0];",
     "name and address rules pass one character"),
    ("order/OrderText.cpp", "field[0] == CardFirstDigits[method - FirstCardMethod];",
     "field[0] == CardFirstDigits[method - FirstCardMethod] || true;", "card number rule always passes"),
    ("order/OrderText.cpp", "{'4', '5', '3', '6'}", "{'4', '5', '6', '3'}",
     "American Express and Discover first digits swapped"),
    ("order/OrderText.cpp", "&& IsDigit(field[3]) && IsDigit(field[4]);", "&& IsDigit(field[3]);",
     "expiry date with a one-digit year accepted"),
    ("order/OrderText.cpp", "if (method < FirstCardMethod) {", "if (method <= FirstCardMethod) {",
     "Visa order written as a check order"),
    ("order/OrderOutput.cpp", 'OrderFileName[] = "My Order.txt";', 'OrderFileName[] = "MyOrder.txt";',
     "order saved under the wrong file name"),
    ("order/OrderOutput.cpp", "EndDoc(printer);", "(void)0;", "print job never ended (EndDoc dropped)"),
    ("order/OrderOutput.cpp", "&area, DT_WORDBREAK);", "&area, 0);", "printed lines not wrapped"),
    ("order/OrderOutput.cpp", "DeleteDC(printer);", "(void)0;", "printer DC leaked"),
    ("order/OrderOutput.cpp", "#include <stdio.h>", "#include <cstdio>",
     "order written through mingw's printf engine, which a 486 cannot run"),
    ("app/DelayLoad.cpp", "return LoadLibraryA(path);", "return LoadLibraryA(dll);",
     "a winmm.dll beside the program runs at the first cue"),
    ("app/DelayLoad.cpp", "static_cast<UINT>(lstrlenA(dll))", "static_cast<UINT>(strlen(dll))",
     "the C runtime's loading calls back into itself: the program never shows"),
    ("app/DelayLoad.cpp", "unprotected = VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &was);",
     "unprotected = FALSE;", "built by a newer linker, the program crashes at its first delay-loaded call"),
    ("CMakeLists.txt", 'string(REPLACE "crtdll.dll" "msvcrt.dll" dll_name', 'string(REPLACE "crtdll.dll" "crtdll.dll" dll_name',
     "x86_64 build asks for a 64-bit crtdll.dll, which no Windows has"),
    ("CMakeLists.txt", "PRIVATE -march=i486)", "PRIVATE -march=i686)", "shipped program needs a Pentium Pro"),
    ("resources/app.rc", 'IDW_CUE_ORDER WAVE "cue1.wav"', 'IDW_CUE_ORDER WAVE "cue2.wav"',
     "order buttons play the click, not the chime"),
    ("resources/app.rc", r'"Zorbel Solitaire Order Form\0"', r'"Zorbel Solitaire\0"',
     "wrong file description in the version resource"),
    ("resources/resource.h", "#define ID_METHOD_LAST  505", "#define ID_METHOD_LAST  504",
     "choosing Discover does nothing"),
]

PRESETS = ("native", "win32", "win64")
BUILD_LIMIT, UNIT_LIMIT, EXE_LIMIT, E2E_LIMIT = 30 * 60, 15 * 60, 5 * 60, 15 * 60
MARKER = ".zorbel-mutants"   # only a folder carrying this is ever wiped


def run(cmd, cwd, log, limit):
    """Runs cmd in its own process group; 'ok', 'fail' or 'timeout'."""
    with open(log, "ab") as out:
        out.write(("$ %s\n" % " ".join(cmd)).encode())
        out.flush()
        proc = subprocess.Popen(cmd, cwd=cwd, stdout=out, stderr=subprocess.STDOUT,
                                stdin=subprocess.DEVNULL, start_new_session=True)
        try:
            return "ok" if proc.wait(timeout=limit) == 0 else "fail"
        except subprocess.TimeoutExpired:
            # TERM first, so the Wine tests can take down their screen and server.
            for sig, grace in ((signal.SIGTERM, 30), (signal.SIGKILL, 10)):
                try:
                    os.killpg(proc.pid, sig)
                except ProcessLookupError:
                    break
                try:
                    proc.wait(timeout=grace)
                    break
                except subprocess.TimeoutExpired:
                    pass
            out.write(b"\n*** stopped after %d s\n" % limit)
            return "timeout"


def build(scratch, log):
    for preset in PRESETS:
        if run(["cmake", "--build", "build/" + preset, "-j", "2"], scratch, log, BUILD_LIMIT) != "ok":
            return False
    return True


def exe_digest(scratch):
    return hashlib.sha256((scratch / "build/win64/ZorbelOrder.exe").read_bytes()).hexdigest()


def test(scratch, log, fast_only):
    """The first failing stage as (stage, how), or None when all pass."""
    stages = [("unit", ["ctest", "--test-dir", "build/native", "-j2", "--output-on-failure"], UNIT_LIMIT),
              ("exe", ["python3", "tests/exe/check_exe.py"] if (scratch / "tests/exe/check_exe.py").exists()
               else ["bash", "tests/exe/check_exe.sh"], EXE_LIMIT)]
    stages[-1][1].extend(["build/win32/ZorbelOrder.exe", "build/win64/ZorbelOrder.exe"])
    if not fast_only:
        if (scratch / "tests/e2e/e2e.py").exists():
            e2e = ["python3", "tests/e2e/e2e.py", "build/win64/ZorbelOrder.exe"]
        else:
            e2e = ["bash", "tests/e2e/run_all.sh", "build/win64/ZorbelOrder.exe"]
        stages.append(("e2e", e2e, E2E_LIMIT))
    for stage, cmd, limit in stages:
        outcome = run(cmd, scratch, log, limit)
        if outcome != "ok":
            return stage, outcome
    return None


def prepare(source, scratch):
    if scratch.exists():
        if not (scratch / MARKER).exists() and any(scratch.iterdir()):
            sys.exit("mutants: %s is not empty and not a scratch folder of ours; not touching it" % scratch)
        shutil.rmtree(scratch)
    shutil.copytree(source, scratch, symlinks=True, ignore=shutil.ignore_patterns(".git", "build"))
    (scratch / MARKER).write_text("scratch copy for tools/mutants.py; wiped on every run\n")
    (scratch / "logs").mkdir()


def minutes(seconds):
    return "%dm%02ds" % divmod(int(seconds), 60)


def main():
    here = Path(__file__).resolve().parent.parent
    parser = argparse.ArgumentParser(description="Apply one-line faults and see whether the tests notice.")
    parser.add_argument("--source", type=Path, default=here, help="source tree to copy (default: this checkout)")
    parser.add_argument("--scratch", type=Path, default=Path("/tmp/zorbel-mutants"), help="scratch folder")
    parser.add_argument("--only", help="comma-separated mutant numbers to run")
    parser.add_argument("--list", action="store_true", help="print the mutants and stop")
    parser.add_argument("--fast-only", action="store_true", help="skip the Wine tests")
    args = parser.parse_args()

    if args.list:
        for number, (path, original, replacement, what) in enumerate(MUTANTS, 1):
            print("#%d %s: %s\n    - %s\n    + %s" % (number, path, what, original, replacement))
        return 0
    chosen = range(1, len(MUTANTS) + 1)
    if args.only:
        chosen = sorted({int(n) for n in args.only.split(",")})
        if not all(1 <= n <= len(MUTANTS) for n in chosen):
            sys.exit("mutants: --only takes numbers from 1 to %d" % len(MUTANTS))

    started = time.time()
    source, scratch = args.source.resolve(), args.scratch.resolve()
    prepare(source, scratch)
    print("mutants: %s copied to %s; building %s" % (source, scratch, ", ".join(PRESETS)), flush=True)
    log = scratch / "logs/baseline.log"
    for preset in PRESETS:
        for cmd in (["cmake", "--preset", preset], ["cmake", "--build", "--preset", preset, "-j", "2"]):
            if run(cmd, scratch, log, BUILD_LIMIT) != "ok":
                sys.exit("mutants: the unmutated %s build fails (see %s); nothing to compare with" % (preset, log))
    failed = test(scratch, log, args.fast_only)
    if failed:
        sys.exit("mutants: the unmutated program fails the %s stage (%s, see %s); fix that first"
                 % (failed[0], failed[1], log))
    baseline = exe_digest(scratch)
    print("baseline passes every stage (%s)" % minutes(time.time() - started), flush=True)

    killed = valid = 0
    for number in chosen:
        path, original, replacement, what = MUTANTS[number - 1]
        print("#%d %s: %s ... " % (number, path, what), end="", flush=True)
        target = scratch / path
        before = target.read_bytes()
        if before.count(original.encode()) != 1:
            print("stale", flush=True)
            continue
        t0 = time.time()
        log = scratch / ("logs/mutant-%02d.log" % number)
        target.write_bytes(before.replace(original.encode(), replacement.encode()))
        try:
            if not build(scratch, log):
                result = "build-error"
            else:
                valid += 1
                note = "" if exe_digest(scratch) != baseline else " (program unchanged)"
                failed = test(scratch, log, args.fast_only)
                if failed:
                    killed += 1
                    how = "" if failed[1] == "fail" else ", timeout"
                    result = "killed (%s%s)%s" % (failed[0], how, note)
                else:
                    result = ("survived-fast" if args.fast_only else "survived") + note
        finally:
            # Original bytes back with a fresh mtime, so the next build
            # recompiles everything that saw the fault.
            target.write_bytes(before)
            os.utime(target, None)
        print("%s [%s]" % (result, minutes(time.time() - t0)), flush=True)

    print("total time %s" % minutes(time.time() - started), flush=True)
    print("killed %d of %d" % (killed, valid), flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
