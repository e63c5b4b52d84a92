#!/bin/bash
# Rebuilds the resources and checks that the committed copies are current and
# in the exact shapes the program loads.  Usage: check_assets.sh [repo-root]
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
py=/usr/bin/python3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail=0

"$py" "$root/tools/make_assets.py" --out "$tmp"
for f in topics.bmp order.bmp phone.bmp cue1.wav cue2.wav app.ico; do
    cmp -s "$tmp/$f" "$root/resources/$f" ||
        { echo "FAIL $f: committed copy differs from a fresh build"; fail=1; }
done

"$py" - "$root/resources" <<'EOF' || fail=1
import os, struct, sys
res, bad = sys.argv[1], []

def load(name):
    try:
        with open(os.path.join(res, name), "rb") as f:
            return f.read()
    except OSError as e:
        bad.append("%s: %s" % (name, e))

# Bitmaps: 416x494x24, with the held-down strip (rows 450..493) under each
# button's highlight rectangle different from the normal look above it.
BUTTONS = {"topics.bmp": [(0, 116), (116, 196), (196, 350), (350, 415)],
           "phone.bmp": [(285, 350), (350, 415)],
           "order.bmp": [(68, 196), (196, 350), (350, 415)]}
# Where the program writes white text, the artwork must stay dark.
DARK = {"topics.bmp": [(20, 20, 400, 166), (100, 200, 396, 398)],
        "phone.bmp": [(100, 18, 396, 398)],
        "order.bmp": [(127, 304, 408, 322), (304, 362, 408, 380)]}
# Edit controls sit exactly over these; they must be solid white.
WHITE = [(93, 33, 402, 51), (93, 60, 402, 114), (93, 123, 200, 141),
         (245, 123, 276, 141), (338, 123, 402, 141), (93, 150, 402, 168),
         (248, 177, 402, 195), (93, 203, 402, 248), (63, 329, 225, 347),
         (303, 329, 380, 347), (18, 253, 30, 265)]
for name, buttons in BUTTONS.items():
    b = load(name)
    if b is None:
        continue
    off, hsz, w, h, _, bpp, comp = struct.unpack_from("<IIiiHHI", b, 10)
    if (b[:2], hsz, w, h, bpp, comp) != (b"BM", 40, 416, 494, 24, 0):
        bad.append("%s: want 416x494 24bpp BI_RGB, got %dx%d %dbpp" % (name, w, h, bpp))
        continue
    def px(x, y):
        o = off + (493 - y) * 1248 + 3 * x
        return b[o:o + 3]
    def area(l, t, r, bm):
        return [px(x, y) for y in range(t, bm) for x in range(l, r)]
    for l, r in buttons:
        if area(l, 406, r, 450) == area(l, 450, r, 494):
            bad.append("%s: no held-down look under x %d..%d" % (name, l, r - 1))
    for box in DARK[name]:
        lum = max(0.3 * p[2] + 0.59 * p[1] + 0.11 * p[0] for p in area(*box))
        if lum > 110:
            bad.append("%s: %s too bright for white text (%d)" % (name, box, lum))
    for box in WHITE if name == "order.bmp" else []:
        if set(area(*box)) != {b"\xff\xff\xff"}:
            bad.append("%s: field %s is not plain white" % (name, box))

for name, rate, bits, size in (("cue1.wav", 44100, 16, 48640),
                               ("cue2.wav", 22050, 8, 3024)):
    b = load(name)
    if b is None:
        continue
    got = struct.unpack_from("<4sI4s4sIHHIIHH4sI", b)
    want = (b"RIFF", len(b) - 8, b"WAVE", b"fmt ", 16, 1, 1, rate,
            rate * bits // 8, bits // 8, bits, b"data", size)
    if got != want or len(b) != 44 + size:
        bad.append("%s: header %s, length %d" % (name, got, len(b)))

b = load("app.ico")
if b is not None:
    head = struct.unpack_from("<HHHBBxxxxHI", b)
    info = struct.unpack_from("<IiiHH", b, 22)
    if head[:5] != (0, 1, 1, 32, 32) or head[5] != 8 or info != (40, 32, 64, 1, 8) \
            or len(b) != 22 + 40 + 1024 + 1024 + 128:
        bad.append("app.ico: want one 32x32 8bpp image, got %s %s" % (head, info))

for line in bad:
    print("FAIL " + line)
sys.exit(1 if bad else 0)
EOF
exit $fail
