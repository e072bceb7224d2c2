#!/usr/bin/env python3
"""Draws the application icons of the designer and the viewer.

Each .ico holds a 32 x 32 and a 16 x 16 image, 32 bits per pixel with an AND
mask, which every Windows from XP on shows. Run it again after changing the
drawing; the .ico files it writes are committed beside it.
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


def bitmap(img):
    size = len(img)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for row in reversed(img):
        for p in row:
            pixels += bytes(p) + b"\xff" if p else b"\0\0\0\0"
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(img):
        bits = bytearray(stride)
        for x, p in enumerate(row):
            if p is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + mask


def ico(images):
    blobs = [bitmap(img) for img in images]
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for img, blob in zip(images, blobs):
        size = len(img)
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    for name, draw in (("zarnet.ico", designer), ("pelmo.ico", viewer)):
        with open(os.path.join(here, name), "wb") as f:
            f.write(ico([draw(32), draw(16)]))
