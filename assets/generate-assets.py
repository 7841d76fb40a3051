#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the launcher's bitmaps, its icon and the sample map previews.

Only the sizes and colour depths of these pictures are fixed; the artwork is drawn here from a
small built-in 5 x 7 pixel font so that the pictures can be made again with nothing but Python.
Run from anywhere: writes into assets/ and dist/data/ beside this script's directory.
"""

import math
import random
import struct
import zlib
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
ASSETS = ROOT / "assets"
DATA = ROOT / "dist" / "data"

FONT = {
    "A": [" ### ", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"],
    "C": [" ####", "#    ", "#    ", "#    ", "#    ", "#    ", " ####"],
    "E": ["#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#####"],
    "G": [" ####", "#    ", "#    ", "#  ##", "#   #", "#   #", " ### "],
    "H": ["#   #", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"],
    "I": [" ### ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "],
    "J": ["  ###", "   # ", "   # ", "   # ", "   # ", "#  # ", " ##  "],
    "K": ["#   #", "#  # ", "# #  ", "##   ", "# #  ", "#  # ", "#   #"],
    "L": ["#    ", "#    ", "#    ", "#    ", "#    ", "#    ", "#####"],
    "M": ["#   #", "## ##", "# # #", "# # #", "#   #", "#   #", "#   #"],
    "N": ["#   #", "##  #", "# # #", "#  ##", "#   #", "#   #", "#   #"],
    "O": [" ### ", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "],
    "P": ["#### ", "#   #", "#   #", "#### ", "#    ", "#    ", "#    "],
    "R": ["#### ", "#   #", "#   #", "#### ", "# #  ", "#  # ", "#   #"],
    "S": [" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "],
    "T": ["#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "],
    "U": ["#   #", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "],
    "V": ["#   #", "#   #", "#   #", "#   #", "#   #", " # # ", "  #  "],
    "Y": ["#   #", "#   #", " # # ", "  #  ", "  #  ", "  #  ", "  #  "],
    " ": ["     "] * 7,
}


def text_width(text, scale):
    return len(text) * 6 * scale - scale


def draw_text(pixels, width, height, text, left, top, scale, colour):
    """Sets the pixels of `text`; `colour` is a value or a function of (x, y)."""
    for n, char in enumerate(text):
        for row, bits in enumerate(FONT[char]):
            for col, bit in enumerate(bits):
                if bit != "#":
                    continue
                for dy in range(scale):
                    for dx in range(scale):
                        x = left + (n * 6 + col) * scale + dx
                        y = top + row * scale + dy
                        if 0 <= x < width and 0 <= y < height:
                            pixels[y][x] = colour(x, y) if callable(colour) else colour


def bmp_8bit(path, pixels, palette):
    """An uncompressed 8-bit BMP with exactly len(palette) palette entries."""
    height, width = len(pixels), len(pixels[0])
    stride = (width + 3) // 4 * 4
    image = bytearray()
    for row in reversed(pixels):
        image += bytes(row) + bytes(stride - width)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    offset = 14 + 40 + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(image), 3780, 3780,
                       len(palette), 0)
    path.write_bytes(header + info + colours + image)


def bmp_24bit(path, rgb):
    height, width = len(rgb), len(rgb[0])
    stride = (width * 3 + 3) // 4 * 4
    image = bytearray()
    for row in reversed(rgb):
        line = b"".join(struct.pack("<BBB", b, g, r) for (r, g, b) in row)
        image += line + bytes(stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(image), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(image), 3780, 3780, 0, 0)
    path.write_bytes(header + info + image)


def png(path, rgba):
    height, width = len(rgba), len(rgba[0])
    raw = b"".join(b"\0" + b"".join(struct.pack("BBBB", *p) for p in row) for row in rgba)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(
            ">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    path.write_bytes(b"\x89PNG\r\n\x1a\n" +
                     chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
                     chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def button(path, lines):
    """A 120 x 32 navigation image: a bevelled grey gradient with a white caption."""
    width, height, scale = 120, 32, 2
    pixels = [[70 - (y * 45) // (height - 1) for _ in range(width)] for y in range(height)]
    for x in range(width):
        pixels[0][x], pixels[height - 1][x] = 150, 5
    for y in range(height):
        pixels[y][0], pixels[y][width - 1] = 150, 5
    line_height = 7 * scale
    total = len(lines) * line_height + (len(lines) - 1) * 2
    top = (height - total) // 2
    for text in lines:
        left = (width - text_width(text, scale)) // 2
        draw_text(pixels, width, height, text, left + 1, top + 1, scale, 0)
        draw_text(pixels, width, height, text, left, top, scale, 255)
        top += line_height + 2
    bmp_8bit(path, pixels, [(i, i, i) for i in range(256)])


def tile(path):
    """The 16 x 64 tile: thin white diagonals on black, two colours of a 4-entry palette."""
    pixels = [[1 if (x + y) % 8 == 0 else 0 for x in range(16)] for y in range(64)]
    bmp_8bit(path, pixels, [(0, 0, 0), (255, 255, 255), (128, 128, 128), (192, 192, 192)])


def fire(i):
    return (min(255, i * 3), max(0, min(255, (i - 85) * 3)), max(0, min(255, (i - 170) * 3)))


def logo(path):
    """The 312 x 64 logo: the name in a fire ramp of 256 colours on black."""
    width, height = 312, 64
    pixels = [[0] * width for _ in range(height)]
    random.seed(7)
    for _ in range(40):
        pixels[random.randrange(height)][random.randrange(width)] = random.randrange(40, 90)
    draw_text(pixels, width, height, "KOVAR", 14, 7, 6, lambda x, y: 250 - (y - 7) * 3)
    draw_text(pixels, width, height, "LAUNCHER", 200, 37, 2, 190)
    for x in range(200, 294):
        pixels[56][x] = 120
    bmp_8bit(path, pixels, [fire(i) for i in range(256)])


VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
       (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def icon_pixels(size):
    """A red K on black with a yellow frame, as indices into the 16-colour palette.

    The K and the frame grow with the size, in whole pixels, so that every size is the same
    picture: a frame of a 32nd of the side (at least a pixel), the 5 x 7 letter in blocks of an
    eighth of it.
    """
    pixels = [[0] * size for _ in range(size)]
    frame = max(1, size // 32)
    for y in range(size):
        for x in range(size):
            if min(x, y, size - 1 - x, size - 1 - y) < frame:
                pixels[y][x] = 11
    scale = size // 8
    left = (size - 5 * scale) // 2
    top = (size - 7 * scale) // 2
    draw_text(pixels, size, size, "K", left, top, scale, lambda x, y: 9 if y < size // 2 else 1)
    return pixels


def svg(path, size):
    """The icon at `size` as a scalable picture: one rectangle for each run of a colour in a row,
    drawn with sharp edges, so that it is the pixel picture at any scale."""
    rects = []
    for y, row in enumerate(icon_pixels(size)):
        x = 0
        while x < size:
            end = x
            while end < size and row[end] == row[x]:
                end += 1
            if row[x] != 0:
                r, g, b = VGA[row[x]]
                rects.append(f'<rect x="{x}" y="{y}" width="{end - x}" height="1" '
                             f'fill="#{r:02x}{g:02x}{b:02x}"/>')
            x = end
    path.write_text(
        '<?xml version="1.0" encoding="UTF-8"?>\n'
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}" '
        f'viewBox="0 0 {size} {size}" shape-rendering="crispEdges">\n'
        f'<rect width="{size}" height="{size}" fill="#000000"/>\n' + "\n".join(rects) +
        "\n</svg>\n")


def ico(path, sizes):
    """A Windows icon with one 16-colour (4 bits a pixel) image per size."""
    images = []
    for size in sizes:
        pixels = icon_pixels(size)
        xor_stride = (size // 2 + 3) // 4 * 4
        and_stride = (size // 8 + 3) // 4 * 4
        xor = bytearray()
        for row in reversed(pixels):
            packed = bytes((row[x] << 4) | row[x + 1] for x in range(0, size, 2))
            xor += packed + bytes(xor_stride - len(packed))
        mask = bytes(and_stride * size)
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(mask), 0, 0,
                           16, 0)
        colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in VGA)
        images.append((size, info + colours + bytes(xor) + mask))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    path.write_bytes(out + b"".join(data for _, data in images))


def desktop_icons(sizes):
    """The same icon for the desktop's icon theme: a PNG at each size, and a scalable one."""
    for size in sizes:
        png(ASSETS / f"kovar-launcher-{size}.png",
            [[VGA[i] + (255,) for i in row] for row in icon_pixels(size)])
    svg(ASSETS / "kovar-launcher.svg", 32)


def clamp(v):
    return max(0, min(255, int(v)))


def preview(path, sky_top, sky_bottom, ground, shape):
    """A 120 x 90 map preview: a sky, a skyline of the map's buildings and a lit ground."""
    width, height = 120, 90
    rgb = []
    for y in range(height):
        t = y / (height - 1)
        rgb.append([tuple(clamp(a + (b - a) * t) for a, b in zip(sky_top, sky_bottom))] * width)
    horizon = 60
    for x in range(width):
        top = horizon - shape(x)
        for y in range(top, height):
            shade = 0.55 + 0.45 * math.sin(x * 0.7 + y * 0.3) ** 2 if y >= horizon else 0.35
            rgb[y][x] = tuple(clamp(c * shade) for c in ground)
    bmp_24bit(path, rgb)


def keep(x):
    towers = [(20, 30), (55, 42), (90, 28)]
    for left, h in towers:
        if left <= x < left + 14:
            return h + (4 if (x - left) % 4 < 2 else 0)
    return 12 + (x * 7) % 3


def foundry(x):
    if 30 <= x < 36 or 80 <= x < 85:
        return 45
    return 18 + (x // 10) % 3 * 6


def gate(x):
    if 40 <= x < 80:
        return 0 if 52 <= x < 68 else 34
    return 8 + abs(60 - x) // 4


def main():
    button(ASSETS / "imgMain.bmp", ["MAIN"])
    button(ASSETS / "imgSP.bmp", ["SINGLE", "PLAYER"])
    button(ASSETS / "imgMP.bmp", ["MULTI", "PLAYER"])
    button(ASSETS / "imgJoin.bmp", ["JOIN"])
    button(ASSETS / "imgStartSP.bmp", ["START"])
    tile(ASSETS / "imgTile.bmp")
    logo(ASSETS / "imgLogo1.bmp")
    ico(ASSETS / "kovar-launcher.ico", [32, 16])
    desktop_icons([16, 24, 32, 48, 64, 128, 256])
    DATA.mkdir(parents=True, exist_ok=True)
    preview(DATA / "Sunken Keep.bmp", (20, 40, 70), (90, 120, 140), (70, 80, 95), keep)
    preview(DATA / "Ember Foundry.bmp", (30, 5, 0), (200, 80, 20), (120, 50, 20), foundry)
    preview(DATA / "Frostmarch Gate.bmp", (120, 150, 200), (230, 240, 250), (170, 190, 210), gate)


if __name__ == "__main__":
    main()
