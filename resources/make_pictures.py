#!/usr/bin/env python3
"""Makes Veltra's pictures: the program icon (pictures/veltra.ico, 32x32 and
16x16), the small icon (pictures/veltra_small.ico, 32x32), both 16 colours,
and the banner of the main dialog (pictures/banner.bmp, 500x61, 16 bits per
pixel). All in the colours of the busy bar.

Pure Python 3; the text of the banner is drawn from the DejaVu Sans outlines
that Debian installs (fonts-dejavu-core). The made files are kept in the
repository, so the build never runs this script:

    python3 resources/make_pictures.py
"""

import os
import sys

sys.dont_write_bytecode = True  # leave no cache folder in the sources
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from picture_canvas import (Canvas, circle, rounded_rect, text_width,  # noqa: E402
                            vertical_gradient, write_bmp16, write_ico)
from picture_font import TrueTypeFont  # noqa: E402

# The busy bar's colours
BACKGROUND = (19, 112, 116)
BLOCK_FILL = (24, 104, 112)
EDGE = (0, 56, 56)
HIGHLIGHT = (195, 218, 220)
WHITE = (255, 255, 255)
LIGHT_TOP = (34, 134, 138)
DEEP = (9, 84, 88)
PALE = (236, 245, 245)
MID = (104, 170, 174)

FONT_FOLDER = "/usr/share/fonts/truetype/dejavu"

# Entry 0 stands behind transparent pixels; the rest are the icons' colours.
ICON_PALETTE = [
    (0, 0, 0), EDGE, (9, 84, 88), BLOCK_FILL, BACKGROUND, (34, 134, 138), (56, 150, 154),
    MID, (150, 196, 199), HIGHLIGHT, (214, 230, 231), PALE, WHITE, (3, 70, 72),
    (70, 124, 126), (128, 160, 162),
]


def folder(canvas, x, y, w, h, body, flap, edge=EDGE, line=1.0):
    """A folder seen from the front: tab and back, then the lighter front flap."""
    tab_w, tab_h = w * 0.42, max(2.0, h * 0.18)
    radius = max(0.8, min(w, h) * 0.1)
    outline = [rounded_rect(x - line, y - line, tab_w + 2 * line, tab_h * 2 + 2 * line,
                            radius + line),
               rounded_rect(x - line, y + tab_h - line, w + 2 * line, h - tab_h + 2 * line,
                            radius + line)]
    canvas.fill(outline, edge)
    canvas.fill([rounded_rect(x, y, tab_w, tab_h * 2, radius),
                 rounded_rect(x, y + tab_h, w, h - tab_h, radius)], body)
    top = y + tab_h + h * 0.2
    canvas.fill([rounded_rect(x - line, top - line, w + 2 * line, y + h - top + 2 * line,
                              radius + line)], edge)
    canvas.fill([rounded_rect(x, top, w, y + h - top, radius)], flap)


def arrow(canvas, x0, x1, cy, shaft, head, colour):
    """A right-pointing arrow from x0 to x1 on the line y = cy."""
    neck = x1 - head * 1.1
    canvas.fill([[(x0, cy - shaft), (neck, cy - shaft), (neck, cy - head), (x1, cy),
                  (neck, cy + head), (neck, cy + shaft), (x0, cy + shaft)]], colour)


def tile(canvas, size, radius):
    canvas.fill([rounded_rect(0, 0, size, size, radius)], EDGE)
    canvas.fill([rounded_rect(1, 1, size - 2, size - 2, radius - 1)],
                vertical_gradient(LIGHT_TOP, DEEP, 1, size - 1))


def program_icon_32():
    c = Canvas(32, 32)
    tile(c, 32, 6)
    folder(c, 4, 5, 15, 12, MID, HIGHLIGHT)          # the source, behind
    folder(c, 10, 12, 18, 15, HIGHLIGHT, PALE)       # the copy, in front
    arrow(c, 13.5, 26, 22.5, 1.6, 3.6, BACKGROUND)
    return c


def program_icon_16():
    c = Canvas(16, 16)
    tile(c, 16, 3)
    folder(c, 2, 3, 12, 10, HIGHLIGHT, PALE)
    arrow(c, 4, 12.5, 10, 1.0, 2.6, BACKGROUND)
    return c


def small_icon_32():
    # Seen mostly shrunk to 16x16 (title bar, task bar): one big folder and a
    # bold arrow, with strokes at least two pixels wide.
    c = Canvas(32, 32)
    tile(c, 32, 6)
    folder(c, 4, 6, 24, 20, HIGHLIGHT, PALE, line=1.5)
    arrow(c, 8, 25, 19, 2.2, 5.0, BACKGROUND)
    return c


def banner():
    w, h = 500, 61
    c = Canvas(w, h)
    c.fill([rounded_rect(0, 0, w, h, 0)], EDGE)
    c.fill([rounded_rect(1, 1, w - 2, h - 2, 0)], vertical_gradient(LIGHT_TOP, DEEP, 1, h - 1))
    # Light from above: a thin highlight under the top edge, soft rings on the right.
    c.fill([rounded_rect(1, 1, w - 2, 1, 0)], HIGHLIGHT, 0.35)
    for cx, cy, r, opacity in ((452, 8, 70, 0.07), (452, 8, 48, 0.06), (400, 70, 40, 0.05)):
        c.fill([circle(cx, cy, r, 96)], HIGHLIGHT, opacity)

    # The emblem: a source folder, an arrow, the copied folder.
    folder(c, 14, 15, 30, 25, MID, HIGHLIGHT)
    arrow(c, 49, 69, 30.5, 2.6, 6.5, WHITE)
    folder(c, 74, 15, 30, 25, HIGHLIGHT, PALE)

    bold = TrueTypeFont(os.path.join(FONT_FOLDER, "DejaVuSans-Bold.ttf"))
    book = TrueTypeFont(os.path.join(FONT_FOLDER, "DejaVuSans.ttf"))
    c.fill([rounded_rect(119.5, 10, 1, 41, 0)], HIGHLIGHT, 0.45)
    c.text(bold, "Veltra", 131 + 1, 33 + 1, 29, EDGE, opacity=0.6)  # shadow
    c.text(bold, "Veltra", 131, 33, 29, PALE)
    c.text(book, "Folder and drive copy with a full report", 132, 50, 11.5, HIGHLIGHT)

    # The busy bar's blocks, one of them lit, as on the dialog below.
    count, block_w, gap = 8, 10, 3
    right = w - 14
    left = right - count * block_w - (count - 1) * gap
    for i in range(count):
        x = left + i * (block_w + gap)
        lit = i == 5
        c.fill([rounded_rect(x, 41, block_w, 8, 0)], EDGE)
        c.fill([rounded_rect(x + 1, 42, block_w - 2, 6, 0)], HIGHLIGHT if lit else BLOCK_FILL)
    version = "Version 1.0b"
    size = 10
    c.text(book, version, right - text_width(book, version, size), 27, size, HIGHLIGHT,
           opacity=0.85)
    return c


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "pictures")
    os.makedirs(out, exist_ok=True)
    write_ico([program_icon_32(), program_icon_16()], ICON_PALETTE,
              os.path.join(out, "veltra.ico"))
    write_ico([small_icon_32()], ICON_PALETTE, os.path.join(out, "veltra_small.ico"))
    write_bmp16(banner(), os.path.join(out, "banner.bmp"), BACKGROUND)


if __name__ == "__main__":
    main()
