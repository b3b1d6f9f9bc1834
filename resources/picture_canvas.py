"""A small anti-aliased drawing surface and the two file writers Veltra's
pictures need: 16-colour icons (.ico) and 16-bit bitmaps (.bmp)."""

import math
import struct

from picture_font import flatten_contour

SUBROWS = 5  # sample rows per pixel row; coverage across a row is exact


class Canvas:
    """Premultiplied RGBA pixels (floats 0..1), drawn with filled polygons."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        size = width * height
        self.r, self.g, self.b, self.a = ([0.0] * size for _ in range(4))

    def fill(self, contours, colour, opacity=1.0):
        """Fills polygons (lists of (x, y)) with the non-zero rule. colour is an
        (r, g, b) of 0..255 or a function (x, y) -> (r, g, b)."""
        edges = []
        for poly in contours:
            for i, (x0, y0) in enumerate(poly):
                x1, y1 = poly[(i + 1) % len(poly)]
                if y0 != y1:
                    edges.append((x0, y0, x1, y1))
        if not edges:
            return
        top = max(0, int(math.floor(min(min(e[1], e[3]) for e in edges))))
        bottom = min(self.height, int(math.ceil(max(max(e[1], e[3]) for e in edges))))
        for py in range(top, bottom):
            cover = {}
            for s in range(SUBROWS):
                sy = py + (s + 0.5) / SUBROWS
                crossings = []
                for x0, y0, x1, y1 in edges:
                    if (y0 <= sy < y1) or (y1 <= sy < y0):
                        x = x0 + (sy - y0) * (x1 - x0) / (y1 - y0)
                        crossings.append((x, 1 if y1 > y0 else -1))
                crossings.sort()
                winding = 0
                for k, (x, direction) in enumerate(crossings[:-1]):
                    winding += direction
                    if winding != 0:
                        _add_span(cover, x, crossings[k + 1][0], 1.0 / SUBROWS, self.width)
            for px, amount in cover.items():
                self._blend(px, py, colour, min(1.0, amount) * opacity)

    def _blend(self, px, py, colour, k):
        if k <= 0:
            return
        if callable(colour):
            colour = colour(px + 0.5, py + 0.5)
        i = py * self.width + px
        keep = 1.0 - k
        self.r[i] = self.r[i] * keep + colour[0] / 255 * k
        self.g[i] = self.g[i] * keep + colour[1] / 255 * k
        self.b[i] = self.b[i] * keep + colour[2] / 255 * k
        self.a[i] = self.a[i] * keep + k

    def pixel(self, x, y):
        """(r, g, b, alpha) with r, g, b of 0..255 (not premultiplied)."""
        i = y * self.width + x
        a = self.a[i]
        if a <= 0:
            return 0.0, 0.0, 0.0, 0.0
        return self.r[i] / a * 255, self.g[i] / a * 255, self.b[i] / a * 255, a

    def text(self, font, string, x, baseline, size, colour, tracking=0.0, opacity=1.0):
        """Draws a line of text; returns its advance width in pixels."""
        scale = size / font.units_per_em
        contours, pen, previous = [], x, None
        for char in string:
            glyph = font.glyph_index(char)
            if previous is not None:
                pen += font.kerning.get((previous, glyph), 0) * scale
            for contour in font.outline(glyph):
                contours.append([(pen + gx * scale, baseline - gy * scale)
                                 for gx, gy in flatten_contour(contour)])
            pen += font.advance(glyph) * scale + tracking
            previous = glyph
        self.fill(contours, colour, opacity)
        return pen - x - tracking


def text_width(font, string, size, tracking=0.0):
    scale = size / font.units_per_em
    width, previous = 0.0, None
    for char in string:
        glyph = font.glyph_index(char)
        if previous is not None:
            width += font.kerning.get((previous, glyph), 0) * scale
        width += font.advance(glyph) * scale + tracking
        previous = glyph
    return width - tracking


def _add_span(cover, a, b, weight, width):
    a, b = max(a, 0.0), min(b, float(width))
    if b <= a:
        return
    first, last = int(a), min(int(math.ceil(b)) - 1, width - 1)
    for px in range(first, last + 1):
        overlap = min(b, px + 1) - max(a, px)
        if overlap > 0:
            cover[px] = cover.get(px, 0.0) + overlap * weight


# Shapes ---------------------------------------------------------------------

def rounded_rect(x, y, w, h, radius, segments=6):
    if radius <= 0:
        return [(x, y), (x + w, y), (x + w, y + h), (x, y + h)]
    points = []
    corners = [(x + w - radius, y + radius, -90), (x + w - radius, y + h - radius, 0),
               (x + radius, y + h - radius, 90), (x + radius, y + radius, 180)]
    for cx, cy, start in corners:
        for k in range(segments + 1):
            angle = math.radians(start + 90 * k / segments)
            points.append((cx + radius * math.cos(angle), cy + radius * math.sin(angle)))
    return points


def circle(cx, cy, radius, segments=32):
    return [(cx + radius * math.cos(2 * math.pi * k / segments),
             cy + radius * math.sin(2 * math.pi * k / segments)) for k in range(segments)]


def vertical_gradient(top, bottom, y0, y1):
    def colour(_x, y):
        t = min(1.0, max(0.0, (y - y0) / (y1 - y0)))
        return tuple(top[c] + (bottom[c] - top[c]) * t for c in range(3))
    return colour


# Writers --------------------------------------------------------------------

BAYER4 = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def write_bmp16(canvas, path, background):
    """A 16-bit (5-5-5) bottom-up bitmap, ordered-dithered so that gradients
    keep no visible bands."""
    rows = []
    for y in range(canvas.height - 1, -1, -1):
        row = bytearray()
        for x in range(canvas.width):
            r, g, b, a = canvas.pixel(x, y)
            rgb = [background[c] * (1 - a) + (r, g, b)[c] * a for c in range(3)]
            threshold = (BAYER4[y % 4][x % 4] + 0.5) / 16
            q = [min(31, int(v / 255 * 31 + threshold)) for v in rgb]
            row += struct.pack("<H", (q[0] << 10) | (q[1] << 5) | q[2])
        row += b"\0" * (-len(row) % 4)
        rows.append(bytes(row))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 16, 0,
                       len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def nearest(palette, rgb):
    best, best_distance = 0, None
    for i, p in enumerate(palette):
        # Weighted so that the eye's sensitivity to green counts most.
        d = 3 * (p[0] - rgb[0]) ** 2 + 4 * (p[1] - rgb[1]) ** 2 + 2 * (p[2] - rgb[2]) ** 2
        if best_distance is None or d < best_distance:
            best, best_distance = i, d
    return best


def icon_image(canvas, palette):
    """One 4-bit icon image: header, palette, colour rows and transparency mask.
    Palette entry 0 is what transparent pixels hold."""
    w, h = canvas.width, canvas.height
    colour_rows, mask_rows = [], []
    for y in range(h - 1, -1, -1):
        indexes, mask = [], []
        for x in range(w):
            r, g, b, a = canvas.pixel(x, y)
            opaque = a >= 0.5
            indexes.append(nearest(palette[1:], (r, g, b)) + 1 if opaque else 0)
            mask.append(0 if opaque else 1)
        row = bytearray((indexes[i] << 4) | indexes[i + 1] for i in range(0, w, 2))
        colour_rows.append(bytes(row + b"\0" * (-len(row) % 4)))
        bits = bytearray()
        for i in range(0, w, 8):
            byte = 0
            for k in range(8):
                byte |= (mask[i + k] if i + k < w else 1) << (7 - k)
            bits.append(byte)
        mask_rows.append(bytes(bits + b"\0" * (-len(bits) % 4)))
    body = b"".join(colour_rows) + b"".join(mask_rows)
    info = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 4, 0, len(body), 0, 0, 16, 0)
    colours = b"".join(struct.pack("<BBBB", p[2], p[1], p[0], 0) for p in palette)
    return info + colours + body


def write_ico(canvases, palette, path):
    assert len(palette) == 16
    images = [icon_image(c, palette) for c in canvases]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for canvas, image in zip(canvases, images):
        directory += struct.pack("<BBBBHHII", canvas.width % 256, canvas.height % 256, 16, 0,
                                 1, 4, len(image), offset)
        offset += len(image)
    with open(path, "wb") as f:
        f.write(directory + b"".join(images))
