#!/usr/bin/env python3
"""Draws the program's icons and writes them as .ico files beside this script.

TDialix.ico       the program ("MAINICON"): a clock face showing ten past ten
TDialixStyle.ico  style files ("MAINICONDLX"): a page with the clock on it

Each file holds the sizes 16, 32 and 48 as 32-bit images with alpha and an AND
mask (for systems that draw icons without alpha). Edges are smoothed by
sampling every pixel many times. Only the standard library is needed:

    python3 res/make_icons.py
"""
import math
import os
import struct

SIZES = (16, 32, 48)

RIM = (0x1F, 0x3A, 0x5F)
RIM_LIGHT = (0x3C, 0x6E, 0xA8)
FACE_TOP = (0xFF, 0xFF, 0xFF)
FACE_BOTTOM = (0xDD, 0xE8, 0xF4)
MARK = (0x2B, 0x3A, 0x4A)
HAND = (0x14, 0x1E, 0x28)
SECOND = (0xD0, 0x31, 0x2D)
PAGE = (0xFF, 0xFF, 0xFF)
PAGE_EDGE = (0x7A, 0x86, 0x94)
FOLD = (0xD5, 0xDC, 0xE4)


def segment_distance(px, py, ax, ay, bx, by):
    """Distance from the point to the segment a-b."""
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def hand_end(cx, cy, length, clock_angle):
    """End of a hand; the angle is in degrees clockwise from twelve o'clock."""
    a = math.radians(clock_angle)
    return cx + length * math.sin(a), cy - length * math.cos(a)


def clock_layers(x, y, cx, cy, r, size):
    """Colours (with coverage 1) of the clock face at the point, bottom layer first."""
    layers = []
    d = math.hypot(x - cx, y - cy)
    if d <= r:
        # The rim, lit a little from the top left.
        shade = max(0.0, min(1.0, 0.5 - ((x - cx) + (y - cy)) / (2.5 * r)))
        layers.append(tuple(round(RIM[i] + (RIM_LIGHT[i] - RIM[i]) * shade) for i in range(3)))
    face = r * (0.80 if size >= 32 else 0.76)
    if d <= face:
        t = max(0.0, min(1.0, (y - (cy - face)) / (2 * face)))
        layers.append(tuple(round(FACE_TOP[i] + (FACE_BOTTOM[i] - FACE_TOP[i]) * t) for i in range(3)))
        # Hour marks where there is room for them beside the hands.
        for hour in range(12 if size >= 32 else 0):
            main = hour % 3 == 0
            inner = face * (0.72 if main else 0.80)
            outer = face * 0.92
            ax, ay = hand_end(cx, cy, inner, hour * 30)
            bx, by = hand_end(cx, cy, outer, hour * 30)
            width = r * (0.07 if main else 0.035)
            if segment_distance(x, y, ax, ay, bx, by) <= width:
                layers.append(MARK)
        # Ten past ten.
        hx, hy = hand_end(cx, cy, face * (0.52 if size >= 32 else 0.62), 305)
        mx, my = hand_end(cx, cy, face * (0.78 if size >= 32 else 0.86), 60)
        thick = 1.7 if size < 32 else 1.0
        if segment_distance(x, y, cx, cy, hx, hy) <= r * 0.075 * thick:
            layers.append(HAND)
        if segment_distance(x, y, cx, cy, mx, my) <= r * 0.055 * thick:
            layers.append(HAND)
        if size >= 32:
            sx, sy = hand_end(cx, cy, face * 0.84, 200)
            tx, ty = hand_end(cx, cy, face * 0.22, 20)
            if segment_distance(x, y, tx, ty, sx, sy) <= r * 0.022:
                layers.append(SECOND)
        if d <= r * (0.09 if size >= 32 else 0.11):
            layers.append(SECOND if size >= 32 else HAND)
    return layers


def program_icon(x, y, size):
    return clock_layers(x, y, 0.5, 0.5, 0.47, size)


def style_icon(x, y, size):
    """A page with a folded corner and the clock on it."""
    layers = []
    left, top, right, bottom, fold = 0.12, 0.03, 0.80, 0.97, 0.22
    edge = 1.0 / size
    inside_page = left <= x <= right and top <= y <= bottom and (x - (right - fold)) + (top + fold - y) <= fold
    if inside_page:
        layers.append(PAGE_EDGE)
        if (left + edge <= x <= right - edge and top + edge <= y <= bottom - edge
                and (x - (right - fold)) + (top + fold - y) <= fold - edge * 1.5):
            layers.append(PAGE)
        # The folded corner.
        if x >= right - fold and y <= top + fold and (x - (right - fold)) + (top + fold - y) <= fold:
            if x <= right - fold + edge or y >= top + fold - edge:
                layers.append(PAGE_EDGE)
            else:
                layers.append(FOLD)
    layers += clock_layers(x, y, 0.60, 0.64, 0.36, size)
    return layers


def render(shape, size):
    """Rows of (r, g, b, a) from top to bottom, each pixel sampled n by n times."""
    n = 8 if size <= 16 else 6 if size <= 32 else 4
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0]
            cover = 0
            for sy in range(n):
                for sx in range(n):
                    x = (px + (sx + 0.5) / n) / size
                    y = (py + (sy + 0.5) / n) / size
                    layers = shape(x, y, size)
                    if layers:
                        colour = layers[-1]
                        for i in range(3):
                            acc[i] += colour[i]
                        cover += 1
            if cover:
                row.append(tuple(round(acc[i] / cover) for i in range(3)) + (round(255 * cover / (n * n)),))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def icon_image(rows):
    """One icon image: BITMAPINFOHEADER, 32-bit colours and the AND mask, both bottom-up."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colours = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a < 128:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + colours + bytes(mask)


def write_icon(path, shape):
    images = [icon_image(render(shape, size)) for size in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


def main():
    folder = os.path.dirname(os.path.abspath(__file__))
    write_icon(os.path.join(folder, "TDialix.ico"), program_icon)
    write_icon(os.path.join(folder, "TDialixStyle.ico"), style_icon)


if __name__ == "__main__":
    main()
