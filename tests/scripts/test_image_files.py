"""The artwork writers: the files must be what Windows and PNG readers expect, since
the resource compiler copies them unchanged into the programs."""

import struct
import unittest
import zlib

from artwork.canvas import TRANSPARENT, Canvas, rgb
from artwork.image_files import bmp4_bytes, ico_bytes, png_bytes

RED, BLUE = rgb(0xFF0000), rgb(0x0000FF)


def sample(width, height):
    canvas = Canvas(width, height)
    canvas.rect(0, 0, width - 1, height // 2 - 1, RED)   # top half red
    canvas.rect(0, height // 2, width - 1, height - 1, BLUE)
    canvas.put(0, 0, TRANSPARENT)                          # top-left corner see-through
    return canvas


class Icon(unittest.TestCase):
    def test_directory_and_images(self):
        data = ico_bytes([sample(32, 32), sample(16, 16)])
        reserved, kind, count = struct.unpack_from("<HHH", data)
        self.assertEqual((reserved, kind, count), (0, 1, 2))
        for index, size in enumerate((32, 16)):
            with self.subTest(size=size):
                width, height, colours, _, planes, bits, length, offset = struct.unpack_from(
                    "<BBBBHHII", data, 6 + 16 * index)
                self.assertEqual((width, height, colours, planes, bits), (size, size, 0, 1, 8))
                image = data[offset:offset + length]
                header = struct.unpack_from("<IiiHH", image)
                self.assertEqual(header, (40, size, 2 * size, 1, 8))
                palette = image[40:40 + 1024]
                pixels = image[40 + 1024:40 + 1024 + size * size]
                mask = image[40 + 1024 + size * size:]
                self.assertEqual(len(mask), size * 4)  # rows of 1 bit padded to 4 bytes
                # Rows are stored bottom-up: the last stored row is the top one.
                top_row, bottom_row = pixels[-size:], pixels[:size]
                red_index, blue_index = top_row[1], bottom_row[0]
                self.assertEqual(palette[4 * red_index:4 * red_index + 3], b"\x00\x00\xff")   # BGR
                self.assertEqual(palette[4 * blue_index:4 * blue_index + 3], b"\xff\x00\x00")
                self.assertEqual(top_row[0], 0)
                top_mask = mask[-4:]
                self.assertEqual(top_mask[0], 0x80)  # only the corner pixel is masked
                self.assertTrue(all(byte == 0 for byte in mask[:-4]))

    def test_too_many_colours(self):
        canvas = Canvas(17, 17)
        for i in range(17 * 17):
            canvas.put(i % 17, i // 17, rgb(i + 1))
        with self.assertRaises(ValueError):
            ico_bytes([canvas])


class Bitmap(unittest.TestCase):
    def test_header_palette_and_rows(self):
        data = bmp4_bytes(Canvas(88, 31, RED))
        magic, size, _, _, offset = struct.unpack_from("<2sIHHI", data)
        self.assertEqual((magic, size, offset), (b"BM", len(data), 14 + 40 + 64))
        width, height, planes, bits, compression = struct.unpack_from("<iiHHI", data, 18)
        self.assertEqual((width, height, planes, bits, compression), (88, 31, 1, 4, 0))
        self.assertEqual(len(data) - offset, 44 * 31)  # 88 pixels at 4 bits = 44 bytes a row

    def test_refusals(self):
        cases = {"transparent pixel": sample(4, 4), "17 colours": Canvas(17, 1)}
        for x in range(17):
            cases["17 colours"].put(x, 0, rgb(0x100 * (x + 1)))
        for label, canvas in cases.items():
            with self.subTest(label), self.assertRaises(ValueError):
                bmp4_bytes(canvas)


class Png(unittest.TestCase):
    def test_chunks_and_pixels(self):
        canvas = sample(3, 2)
        data = png_bytes(canvas)
        self.assertEqual(data[:8], b"\x89PNG\r\n\x1a\n")
        offset, chunks = 8, {}
        while offset < len(data):
            (length,) = struct.unpack_from(">I", data, offset)
            kind = data[offset + 4:offset + 8]
            body = data[offset + 8:offset + 8 + length]
            (crc,) = struct.unpack_from(">I", data, offset + 8 + length)
            self.assertEqual(crc, zlib.crc32(kind + body), kind)
            chunks[kind] = body
            offset += 12 + length
        self.assertEqual(list(chunks), [b"IHDR", b"IDAT", b"IEND"])
        self.assertEqual(struct.unpack(">IIBBBBB", chunks[b"IHDR"]), (3, 2, 8, 6, 0, 0, 0))
        rows = zlib.decompress(chunks[b"IDAT"])
        self.assertEqual(rows, b"\0" + bytes(TRANSPARENT + RED + RED) + b"\0" + bytes(BLUE * 3))


if __name__ == "__main__":
    unittest.main()
