"""Writers for PNG (RGBA), ICO (8 bits per pixel with AND mask) and BMP (4 bits per
pixel). Every writer is deterministic: the same canvas gives the same bytes."""

import struct
import zlib


def png_bytes(canvas):
    """A truecolour-with-alpha PNG, unfiltered rows, maximum compression."""
    raw = bytearray()
    for row in canvas.pixels:
        raw.append(0)  # filter type None
        for colour in row:
            raw.extend(colour)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def _palette(canvas, capacity):
    """Maps the canvas' opaque colours to palette indices; index 0 is black and also
    stands for transparent pixels (the AND mask makes them see-through)."""
    palette = [(0, 0, 0)]
    index = {}
    for colour in canvas.colours():
        if colour[3] == 0:
            continue
        if colour[3] != 255:
            raise ValueError("palette images take only opaque or fully transparent pixels")
        key = colour[:3]
        if key not in index:
            if key == (0, 0, 0):
                index[key] = 0
                continue
            index[key] = len(palette)
            palette.append(key)
    if len(palette) > capacity:
        raise ValueError(f"{len(palette)} colours do not fit a palette of {capacity}")
    palette += [(0, 0, 0)] * (capacity - len(palette))
    return palette, index


def _stride(width, bits):
    return (width * bits + 31) // 32 * 4


def _dib_rows(canvas, index, bits):
    """Bottom-up palette rows, each padded to a multiple of 4 bytes."""
    stride = _stride(canvas.width, bits)
    per_byte = 8 // bits
    data = bytearray()
    for row in reversed(canvas.pixels):
        line = bytearray(stride)
        for x, colour in enumerate(row):
            value = 0 if colour[3] == 0 else index[colour[:3]]
            shift = 8 - bits * (x % per_byte + 1)
            line[x // per_byte] |= value << shift
        data += line
    return bytes(data)


def _and_mask(canvas):
    stride = _stride(canvas.width, 1)
    data = bytearray()
    for row in reversed(canvas.pixels):
        line = bytearray(stride)
        for x, colour in enumerate(row):
            if colour[3] == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        data += line
    return bytes(data)


def _palette_bytes(palette):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)


def ico_bytes(canvases):
    """An icon file holding one 8-bit image per canvas, in the given order."""
    images = []
    for canvas in canvases:
        palette, index = _palette(canvas, 256)
        pixels = _dib_rows(canvas, index, 8)
        mask = _and_mask(canvas)
        header = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height * 2, 1, 8,
                             0, len(pixels) + len(mask), 0, 0, 256, 0)
        images.append(header + _palette_bytes(palette) + pixels + mask)
    directory = struct.pack("<HHH", 0, 1, len(canvases))
    offset = len(directory) + 16 * len(canvases)
    entries = b""
    for canvas, image in zip(canvases, images):
        entries += struct.pack("<BBBBHHII", canvas.width % 256, canvas.height % 256, 0, 0,
                               1, 8, len(image), offset)
        offset += len(image)
    return directory + entries + b"".join(images)


def bmp4_bytes(canvas):
    """A 16-colour bitmap file (no transparency)."""
    if any(colour[3] != 255 for colour in canvas.colours()):
        raise ValueError("a bitmap takes opaque pixels only")
    palette, index = _palette(canvas, 16)
    pixels = _dib_rows(canvas, index, 4)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 4, 0,
                       len(pixels), 2835, 2835, 16, 0)
    offset = 14 + len(info) + 16 * 4
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return file_header + info + _palette_bytes(palette) + pixels
