"""An RGBA pixel canvas with the few drawing primitives our artwork needs.

Colours are (r, g, b, a) tuples; a == 0 is transparent. No anti-aliasing: every
picture keeps a small set of exact colours, so the writers can store it with a
palette (ICO at 8 bits, BMP at 4 bits) without quantising.
"""

TRANSPARENT = (0, 0, 0, 0)


def rgb(value, alpha=255):
    """Colour from 0xRRGGBB."""
    return ((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF, alpha)


class Canvas:
    def __init__(self, width, height, background=TRANSPARENT):
        self.width = width
        self.height = height
        self.pixels = [[background] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def get(self, x, y):
        return self.pixels[y][x]

    def rect(self, x0, y0, x1, y1, colour):
        """Fills the rectangle with corners (x0, y0) and (x1, y1), both inclusive."""
        for y in range(max(0, y0), min(self.height, y1 + 1)):
            for x in range(max(0, x0), min(self.width, x1 + 1)):
                self.pixels[y][x] = colour

    def frame(self, x0, y0, x1, y1, colour):
        """Draws the one-pixel outline of the rectangle."""
        self.rect(x0, y0, x1, y0, colour)
        self.rect(x0, y1, x1, y1, colour)
        self.rect(x0, y0, x0, y1, colour)
        self.rect(x1, y0, x1, y1, colour)

    def disc(self, cx, cy, radius, colour):
        """Fills every pixel whose centre lies within radius of (cx, cy)."""
        limit = radius * radius
        for y in range(self.height):
            for x in range(self.width):
                dx = x + 0.5 - cx
                dy = y + 0.5 - cy
                if dx * dx + dy * dy <= limit:
                    self.pixels[y][x] = colour

    def ring(self, cx, cy, outer, inner, colour):
        """Fills the pixels between the two radii."""
        for y in range(self.height):
            for x in range(self.width):
                dx = x + 0.5 - cx
                dy = y + 0.5 - cy
                distance = dx * dx + dy * dy
                if inner * inner < distance <= outer * outer:
                    self.pixels[y][x] = colour

    def line(self, x0, y0, x1, y1, colour, width=1):
        """Bresenham line; width > 1 stamps a square pen."""
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx = 1 if x0 < x1 else -1
        sy = 1 if y0 < y1 else -1
        error = dx + dy
        while True:
            self.rect(x0 - (width - 1) // 2, y0 - (width - 1) // 2,
                      x0 + width // 2, y0 + width // 2, colour)
            if x0 == x1 and y0 == y1:
                return
            twice = 2 * error
            if twice >= dy:
                error += dy
                x0 += sx
            if twice <= dx:
                error += dx
                y0 += sy

    def triangle(self, points, colour):
        """Fills the triangle given by three (x, y) points (pixel centres inside)."""
        (ax, ay), (bx, by), (cx, cy) = points

        def side(px, py, qx, qy, x, y):
            return (qx - px) * (y - py) - (qy - py) * (x - px)

        for y in range(self.height):
            for x in range(self.width):
                fx, fy = x + 0.5, y + 0.5
                d1 = side(ax, ay, bx, by, fx, fy)
                d2 = side(bx, by, cx, cy, fx, fy)
                d3 = side(cx, cy, ax, ay, fx, fy)
                negative = d1 < 0 or d2 < 0 or d3 < 0
                positive = d1 > 0 or d2 > 0 or d3 > 0
                if not (negative and positive):
                    self.pixels[y][x] = colour

    def text(self, x, y, string, colour, font, scale=1, spacing=1):
        """Draws string with a bitmap font (see glyphs.py); returns the x after it."""
        for character in string:
            rows = font[character]
            for row_index, row in enumerate(rows):
                for column_index, bit in enumerate(row):
                    if bit == "#":
                        self.rect(x + column_index * scale, y + row_index * scale,
                                  x + (column_index + 1) * scale - 1,
                                  y + (row_index + 1) * scale - 1, colour)
            x += (len(rows[0]) + spacing) * scale
        return x

    def colours(self):
        """The distinct colours in first-seen order (row by row, top to bottom)."""
        seen = {}
        for row in self.pixels:
            for colour in row:
                seen.setdefault(colour, None)
        return list(seen)
