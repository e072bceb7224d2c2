#!/usr/bin/env python3
"""Draws the application icons of the designer and the viewer, and the icon
Explorer shows for design files.

Each application .ico holds a 32 x 32 and a 16 x 16 image, 32 bits per pixel
with an AND mask, which every Windows from XP on shows. The design file icon
comes in the four sizes Explorer asks for (16, 24, 32 and 48) with 16
colours of its own palette: the drawings use fewer colours than that and
no partial transparency, so it looks the same as at 32 bits for under a fifth of
the bytes in Zarnet.exe. Run it again after changing a drawing; the .ico
files it writes are committed beside it.
"""
import os
import struct

TITLE = (0x80, 0x3C, 0x10)      # title bar, dark blue (BGR order below)
FRAME = (0x40, 0x20, 0x10)
BODY = (0xF4, 0xF0, 0xEC)
GRID = (0xC0, 0xB8, 0xB0)
GADGET = (0x30, 0x90, 0xE0)     # orange button
FIELD = (0xFF, 0xFF, 0xFF)
EYE = (0x30, 0x9A, 0x20)        # green
FOLD = (0xD8, 0xD0, 0xC8)       # the turned-down corner of a sheet


def blank(size):
    return [[None] * size for _ in range(size)]


def fill(img, x0, y0, x1, y1, colour):
    for y in range(max(0, y0), min(len(img), y1)):
        for x in range(max(0, x0), min(len(img), x1)):
            img[y][x] = colour


def window(size):
    img = blank(size)
    fill(img, 0, 1, size, size - 1, FRAME)
    fill(img, 1, 2, size - 1, size - 2, BODY)
    fill(img, 1, 2, size - 1, 2 + size // 6, TITLE)
    return img


def designer(size):
    img = window(size)
    step = 4 if size >= 32 else 3
    top = 2 + size // 6
    for y in range(top + step, size - 2, step):
        for x in range(1 + step, size - 1, step):
            img[y][x] = GRID
    s = size / 32
    fill(img, round(5 * s), round(13 * s), round(27 * s), round(17 * s), FIELD)
    fill(img, round(5 * s), round(13 * s), round(27 * s), round(13 * s) + 1, FRAME)
    fill(img, round(15 * s), round(21 * s), round(27 * s), round(27 * s), GADGET)
    return img


def viewer(size):
    img = window(size)
    s = size / 32
    cx, cy = 16 * s - 0.5, 19 * s
    rx, ry = 11 * s, 6 * s
    for y in range(size):
        for x in range(size):
            dx, dy = (x - cx) / rx, (y - cy) / ry
            d = dx * dx + dy * dy
            if d <= 1.0:
                img[y][x] = FIELD
            e = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
            if e <= 4.5 * s:
                img[y][x] = EYE
            if e <= 2.0 * s:
                img[y][x] = FRAME
            if 0.75 <= d <= 1.0 + 0.9 / s / rx * 2:
                img[y][x] = FRAME
    return img


def document(size):
    """A sheet with its top right corner turned down, holding a small form."""
    img = blank(size)
    s = size / 32
    left, right = round(5 * s), round(27 * s)
    top, bottom = 0, size
    ear = max(4, round(8 * s))
    for y in range(top, bottom):
        for x in range(left, right):
            ex, ey = x - (right - ear), y - top
            if ex >= 0 and ey < ear:
                if ex > ey:
                    continue
                inner = ex < ey and ex > 0 and ey < ear - 1
                img[y][x] = FOLD if inner else FRAME
            elif x in (left, right - 1) or y in (top, bottom - 1):
                img[y][x] = FRAME
            else:
                img[y][x] = FIELD
    # The form: a window with its title bar, a field and a button.
    wl, wr = left + max(2, round(3 * s)), right - max(2, round(3 * s))
    wt, wb = round(10 * s), bottom - max(2, round(3 * s))
    fill(img, wl, wt, wr, wb, FRAME)
    fill(img, wl + 1, wt + 1, wr - 1, wb - 1, BODY)
    bar = max(1, int(3 * s))
    fill(img, wl + 1, wt + 1, wr - 1, wt + 1 + bar, TITLE)
    inset = max(1, round(2 * s))
    fy = wt + 1 + bar + inset
    fh = max(1, int(3 * s))
    fill(img, wl + 1 + inset, fy, wr - 1 - inset, fy + fh, FIELD)
    fill(img, wl + 1 + inset, fy, wr - 1 - inset, fy + 1, FRAME)
    # The button sits in the lower right corner, below the field.
    bb = wb - 1 - inset
    by = max(fy + fh + 1, bb - max(2, round(4 * s)))
    fill(img, wl + (wr - wl) * 2 // 5, by, wr - 1 - inset, bb, GADGET)
    return img


def mask_rows(img):
    stride = ((len(img) + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(img):
        bits = bytearray(stride)
        for x, p in enumerate(row):
            if p is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return mask


def bitmap(img):
    size = len(img)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for row in reversed(img):
        for p in row:
            pixels += bytes(p) + b"\xff" if p else b"\0\0\0\0"
    return header + pixels + mask_rows(img)


def bitmap16(img, palette):
    """An image of 4 bits per pixel: indexes into palette, 0 under the mask."""
    size = len(img)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    colours = b"".join(bytes(c) + b"\0" for c in palette)
    colours += b"\0\0\0\0" * (16 - len(palette))
    stride = ((size * 4 + 31) // 32) * 4
    pixels = bytearray()
    for row in reversed(img):
        line = bytearray(stride)
        for x, p in enumerate(row):
            index = 0 if p is None else palette.index(p)
            line[x // 2] |= index << (4 if x % 2 == 0 else 0)
        pixels += line
    return header + colours + pixels + mask_rows(img)


def ico(images, colours=None):
    """An .ico of the images: 32-bit ones, or 4-bit ones on one shared
    palette when colours is given (index 0, black, lies under the mask)."""
    if colours is None:
        blobs = [bitmap(img) for img in images]
        count, bits = 0, 32
    else:
        palette = [(0, 0, 0)] + list(colours)
        assert len(palette) <= 16
        blobs = [bitmap16(img, palette) for img in images]
        count, bits = 16, 4
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for img, blob in zip(images, blobs):
        size = len(img)
        out += struct.pack("<BBBBHHII", size % 256, size % 256, count, 0, 1, bits, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    for name, draw in (("zarnet.ico", designer), ("pelmo.ico", viewer)):
        with open(os.path.join(here, name), "wb") as f:
            f.write(ico([draw(32), draw(16)]))
    # Zarnet.exe's icon 2, which the setup program names for .zrf files.
    sheets = [document(size) for size in (48, 32, 24, 16)]
    used = sorted({p for img in sheets for row in img for p in row if p is not None})
    with open(os.path.join(here, "design.ico"), "wb") as f:
        f.write(ico(sheets, used))
