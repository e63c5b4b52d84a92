#!/bin/bash
# Rebuilds the resources and checks that the committed copies are current and
# in the shapes the program loads; exit status 77 when they could not be
# compared byte for byte.  Usage: check_assets.sh [repo-root]
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# Byte for byte only with the inputs the committed copies were made with; elsewhere that part is named as not run.
if why=$(/usr/bin/python3 "$root/tools/make_assets.py" --inputs); then
    /usr/bin/python3 "$root/tools/make_assets.py" --out "$tmp"
else
    [ $? -eq 3 ] && echo "NOT RUN assets_reproducible: $why" || exit 1
fi
/usr/bin/python3 - "$root/resources" "$tmp" <<'EOF'
import os, struct, sys
res, fresh = sys.argv[1:]
bad = []
def load(name):
    return open(os.path.join(res, name), "rb").read()
for name in sorted(os.listdir(fresh)):
    if load(name) != open(os.path.join(fresh, name), "rb").read():
        bad.append(name + ": committed copy differs from a fresh build")
# Each button's held-down look sits in the strip below the page (rows 450-493).
BUTTONS = {"topics.bmp": [(0, 116), (116, 196), (196, 350), (350, 415)],
           "phone.bmp": [(285, 350), (350, 415)], "order.bmp": [(68, 196), (196, 350), (350, 415)]}
# White text goes on these: they must stay dark.
DARK = {"topics.bmp": [(20, 20, 400, 166), (100, 200, 396, 398)], "phone.bmp": [(100, 18, 396, 398)],
        "order.bmp": [(127, 304, 408, 322), (304, 362, 408, 380)]}
# The borderless edit controls and the check box sit exactly over these.
WHITE = [(93, 33, 402, 51), (93, 60, 402, 114), (93, 123, 200, 141), (245, 123, 276, 141), (338, 123, 402, 141),
         (93, 150, 402, 168), (248, 177, 402, 195), (93, 203, 402, 248), (63, 329, 225, 347), (303, 329, 380, 347),
         (18, 253, 30, 265)]
for name, buttons in BUTTONS.items():
    b = load(name)
    off, size, w, h, _, bpp, comp = struct.unpack_from("<IIiiHHI", b, 10)
    if (b[:2], size, w, h, bpp, comp) != (b"BM", 40, 416, 494, 24, 0):
        bad.append("%s: want 416x494 24-bit BI_RGB, got %dx%d %d-bit" % (name, w, h, bpp))
        continue
    area = lambda l, t, r, bm: [b[off + (493 - y) * 1248 + 3 * x:][:3] for y in range(t, bm) for x in range(l, r)]
    bad += ["%s: no held-down look at x %d..%d" % (name, l, r) for l, r in buttons
            if area(l, 406, r, 450) == area(l, 450, r, 494)]
    bad += ["%s: %s too bright for white text" % (name, box) for box in DARK[name]
            if max(0.3 * p[2] + 0.59 * p[1] + 0.11 * p[0] for p in area(*box)) > 110]
    bad += ["%s: field %s not plain white" % (name, box) for box in (WHITE if name == "order.bmp" else [])
            if set(area(*box)) != {b"\xff\xff\xff"}]
compared = os.listdir(fresh)   # else skipped, but for the shapes
print("\n".join("FAIL " + line for line in bad) or "assets: %swell-formed" % ("current and " if compared else ""))
sys.exit(1 if bad else 0 if compared else 77)
EOF
