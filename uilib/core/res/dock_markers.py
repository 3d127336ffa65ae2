#!/usr/bin/env python3
"""Draws the five docking-marker pictures as 24-bit BMP files: the top, bottom, left and right
arrows (43 x 30 and 30 x 43) and the centre of the cross (83 x 83). Pure green is the key
colour: it is cut out of the marker windows' shape. Run it after changing the artwork; the
build embeds the .bmp files as they are."""
import os
import struct

KEY = (0, 255, 0)
BORDER = (96, 104, 120)
PANEL_TOP = (250, 251, 253)
PANEL_BOTTOM = (214, 219, 228)
ARROW = (44, 96, 196)
ARROW_EDGE = (22, 52, 128)
TAB_BODY = (255, 255, 255)


def blank(w, h, colour=KEY):
    return [[colour for _ in range(w)] for _ in range(h)]


def rounded_panel(img, x0, y0, x1, y1, radius):
    """A bordered panel with rounded corners, a soft vertical shade inside."""
    h = y1 - y0
    for y in range(y0, y1):
        for x in range(x0, x1):
            dx = max(x0 + radius - x, x - (x1 - 1 - radius), 0)
            dy = max(y0 + radius - y, y - (y1 - 1 - radius), 0)
            d2 = dx * dx + dy * dy
            if d2 > radius * radius:
                continue
            edge = (x in (x0, x1 - 1) or y in (y0, y1 - 1) or
                    d2 > (radius - 1) * (radius - 1) and (dx > 0 and dy > 0))
            if edge:
                img[y][x] = BORDER
            else:
                t = (y - y0) / max(h - 1, 1)
                img[y][x] = tuple(int(a + (b - a) * t) for a, b in zip(PANEL_TOP, PANEL_BOTTOM))


def fill(img, x0, y0, x1, y1, colour):
    for y in range(y0, y1):
        for x in range(x0, x1):
            img[y][x] = colour


def up_arrow():
    w, h = 43, 30
    img = blank(w, h)
    rounded_panel(img, 0, 0, w, h, 4)
    # the edge the bar docks to
    fill(img, 9, 3, 34, 6, ARROW)
    fill(img, 9, 6, 34, 7, ARROW_EDGE)
    # the arrow: a triangle on a stem
    apex, base = 9, 19
    for y in range(apex, base):
        half = y - apex
        for x in range(21 - half, 22 + half):
            edge = x in (21 - half, 21 + half)
            img[y][x] = ARROW_EDGE if edge else ARROW
    fill(img, 18, base, 25, 26, ARROW)
    fill(img, 18, 26, 25, 27, ARROW_EDGE)
    return img


def centre():
    n = 83
    img = blank(n, n)
    rounded_panel(img, 0, 0, n, n, 14)
    # a small window with a title bar and a tab: "dock here as a tab"
    fill(img, 28, 28, 55, 55, BORDER)
    fill(img, 29, 29, 54, 54, TAB_BODY)
    fill(img, 29, 29, 54, 34, ARROW)
    fill(img, 29, 48, 40, 54, ARROW)
    fill(img, 40, 48, 41, 54, BORDER)
    return img


def flip_v(img):
    return img[::-1]


def flip_h(img):
    return [row[::-1] for row in img]


def transpose(img):
    return [list(col) for col in zip(*img)]


def write_bmp(path, img):
    h, w = len(img), len(img[0])
    stride = (w * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(img):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        pixels += line
    header = struct.pack('<2sIHHI', b'BM', 54 + len(pixels) + 1, 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        # one byte of padding after the pixels
        f.write(header + info + pixels + b'\0')


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    up = up_arrow()
    left = transpose(up)
    pictures = {
        'dock_marker_top.bmp': up,
        'dock_marker_bottom.bmp': flip_v(up),
        'dock_marker_left.bmp': left,
        'dock_marker_right.bmp': flip_h(left),
        'dock_marker_centre.bmp': centre(),
    }
    for name, img in pictures.items():
        write_bmp(os.path.join(here, name), img)


if __name__ == '__main__':
    main()
