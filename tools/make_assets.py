#!/usr/bin/python3
"""Builds the order helper's artwork, sounds and icon.

    /usr/bin/python3 tools/make_assets.py [--out DIR]
    /usr/bin/python3 tools/make_assets.py --inputs

Everything is drawn from code so the resources can be rebuilt at any time.
The output must be byte-identical from run to run: all "randomness" comes
from a fixed-seed xorshift generator, no timestamps are written, and the only
inputs are the Liberation fonts, FreeType that draws them and Pillow with its
text layout. The committed resources were made with Debian 12's; other
versions give other bytes. --inputs says whether this machine has those
(exit status 0) or which differ (exit status 3).
Needs Debian's python3-pil, hence /usr/bin/python3 rather than a pyenv one.
"""

import argparse
import hashlib
import math
import os
import struct
import subprocess
import sys

import PIL
from PIL import Image, ImageDraw, ImageFilter, ImageFont, features

FONT_DIR = "/usr/share/fonts/truetype/liberation"
SANS_BOLD = os.path.join(FONT_DIR, "LiberationSans-Bold.ttf")
SANS_ITALIC = os.path.join(FONT_DIR, "LiberationSans-Italic.ttf")
NARROW_BOLD = os.path.join(FONT_DIR, "LiberationSansNarrow-Bold.ttf")
SERIF_BOLD_ITALIC = os.path.join(FONT_DIR, "LiberationSerif-BoldItalic.ttf")
FONTS = (SANS_BOLD, SANS_ITALIC, NARROW_BOLD, SERIF_BOLD_ITALIC)

# What the committed resources were made with (Debian 12): each library's
# version, each font file's SHA-256 (its first 16 digits) and its package.
MADE_WITH = {"FreeType": "2.12.1", "Pillow": "9.4.0", "raqm": "0.7.0",
             SANS_BOLD: "361c61b82d575c5c", SANS_ITALIC: "832b4406dbef2362",
             NARROW_BOLD: "f77fe6ca01c8b043", SERIF_BOLD_ITALIC: "19c8cef87d611973"}
FONT_PACKAGE = "fonts-liberation 1:1.07.4-11"

# Page geometry shared with the program: a 415x450 client area, one spare
# column so rows stay 4-byte aligned, and a 44-row strip below the page that
# holds each button's held-down look straight under its normal look.
WIDTH = 416
PAGE_H = 450
BAND_TOP = 406
BAND_H = PAGE_H - BAND_TOP
TOTAL_H = PAGE_H + BAND_H
FACE_TOP, FACE_BOTTOM = 412, 441          # button faces, bottom exclusive

SS = 4                                    # supersampling for drawn shapes

GOLD = (214, 178, 98)
GOLD_LIGHT = (240, 214, 146)
GOLD_DARK = (142, 108, 50)
CREAM = (246, 236, 204)
CARD_RED = (196, 22, 34)
CARD_BLACK = (22, 22, 26)

# (highlight left, right), (face left, right inclusive), label
TOPICS_BUTTONS = [
    ((0, 116), (6, 111), "Register Online"),
    ((116, 196), (122, 191), "By Phone"),
    ((196, 350), (202, 345), "By Email/Post/or Fax"),
    ((350, 415), (356, 407), "Exit"),
]
PHONE_BUTTONS = [
    ((285, 350), (288, 342), "Back"),     # only x 292..325 reacts; see below
    ((350, 415), (356, 407), "Exit"),
]
ORDER_BUTTONS = [
    ((68, 196), (74, 190), "Save for Email"),
    ((196, 350), (202, 343), "Print for Post/or Fax"),
    ((350, 415), (356, 407), "Back"),
]
PHONE_BACK_SPLIT = 327    # the phone page's Back reacts only left of this

# Edit controls are placed exactly over these, so they must stay pure white.
ORDER_FIELDS = {
    "name": (93, 33, 402, 51),
    "address": (93, 60, 402, 114),
    "city": (93, 123, 200, 141),
    "state": (245, 123, 276, 141),
    "zip": (338, 123, 402, 141),
    "email": (93, 150, 402, 168),
    "heard": (248, 177, 402, 195),
    "comments": (93, 203, 402, 248),
    "card": (63, 329, 225, 347),
    "expiry": (303, 329, 380, 347),
}
CDROM_BOX = (18, 253, 30, 265)


# ---------------------------------------------------------------- helpers

class Rng:
    """xorshift32: tiny, and its sequence never changes between Pythons."""

    def __init__(self, seed):
        self.s = (seed & 0xFFFFFFFF) or 1

    def next(self):
        s = self.s
        s ^= (s << 13) & 0xFFFFFFFF
        s ^= s >> 17
        s ^= (s << 5) & 0xFFFFFFFF
        self.s = s
        return s

    def bytes(self, n):
        return bytes((self.next() >> 11) & 255 for _ in range(n))

    def uniform(self):
        return self.next() / 4294967296.0


def font(path, size):
    return ImageFont.truetype(path, size)


def package_of(path):
    """The Debian package and version that holds a file, in words."""
    query = subprocess.run(["dpkg-query", "-S", path], capture_output=True, text=True)
    package = query.stdout.split(":")[0] if query.returncode == 0 else ""
    version = subprocess.run(["dpkg-query", "-W", "-f=${Version}", package], capture_output=True, text=True)
    return "%s %s" % (package, version.stdout) if package else "no package"


def unlike_made_with():
    """The inputs here that differ from those the committed resources were made with, in words."""
    versions = {"FreeType": features.version("freetype2"), "Pillow": PIL.__version__, "raqm": features.version("raqm")}
    unlike = ["%s %s (made with %s)" % (name, versions[name], MADE_WITH[name])
              for name in versions if versions[name] != MADE_WITH[name]]
    fonts = []   # where each font that differs comes from
    for path in FONTS:
        if not os.path.exists(path):
            fonts.append("no " + os.path.basename(path))
        elif hashlib.sha256(open(path, "rb").read()).hexdigest()[:16] != MADE_WITH[path]:
            fonts.append(package_of(path))
    if fonts:
        unlike.append("fonts of %s (made with those of %s)" % (", ".join(sorted(set(fonts))), FONT_PACKAGE))
    return unlike


def lerp(a, b, t):
    return a + (b - a) * t


def mix(c0, c1, t):
    return tuple(int(round(lerp(a, b, t))) for a, b in zip(c0, c1))


def clamp8(v):
    return 0 if v < 0 else 255 if v > 255 else int(v + 0.5)


class HiRes:
    """A page region redrawn at SS times the size, for smooth curves.

    The background is blown up with nearest-neighbour, so wherever nothing is
    drawn the box-filtered result is exactly the original pixels again.
    """

    def __init__(self, img, box):
        self.img, self.box = img, box
        l, t, r, b = box
        self.size = (r - l, b - t)
        self.im = (img.crop(box).resize((self.size[0] * SS, self.size[1] * SS),
                                         Image.NEAREST).convert("RGBA"))

    def layer(self):
        return Image.new("RGBA", self.im.size, (0, 0, 0, 0))

    def pt(self, x, y):
        return ((x - self.box[0]) * SS, (y - self.box[1]) * SS)

    def rect(self, l, t, r, b):
        """Page rectangle with exclusive right/bottom, in layer pixels."""
        x0, y0 = self.pt(l, t)
        x1, y1 = self.pt(r, b)
        return [x0, y0, x1 - 1, y1 - 1]

    def add(self, layer, blur=0.0):
        if blur:
            layer = layer.filter(ImageFilter.GaussianBlur(blur * SS))
        self.im.alpha_composite(layer)

    def paste(self, sprite, x, y):
        """Composite a sprite already drawn at SS scale at page point x, y."""
        layer = self.layer()
        layer.paste(sprite, tuple(int(round(v)) for v in self.pt(x, y)))
        self.im.alpha_composite(layer)

    def done(self):
        small = self.im.convert("RGB").resize(self.size, Image.BOX)
        self.img.paste(small, self.box[:2])


def shadow_of(sprite, alpha, blur):
    """Soft black shadow with the sprite's outline, same size as the sprite."""
    a = sprite.getchannel("A").point(lambda v: v * alpha // 255)
    sh = Image.new("RGBA", sprite.size, (0, 0, 0, 0))
    sh.putalpha(a)
    return sh.filter(ImageFilter.GaussianBlur(blur))


def vertical_gradient(size, top, bottom):
    w, h = size
    g = Image.new("RGBA", (1, h))
    for y in range(h):
        g.putpixel((0, y), mix(top, bottom, y / max(1, h - 1)) + (255,))
    return g.resize((w, h), Image.NEAREST)


def fill_masked(layer, mask, fill):
    """Paint fill (a colour or an image of the layer's size) through mask."""
    if not isinstance(fill, Image.Image):
        fill = Image.new("RGBA", layer.size, tuple(fill) + (255,)[:4 - len(fill)])
    layer.paste(fill, (0, 0), mask)


# ------------------------------------------------------------- suit shapes

def _normalise(pts, x0, y0, x1, y1):
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    ax, bx, ay, by = min(xs), max(xs), min(ys), max(ys)
    return [(x0 + (x - ax) / (bx - ax) * (x1 - x0),
             y0 + (y - ay) / (by - ay) * (y1 - y0)) for x, y in pts]


def _heart(n=72):
    pts = []
    for i in range(n):
        t = 2 * math.pi * i / n
        x = 16 * math.sin(t) ** 3
        y = -(13 * math.cos(t) - 5 * math.cos(2 * t)
              - 2 * math.cos(3 * t) - math.cos(4 * t))
        pts.append((x, y))
    return pts


_STEM = [(-0.05, 0.0), (0.05, 0.0), (0.09, 0.3), (0.17, 0.44), (0.27, 0.5),
         (-0.27, 0.5), (-0.17, 0.44), (-0.09, 0.3)]


def suit_shapes(suit):
    """Unit-box (-0.5..0.5, y down) polygons ('p') and circles ('c')."""
    if suit == "H":
        return [("p", _normalise(_heart(), -0.5, -0.5, 0.5, 0.5))]
    if suit == "S":
        body = [(x, -y) for x, y in _heart()]
        return [("p", _normalise(body, -0.5, -0.5, 0.5, 0.3)), ("p", _STEM)]
    if suit == "C":
        r = 0.235
        return [("c", (0.0, -0.265, r)), ("c", (-0.265, 0.06, r)),
                ("c", (0.265, 0.06, r)), ("c", (0.0, -0.02, 0.13)),
                ("p", _STEM)]
    pts = []   # diamond: a rhombus with very slightly hollow sides
    for i in range(64):
        t = 2 * math.pi * i / 64
        c, s = math.cos(t), math.sin(t)
        pts.append((0.5 * math.copysign(abs(c) ** 2.1, c),
                    0.5 * math.copysign(abs(s) ** 2.1, s)))
    return [("p", pts)]


SUIT_ASPECT = {"H": 1.0, "S": 0.9, "C": 1.0, "D": 0.76}
SUIT_COLOUR = {"H": CARD_RED, "D": CARD_RED, "S": CARD_BLACK, "C": CARD_BLACK}


def draw_suit(d, suit, cx, cy, h, colour, flip=False, scale=1):
    """Draw a suit pip of height h centred on cx, cy (all in layer pixels)."""
    w = h * SUIT_ASPECT[suit]
    k = -1 if flip else 1
    for kind, data in suit_shapes(suit):
        if kind == "p":
            d.polygon([(cx + k * x * w, cy + k * y * h) for x, y in data],
                      fill=colour)
        else:
            x, y, r = data
            px, py = cx + k * x * w, cy + k * y * h
            d.ellipse([px - r * w, py - r * h, px + r * w, py + r * h],
                      fill=colour)


# ------------------------------------------------------------ backgrounds

def make_felt(w, h):
    """Dark green baize: soft vignette, gentle mottling and a fine nap."""
    rng = Rng(0x5EED_F017)
    cw, ch = 18, 20
    coarse = Image.frombytes("L", (cw, ch), rng.bytes(cw * ch))
    coarse = coarse.resize((w, h), Image.BICUBIC).tobytes()
    fine = Image.frombytes("L", (w, h), rng.bytes(w * h))
    fine = fine.filter(ImageFilter.GaussianBlur(0.6)).tobytes()
    nap = rng.bytes(w * h)
    dark, light = (3, 24, 13), (30, 104, 60)
    cx, cy = w * 0.5, h * 0.42
    out = bytearray(w * h * 3)
    i = 0
    for y in range(h):
        dy = (y - cy) / (h * 0.72)
        for x in range(w):
            dx = (x - cx) / (w * 0.78)
            v = 0.6 - 0.55 * (dx * dx + dy * dy)
            v += (coarse[i] - 128) * 0.0006
            v += (fine[i] - 128) * 0.0010 + (nap[i] - 128) * 0.00018
            if v < 0:
                v = 0.0
            o = 3 * i
            out[o] = clamp8(lerp(dark[0], light[0], v))
            out[o + 1] = clamp8(lerp(dark[1], light[1], v))
            out[o + 2] = clamp8(lerp(dark[2], light[2], v))
            i += 1
    return Image.frombytes("RGB", (w, h), bytes(out))


def make_rail(w, h):
    """Polished mahogany rail for the button band."""
    rng = Rng(0x0000_AA11)
    gw = 26
    grain = Image.frombytes("L", (gw, h), rng.bytes(gw * h))
    grain = grain.resize((w, h), Image.BICUBIC).tobytes()
    fine = rng.bytes(w * h)
    dark, light = (44, 17, 8), (126, 58, 28)
    out = bytearray(w * h * 3)
    i = 0
    for y in range(h):
        # rounded profile: catches the light a little below the top edge
        p = math.sin(math.pi * (y + 5) / (h + 8))
        shade = 0.55 + 0.45 * p - 0.25 * (y / h) ** 3
        for x in range(w):
            g = grain[i] / 255.0
            streak = 0.5 + 0.5 * math.sin(y * 0.5 + x * 0.004 + g * 7.0)
            v = (0.35 + 0.35 * streak * streak + (fine[i] - 128) * 0.0008) * shade
            o = 3 * i
            out[o] = clamp8(lerp(dark[0], light[0], v))
            out[o + 1] = clamp8(lerp(dark[1], light[1], v))
            out[o + 2] = clamp8(lerp(dark[2], light[2], v))
            i += 1
    img = Image.frombytes("RGB", (w, h), bytes(out))
    d = ImageDraw.Draw(img)
    d.line([(0, 0), (w, 0)], fill=(20, 8, 3))
    d.line([(0, 1), (w, 1)], fill=(176, 112, 70))
    d.line([(0, 2), (w, 2)], fill=(140, 80, 46))
    d.line([(0, h - 2), (w, h - 2)], fill=(34, 13, 5))
    d.line([(0, h - 1), (w, h - 1)], fill=(14, 5, 2))
    return img


def base_page(felt, rail, frame_opening=None):
    img = Image.new("RGB", (WIDTH, PAGE_H))
    img.paste(felt, (0, 0))
    # the rail throws a little shadow up onto the cloth
    for k, y in enumerate(range(BAND_TOP - 4, BAND_TOP)):
        f = 0.85 - 0.15 * k
        for x in range(WIDTH):
            r, g, b = img.getpixel((x, y))
            img.putpixel((x, y), (int(r * f), int(g * f), int(b * f)))
    img.paste(rail, (0, BAND_TOP))
    draw_frame(img, frame_opening)
    return img


# The frame hugs the window edge so that nothing the program writes comes
# near it: message text stays left of x 400 and above y 400, at least two
# pixels short of the frame's right side, bottom and corner plates.
# Outer edges, inclusive:
FRAME_L, FRAME_T, FRAME_R, FRAME_B = 1, 1, 413, 404
FRAME_EDGE = (2, 14, 7)
PLATE = 12                # the brass plates on the corners
PLATE_PIP = 7
PLATE_INK = (64, 40, 14)
# The last topic line runs on to x 413, across where the right side would
# be, so on the topics page the right side opens over these rows (the line's
# ink is at rows 144..162).
TOPIC_LINE_OPENING = (137, 169)


def draw_frame(img, opening=None):
    """A narrow gold moulding round the page, with a brass plate on each corner.

    opening: rows (first, last) where the right side leaves a gap; the
    moulding either side of it ends in a plate too.
    """
    plain = img.copy()
    d = ImageDraw.Draw(img)
    l, t, r, b = FRAME_L, FRAME_T, FRAME_R, FRAME_B
    d.rectangle([l, t, r, b], outline=FRAME_EDGE)
    d.rectangle([l + 1, t + 1, r - 1, b - 1], outline=GOLD)
    d.rectangle([l + 2, t + 2, r - 2, b - 2], outline=GOLD_DARK)
    if opening:
        y0, y1 = opening
        gap = (r - 2, y0, r + 1, y1 + 1)
        img.paste(plain.crop(gap), gap[:2])

    hr = HiRes(img, (0, 0, WIDTH, BAND_TOP))
    lay = hr.layer()
    dd = ImageDraw.Draw(lay)
    plates = [("S", l, t), ("H", r + 1 - PLATE, t), ("C", l, b + 1 - PLATE),
              ("D", r + 1 - PLATE, b + 1 - PLATE)]
    if opening:
        plates += [("D", r + 1 - PLATE, opening[0] - PLATE),
                   ("D", r + 1 - PLATE, opening[1] + 1)]
    for suit, x, y in plates:
        # a raised brass square with the suit sunk into it
        dd.rectangle(hr.rect(x, y, x + PLATE, y + PLATE), fill=FRAME_EDGE + (255,))
        dd.rectangle(hr.rect(x + 1, y + 1, x + PLATE - 1, y + PLATE - 1),
                     fill=GOLD_DARK + (255,))
        dd.rectangle(hr.rect(x + 1, y + 1, x + PLATE - 2, y + PLATE - 2),
                     fill=GOLD_LIGHT + (255,))
        dd.rectangle(hr.rect(x + 2, y + 2, x + PLATE - 2, y + PLATE - 2),
                     fill=GOLD + (255,))
        cx, cy = hr.pt(x + PLATE / 2, y + PLATE / 2)
        draw_suit(dd, suit, cx, cy, PLATE_PIP * SS, PLATE_INK + (255,))
    hr.add(lay)
    hr.done()


def band_inlay(img, x0, x1, suits):
    """Gold suit pips set into the rail between buttons, with fine rules."""
    hr = HiRes(img, (x0, BAND_TOP, x1, PAGE_H))
    cy = BAND_TOP + 22
    gap = 22
    n = len(suits)
    mid = (x0 + x1) / 2
    first = mid - gap * (n - 1) / 2
    sh, lay = hr.layer(), hr.layer()
    ds, dl = ImageDraw.Draw(sh), ImageDraw.Draw(lay)
    for i, s in enumerate(suits):
        cx, ccy = hr.pt(first + i * gap, cy)
        draw_suit(ds, s, cx + SS * 0.8, ccy + SS * 1.0, 11 * SS, (0, 0, 0, 170))
        draw_suit(dl, s, cx, ccy, 11 * SS, GOLD + (255,))
    rule_l = first - gap * 0.8
    rule_r = first + (n - 1) * gap + gap * 0.8
    for a, bnd in ((x0 + 10, rule_l), (rule_r, x1 - 10)):
        if bnd - a > 8:
            ds.rectangle(hr.rect(a, cy + 1, bnd, cy + 2), fill=(0, 0, 0, 150))
            dl.rectangle(hr.rect(a, cy, bnd, cy + 1), fill=GOLD_DARK + (255,))
            for ex in (a, bnd):
                px, py = hr.pt(ex, cy + 0.5)
                dl.ellipse([px - 1.5 * SS, py - 1.5 * SS, px + 1.5 * SS,
                            py + 1.5 * SS], fill=GOLD + (255,))
    hr.add(sh, blur=0.4)
    hr.add(lay)
    hr.done()


# ----------------------------------------------------------------- buttons

FACE_TOP_COL = (255, 250, 234)
FACE_BOTTOM_COL = (222, 206, 164)
PRESSED_TOP_COL = (186, 170, 130)
PRESSED_BOTTOM_COL = (224, 210, 172)
LABEL_COL = (46, 26, 10)


def draw_button(band, hl, face, label, pressed):
    """Bevelled ivory button onto band (the 44-row rail strip).

    Held down, the face goes darker with the bevel reversed and the label
    one pixel down and right, so it reads as pushed into the rail.
    """
    L, R = hl
    x0, x1 = face[0], face[1] + 1
    y0, y1 = FACE_TOP - BAND_TOP, FACE_BOTTOM - BAND_TOP
    hr = HiRes(band, (L, 0, R, BAND_H))
    if not pressed:
        sh = hr.layer()
        ImageDraw.Draw(sh).rounded_rectangle(
            hr.rect(x0 + 1, y0 + 2, x1 + 2, y1 + 2), 5 * SS, fill=(0, 0, 0, 150))
        hr.add(sh, blur=1.0)
    else:
        sh = hr.layer()
        ImageDraw.Draw(sh).rounded_rectangle(
            hr.rect(x0 - 1, y0 - 1, x1 + 1, y1 + 1), 5 * SS, fill=(0, 0, 0, 90))
        hr.add(sh, blur=0.6)
    lay = hr.layer()
    d = ImageDraw.Draw(lay)
    light, dark = (255, 255, 248, 255), (150, 128, 88, 255)
    if pressed:
        light, dark = (110, 92, 60, 255), (240, 230, 204, 255)
    d.rounded_rectangle(hr.rect(x0, y0, x1, y1), 4 * SS, fill=(48, 26, 10, 255))
    d.rounded_rectangle(hr.rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1), 3 * SS,
                        fill=light)
    d.rounded_rectangle(hr.rect(x0 + 2, y0 + 2, x1 - 1, y1 - 1), 3 * SS,
                        fill=dark)
    mask = Image.new("L", lay.size, 0)
    ImageDraw.Draw(mask).rounded_rectangle(
        hr.rect(x0 + 2, y0 + 2, x1 - 2, y1 - 2), 2 * SS, fill=255)
    top, bottom = ((PRESSED_TOP_COL, PRESSED_BOTTOM_COL) if pressed
                   else (FACE_TOP_COL, FACE_BOTTOM_COL))
    fill_masked(lay, mask, vertical_gradient(lay.size, top, bottom))
    hr.add(lay)
    if pressed:
        # a touch of inner shadow along the top edge
        inner = hr.layer()
        di = ImageDraw.Draw(inner)
        di.rectangle(hr.rect(x0 + 2, y0 + 2, x1 - 2, y0 + 4), fill=(60, 40, 10, 70))
        inner.putalpha(Image.composite(inner.getchannel("A"),
                                       Image.new("L", inner.size, 0), mask))
        hr.add(inner, blur=0.5)

    split = label == "Back" and L == 285
    if split:
        # Only the left part of this one reacts, so the word sits there and
        # the rest of the face carries an arrow behind an engraved divider.
        ornament = hr.layer()
        do = ImageDraw.Draw(ornament)
        sx = PHONE_BACK_SPLIT + (1 if pressed else 0)
        do.rectangle(hr.rect(sx, y0 + 5, sx + 1, y1 - 5), fill=(150, 128, 90, 255))
        do.rectangle(hr.rect(sx + 1, y0 + 5, sx + 2, y1 - 5),
                     fill=(255, 252, 240, 255))
        ax = (sx + 2 + x1 - 2) / 2 + (1 if pressed else 0)
        ay = (y0 + y1) / 2 + (1 if pressed else 0)
        px, py = hr.pt(ax, ay)
        do.polygon([(px - 3.5 * SS, py), (px + 3 * SS, py - 4.5 * SS),
                    (px + 3 * SS, py + 4.5 * SS)], fill=(150, 30, 24, 255))
        hr.add(ornament)
    hr.done()

    d = ImageDraw.Draw(band)
    f = font(SANS_BOLD, 13)
    cap = -f.getbbox("H", anchor="ls")[1]
    cx = ((292 + PHONE_BACK_SPLIT - 1) / 2 if split
          else (face[0] + face[1] + 1) / 2)
    base = (y0 + y1) / 2 + cap / 2
    off = 1 if pressed else 0
    d.text((cx + off, base + off), label, font=f, fill=LABEL_COL, anchor="ms")


def finish_page(page, buttons):
    """Draw the buttons and build the held-down strip under the page."""
    band_bg = page.crop((0, BAND_TOP, WIDTH, PAGE_H))
    normal, held = band_bg.copy(), band_bg.copy()
    for hl, face, label in buttons:
        draw_button(normal, hl, face, label, pressed=False)
        draw_button(held, hl, face, label, pressed=True)
    strip = normal.copy()
    for (L, R), _, _ in buttons:
        strip.paste(held.crop((L, 0, R, BAND_H)), (L, 0))
    out = Image.new("RGB", (WIDTH, TOTAL_H))
    out.paste(page, (0, 0))
    out.paste(normal, (0, BAND_TOP))
    out.paste(strip, (0, PAGE_H))
    return out


# ------------------------------------------------------------ card drawing

PIP_LAYOUTS = {   # (column, row) as fractions of the card
    8: [(c, r) for c in (0.3, 0.7) for r in (0.2, 0.5, 0.8)]
       + [(0.5, 0.35), (0.5, 0.65)],
    9: [(c, r) for c in (0.3, 0.7) for r in (0.2, 0.4, 0.6, 0.8)]
       + [(0.5, 0.5)],
    10: [(c, r) for c in (0.3, 0.7) for r in (0.2, 0.4, 0.6, 0.8)]
        + [(0.5, 0.32), (0.5, 0.68)],
}


def card_sprite(w, h, rank, suit):
    """A face-up card, w x h page pixels, drawn at SS scale."""
    W, H = w * SS, h * SS
    body = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    d = ImageDraw.Draw(body)
    d.rounded_rectangle([0, 0, W - 1, H - 1], 4 * SS, fill=(96, 92, 84, 255))
    d.rounded_rectangle([SS, SS, W - 1 - SS, H - 1 - SS], 3 * SS,
                        fill=(252, 250, 244, 255))
    colour = SUIT_COLOUR[suit] + (255,)
    pip_h = 11 * SS
    if rank in ("K", "Q", "J"):
        fx0, fy0, fx1, fy1 = 13 * SS, 11 * SS, W - 13 * SS, H - 11 * SS
        d.rectangle([fx0, fy0, fx1, fy1], fill=(248, 232, 168, 255),
                    outline=(40, 56, 140, 255), width=SS)
        band_y = fy0 + 7 * SS
        d.rectangle([fx0 + SS, band_y, fx1 - SS, band_y + 3 * SS],
                    fill=colour)
        crown = []
        n = 5 if rank == "K" else 3
        span = (fx1 - fx0) * 0.6
        left = (fx0 + fx1) / 2 - span / 2
        for i in range(2 * n + 1):
            x = left + span * i / (2 * n)
            crown.append((x, fy0 + (2.5 if i % 2 == 0 else 6) * SS))
        crown += [(left + span, band_y), (left, band_y)]
        if rank != "J":
            d.polygon(crown, fill=(222, 170, 40, 255))
        else:
            d.ellipse([left, fy0 + 2 * SS, left + span, band_y + SS],
                      fill=(40, 56, 140, 255))
        d.rectangle([fx0 + SS, band_y + 3 * SS, fx1 - SS, fy1 - SS],
                    fill=(236, 150, 96, 255))
        draw_suit(d, suit, (fx0 + fx1) / 2, (fy0 + fy1) / 2, 14 * SS, colour)
    else:
        for fx, fy in PIP_LAYOUTS[int(rank)]:
            draw_suit(d, suit, fx * W, fy * H, pip_h, colour, flip=fy > 0.55)
    # corner index: rank over a small pip, repeated upside down
    idx = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    di = ImageDraw.Draw(idx)
    f = font(NARROW_BOLD if rank == "10" else SANS_BOLD, 12 * SS)
    cx = 7 * SS
    di.text((cx, 12 * SS), rank, font=f, fill=colour, anchor="ms")
    draw_suit(di, suit, cx, 17 * SS, 7 * SS, colour)
    body.alpha_composite(idx)
    body.alpha_composite(idx.transpose(Image.ROTATE_180))
    return body


def draw_cascade(img):
    """A solitaire column down the left of the first page."""
    hr = HiRes(img, (0, 178, 100, 400))
    cards = [("K", "S"), ("Q", "H"), ("J", "C"), ("10", "D"), ("9", "S"),
             ("8", "H")]
    w, h, x, top, step = 62, 88, 17, 188, 22
    for i, (rank, suit) in enumerate(cards):
        sprite = card_sprite(w, h, rank, suit)
        sh = shadow_of(sprite, 130, 1.6 * SS)
        hr.paste(sh, x + 1, top + i * step + 2)
        hr.paste(sprite, x, top + i * step)
    hr.done()


# ------------------------------------------------------------ the pages

def label(d, xy, text, size=13, anchor="rs", colour=CREAM, path=SANS_BOLD):
    f = font(path, size)
    x, y = xy
    d.text((x + 1, y + 1), text, font=f, fill=(0, 0, 0), anchor=anchor)
    d.text((x, y), text, font=f, fill=colour, anchor=anchor)


def topics_page(felt, rail):
    page = base_page(felt, rail, TOPIC_LINE_OPENING)
    draw_cascade(page)
    return finish_page(page, TOPICS_BUTTONS)


def draw_telephone(img):
    """An ivory desk telephone, left of the phone text."""
    hr = HiRes(img, (8, 108, 98, 264))
    S = SS

    def P(x, y):
        return hr.pt(x, y)

    ivory_top, ivory_bot = (246, 238, 214), (196, 180, 146)
    edge = (92, 74, 46, 255)

    # ground shadow
    sh = hr.layer()
    ImageDraw.Draw(sh).ellipse([*P(14, 244), *P(94, 256)], fill=(0, 0, 0, 170))
    hr.add(sh, blur=2.0)

    # coiled cord from the body round to the handset
    cord = hr.layer()
    dc = ImageDraw.Draw(cord)
    pts = []
    for i in range(400):
        t = i / 399
        bx = 16 - 3 * math.sin(math.pi * t)
        by = 186 + 46 * t
        a = t * 2 * math.pi * 11
        pts.append(P(bx + 3.2 * math.cos(a), by + 1.6 * math.sin(a)))
    dc.line(pts, fill=(120, 100, 66, 255), width=int(2.2 * S), joint="curve")
    dc.line(pts, fill=(222, 208, 172, 255), width=int(1.1 * S), joint="curve")
    hr.add(cord)

    # body: a trapezoid with generous rounded corners
    body = hr.layer()
    mask = Image.new("L", body.size, 0)
    dm = ImageDraw.Draw(mask)
    dm.rounded_rectangle([*P(17, 226), *P(91, 250)], 6 * S, fill=255)
    dm.polygon([P(29, 190), P(79, 190), P(90, 236), P(18, 236)], fill=255)
    dm.rounded_rectangle([*P(28, 188), *P(80, 204)], 6 * S, fill=255)
    outline = mask.filter(ImageFilter.MaxFilter(2 * S + 1))
    fill_masked(body, outline, edge)
    fill_masked(body, mask, vertical_gradient(body.size, (250, 244, 224),
                                              (180, 164, 130)))
    hr.add(body)
    # a soft highlight down the body's left flank
    hl = hr.layer()
    ImageDraw.Draw(hl).polygon([P(31, 194), P(36, 194), P(26, 244), P(21, 244)],
                               fill=(255, 255, 255, 60))
    hl.putalpha(Image.composite(hl.getchannel("A"), Image.new("L", hl.size, 0),
                                mask))
    hr.add(hl, blur=1.0)

    # rotary dial
    dial = hr.layer()
    dd = ImageDraw.Draw(dial)
    cx, cy = P(54, 224)
    r = 19 * S
    dd.ellipse([cx - r - S, cy - r - S, cx + r + S, cy + r + S], fill=edge)
    dd.ellipse([cx - r, cy - r, cx + r, cy + r], fill=(232, 222, 194, 255))
    for k in range(10):
        ang = math.radians(120 + k * 29)
        hx, hy = cx + 12.5 * S * math.cos(ang), cy + 12.5 * S * math.sin(ang)
        hrad = 3.3 * S
        dd.ellipse([hx - hrad, hy - hrad, hx + hrad, hy + hrad],
                   fill=(70, 56, 36, 255))
        dd.ellipse([hx - hrad + S * 0.6, hy - hrad + S * 0.6, hx + hrad - S * 0.4,
                    hy + hrad - S * 0.4], fill=(250, 246, 232, 255))
    dd.ellipse([cx - 6 * S, cy - 6 * S, cx + 6 * S, cy + 6 * S],
               fill=GOLD_DARK + (255,))
    dd.ellipse([cx - 5 * S, cy - 5 * S, cx + 5 * S, cy + 5 * S],
               fill=GOLD + (255,))
    dd.ellipse([cx - 3 * S, cy - 3.5 * S, cx + 1 * S, cy - 0.5 * S],
               fill=GOLD_LIGHT + (255,))
    stop = math.radians(75)
    sx, sy = cx + 19 * S * math.cos(stop), cy + 19 * S * math.sin(stop)
    dd.ellipse([sx - 2 * S, sy - 2 * S, sx + 2 * S, sy + 2 * S],
               fill=GOLD + (255,), outline=edge, width=S // 2)
    hr.add(dial)

    # cradle forks
    fork = hr.layer()
    df = ImageDraw.Draw(fork)
    for fx in (33, 75):
        df.rounded_rectangle([*P(fx - 3, 176), *P(fx + 3, 192)], 2 * S,
                             fill=edge)
        df.rounded_rectangle([*P(fx - 2, 177), *P(fx + 2, 192)], 2 * S,
                             fill=(214, 200, 166, 255))
    hr.add(fork)

    # handset resting across the forks
    hs = hr.layer()
    mask = Image.new("L", hs.size, 0)
    dm = ImageDraw.Draw(mask)
    dm.rounded_rectangle([*P(18, 158), *P(90, 171)], 6 * S, fill=255)
    dm.ellipse([*P(11, 163), *P(37, 185)], fill=255)
    dm.ellipse([*P(71, 163), *P(97 - 2, 185)], fill=255)
    outline = mask.filter(ImageFilter.MaxFilter(2 * S + 1))
    fill_masked(hs, outline, edge)
    fill_masked(hs, mask, vertical_gradient(hs.size, (255, 250, 234),
                                            (176, 160, 126)))
    hr.add(hs)
    gloss = hr.layer()
    ImageDraw.Draw(gloss).rounded_rectangle([*P(26, 160), *P(82, 163)], 2 * S,
                                            fill=(255, 255, 255, 150))
    hr.add(gloss, blur=0.6)

    # it is ringing
    ring = hr.layer()
    dr = ImageDraw.Draw(ring)
    ccx, ccy = P(54, 168)
    for rad, a in ((38, 230), (45, 170)):
        box = [ccx - rad * S, ccy - rad * S, ccx + rad * S, ccy + rad * S]
        dr.arc(box, 212, 238, fill=GOLD + (a,), width=int(1.6 * S))
        dr.arc(box, 302, 328, fill=GOLD + (a,), width=int(1.6 * S))
    hr.add(ring)
    hr.done()


def phone_page(felt, rail):
    page = base_page(felt, rail)
    draw_telephone(page)
    band_inlay(page, 0, 285, "SHCD")
    return finish_page(page, PHONE_BUTTONS)


def draw_field_frame(d, box):
    """Sunken frame just outside a white box, which itself stays untouched."""
    l, t, r, b = box
    d.rectangle([l - 2, t - 2, r + 1, b + 1], outline=(120, 98, 52))
    d.line([(l - 1, t - 1), (r, t - 1)], fill=(2, 12, 6))
    d.line([(l - 1, t - 1), (l - 1, b)], fill=(2, 12, 6))
    d.line([(l - 1, b), (r, b)], fill=(200, 186, 150))
    d.line([(r, t - 1), (r, b)], fill=(200, 186, 150))
    d.rectangle([l, t, r - 1, b - 1], fill=(255, 255, 255))


def draw_disc(img, cx, cy, r):
    """A small CD next to the CD-ROM option."""
    box = (int(cx - r - 3), int(cy - r - 3), int(cx + r + 5), int(cy + r + 5))
    hr = HiRes(img, box)
    sh = hr.layer()
    px, py = hr.pt(cx + 1, cy + 1.5)
    R = r * SS
    ImageDraw.Draw(sh).ellipse([px - R, py - R, px + R, py + R],
                               fill=(0, 0, 0, 150))
    hr.add(sh, blur=1.2)
    lay = hr.layer()
    d = ImageDraw.Draw(lay)
    px, py = hr.pt(cx, cy)
    d.ellipse([px - R, py - R, px + R, py + R], fill=(120, 124, 134, 255))
    R1 = R - SS * 0.8
    d.ellipse([px - R1, py - R1, px + R1, py + R1], fill=(206, 210, 220, 255))
    for start, colour in ((200, (150, 210, 255, 150)), (235, (255, 170, 220, 140)),
                          (20, (170, 255, 200, 120)), (55, (255, 240, 150, 140))):
        d.pieslice([px - R1, py - R1, px + R1, py + R1], start, start + 28,
                   fill=colour)
    d.ellipse([px - R1, py - R1, px + R1, py + R1], outline=(236, 238, 244, 255),
              width=SS // 2)
    for rr, colour in ((5.5, (170, 176, 188, 255)), (4.2, (226, 230, 236, 255))):
        k = rr * SS
        d.ellipse([px - k, py - k, px + k, py + k], fill=colour)
    hr.add(lay)
    hole = hr.layer()
    k = 2.2 * SS
    ImageDraw.Draw(hole).ellipse([px - k, py - k, px + k, py + k],
                                 fill=(0, 0, 0, 255))
    # punch the hole through to the cloth underneath
    under = img.crop(box).resize(hr.im.size, Image.NEAREST).convert("RGBA")
    hr.im.paste(under, (0, 0), hole.getchannel("A"))
    hr.done()


def order_page(felt, rail):
    page = base_page(felt, rail)
    d = ImageDraw.Draw(page)

    # heading with a pip either side
    hf = font(SERIF_BOLD_ITALIC, 22)
    d.text((208, 26), "Order Form", font=hf, fill=(0, 0, 0), anchor="ms")
    d.text((207, 25), "Order Form", font=hf, fill=GOLD_LIGHT, anchor="ms")
    tw = d.textlength("Order Form", font=hf)
    hr = HiRes(page, (100, 6, 316, 32))
    lay = hr.layer()
    dl = ImageDraw.Draw(lay)
    for sx, suit in ((207 - tw / 2 - 14, "D"), (207 + tw / 2 + 14, "D")):
        cx, cy = hr.pt(sx, 18)
        draw_suit(dl, suit, cx, cy, 9 * SS, GOLD + (255,))
    for a, b in ((207 - tw / 2 - 66, 207 - tw / 2 - 22),
                 (207 + tw / 2 + 22, 207 + tw / 2 + 66)):
        dl.rectangle(hr.rect(a, 18, b, 19), fill=GOLD_DARK + (255,))
    hr.add(lay)
    hr.done()

    d = ImageDraw.Draw(page)
    # labels sit on the same baseline an edit control's text would use
    def base(t):
        return t + 13

    label(d, (88, base(33)), "Name")
    label(d, (88, base(60)), "Address")
    label(d, (88, base(123)), "City")
    label(d, (241, base(123)), "State*", size=12)
    label(d, (334, base(123)), "Zipcode")
    label(d, (88, base(150)), "email")
    label(d, (243, base(177)), "How did you hear about this game?")
    label(d, (88, base(203)), "Comments?")
    label(d, (36, 264), "Send me the CD-ROM version (+ $10)", anchor="ls")
    label(d, (36, 282), "* NY residents add 8.25% sales tax", size=12,
          anchor="ls", colour=(206, 194, 152), path=SANS_ITALIC)

    # rule between the address part and the payment part
    for x in range(14, 402):
        t = min(1.0, (x - 14) / 60, (401 - x) / 60)
        page.putpixel((x, 292), mix(page.getpixel((x, 292)), GOLD_DARK, t))
        page.putpixel((x, 293), mix(page.getpixel((x, 293)), (0, 0, 0), t * 0.6))

    # these two line up with text the program draws at 18px from the row top
    label(d, (121, 320), "Payment Method")
    label(d, (58, base(329)), "Card #")
    label(d, (298, base(329)), "Exp. Date:")
    label(d, (298, 378), "Total:", size=15, colour=GOLD_LIGHT)
    draw_disc(page, 293, 264, 12)
    band_inlay(page, 0, 68, "S")
    # last, so no soft edge or shadow can creep into a field
    d = ImageDraw.Draw(page)
    for box in list(ORDER_FIELDS.values()) + [CDROM_BOX]:
        draw_field_frame(d, box)
    return finish_page(page, ORDER_BUTTONS)


# --------------------------------------------------------------- bitmaps

def bmp_bytes(img):
    """24-bit bottom-up BMP with a plain BITMAPINFOHEADER."""
    w, h = img.size
    row = (w * 3 + 3) & ~3
    raw = img.convert("RGB").tobytes("raw", "BGR")
    pad = b"\0" * (row - w * 3)
    pixels = b"".join(raw[y * w * 3:(y + 1) * w * 3] + pad
                      for y in range(h - 1, -1, -1))
    head = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels),
                       2835, 2835, 0, 0)
    return head + info + pixels


# ------------------------------------------------------------------ icon

def icon_art():
    """256x256 RGBA master: two fanned cards over a gold coin."""
    N = 256
    art = Image.new("RGBA", (N, N), (0, 0, 0, 0))

    def card(face):
        w, h = 138, 190
        c = Image.new("RGBA", (w, h), (0, 0, 0, 0))
        d = ImageDraw.Draw(c)
        d.rounded_rectangle([0, 0, w - 1, h - 1], 18, fill=(24, 20, 16, 255))
        if face:
            d.rounded_rectangle([8, 8, w - 9, h - 9], 12, fill=(255, 255, 250, 255))
            draw_suit(d, "S", w / 2, h / 2 - 6, 104, CARD_BLACK + (255,))
        else:
            d.rounded_rectangle([8, 8, w - 9, h - 9], 12, fill=(250, 246, 236, 255))
            d.rounded_rectangle([20, 20, w - 21, h - 21], 8, fill=(150, 20, 30, 255))
            d.rounded_rectangle([34, 34, w - 35, h - 35], 6, fill=(196, 40, 48, 255))
        return c

    for face, angle, centre in ((False, 16, (96, 110)), (True, -8, (146, 106))):
        c = card(face).rotate(angle, resample=Image.BICUBIC, expand=True)
        art.alpha_composite(c, (int(centre[0] - c.width / 2),
                                int(centre[1] - c.height / 2)))
    d = ImageDraw.Draw(art)
    cx, cy, r = 190, 190, 62
    d.ellipse([cx - r, cy - r, cx + r, cy + r], fill=(60, 40, 8, 255))
    r -= 8
    d.ellipse([cx - r, cy - r, cx + r, cy + r], fill=(176, 128, 30, 255))
    r -= 6
    d.ellipse([cx - r, cy - r, cx + r, cy + r], fill=(250, 206, 84, 255))
    d.ellipse([cx - r + 10, cy - r + 6, cx + r - 24, cy], fill=(255, 236, 160, 255))
    f = font(SANS_BOLD, 92)
    d.text((cx + 3, cy + 5), "$", font=f, fill=(150, 100, 16, 255), anchor="mm")
    d.text((cx, cy + 2), "$", font=f, fill=(92, 56, 6, 255), anchor="mm")
    return art


def ico_bytes():
    small = icon_art().resize((32, 32), Image.LANCZOS)
    alpha = small.getchannel("A")
    opaque = Image.new("RGB", (32, 32), (0, 0, 0))
    opaque.paste(small.convert("RGB"), (0, 0), alpha)  # darken soft edges
    keep = [a >= 100 for a in alpha.getdata()]
    # 255 colours for the picture; index 0 stays black for the see-through
    # pixels, whose colour is XORed onto the screen.
    q = opaque.quantize(colors=255, method=Image.Quantize.MEDIANCUT,
                        dither=Image.Dither.NONE)
    pal = q.getpalette()[:255 * 3]
    pal += [0] * (255 * 3 - len(pal))
    index = [i + 1 if k else 0 for i, k in zip(q.getdata(), keep)]
    palette = b"\0\0\0\0" + b"".join(
        bytes((pal[3 * i + 2], pal[3 * i + 1], pal[3 * i], 0)) for i in range(255))
    xor = b"".join(bytes(index[y * 32:(y + 1) * 32]) for y in range(31, -1, -1))
    and_rows = []
    for y in range(31, -1, -1):
        bits = 0
        for x in range(32):
            bits = (bits << 1) | (0 if keep[y * 32 + x] else 1)
        and_rows.append(struct.pack(">I", bits))
    mask = b"".join(and_rows)
    info = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 8, 0,
                       len(xor) + len(mask), 0, 0, 0, 0)
    image = info + palette + xor + mask
    head = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 0, 0, 1, 8, len(image), 6 + 16)
    return head + entry + image


# ---------------------------------------------------------------- sounds

def wav_bytes(rate, bits, data):
    block = bits // 8
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate * block, block, bits)
    return (b"RIFF" + struct.pack("<I", 4 + 8 + 16 + 8 + len(data)) + b"WAVE"
            + b"fmt " + struct.pack("<I", 16) + fmt
            + b"data" + struct.pack("<I", len(data)) + data)


def raised_cosine(n, i):
    return 0.5 - 0.5 * math.cos(math.pi * i / n)


def chime():
    """Two soft bell notes a fifth apart, for the three order buttons."""
    rate, n = 44100, 24320
    notes = ((0.0, 1046.5, 1.0), (0.095, 1568.0, 0.8))
    partials = ((1.0, 1.0, 0.20), (2.0, 0.22, 0.09), (3.0, 0.07, 0.05),
                (2.76, 0.05, 0.04))
    attack = int(0.004 * rate)
    tail = int(0.03 * rate)
    s = []
    for i in range(n):
        t = i / rate
        v = 0.0
        for start, f, amp in notes:
            u = t - start
            if u < 0:
                continue
            env = amp * (raised_cosine(attack, u * rate) if u * rate < attack else 1)
            for mul, a, tau in partials:
                v += env * a * math.exp(-u / tau) * math.sin(2 * math.pi * f * mul * u)
        if i >= n - tail:
            v *= raised_cosine(tail, n - 1 - i)
        s.append(v)
    peak = max(abs(v) for v in s)
    k = 0.5 * 32767 / peak           # -6 dBFS
    return wav_bytes(rate, 16, b"".join(struct.pack("<h", int(round(v * k))) for v in s))


def tick():
    """A short damped wooden tick for every other button, 8-bit."""
    rate, n = 22050, 3024
    rng = Rng(0x7_1C4)
    attack = 6
    lp = 0.0
    s = []
    for i in range(n):
        t = i / rate
        white = rng.uniform() * 2 - 1
        lp += 0.35 * (white - lp)
        v = 0.8 * math.exp(-t / 0.006) * math.sin(2 * math.pi * 1850 * t)
        v += 0.3 * math.exp(-t / 0.0025) * math.sin(2 * math.pi * 4100 * t)
        v += 0.5 * math.exp(-t / 0.002) * lp
        if i < attack:
            v *= raised_cosine(attack, i)
        s.append(v)
    peak = max(abs(v) for v in s)
    k = 0.45 * 127 / peak
    data = bytes(128 + int(round(v * k)) for v in s)
    # the decay has long since rounded to silence, but make sure of it
    return wav_bytes(rate, 8, data[:-64] + bytes([128]) * 64)


# ------------------------------------------------------------------ main

def main(argv=None):
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", default=os.path.join(os.path.dirname(here),
                                                  "resources"))
    ap.add_argument("--inputs", action="store_true",
                    help="say whether the inputs are those the committed resources were made with")
    args = ap.parse_args(argv)
    unlike = unlike_made_with()
    if args.inputs:
        print("; ".join(unlike) or "inputs as the committed resources were made with")
        sys.exit(3 if unlike else 0)
    for path in FONTS:
        if not os.path.exists(path):
            sys.exit("missing font %s (install fonts-liberation, on Debian 13 fonts-liberation-sans-narrow too)"
                     % path)
    if unlike:
        print("make_assets.py: the output will differ from the committed resources: " + "; ".join(unlike),
              file=sys.stderr)
    os.makedirs(args.out, exist_ok=True)

    felt = make_felt(WIDTH, BAND_TOP)
    rail = make_rail(WIDTH, BAND_H)
    outputs = {
        "topics.bmp": bmp_bytes(topics_page(felt, rail)),
        "order.bmp": bmp_bytes(order_page(felt, rail)),
        "phone.bmp": bmp_bytes(phone_page(felt, rail)),
        "cue1.wav": chime(),
        "cue2.wav": tick(),
        "app.ico": ico_bytes(),
    }
    for name, data in outputs.items():
        with open(os.path.join(args.out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
