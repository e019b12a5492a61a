#!/usr/bin/env python3
"""Draws the program's artwork from images.txt: the action image strip, the two button
glyphs (each with its greyed form for the disabled state), the application icon and the
About dialog's hand cursor. Run it after editing images.txt; it rewrites the .bmp, .ico and
.cur files beside it."""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
TRANSPARENT = (255, 0, 255)
PALETTE = {
    ".": None, "k": (0, 0, 0), "w": (255, 255, 255), "g": (192, 192, 192),
    "d": (128, 128, 128), "b": (0, 0, 128), "B": (0, 0, 255), "c": (0, 128, 128),
    "C": (0, 255, 255), "G": (0, 128, 0), "l": (0, 255, 0), "o": (128, 128, 0),
    "y": (255, 255, 0), "r": (128, 0, 0), "R": (255, 0, 0), "p": (128, 0, 128),
}


def read_images(path):
    images, name, rows, size = {}, None, [], 0
    for line in open(path):
        line = line.rstrip("\n")
        if line.startswith("image "):
            _, name, size = line.split()
            size, rows = int(size), []
        elif name and line and not line.startswith("#"):
            if len(line) != size:
                raise ValueError(f"{name}: row of {len(line)} pixels, {size} expected")
            rows.append([PALETTE[c] for c in line])
            if len(rows) == size:
                images[(name, size)] = rows
                name = None
    return images


def greyed(pixels):
    """The classic disabled look: the drawing's dark pixels embossed in grey and white."""
    size = len(pixels)
    dark = [[p is not None and sum(p) < 384 for p in row] for row in pixels]
    out = [[None] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            if dark[y][x] and y + 1 < size and x + 1 < size:
                out[y + 1][x + 1] = (255, 255, 255)
    for y in range(size):
        for x in range(size):
            if dark[y][x]:
                out[y][x] = (128, 128, 128)
    return out


def write_bmp(path, frames):
    """A 24-bit bitmap of the frames side by side; transparency is magenta."""
    height, width = len(frames[0]), sum(len(f[0]) for f in frames)
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for y in reversed(range(height)):
        row = bytearray()
        for frame in frames:
            for pixel in frame[y]:
                r, g, b = pixel or TRANSPARENT
                row += bytes((b, g, r))
        data += row + bytes(stride - len(row))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def icon_image(pixels):
    size = len(pixels)
    xor = bytearray()
    for y in reversed(range(size)):
        for pixel in pixels[y]:
            if pixel is None:
                xor += bytes((0, 0, 0, 0))
            else:
                r, g, b = pixel
                xor += bytes((b, g, r, 255))
    mask = and_mask(pixels)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask),
                       0, 0, 0, 0)
    return info + xor + mask


def write_ico(path, images):
    entries, blobs = b"", b""
    offset = 6 + 16 * len(images)
    for pixels in images:
        blob = icon_image(pixels)
        size = len(pixels)
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        blobs += blob
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)) + entries + blobs)


def and_mask(pixels):
    """The mask of an icon or cursor image, bottom row first: set bits are transparent."""
    size = len(pixels)
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(size)):
        row = bytearray(stride)
        for x, pixel in enumerate(pixels[y]):
            if pixel is None:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return mask


def write_cur(path, pixels, hot_spot):
    """A cursor of one image in 256 colours: the drawing's colours first in the palette,
    transparent pixels black under a set mask bit."""
    size = len(pixels)
    colours = [None] + sorted({p for row in pixels for p in row if p is not None})
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in [(0, 0, 0)] + colours[1:])
    palette += bytes(4 * (256 - len(colours)))
    stride = (size + 3) & ~3
    xor = bytearray()
    for y in reversed(range(size)):
        row = bytes(colours.index(p) for p in pixels[y])
        xor += row + bytes(stride - len(row))
    mask = and_mask(pixels)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0, len(xor) + len(mask),
                       0, 0, 256, 0)
    blob = info + palette + xor + mask
    x, y = hot_spot
    entry = struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, x, y, len(blob), 6 + 16)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 2, 1) + entry + blob)


def main():
    images = read_images(os.path.join(HERE, "images.txt"))
    image = lambda name, size=16: images[(name, size)]
    # Same order as the action images of the main window.
    write_bmp(os.path.join(HERE, "Actions.bmp"),
              [image(n) for n in ("save", "exit", "about", "find", "stop")])
    # Button glyphs by state: normal, hot, pressed, disabled, default, focused.
    for name, file in (("find", "FindGlyph.bmp"), ("stop", "StopGlyph.bmp")):
        normal = image(name)
        write_bmp(os.path.join(HERE, file), [normal] * 3 + [greyed(normal)] + [normal] * 2)
    write_ico(os.path.join(HERE, "KOVQuillet.ico"), [image("icon", 32), image("icon", 16)])
    # The fingertip is the hot spot.
    write_cur(os.path.join(HERE, "HandPoint.cur"), image("hand", 32), (13, 8))


if __name__ == "__main__":
    main()
