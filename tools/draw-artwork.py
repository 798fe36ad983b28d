#!/usr/bin/env python3
"""Draws the main window's picture (115 x 231) and the program icon (32 x 32)
and writes them as XPM data to src/res/artwork_xpm.h, and the icon once more
as src/res/vellconf.ico for the Windows program's resources.

The picture: a round jelly homunculus under a night sky, sitting on a gear,
for a tool that sets up how a homunculus behaves."""
import math
import pathlib
import struct

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
    def __init__(self, w, h, fill):
        self.w, self.h = w, h
        self.px = [[fill for _ in range(w)] for _ in range(h)]

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
                    self.set(x, y, quantise(c))

    def gear(self, cx, cy, r, teeth, rgb, hole_rgb):
        for y in range(int(cy - r) - 4, int(cy + r) + 5):
            for x in range(int(cx - r) - 4, int(cx + r) + 5):
                a = math.atan2(y - cy, x - cx)
                d = math.hypot(x - cx, y - cy)
                edge = r + (3 if math.cos(a * teeth) > 0.3 else 0)
                if d <= edge:
                    self.set(x, y, quantise(rgb if d > r * 0.35 else hole_rgb))

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

    def ico(self):
        """One 32-bit image in an ICO file: a bitmap of twice the height
        (colour rows, then the unused AND mask), rows bottom-up."""
        pixels = b"".join(bytes((b, g, r, 255)) for row in reversed(self.px) for (r, g, b) in row)
        mask = bytes(((self.w + 31) // 32) * 4 * self.h)
        header = struct.pack("<IiiHHIIiiII", 40, self.w, 2 * self.h, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
        image = header + pixels + mask
        directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", self.w, self.h, 0, 0, 1, 32, len(image), 22)
        return directory + image


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


def icon():
    c = Canvas(32, 32, (40, 44, 90))
    c.gear(16, 24, 7, 8, (120, 120, 140), (70, 70, 90))
    c.ellipse(16, 15, 12, 11, None, shade=((255, 190, 215), (200, 90, 140)))
    c.ellipse(12, 13, 2.5, 3.5, (40, 30, 60))
    c.ellipse(20, 13, 2.5, 3.5, (40, 30, 60))
    c.ellipse(8, 18, 2, 1.5, (255, 150, 170))
    c.ellipse(24, 18, 2, 1.5, (255, 150, 170))
    return c


def main():
    res = pathlib.Path(__file__).resolve().parent.parent / "src" / "res"
    out = res / "artwork_xpm.h"
    text = ("// Generated by tools/draw-artwork.py: the main window's picture and the\n"
            "// program icon, drawn for this tool.\n#pragma once\n\n")
    text += picture().xpm("kPictureXpm") + "\n" + icon().xpm("kIconXpm")
    out.write_text(text)
    (res / "vellconf.ico").write_bytes(icon().ico())


if __name__ == "__main__":
    main()
