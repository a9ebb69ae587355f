#!/usr/bin/env python3
"""Draws the program's icons and the about box's picture: a light glint on a
blue tile, with a red recording dot. Writes into the folder given:
  glintcast.ico        256 x 256, 32-bit (the program file's icon)
  glintcast_small.ico  32 x 32, 24-bit
  glintcast_large.ico  64 x 64, 32-bit
  about.bmp            the about box's picture, 24-bit
"""
import math
import struct
import sys
from pathlib import Path

SAMPLES = 3  # supersampling per axis


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def over(top, alpha, bottom):
    return mix(bottom, top, max(0.0, min(1.0, alpha)))


def rounded_box(x, y, x0, y0, x1, y1, r):
    """Signed distance to a rounded rectangle (negative inside)."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r
    dx, dy = abs(x - cx) - hx, abs(y - cy) - hy
    outside = math.hypot(max(dx, 0), max(dy, 0))
    return outside + min(max(dx, dy), 0) - r


def glint(x, y, cx, cy, r):
    """Coverage of a four-pointed star (an astroid) of radius r."""
    dx, dy = abs(x - cx) / r, abs(y - cy) / r
    return 1.0 if dx ** (2 / 3) + dy ** (2 / 3) <= 1.0 else 0.0


def inside(d):
    return 1.0 if d <= 0 else 0.0


BLUE_TOP = (24, 52, 118)
BLUE_BOTTOM = (16, 146, 206)
LIGHT = (255, 246, 214)
RED = (226, 38, 52)
WHITE = (255, 255, 255)


def icon_sample(x, y):
    """Colour and coverage of the icon at (x, y) in the unit square."""
    tile = inside(rounded_box(x, y, 0.04, 0.04, 0.96, 0.96, 0.22))
    if not tile:
        return (0, 0, 0), 0.0
    colour = mix(BLUE_TOP, BLUE_BOTTOM, y)
    halo = max(0.0, 1.0 - math.hypot(x - 0.42, y - 0.42) / 0.34)
    colour = over(WHITE, 0.35 * halo * halo, colour)
    colour = over(LIGHT, glint(x, y, 0.42, 0.42, 0.32), colour)
    colour = over(WHITE, inside(math.hypot(x - 0.72, y - 0.72) - 0.175), colour)
    colour = over(RED, inside(math.hypot(x - 0.72, y - 0.72) - 0.135), colour)
    return colour, 1.0


def about_sample(x, y, w, h):
    """The about box's picture: a monitor showing the glint, on the blue tile."""
    u, v = x / w, y / h
    colour = mix(BLUE_TOP, BLUE_BOTTOM, v)
    # the monitor: a light frame, a dark screen, a stand
    frame = inside(rounded_box(x, y, 0.12 * w, 0.22 * h, 0.88 * w, 0.62 * h, 0.03 * w))
    screen = inside(rounded_box(x, y, 0.16 * w, 0.255 * h, 0.84 * w, 0.585 * h, 0.015 * w))
    stand = inside(rounded_box(x, y, 0.44 * w, 0.62 * h, 0.56 * w, 0.69 * h, 0.0))
    foot = inside(rounded_box(x, y, 0.32 * w, 0.69 * h, 0.68 * w, 0.715 * h, 0.01 * w))
    colour = over(LIGHT, max(frame, stand, foot), colour)
    colour = over(mix(BLUE_TOP, (8, 20, 48), 0.5), screen, colour)
    if screen:
        scan = 0.08 if int(y) % 4 == 0 else 0.0
        colour = over(WHITE, scan, colour)
        sx, sy = 0.45 * w, 0.42 * h
        halo = max(0.0, 1.0 - math.hypot(x - sx, y - sy) / (0.28 * w))
        colour = over(WHITE, 0.4 * halo * halo, colour)
        colour = over(LIGHT, glint(x, y, sx, sy, 0.2 * w), colour)
    # the recording dot in the screen's corner
    dx, dy = x - 0.74 * w, y - 0.50 * h
    colour = over(WHITE, inside(math.hypot(dx, dy) - 0.065 * w), colour)
    colour = over(RED, inside(math.hypot(dx, dy) - 0.05 * w), colour)
    # a row of three dots under the monitor, like a level meter
    for i, t in enumerate((0.38, 0.5, 0.62)):
        colour = over(mix(LIGHT, RED, i / 2), inside(math.hypot(x - t * w, y - 0.82 * h) - 0.03 * w), colour)
    return colour, 1.0


def render(width, height, sample):
    """Rows top to bottom of (r, g, b, a) with a in 0..255."""
    rows = []
    for j in range(height):
        row = []
        for i in range(width):
            acc = [0.0, 0.0, 0.0]
            cover = 0.0
            for sj in range(SAMPLES):
                for si in range(SAMPLES):
                    colour, a = sample(i + (si + 0.5) / SAMPLES, j + (sj + 0.5) / SAMPLES)
                    for k in range(3):
                        acc[k] += colour[k] * a
                    cover += a
            n = SAMPLES * SAMPLES
            if cover > 0:
                pixel = tuple(int(round(c / cover)) for c in acc)
            else:
                pixel = (0, 0, 0)
            row.append(pixel + (int(round(255 * cover / n)),))
        rows.append(row)
    return rows


def icon_rows(size):
    return render(size, size, lambda x, y: icon_sample(x / size, y / size))


def dib(rows, bits):
    """The DIB of an icon image: header, colour bits and AND mask, bottom-up."""
    height, width = len(rows), len(rows[0])
    colour = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b, a in row:
            if bits == 32:
                line += bytes((b, g, r, a))
            else:
                line += bytes((b, g, r)) if a >= 128 else bytes(3)
        line += bytes((-len(line)) % 4)
        colour += line
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray((width + 7) // 8)
        if bits == 24:
            for i, (_, _, _, a) in enumerate(row):
                if a < 128:
                    line[i // 8] |= 0x80 >> (i % 8)
        line += bytes((-len(line)) % 4)
        mask += line
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, bits, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + mask


def write_icon(path, size, bits):
    image = dib(icon_rows(size), bits)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, bits, len(image), 6 + 16)
    path.write_bytes(directory + entry + image)


def write_bitmap(path, width, height):
    rows = render(width, height, lambda x, y: about_sample(x, y, width, height))
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b, _ in row:
            line += bytes((b, g, r))
        line += bytes((-len(line)) % 4)
        pixels += line
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    path.write_bytes(header + info + pixels)


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    write_icon(out / "glintcast.ico", 256, 32)
    write_icon(out / "glintcast_small.ico", 32, 24)
    write_icon(out / "glintcast_large.ico", 64, 32)
    write_bitmap(out / "about.bmp", 210, 258)


if __name__ == "__main__":
    main()
