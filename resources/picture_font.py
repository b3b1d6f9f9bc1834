"""Reads glyph outlines from a TrueType font file, so that make_pictures.py can
draw text without any imaging library. Only what the pictures need: the
character map (format 4), simple and compound glyphs, advance widths and the
old-style kerning table."""

import struct


class TrueTypeFont:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        count = self._u16(4)
        self.tables = {}
        for i in range(count):
            rec = 12 + 16 * i
            tag = self.data[rec:rec + 4].decode("latin-1")
            self.tables[tag] = self._u32(rec + 8)
        head = self.tables["head"]
        self.units_per_em = self._u16(head + 18)
        self.long_loca = self._i16(head + 50) == 1
        self.glyph_count = self._u16(self.tables["maxp"] + 4)
        self.metric_count = self._u16(self.tables["hhea"] + 34)
        self.cmap = self._read_cmap()
        self.kerning = self._read_kern()

    # Big-endian readers
    def _u16(self, at):
        return struct.unpack_from(">H", self.data, at)[0]

    def _i16(self, at):
        return struct.unpack_from(">h", self.data, at)[0]

    def _u32(self, at):
        return struct.unpack_from(">I", self.data, at)[0]

    def _read_cmap(self):
        base = self.tables["cmap"]
        for i in range(self._u16(base + 2)):
            platform, encoding = self._u16(base + 4 + 8 * i), self._u16(base + 6 + 8 * i)
            sub = base + self._u32(base + 8 + 8 * i)
            if platform == 3 and encoding == 1 and self._u16(sub) == 4:
                return self._read_format4(sub)
        raise ValueError("font has no Unicode character map")

    def _read_format4(self, sub):
        segments = self._u16(sub + 6) // 2
        ends = sub + 14
        starts = ends + 2 * segments + 2
        deltas = starts + 2 * segments
        ranges = deltas + 2 * segments
        table = {}
        for s in range(segments):
            end, start = self._u16(ends + 2 * s), self._u16(starts + 2 * s)
            delta, offset = self._u16(deltas + 2 * s), self._u16(ranges + 2 * s)
            for code in range(start, min(end, 0xFFFE) + 1):
                if offset == 0:
                    glyph = (code + delta) & 0xFFFF
                else:
                    at = ranges + 2 * s + offset + 2 * (code - start)
                    glyph = self._u16(at)
                    if glyph:
                        glyph = (glyph + delta) & 0xFFFF
                table[code] = glyph
        return table

    def _read_kern(self):
        pairs = {}
        base = self.tables.get("kern")
        if base is None:
            return pairs
        at = base + 4
        for _ in range(self._u16(base + 2)):
            length, coverage = self._u16(at + 2), self._u16(at + 4)
            if coverage >> 8 == 0 and coverage & 1:  # format 0, horizontal
                for p in range(self._u16(at + 6)):
                    rec = at + 14 + 6 * p
                    pairs[(self._u16(rec), self._u16(rec + 2))] = self._i16(rec + 4)
            at += length
        return pairs

    def glyph_index(self, char):
        return self.cmap.get(ord(char), 0)

    def advance(self, glyph):
        hmtx = self.tables["hmtx"]
        return self._u16(hmtx + 4 * min(glyph, self.metric_count - 1))

    def _glyph_offset(self, glyph):
        loca = self.tables["loca"]
        if self.long_loca:
            return self._u32(loca + 4 * glyph), self._u32(loca + 4 * glyph + 4)
        return 2 * self._u16(loca + 2 * glyph), 2 * self._u16(loca + 2 * glyph + 2)

    def outline(self, glyph):
        """The glyph's contours, each a list of (x, y, on_curve) in font units."""
        start, end = self._glyph_offset(glyph)
        if start == end:
            return []
        at = self.tables["glyf"] + start
        contours = self._i16(at)
        if contours >= 0:
            return self._simple(at, contours)
        return self._compound(at)

    def _simple(self, at, contours):
        ends = [self._u16(at + 10 + 2 * i) for i in range(contours)]
        points = ends[-1] + 1 if ends else 0
        at += 10 + 2 * contours
        at += 2 + self._u16(at)  # skip the hinting instructions
        flags = []
        while len(flags) < points:
            flag = self.data[at]
            at += 1
            flags.append(flag)
            if flag & 8:
                flags.extend([flag] * self.data[at])
                at += 1
        xs, at = self._coords(flags, at, 2, 16)
        ys, at = self._coords(flags, at, 4, 32)
        result, first = [], 0
        for last in ends:
            result.append([(xs[i], ys[i], bool(flags[i] & 1)) for i in range(first, last + 1)])
            first = last + 1
        return result

    def _coords(self, flags, at, short_bit, same_bit):
        values, value = [], 0
        for flag in flags:
            if flag & short_bit:
                step = self.data[at]
                at += 1
                value += step if flag & same_bit else -step
            elif not flag & same_bit:
                value += self._i16(at)
                at += 2
            values.append(value)
        return values, at

    def _compound(self, at):
        at += 10
        result = []
        while True:
            flags, glyph = self._u16(at), self._u16(at + 2)
            at += 4
            if flags & 1:
                dx, dy = self._i16(at), self._i16(at + 2)
                at += 4
            else:
                dx, dy = struct.unpack_from(">bb", self.data, at)
                at += 2
            a, b, c, d = 1.0, 0.0, 0.0, 1.0
            if flags & 8:
                a = d = self._i16(at) / 16384
                at += 2
            elif flags & 0x40:
                a, d = self._i16(at) / 16384, self._i16(at + 2) / 16384
                at += 4
            elif flags & 0x80:
                a, b, c, d = (self._i16(at + 2 * k) / 16384 for k in range(4))
                at += 8
            for contour in self.outline(glyph):
                result.append([(a * x + c * y + dx, b * x + d * y + dy, on)
                               for x, y, on in contour])
            if not flags & 0x20:
                return result


def flatten_contour(contour, steps=6):
    """Turns one contour of quadratic splines into a closed polygon."""
    n = len(contour)
    if n == 0:
        return []
    # Start on an on-curve point; between two off-curve points lies an implied one.
    start = next((i for i, p in enumerate(contour) if p[2]), None)
    if start is None:
        x0, y0, _ = contour[0]
        x1, y1, _ = contour[1 % n]
        contour = [((x0 + x1) / 2, (y0 + y1) / 2, True)] + contour[1:] + [contour[0]]
        start, n = 0, len(contour)
    pts = contour[start:] + contour[:start]
    polygon = [(pts[0][0], pts[0][1])]
    control = None
    for x, y, on in pts[1:] + [pts[0]]:
        if on:
            if control is None:
                polygon.append((x, y))
            else:
                _bezier(polygon, control, (x, y), steps)
                control = None
        else:
            if control is not None:
                mid = ((control[0] + x) / 2, (control[1] + y) / 2)
                _bezier(polygon, control, mid, steps)
            control = (x, y)
    return polygon


def _bezier(polygon, control, end, steps):
    x0, y0 = polygon[-1]
    for k in range(1, steps + 1):
        t = k / steps
        u = 1 - t
        polygon.append((u * u * x0 + 2 * u * t * control[0] + t * t * end[0],
                        u * u * y0 + 2 * u * t * control[1] + t * t * end[1]))
