#!/usr/bin/env python3
"""Draws the GUI program's pictures as BMP files (and its icon as an ICO file), all made for this
program: the row-state pictures (131 large, 132 small: suspended, down, up), the splash picture
(185), the header's sort arrows (186, 187: grey 192 and 128, which loading maps to the 3-D colours),
the tray caption button's three colour schemes (eight 21 x 21 cells each: normal, hover, pressed,
disabled, then the same for an inactive caption), the tool bars' buttons (129 large, 130 small)
and the program icon (128). Magenta is the key colour of every picture that has one. Run it after
changing the artwork; the resource script takes the files as they are."""
import os
import struct

MAGENTA = (255, 0, 255)
HERE = os.path.dirname(os.path.abspath(__file__))


def blank(w, h, colour=MAGENTA):
    return [[colour for _ in range(w)] for _ in range(h)]


def save_bmp(name, img):
    """24-bit bottom-up BMP."""
    h, w = len(img), len(img[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(img):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        data += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(header + info + data)


def disc(img, cx, cy, r, colour, edge):
    for y in range(len(img)):
        for x in range(len(img[0])):
            d2 = (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2
            if d2 <= r * r:
                img[y][x] = edge if d2 > (r - 1.2) ** 2 else colour


def rect(img, x0, y0, x1, y1, colour):
    for y in range(max(y0, 0), min(y1, len(img))):
        for x in range(max(x0, 0), min(x1, len(img[0]))):
            img[y][x] = colour


def triangle(img, cx, top, half, height, colour, up=True):
    for i in range(height):
        y = top + i if up else top + height - 1 - i
        span = int(half * (i + 1) / height)
        rect(img, cx - span, y, cx + span + 1, y + 1, colour)


def state_pictures(size):
    """Suspended (grey, two bars), down (red, arrow down), up (green, arrow up)."""
    img = blank(size * 3, size)
    r = size / 2 - 1
    looks = [((170, 170, 170), (90, 90, 90)), ((214, 48, 40), (120, 20, 16)), ((52, 168, 72), (20, 96, 36))]
    white = (255, 255, 255)
    unit = max(size // 16, 1)
    for i, (fill, edge) in enumerate(looks):
        sub = blank(size, size)
        disc(sub, size / 2, size / 2, r, fill, edge)
        mid = size // 2
        if i == 0:
            rect(sub, mid - 3 * unit, mid - 4 * unit, mid - unit, mid + 4 * unit, white)
            rect(sub, mid + unit, mid - 4 * unit, mid + 3 * unit, mid + 4 * unit, white)
        else:
            # an arrow pointing up, turned over for down
            triangle(sub, mid, mid - 5 * unit, 4 * unit, 4 * unit, white, up=True)
            rect(sub, mid - unit, mid - unit, mid + unit + (1 if size > 16 else 0), mid + 5 * unit, white)
            if i == 1:
                sub = sub[::-1]
        for y in range(size):
            for x in range(size):
                img[y][i * size + x] = sub[y][x]
    return img


def splash():
    w, h = 284, 252
    img = blank(w, h, (255, 255, 255))
    for y in range(h):
        t = y / (h - 1)
        rect(img, 0, y, w, y + 1, (int(24 + 30 * t), int(64 + 50 * t), int(128 + 70 * t)))
    # a pulse line across the middle: the program watches services
    base = h // 2 + 20
    points = [(20, base), (90, base), (110, base - 60), (135, base + 45), (155, base - 20), (170, base),
              (264, base)]
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        steps = max(abs(x1 - x0), abs(y1 - y0))
        for s in range(steps + 1):
            x = x0 + (x1 - x0) * s // steps
            y = y0 + (y1 - y0) * s // steps
            rect(img, x - 1, y - 1, x + 2, y + 2, (120, 230, 140))
    disc(img, 142, 60, 26, (52, 168, 72), (255, 255, 255))
    triangle(img, 142, 44, 12, 12, (255, 255, 255), up=True)
    rect(img, 138, 56, 147, 74, (255, 255, 255))
    rect(img, 0, h - 4, w, h, (240, 200, 60))
    return img


def sort_arrow(up):
    img = blank(9, 8, (192, 192, 192))
    triangle(img, 4, 1 if up else 1, 4, 5, (128, 128, 128), up=up)
    return img


SCHEMES = {
    "tray_blue.bmp": ((58, 110, 230), (24, 64, 180), (255, 255, 255)),
    "tray_metallic.bmp": ((214, 216, 228), (140, 144, 164), (40, 44, 60)),
    "tray_homestead.bmp": ((150, 172, 96), (90, 110, 50), (255, 255, 255)),
}


def shade(colour, amount):
    return tuple(max(0, min(255, int(c + amount))) for c in colour)


def tray_cells(face, edge, glyph):
    img = blank(21 * 8, 21)
    for cell in range(8):
        inactive = cell >= 4
        kind = cell % 4   # 0 normal, 1 hover, 2 pressed, 3 disabled
        f = face
        if kind == 1:
            f = shade(face, 30)
        elif kind == 2:
            f = shade(face, -40)
        elif kind == 3:
            f = tuple((c + 200) // 2 for c in face)
        if inactive:
            f = tuple((c * 2 + 190) // 3 for c in f)
        e = edge if not inactive else tuple((c + 160) // 2 for c in edge)
        x0 = cell * 21
        for y in range(21):
            for x in range(21):
                corner = min(x, 20 - x) + min(y, 20 - y) < 3
                if corner:
                    continue
                border = x in (0, 20) or y in (0, 20)
                img[y][x0 + x] = e if border else shade(f, 18 - y * 2)
        g = glyph if kind != 3 else (200, 200, 200)
        off = 1 if kind == 2 else 0
        # a bar over a small tray: the window goes down into the notification area
        rect(img, x0 + 5 + off, 13 + off, x0 + 16 + off, 16 + off, g)
        rect(img, x0 + 9 + off, 5 + off, x0 + 12 + off, 11 + off, g)
        triangle(img, x0 + 10 + off, 8 + off, 3, 3, g, up=False)
    return img


TOOLS = [
    # new item: a plus
    lambda img, s, o: (rect(img, o + s // 2 - s // 12, s // 5, o + s // 2 + s // 12 + 1, s - s // 5, (40, 140, 60)),
                       rect(img, o + s // 5, s // 2 - s // 12, o + s - s // 5, s // 2 + s // 12 + 1, (40, 140, 60))),
    # properties: a sheet with lines
    lambda img, s, o: [rect(img, o + s // 5, s // 6, o + s - s // 5, s - s // 6, (250, 250, 250))] +
                      [rect(img, o + s // 4, s // 6 + k * s // 6, o + s - s // 4, s // 6 + k * s // 6 + max(s // 16, 1),
                            (90, 90, 140)) for k in range(1, 5)],
    # delete: a red cross
    lambda img, s, o: [rect(img, o + s // 5 + k, s // 5 + k, o + s // 5 + k + max(s // 10, 2), s // 5 + k + 1, (200, 40, 40))
                       for k in range(s - 2 * s // 5)] +
                      [rect(img, o + s - s // 5 - k - max(s // 10, 2), s // 5 + k, o + s - s // 5 - k, s // 5 + k + 1,
                            (200, 40, 40)) for k in range(s - 2 * s // 5)],
    # run now: a green triangle pointing right
    lambda img, s, o: [rect(img, o + s // 4, s // 5 + k, o + s // 4 + (k if k < (s * 3 // 10) else s * 3 // 5 - k) + 1,
                            s // 5 + k + 1, (40, 160, 60)) for k in range(s * 3 // 5)],
    # run all: two triangles
    lambda img, s, o: [rect(img, o + s // 8 + d, s // 4 + k, o + s // 8 + d + (k if k < s // 4 else s // 2 - k) + 1,
                            s // 4 + k + 1, (40, 160, 60)) for k in range(s // 2) for d in (0, s * 3 // 8)],
    # suspend: two bars
    lambda img, s, o: (rect(img, o + s // 4, s // 5, o + s // 4 + s // 6, s - s // 5, (200, 150, 30)),
                       rect(img, o + s - s // 4 - s // 6, s // 5, o + s - s // 4, s - s // 5, (200, 150, 30))),
    # activate: a green disc
    lambda img, s, o: disc_at(img, o + s / 2, s / 2, s / 3, (52, 168, 72), (20, 96, 36)),
    # clear stats: a bar chart with a sweep
    lambda img, s, o: [rect(img, o + s // 5 + k * s // 5, s - s // 5 - (k + 1) * s // 6, o + s // 5 + k * s // 5 + s // 8,
                            s - s // 5, (60, 100, 200)) for k in range(3)],
    # view log: a page with a magnifier edge
    lambda img, s, o: [rect(img, o + s // 5, s // 8, o + s - s // 4, s - s // 8, (255, 255, 230))] +
                      [rect(img, o + s // 4, s // 4 + k * s // 8, o + s - s // 3, s // 4 + k * s // 8 + 1, (120, 120, 120))
                       for k in range(5)],
]


def disc_at(img, cx, cy, r, colour, edge):
    for y in range(len(img)):
        for x in range(len(img[0])):
            d2 = (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2
            if d2 <= r * r:
                img[y][x] = edge if d2 > (r - 1.2) ** 2 else colour


def toolbar(s):
    img = blank(s * len(TOOLS), s, (192, 192, 192))
    for i, draw in enumerate(TOOLS):
        draw(img, s, i * s)
    return img


def save_ico(name, images):
    """32-bit icon with its AND mask, one entry per (size, picture)."""
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for img in images:
        s = len(img)
        xor = bytearray()
        for row in reversed(img):
            for r, g, b in row:
                xor += bytes((b, g, r, 0 if (r, g, b) == MAGENTA else 255))
        mask_stride = ((s + 31) // 32) * 4
        mask = bytearray()
        for row in reversed(img):
            bits = bytearray(mask_stride)
            for x, px in enumerate(row):
                if px == MAGENTA:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        info = struct.pack("<IiiHHIIiiII", 40, s, s * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        blob = info + xor + mask
        entries.append(struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(blobs))


def icon(size):
    img = blank(size, size)
    disc(img, size / 2, size / 2, size / 2 - 0.5, (36, 84, 160), (16, 40, 96))
    unit = max(size // 16, 1)
    mid = size // 2
    pts = [(size // 6, mid), (size * 2 // 5, mid), (size // 2, size // 5), (size * 3 // 5, size * 4 // 5),
           (size * 2 // 3, mid), (size * 5 // 6, mid)]
    for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for k in range(steps + 1):
            rect(img, x0 + (x1 - x0) * k // steps - unit // 2, y0 + (y1 - y0) * k // steps - unit // 2,
                 x0 + (x1 - x0) * k // steps + unit, y0 + (y1 - y0) * k // steps + unit, (140, 240, 150))
    return img


if __name__ == "__main__":
    save_bmp("states_large.bmp", state_pictures(32))
    save_bmp("states_small.bmp", state_pictures(16))
    save_bmp("splash.bmp", splash())
    save_bmp("sort_up.bmp", sort_arrow(True))
    save_bmp("sort_down.bmp", sort_arrow(False))
    for name, (face, edge, glyph) in SCHEMES.items():
        save_bmp(name, tray_cells(face, edge, glyph))
    save_bmp("toolbar_large.bmp", toolbar(32))
    save_bmp("toolbar_small.bmp", toolbar(16))
    save_ico("orvgui.ico", [icon(32), icon(16)])
