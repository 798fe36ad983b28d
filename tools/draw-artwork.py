#!/usr/bin/env python3
"""Draws the main window's picture (115 x 231) and the program icon, and
writes the picture and the 32 x 32 icon as XPM data to src/res/artwork_xpm.h,
and the icon at every size Windows asks for (16, 24, 32, 48 and 256 pixels:
the small and large icons at 100% and 150%, and Explorer's large views) as
src/res/vellconf.ico for the Windows program's resources.

The picture: a round jelly homunculus under a night sky, sitting on a gear,
for a tool that sets up how a homunculus behaves."""
import math
import pathlib
import struct
import zlib

PALETTE = {}


def colour(rgb):
    if rgb not in PALETTE:
        PALETTE[rgb] = len(PALETTE)
    return rgb


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def quantise(rgb, step=24):
    return tuple(min(255, (c // step) * step + step // 2) for c in rgb)


class Canvas:
    """Pixels drawn with few colours (step > 0), as the XPM of the picture
    needs to stay small, or with every colour (step 0)."""

    def __init__(self, w, h, fill, step=24):
        self.w, self.h = w, h
        self.step = step
        self.px = [[fill for _ in range(w)] for _ in range(h)]

    def tone(self, rgb):
        return quantise(rgb, self.step) if self.step else rgb

    def set(self, x, y, rgb):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = rgb

    def ellipse(self, cx, cy, rx, ry, rgb, shade=None):
        for y in range(int(cy - ry) - 1, int(cy + ry) + 2):
            for x in range(int(cx - rx) - 1, int(cx + rx) + 2):
                d = ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2
                if d <= 1:
                    c = rgb
                    if shade:  # light from the upper left
                        t = max(0.0, min(1.0, ((x - cx) / rx + (y - cy) / ry + 1.2) / 2.4))
                        c = mix(shade[0], shade[1], t)
                    self.set(x, y, self.tone(c))

    def gear(self, cx, cy, r, teeth, rgb, hole_rgb, tooth=3):
        for y in range(int(cy - r - tooth) - 1, int(cy + r + tooth) + 2):
            for x in range(int(cx - r - tooth) - 1, int(cx + r + tooth) + 2):
                a = math.atan2(y - cy, x - cx)
                d = math.hypot(x - cx, y - cy)
                edge = r + (tooth if math.cos(a * teeth) > 0.3 else 0)
                if d <= edge:
                    self.set(x, y, self.tone(rgb if d > r * 0.35 else hole_rgb))

    def shrunk(self, factor):
        """The canvas at 1/factor of its size, each pixel the mean of the
        pixels it covers: smooth edges for a drawing made at a larger size."""
        out = Canvas(self.w // factor, self.h // factor, None, self.step)
        for y in range(out.h):
            for x in range(out.w):
                block = [self.px[y * factor + j][x * factor + i] for j in range(factor) for i in range(factor)]
                out.px[y][x] = tuple(round(sum(c[k] for c in block) / len(block)) for k in range(3))
        return out

    def xpm(self, name):
        colours = sorted({c for row in self.px for c in row})
        chars = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789#$%&*+-=@"
        codes = {}
        for i, c in enumerate(colours):
            codes[c] = chars[i % len(chars)] + chars[i // len(chars)]
        lines = [f'"{self.w} {self.h} {len(colours)} 2",']
        lines += [f'"{codes[c]} c #{c[0]:02X}{c[1]:02X}{c[2]:02X}",' for c in colours]
        lines += ['"' + "".join(codes[c] for c in row) + '",' for row in self.px]
        lines[-1] = lines[-1].rstrip(",")
        return f"static const char* const {name}[] = {{\n" + "\n".join(lines) + "\n};\n"

    def bmp(self):
        """A 32-bit image as an ICO file holds it: a bitmap of twice the
        height (colour rows, then the unused AND mask), rows bottom-up."""
        pixels = b"".join(bytes((b, g, r, 255)) for row in reversed(self.px) for (r, g, b) in row)
        mask = bytes(((self.w + 31) // 32) * 4 * self.h)
        header = struct.pack("<IiiHHIIiiII", 40, self.w, 2 * self.h, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
        return header + pixels + mask

    def png(self):
        def chunk(kind, data):
            return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
        rows = b"".join(b"\0" + bytes(v for (r, g, b) in row for v in (r, g, b, 255)) for row in self.px)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", self.w, self.h, 8, 6, 0, 0, 0)) +
                chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def ico(canvases):
    """An ICO file of square images; the 256-pixel one as PNG, as Windows
    keeps its largest icons, the others as bitmaps every version reads."""
    images = [c.png() if c.w == 256 else c.bmp() for c in canvases]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for c, image in zip(canvases, images):
        directory += struct.pack("<BBBBHHII", c.w % 256, c.h % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return directory + b"".join(images)


def picture():
    c = Canvas(115, 231, (20, 24, 60))
    for y in range(231):  # night sky fading to dusk
        for x in range(115):
            c.set(x, y, quantise(mix((16, 20, 64), (200, 120, 150), y / 230)))
    for sx, sy in [(12, 14), (40, 8), (90, 20), (70, 40), (20, 52), (100, 60), (55, 26), (8, 90), (104, 100)]:
        c.set(sx, sy, (255, 255, 220))
        c.set(sx + 1, sy, (200, 200, 180))
    c.ellipse(88, 34, 10, 10, None, shade=((255, 250, 210), (220, 200, 120)))  # moon
    c.ellipse(92, 31, 8, 8, None, shade=((30, 34, 80), (40, 44, 90)))
    c.gear(57, 190, 30, 9, (110, 110, 130), (60, 60, 80))  # the settings gear
    c.ellipse(57, 128, 36, 40, None, shade=((255, 190, 215), (200, 90, 140)))  # jelly body
    c.ellipse(44, 112, 9, 11, (255, 255, 255))  # eyes
    c.ellipse(70, 112, 9, 11, (255, 255, 255))
    c.ellipse(46, 115, 5, 7, (40, 30, 60))
    c.ellipse(72, 115, 5, 7, (40, 30, 60))
    c.ellipse(47, 112, 2, 2, (255, 255, 255))
    c.ellipse(73, 112, 2, 2, (255, 255, 255))
    c.ellipse(33, 132, 6, 4, (255, 150, 170))  # cheeks
    c.ellipse(81, 132, 6, 4, (255, 150, 170))
    for x in range(50, 65):  # smile
        c.set(x, 137 + round(((x - 57) / 7) ** 2 * -3 + 3), (120, 40, 80))
    c.ellipse(57, 84, 4, 10, None, shade=((255, 200, 225), (210, 110, 150)))  # sprout
    c.ellipse(50, 76, 7, 4, (120, 200, 110))
    c.ellipse(64, 76, 7, 4, (100, 180, 90))
    return c


ICON_SIZES = (16, 24, 32, 48, 256)


def icon(size):
    """The icon, laid out on a 32-pixel grid, drawn at a multiple of the size
    asked for and shrunk to it, so that every size has smooth edges."""
    factor = max(2, 256 // size)
    k = size * factor / 32

    def at(v):  # the centre of grid pixel v on the large canvas
        return v * k + (k - 1) / 2

    c = Canvas(size * factor, size * factor, (40, 44, 90), step=0)
    c.gear(at(16), at(24), 7 * k, 8, (120, 120, 140), (70, 70, 90), tooth=3 * k)
    c.ellipse(at(16), at(15), 12 * k, 11 * k, None, shade=((255, 190, 215), (200, 90, 140)))
    for x in (12, 20):  # eyes
        c.ellipse(at(x), at(13), 2.5 * k, 3.5 * k, (40, 30, 60))
    for x in (8, 24):  # cheeks
        c.ellipse(at(x), at(18), 2 * k, 1.5 * k, (255, 150, 170))
    return c.shrunk(factor)


def main():
    res = pathlib.Path(__file__).resolve().parent.parent / "src" / "res"
    out = res / "artwork_xpm.h"
    text = ("// Generated by tools/draw-artwork.py: the main window's picture and the\n"
            "// program icon, drawn for this tool.\n#pragma once\n\n")
    icons = {size: icon(size) for size in ICON_SIZES}
    text += picture().xpm("kPictureXpm") + "\n" + icons[32].xpm("kIconXpm")
    out.write_text(text)
    (res / "vellconf.ico").write_bytes(ico(list(icons.values())))


if __name__ == "__main__":
    main()
