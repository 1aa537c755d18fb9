#!/usr/bin/env python3
"""Draws the pictures of the class library's GUI tests. The results are kept in git; run this
only to change them: a 64x64 32-bit icon, a 32-bit picture with an alpha channel and a 24-bit
picture whose bottom left colour is its transparent colour."""
import math
import struct


def pixels(size_x, size_y, shade):
    """Rows bottom up, as BMP data wants them; shade(x, y) gives (r, g, b, a), y from the top."""
    out = bytearray()
    for y in reversed(range(size_y)):
        for x in range(size_x):
            r, g, b, a = shade(x, y)
            out += bytes((b, g, r, a))
    return out


def disc(x, y):
    d = math.hypot(x - 31.5, y - 31.5)
    if d > 29:
        return (0, 0, 0, 0)
    if abs(x - y) < 4 or abs(x + y - 63) < 4:
        return (255, 255, 255, 255)
    return (42, 111, 201, 255)


def icon():
    w = h = 64
    xor = pixels(w, h, disc)
    mask = bytes(((w + 31) // 32 * 4) * h)  # alpha decides; the AND mask stays clear
    header = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + xor + mask
    directory = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', w, h, 0, 0, 1, 32, len(image), 22)
    return directory + image


def bmp(w, h, bits, shade):
    data = pixels(w, h, shade)
    if bits == 24:
        stride = (w * 3 + 3) // 4 * 4
        rows = bytearray()
        for row in range(h):
            line = bytearray()
            for x in range(w):
                b, g, r, _ = data[(row * w + x) * 4:(row * w + x) * 4 + 4]
                line += bytes((b, g, r))
            rows += line + bytes(stride - len(line))
        data = rows
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, bits, 0, len(data), 2835, 2835, 0, 0)
    return b'BM' + struct.pack('<IHHI', 14 + len(info) + len(data), 0, 0, 14 + len(info)) + info + data


def band(x, y):
    """A 96x24 banner: a rounded blue block fading out to the right."""
    if x < 24:
        inside = math.hypot(max(0, abs(x - 11.5) - 6), max(0, abs(y - 11.5) - 6)) < 5
        return (31, 95, 168, 255) if inside else (0, 0, 0, 0)
    a = max(0, 255 - (x - 24) * 3)
    return (200, 48, 44, a)


def keyed(x, y):
    """A 48x24 picture on magenta, which its bottom left pixel carries."""
    if 4 <= x < 44 and 4 <= y < 20:
        return (46, 158, 68, 255)
    return (255, 0, 255, 255)


with open('sample-icon.ico', 'wb') as f:
    f.write(icon())
with open('sample-alpha.bmp', 'wb') as f:
    f.write(bmp(96, 24, 32, band))
with open('sample-keyed.bmp', 'wb') as f:
    f.write(bmp(48, 24, 24, keyed))
