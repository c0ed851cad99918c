#!/usr/bin/env python3
"""Renders the toolbar pictures (res/toolbar/*.svg, in button order) into the bitmaps the
program loads: 132 (normal) and 133 (under the mouse, brighter), 24-bit, and 134, the
16-colour set that comes with the toolbar resource. Magenta marks what is not picture.
For screens of twice the density, 132@2x.png and 133@2x.png hold the same pictures at twice
the size, with their edges' true transparency, so they blend with any toolbar colour.

Needs rsvg-convert and ImageMagick's convert. Run it after changing a picture and commit the
bitmaps it writes."""

import colorsys
import pathlib
import struct
import subprocess

SIZE = 24
MAGENTA = (255, 0, 255)
# Half-covered edge pixels are blended with the toolbar's face so they do not fringe pink.
FACE = (0xEF, 0xEF, 0xEF)
VGA_PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

ROOT = pathlib.Path(__file__).resolve().parent.parent
SOURCES = ROOT / "res" / "toolbar"


def render_rgba(svg, size=SIZE):
    png = subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size), str(svg)],
                         check=True, capture_output=True).stdout
    raw = subprocess.run(["convert", "png:-", "-depth", "8", "rgba:-"], input=png,
                         check=True, capture_output=True).stdout
    return [tuple(raw[i:i + 4]) for i in range(0, len(raw), 4)]


def brighten(rgb):
    h, l, s = colorsys.rgb_to_hls(*(c / 255 for c in rgb))
    l = l + (1 - l) * 0.22
    s = min(1.0, s * 1.3)
    return tuple(round(c * 255) for c in colorsys.hls_to_rgb(h, l, s))


def flatten(pixel, hot):
    r, g, b, a = pixel
    if a < 128:
        return MAGENTA
    rgb = brighten((r, g, b)) if hot else (r, g, b)
    alpha = a / 255
    colour = tuple(round(c * alpha + f * (1 - alpha)) for c, f in zip(rgb, FACE))
    # A picture pixel must never be taken for the transparent colour.
    return (254, 0, 254) if colour == MAGENTA else colour


def strip(pictures, hot):
    """Rows of the pictures side by side, top row first."""
    return [[flatten(picture[y * SIZE + x], hot) for picture in pictures for x in range(SIZE)]
            for y in range(SIZE)]


def sharp_strip(pictures, size, hot):
    """The pictures side by side as RGBA bytes, top row first, their transparency kept."""
    def pixel(rgba):
        r, g, b, a = rgba
        if a == 0:
            return (0, 0, 0, 0)
        rgb = brighten((r, g, b)) if hot else (r, g, b)
        # A picture pixel must never be taken for the transparent colour.
        return (254, 0, 254, a) if rgb == MAGENTA else (*rgb, a)
    return bytes(c for y in range(size) for picture in pictures for x in range(size)
                 for c in pixel(picture[y * size + x]))


def png(width, height, rgba):
    return subprocess.run(["convert", "-size", f"{width}x{height}", "-depth", "8", "rgba:-",
                           "-strip", "-define", "png:compression-level=9", "png32:-"],
                          input=rgba, check=True, capture_output=True).stdout


def bmp(width, height, bits, palette, row_bytes):
    stride = (width * bits + 31) // 32 * 4
    pixels = b"".join(row + bytes(stride - len(row)) for row in reversed(row_bytes))
    offset = 14 + 40 + 4 * len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(pixels), 2835, 2835,
                       len(palette), len(palette))
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + info + colours + pixels


def bmp24(rows):
    return bmp(len(rows[0]), len(rows), 24, [],
               [bytes(c for r, g, b in row for c in (b, g, r)) for row in rows])


def nearest_vga(rgb):
    return min(range(16), key=lambda i: sum((p - c) ** 2 for p, c in zip(VGA_PALETTE[i], rgb)))


def bmp4(rows):
    packed = []
    for row in rows:
        indices = [nearest_vga(rgb) for rgb in row]
        packed.append(bytes(indices[i] << 4 | indices[i + 1] for i in range(0, len(row), 2)))
    return bmp(len(rows[0]), len(rows), 4, VGA_PALETTE, packed)


def main():
    pictures = [render_rgba(svg) for svg in sorted(SOURCES.glob("*.svg"))]
    normal = strip(pictures, hot=False)
    (SOURCES / "132.bmp").write_bytes(bmp24(normal))
    (SOURCES / "133.bmp").write_bytes(bmp24(strip(pictures, hot=True)))
    (SOURCES / "134.bmp").write_bytes(bmp4(normal))
    svgs = sorted(SOURCES.glob("*.svg"))
    sharp = [render_rgba(svg, 2 * SIZE) for svg in svgs]
    for name, hot in (("132@2x.png", False), ("133@2x.png", True)):
        rgba = sharp_strip(sharp, 2 * SIZE, hot)
        (SOURCES / name).write_bytes(png(2 * SIZE * len(svgs), 2 * SIZE, rgba))


if __name__ == "__main__":
    main()
