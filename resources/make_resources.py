# SPDX-License-Identifier: GPL-3.0-or-later
#!/usr/bin/env python3
"""Draws Ratewise's pictures and synthesises its About chime.

Writes, next to this script: the application icon as SVG and as PNG in the usual sizes, the three
80 x 60 aspect pictures of the project dialog (letterboxed, full, squeezed) with their 160 x 120
@2x forms, and about_chime.wav.
Only the standard library is used, and the output is the same on every run, so the generated files
are committed and the build never needs this script.
"""

import math
import os
import struct
import wave
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)


def write_png(path, width, height, rows, alpha):
    """rows: list of rows, each a flat list of 3 or 4 bytes per pixel."""
    channels = 4 if alpha else 3
    raw = b"".join(b"\x00" + bytes(row) for row in rows)
    assert len(raw) == height * (width * channels + 1)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6 if alpha else 2, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", header))
        out.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        out.write(chunk(b"IEND", b""))


def render(width, height, shade, samples=4):
    """Supersamples shade(x, y) -> (r, g, b, a) over pixel centres; x, y in pixels."""
    rows = []
    step = 1.0 / samples
    for py in range(height):
        row = []
        for px in range(width):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(samples):
                for sx in range(samples):
                    r, g, b, a = shade(px + (sx + 0.5) * step, py + (sy + 0.5) * step)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = samples * samples
            alpha = acc[3] / n
            if alpha > 0:
                colour = [round(c / acc[3]) for c in acc[:3]]
            else:
                colour = [0, 0, 0]
            row.extend(colour + [round(alpha * 255)])
        rows.append(row)
    return rows


# --- The icon: a disc and three bars in the tip colours on a blue rounded square. -------------

ICON_BACK = (31, 58, 95)
ICON_DISC = (214, 220, 228)
ICON_RING = (160, 170, 184)
ICON_BARS = [((0, 200, 0), 0.30), ((230, 210, 0), 0.45), ((220, 30, 30), 0.60)]
DISC = (0.40, 0.56, 0.30)  # centre x, centre y, radius (unit square)
HOLE = 0.07
RING = 0.15
CORNER = 0.18
BAR_X, BAR_W, BAR_GAP, BAR_BOTTOM = 0.62, 0.08, 0.03, 0.86


def in_rounded_square(x, y):
    cx = min(max(x, CORNER), 1 - CORNER)
    cy = min(max(y, CORNER), 1 - CORNER)
    return 0 <= x <= 1 and 0 <= y <= 1 and (x - cx) ** 2 + (y - cy) ** 2 <= CORNER ** 2


def icon_shade(x, y):
    if not in_rounded_square(x, y):
        return (0, 0, 0, 0.0)
    colour = ICON_BACK
    d = math.hypot(x - DISC[0], y - DISC[1])
    if d <= DISC[2]:
        colour = ICON_DISC
        if d <= RING:
            colour = ICON_RING
        if d <= HOLE:
            colour = ICON_BACK
    for i, (bar_colour, bar_height) in enumerate(ICON_BARS):
        left = BAR_X + i * (BAR_W + BAR_GAP)
        if left <= x <= left + BAR_W and BAR_BOTTOM - bar_height <= y <= BAR_BOTTOM:
            colour = bar_colour
    return colour + (1.0,)


def hex_colour(c):
    return "#%02x%02x%02x" % c


def icon_svg():
    s = 256
    parts = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">' % (s, s, s, s),
        '  <title>Ratewise</title>',
        '  <rect x="0" y="0" width="%d" height="%d" rx="%g" fill="%s"/>'
        % (s, s, CORNER * s, hex_colour(ICON_BACK)),
        '  <circle cx="%g" cy="%g" r="%g" fill="%s"/>' % (DISC[0] * s, DISC[1] * s, DISC[2] * s, hex_colour(ICON_DISC)),
        '  <circle cx="%g" cy="%g" r="%g" fill="%s"/>' % (DISC[0] * s, DISC[1] * s, RING * s, hex_colour(ICON_RING)),
        '  <circle cx="%g" cy="%g" r="%g" fill="%s"/>' % (DISC[0] * s, DISC[1] * s, HOLE * s, hex_colour(ICON_BACK)),
    ]
    for i, (colour, height) in enumerate(ICON_BARS):
        left = BAR_X + i * (BAR_W + BAR_GAP)
        parts.append('  <rect x="%g" y="%g" width="%g" height="%g" fill="%s"/>'
                     % (left * s, (BAR_BOTTOM - height) * s, BAR_W * s, height * s, hex_colour(colour)))
    parts.append("</svg>")
    return "\n".join(parts) + "\n"


def write_icons():
    with open(os.path.join(HERE, "ratewise.svg"), "w") as out:
        out.write(icon_svg())
    for size in ICON_SIZES:
        rows = render(size, size, lambda x, y: icon_shade(x / size, y / size))
        write_png(os.path.join(HERE, "ratewise_%d.png" % size), size, size, rows, alpha=True)


# --- The aspect pictures: one widescreen scene shown three ways on a 4:3 screen. ------------

SCENE_ASPECT = 16 / 9  # the scene is this many units wide and 1 unit high


def scene_colour(u, v):
    """u in 0..SCENE_ASPECT, v in 0..1 (top to bottom), in undistorted units."""
    sun = (SCENE_ASPECT * 0.5, 0.38, 0.2)
    if (u - sun[0]) ** 2 + (v - sun[1]) ** 2 <= sun[2] ** 2:
        return (250, 204, 40)
    hill = 0.72 + 0.06 * math.cos(u * 3.2)
    if v >= hill:
        return (46, 140, 60)
    # Trees at both edges show how much of the width survives.
    for tree_u in (0.18, SCENE_ASPECT - 0.18):
        if 0.45 <= v <= 0.8 and abs(u - tree_u) <= (v - 0.45) * 0.35:
            return (20, 90, 35)
    sky = int(150 + 80 * v)
    return (90, 140, min(sky, 255))


def aspect_picture(kind, scale=1):
    """scale 2 draws the same picture at twice the pixels, for screens at twice the density."""
    width, height = 80 * scale, 60 * scale

    def shade(x, y):
        if kind == "letterboxed":
            # The whole widescreen scene keeps its shape: bars above and below.
            picture_height = width / SCENE_ASPECT
            top = (height - picture_height) / 2
            if y < top or y >= top + picture_height:
                return (0, 0, 0, 1.0)
            return scene_colour(x / width * SCENE_ASPECT, (y - top) / picture_height) + (1.0,)
        if kind == "full":
            # The screen is filled: the sides of the scene are cut off.
            visible = 4 / 3
            left = (SCENE_ASPECT - visible) / 2
            return scene_colour(left + x / width * visible, y / height) + (1.0,)
        # squeezed: the whole scene pressed into 4:3, round things become tall.
        return scene_colour(x / width * SCENE_ASPECT, y / height) + (1.0,)

    rows = render(width, height, shade)
    rgb_rows = [[c for i, c in enumerate(row) if i % 4 != 3] for row in rows]
    name = "aspect_%s.png" % kind if scale == 1 else "aspect_%s@%dx.png" % (kind, scale)
    write_png(os.path.join(HERE, name), width, height, rgb_rows, alpha=False)


# --- The chime: two bell-like tones, a falling third. ---------------------------------------

def write_chime():
    rate = 22050
    notes = [(0.0, 1318.51), (0.32, 1046.50)]  # E6 then C6, seconds from the start
    length = 1.6
    frames = bytearray()
    for n in range(int(rate * length)):
        t = n / rate
        value = 0.0
        for start, freq in notes:
            dt = t - start
            if dt < 0:
                continue
            attack = min(1.0, dt / 0.004)
            envelope = attack * math.exp(-dt * 3.2)
            value += envelope * (math.sin(2 * math.pi * freq * dt)
                                 + 0.35 * math.sin(2 * math.pi * freq * 2.76 * dt) * math.exp(-dt * 6)
                                 + 0.15 * math.sin(2 * math.pi * freq * 5.4 * dt) * math.exp(-dt * 10))
        sample = max(-32767, min(32767, int(value * 0.3 * 32767)))
        frames += struct.pack("<h", sample)
    with wave.open(os.path.join(HERE, "about_chime.wav"), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(rate)
        out.writeframes(bytes(frames))


if __name__ == "__main__":
    write_icons()
    for picture in ("letterboxed", "full", "squeezed"):
        aspect_picture(picture)
        aspect_picture(picture, 2)
    write_chime()
