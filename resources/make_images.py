#!/usr/bin/env python3
"""Writes the program's icon (instal.ico) and cursor (instal.cur).

Both are drawn here in code so that the repository needs no image editor:
the icon is a box with a downward arrow, the cursor a plain arrow.
"""
import struct
import sys
from pathlib import Path

SIZE = 32


def icon_pixels():
    pixels = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            inside_box = 4 <= x < 28 and 10 <= y < 28
            shaft = 13 <= x < 19 and 2 <= y < 14
            head = 14 <= y < 22 and abs(x - 15.5) < 22 - y
            if shaft or head:
                row.append((0xD0, 0x60, 0x10, 0xFF))  # orange arrow (B, G, R, A)
            elif inside_box:
                shade = 0x60 + (y - 10) * 4
                row.append((shade + 0x40, shade, 0x20, 0xFF))
            else:
                row.append((0, 0, 0, 0))
        pixels.append(row)
    return pixels


def cursor_pixels():
    pixels = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            edge = y < 20 and (x == 0 or x == y)
            fill = y < 20 and 0 < x < y
            if edge:
                row.append((0, 0, 0, 0xFF))
            elif fill:
                row.append((0xFF, 0xFF, 0xFF, 0xFF))
            else:
                row.append((0, 0, 0, 0))
        pixels.append(row)
    return pixels


def dib(pixels):
    """A 32-bit bottom-up DIB with its AND mask, as icon files hold it."""
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b''.join(bytes(p) for row in reversed(pixels) for p in row)
    mask = b''
    for row in reversed(pixels):
        bits = 0
        for x, p in enumerate(row):
            if p[3] == 0:
                bits |= 1 << (31 - x)
        mask += struct.pack('>I', bits)
    return header + colour + mask


def icon_file(pixels, kind, hotspot=(0, 0)):
    image = dib(pixels)
    planes_or_x, bits_or_y = (1, 32) if kind == 1 else hotspot
    directory = struct.pack('<HHH', 0, kind, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 0, 0, planes_or_x, bits_or_y, len(image), 6 + 16)
    return directory + entry + image


def main():
    folder = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).parent
    (folder / 'instal.ico').write_bytes(icon_file(icon_pixels(), 1))
    (folder / 'instal.cur').write_bytes(icon_file(cursor_pixels(), 2, (0, 0)))


if __name__ == '__main__':
    main()
