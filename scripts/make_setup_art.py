#!/usr/bin/env python3
"""Draws the setup program's own artwork: the icon group (a 32 x 32 and a 16 x 16
image at 8 bits per pixel) and the 88 x 31 logo bitmap at 4 bits per pixel.

usage: make_setup_art.py ICON_FILE LOGO_FILE
"""

import sys

from artwork.canvas import Canvas, rgb
from artwork.glyphs import FONT_5X7, text_width
from artwork.image_files import bmp4_bytes, ico_bytes

NAVY = rgb(0x16365C)
BLUE = rgb(0x2F6DB5)
SKY = rgb(0x9CC3EB)
WHITE = rgb(0xFFFFFF)
SUN = rgb(0xF7C52B)
GREEN = rgb(0x3DAA4A)


def draw_icon(size):
    """A blue tile with the lens-and-sun mark and a green arrow into the tile."""
    unit = size / 32
    canvas = Canvas(size, size)
    last = size - 1
    canvas.rect(1, 0, last - 1, last, BLUE)
    canvas.rect(0, 1, last, last - 1, BLUE)
    centre = 13 * unit
    canvas.ring(centre, centre, 10 * unit, 7 * unit, WHITE)
    canvas.disc(centre, centre, 4.5 * unit, SUN)
    tip = last - 1
    canvas.rect(round(23 * unit), round(16 * unit), round(27 * unit), round(24 * unit), GREEN)
    canvas.triangle([(19 * unit, 24 * unit), (31 * unit, 24 * unit), (25 * unit, tip + 0.9)], GREEN)
    return canvas


def draw_logo():
    """88 x 31: the lens mark on the left, the product name and version beside it."""
    canvas = Canvas(88, 31, NAVY)
    canvas.rect(0, 27, 87, 30, BLUE)
    canvas.ring(8, 14, 7.4, 5, WHITE)
    canvas.disc(8, 14, 3.2, SUN)
    name = "LUMORA"
    canvas.text(87 - text_width(name, 2), 4, name, WHITE, FONT_5X7, scale=2)
    version = "4.72"
    canvas.text(87 - text_width(version), 19, version, SKY, FONT_5X7)
    return canvas


def main(arguments):
    if len(arguments) != 2:
        sys.exit(__doc__)
    icon_file, logo_file = arguments
    with open(icon_file, "wb") as out:
        out.write(ico_bytes([draw_icon(32), draw_icon(16)]))
    with open(logo_file, "wb") as out:
        out.write(bmp4_bytes(draw_logo()))


if __name__ == "__main__":
    main(sys.argv[1:])
