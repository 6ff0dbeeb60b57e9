#!/usr/bin/env python3
"""Draws the program's pixel art (icon, separator, tool pictures) as PNG files,
and as BMP and ICO files for the Windows build.

Run from this folder to regenerate; the files are committed beside it."""
import struct
import zlib


def png(path, width, height, pixel):
    rows = b"".join(b"\x00" + b"".join(bytes(pixel(x, y)) for x in range(width)) for y in range(height))
    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(rows, 9)))
        f.write(chunk(b"IEND", b""))


# The Windows build takes its pictures as BMP (drawn over the dialog face, which
# static pictures do not blend with) and its icon as one ICO of several sizes.
DIALOG_FACE = (240, 240, 240)


def bmp(path, width, height, pixel):
    def over(p):
        a = p[3] / 255.0
        return bytes(round(p[i] * a + DIALOG_FACE[i] * (1 - a)) for i in (2, 1, 0))
    stride = (width * 3 + 3) & ~3
    rows = b"".join(b"".join(over(pixel(x, y)) for x in range(width)).ljust(stride, b"\x00")
                    for y in reversed(range(height)))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", 14 + len(header) + len(rows), 0, 0, 14 + len(header)))
        f.write(header + rows)


def ico(path, sizes, pixel_for):
    """Each size as a 32-bit image with its mask, which every Windows version reads."""
    images = []
    for size in sizes:
        pixel = pixel_for(size)
        colour = b"".join(bytes((p[2], p[1], p[0], p[3])) for y in reversed(range(size)) for x in range(size)
                          for p in [pixel(x, y)])
        mask_stride = ((size + 31) // 32) * 4
        mask = b""
        for y in reversed(range(size)):
            row = bytearray(mask_stride)
            for x in range(size):
                if pixel(x, y)[3] == 0:
                    row[x // 8] |= 0x80 >> (x % 8)
            mask += bytes(row)
        header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
        images.append((size, header + colour + mask))
    offset = 6 + 16 * len(images)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)))
        for size, data in images:
            f.write(struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset))
            offset += len(data)
        for _, data in images:
            f.write(data)


CLEAR = (0, 0, 0, 0)
INK = (40, 36, 80, 255)
PAPER = (250, 244, 220, 255)
RED = (210, 60, 60, 255)
BLUE = (70, 110, 200, 255)
GOLD = (230, 180, 40, 255)
GREEN = (60, 160, 90, 255)
GREY = (150, 150, 160, 255)


def speech_bubble(size):
    """A speech bubble with three lines of 'text': the program icon."""
    s = size / 32.0
    def pixel(x, y):
        X, Y = x / s, y / s
        inside = 3 <= X <= 28 and 4 <= Y <= 21
        tail = 8 <= X <= 13 and 21 < Y <= 27 and X - 8 >= (Y - 21) * 0.8
        if inside or tail:
            edge = X < 4 or X > 27 or Y < 5 or (Y > 20 and not tail)
            if edge:
                return INK
            if Y in (8, 12, 16) or (7.5 <= Y < 9 or 11.5 <= Y < 13 or 15.5 <= Y < 17):
                if 6 <= X <= (24 if Y < 14 else 18):
                    return BLUE
            return PAPER
        return CLEAR
    return pixel


def figure(x, y):  # 32 x 66: a kid with a cap and a bat
    if 8 <= y < 12 and 9 <= x < 23: return RED                 # cap
    if 12 <= y < 24 and 10 <= x < 22: return (240, 200, 160, 255)  # face
    if y in (16, 17) and x in (13, 18): return INK             # eyes
    if 24 <= y < 44 and 8 <= x < 24: return BLUE if (y // 3) % 2 else GOLD  # striped shirt
    if 44 <= y < 58 and (9 <= x < 15 or 17 <= x < 23): return INK  # legs
    if 58 <= y < 62 and (7 <= x < 15 or 17 <= x < 25): return RED  # shoes
    if 26 <= y < 50 and 25 <= x < 28: return (150, 100, 50, 255)  # bat
    return CLEAR


def toolbox(x, y):  # 64 x 64
    if 16 <= y < 24 and 22 <= x < 42 and not (18 <= y < 24 and 26 <= x < 38): return GREY  # handle
    if 24 <= y < 52 and 6 <= x < 58:
        if y in (24, 51) or x in (6, 57): return INK
        if 34 <= y < 37: return INK
        if 32 <= y < 39 and 29 <= x < 35: return GOLD  # latch
        return RED
    return CLEAR


def screen(x, y):  # 32 x 32
    if 3 <= y < 23 and 2 <= x < 30:
        if y in (3, 22) or x in (2, 29): return INK
        return BLUE if (x + y) % 7 else (200, 220, 255, 255)
    if 23 <= y < 27 and 13 <= x < 19: return GREY
    if 27 <= y < 29 and 8 <= x < 24: return INK
    return CLEAR


def rule(width):
    return lambda x, y: INK if y == 0 else GREY


def portrait(x, y):  # 150 x 154: a grinning face for the About box
    cx, cy = 75, 80
    d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
    if d < 60:
        if ((x - 52) ** 2 + (y - 62) ** 2) < 80 or ((x - 98) ** 2 + (y - 62) ** 2) < 80: return INK
        if 95 <= y < 110 and abs(x - cx) < 34 and y - 95 < 12 - abs(x - cx) / 4: return RED
        return GOLD
    if d < 64: return INK
    if y < 30 and abs(x - cx) < 50 and (x // 8) % 2: return GREEN  # spiky hair
    return PAPER


def gizmo(x, y):  # 48 x 48: a gear
    import math
    dx, dy = x - 23.5, y - 23.5
    r = (dx * dx + dy * dy) ** 0.5
    teeth = 18 + 3 * (1 if math.cos(8 * math.atan2(dy, dx)) > 0 else 0)
    if r < 6: return CLEAR
    if r < teeth: return GREY if r < teeth - 1 else INK
    return CLEAR


if __name__ == "__main__":
    png("icon-32.png", 32, 32, speech_bubble(32))
    png("icon-16.png", 16, 16, speech_bubble(16))
    for size in (48, 64, 128, 256):  # the sizes desktops ask for
        png(f"icon-{size}.png", size, size, speech_bubble(size))
    png("bitmap-147.png", 480, 2, rule(480))
    png("bitmap-133.png", 150, 154, portrait)
    png("bitmap-145.png", 32, 66, figure)
    png("bitmap-148.png", 64, 64, toolbox)
    png("bitmap-149.png", 32, 32, screen)
    png("bitmap-150.png", 250, 2, rule(250))
    png("bitmap-164.png", 48, 48, gizmo)

    ico("scrivlet.ico", (16, 32, 48, 256), speech_bubble)
    for number, (width, height, pixel) in {133: (150, 154, portrait), 145: (32, 66, figure), 147: (480, 2, rule(480)),
                                           148: (64, 64, toolbox), 149: (32, 32, screen), 150: (250, 2, rule(250)),
                                           164: (48, 48, gizmo)}.items():
        bmp(f"bitmap-{number}.bmp", width, height, pixel)
