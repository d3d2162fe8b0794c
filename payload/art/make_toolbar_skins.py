#!/usr/bin/env python3
"""Draws the stand-in toolbar skins: for each skin one PNG strip of square buttons,
named as the viewer's first-run defaults expect (NAME_SIZE.png).

usage: make_toolbar_skins.py OUTPUT_FOLDER
"""

import os
import sys

from artwork.canvas import Canvas, rgb
from artwork.image_files import png_bytes

# (file name, button size, glyph colour, accent colour)
SKINS = [
    ("gnome-colors-human_48.png", 48, rgb(0x8F5902), rgb(0xF57900)),
    ("gnome-colors-wise_32.png", 32, rgb(0x2E6B3A), rgb(0x73D216)),
    ("Granite_24.png", 24, rgb(0x4A4F55), rgb(0x3689E6)),
    ("Pebble_16.png", 16, rgb(0x5E5C64), rgb(0xC061CB)),
]
WHITE = rgb(0xFFFFFF)


def button_glyphs():
    """Each glyph draws into a canvas at offset x0 with unit = size / 16."""
    def folder(c, x0, u, ink, accent):
        c.rect(x0 + round(1 * u), round(4 * u), x0 + round(7 * u), round(6 * u), ink)
        c.rect(x0 + round(1 * u), round(5 * u), x0 + round(15 * u) - 1, round(14 * u) - 1, accent)

    def save(c, x0, u, ink, accent):
        c.rect(x0 + round(2 * u), round(2 * u), x0 + round(14 * u) - 1, round(14 * u) - 1, ink)
        c.rect(x0 + round(5 * u), round(2 * u), x0 + round(11 * u) - 1, round(6 * u) - 1, WHITE)
        c.rect(x0 + round(4 * u), round(9 * u), x0 + round(12 * u) - 1, round(14 * u) - 1, accent)

    def previous(c, x0, u, ink, accent):
        c.triangle([(x0 + 11 * u, 3 * u), (x0 + 11 * u, 13 * u), (x0 + 4 * u, 8 * u)], accent)

    def following(c, x0, u, ink, accent):
        c.triangle([(x0 + 5 * u, 3 * u), (x0 + 5 * u, 13 * u), (x0 + 12 * u, 8 * u)], accent)

    def zoom(plus):
        def draw(c, x0, u, ink, accent):
            c.ring(x0 + 7 * u, 7 * u, 5.5 * u, 3.5 * u, ink)
            c.line(x0 + round(11 * u), round(11 * u), x0 + round(14 * u), round(14 * u), ink, max(1, round(2 * u)))
            c.rect(x0 + round(5 * u), round(6.5 * u), x0 + round(9 * u) - 1, round(7.5 * u), accent)
            if plus:
                c.rect(x0 + round(6.5 * u), round(5 * u), x0 + round(7.5 * u), round(9 * u) - 1, accent)
        return draw

    def rotate(c, x0, u, ink, accent):
        c.ring(x0 + 8 * u, 8 * u, 6 * u, 4 * u, ink)
        c.triangle([(x0 + 10 * u, 1 * u), (x0 + 15 * u, 4 * u), (x0 + 10 * u, 7 * u)], accent)

    def fit(c, x0, u, ink, accent):
        c.frame(x0 + round(2 * u), round(2 * u), x0 + round(14 * u) - 1, round(14 * u) - 1, ink)
        c.rect(x0 + round(5 * u), round(5 * u), x0 + round(11 * u) - 1, round(11 * u) - 1, accent)

    def full_screen(c, x0, u, ink, accent):
        for cx, cy in ((2, 2), (10, 2), (2, 10), (10, 10)):
            c.rect(x0 + round(cx * u), round(cy * u), x0 + round((cx + 4) * u) - 1, round((cy + 4) * u) - 1,
                   accent if (cx + cy) % 16 == 12 else ink)

    def slideshow(c, x0, u, ink, accent):
        c.rect(x0 + round(1 * u), round(2 * u), x0 + round(15 * u) - 1, round(14 * u) - 1, ink)
        c.triangle([(x0 + 6 * u, 5 * u), (x0 + 6 * u, 11 * u), (x0 + 11 * u, 8 * u)], WHITE)

    def delete(c, x0, u, ink, accent):
        width = max(1, round(2 * u))
        c.line(x0 + round(3 * u), round(3 * u), x0 + round(13 * u), round(13 * u), accent, width)
        c.line(x0 + round(13 * u), round(3 * u), x0 + round(3 * u), round(13 * u), accent, width)

    def info(c, x0, u, ink, accent):
        c.disc(x0 + 8 * u, 8 * u, 6.5 * u, accent)
        c.rect(x0 + round(7 * u), round(7 * u), x0 + round(9 * u) - 1, round(12 * u) - 1, WHITE)
        c.rect(x0 + round(7 * u), round(4 * u), x0 + round(9 * u) - 1, round(6 * u) - 1, WHITE)

    def settings(c, x0, u, ink, accent):
        c.disc(x0 + 8 * u, 8 * u, 6.5 * u, ink)
        c.disc(x0 + 8 * u, 8 * u, 2.5 * u, accent)

    def grid(c, x0, u, ink, accent):
        for row in range(2):
            for column in range(2):
                c.rect(x0 + round((2 + column * 7) * u), round((2 + row * 7) * u),
                       x0 + round((7 + column * 7) * u) - 1, round((7 + row * 7) * u) - 1,
                       accent if row == column else ink)

    return [folder, save, previous, following, zoom(True), zoom(False), rotate, fit,
            full_screen, slideshow, delete, info, settings, grid]


def draw_skin(size, ink, accent):
    glyphs = button_glyphs()
    canvas = Canvas(size * len(glyphs), size)
    unit = size / 16
    for index, glyph in enumerate(glyphs):
        glyph(canvas, index * size, unit, ink, accent)
    return canvas


def main(arguments):
    if len(arguments) != 1:
        sys.exit(__doc__)
    folder = arguments[0]
    os.makedirs(folder, exist_ok=True)
    for name, size, ink, accent in SKINS:
        with open(os.path.join(folder, name), "wb") as out:
            out.write(png_bytes(draw_skin(size, ink, accent)))


if __name__ == "__main__":
    main(sys.argv[1:])
