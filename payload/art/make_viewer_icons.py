#!/usr/bin/env python3
"""Draws the stand-in viewer's icon groups: thirteen icons of a 32 x 32 and a 16 x 16
image each, written as viewer_00.ico ... viewer_12.ico. The order is the icon index
that file-type registrations and shortcuts use: 0 the application, 7 the thumbnail
view, 11 audio files, 12 video files; the others are picture documents.

usage: make_viewer_icons.py OUTPUT_FOLDER
"""

import os
import sys

from artwork.canvas import Canvas, rgb
from artwork.image_files import ico_bytes

ICON_COUNT = 13
NAVY = rgb(0x16365C)
WHITE = rgb(0xFFFFFF)
PAPER = rgb(0xF4F4F0)
EDGE = rgb(0x6B6B6B)
FOLD = rgb(0xC9C9C4)
SUN = rgb(0xF7C52B)
HILL = rgb(0x3DAA4A)
INK = rgb(0x202020)
# Band colours of the picture documents, one per icon index.
BANDS = [rgb(c) for c in (0x2F6DB5, 0xC0392B, 0x8E44AD, 0x16A085, 0xD35400, 0x2C3E50,
                          0x7F8C8D, 0x27AE60, 0xB7950B, 0x1F618D, 0x943126, 0x5B2C6F,
                          0x0E6655)]


def application(size):
    unit = size / 32
    canvas = Canvas(size, size)
    canvas.disc(size / 2, size / 2, 15.5 * unit, NAVY)
    canvas.ring(size / 2, size / 2, 11 * unit, 8 * unit, WHITE)
    canvas.disc(size / 2, size / 2, 5 * unit, SUN)
    return canvas


def document(size, band):
    """A page with a folded corner and a coloured band; returns it with its unit."""
    unit = size / 32
    canvas = Canvas(size, size)
    left, right = round(5 * unit), round(26 * unit)
    top, bottom = 0, size - 1
    fold = round(7 * unit)
    canvas.rect(left, top, right, bottom, PAPER)
    canvas.frame(left, top, right, bottom, EDGE)
    canvas.triangle([(right - fold, top), (right + 1, top), (right + 1, top + fold)], (0, 0, 0, 0))
    canvas.triangle([(right - fold, top), (right - fold, top + fold), (right + 1, top + fold)], FOLD)
    canvas.line(right - fold, top, right, top + fold, EDGE)
    canvas.rect(left + 1, round(24 * unit), right - 1, bottom - 1, band)
    return canvas, unit


def picture(size, band):
    canvas, unit = document(size, band)
    canvas.disc(15 * unit, 10 * unit, 3 * unit, SUN)
    canvas.triangle([(7 * unit, 22 * unit), (14 * unit, 11 * unit), (21 * unit, 22 * unit)], HILL)
    return canvas


def thumbnails(size):
    unit = size / 32
    canvas = Canvas(size, size)
    canvas.rect(0, round(2 * unit), size - 1, size - 1 - round(2 * unit), NAVY)
    cell = 8 * unit
    for row in range(3):
        for column in range(3):
            x0 = round(2 * unit + column * (cell + 2 * unit))
            y0 = round(4 * unit + row * (cell + unit))
            colour = BANDS[(row * 3 + column) % len(BANDS)]
            canvas.rect(x0, y0, x0 + max(1, round(cell)) - 1, y0 + max(1, round(cell * 0.75)) - 1, colour)
    return canvas


def audio(size, band):
    canvas, unit = document(size, band)
    canvas.disc(11 * unit, 19 * unit, 3 * unit, INK)
    canvas.rect(round(13 * unit), round(7 * unit), round(14 * unit), round(19 * unit), INK)
    canvas.line(round(14 * unit), round(7 * unit), round(19 * unit), round(11 * unit), INK, max(1, round(2 * unit)))
    return canvas


def video(size, band):
    canvas, unit = document(size, band)
    canvas.rect(round(8 * unit), round(6 * unit), round(23 * unit), round(21 * unit), INK)
    for step in range(4):
        y = round((7 + step * 4) * unit)
        canvas.rect(round(9 * unit), y, round(10 * unit), y + max(0, round(unit) - 1), WHITE)
        canvas.rect(round(21 * unit), y, round(22 * unit), y + max(0, round(unit) - 1), WHITE)
    canvas.rect(round(12 * unit), round(9 * unit), round(19 * unit), round(18 * unit), SUN)
    return canvas



def draw(index, size):
    if index == 0:
        return application(size)
    if index == 7:
        return thumbnails(size)
    if index == 11:
        return audio(size, BANDS[index])
    if index == 12:
        return video(size, BANDS[index])
    return picture(size, BANDS[index])


def main(arguments):
    if len(arguments) != 1:
        sys.exit(__doc__)
    folder = arguments[0]
    os.makedirs(folder, exist_ok=True)
    for index in range(ICON_COUNT):
        with open(os.path.join(folder, f"viewer_{index:02d}.ico"), "wb") as out:
            out.write(ico_bytes([draw(index, 32), draw(index, 16)]))


if __name__ == "__main__":
    main(sys.argv[1:])
