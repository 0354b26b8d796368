#!/usr/bin/env python3
"""Draws app/Refresh-icon.png: a 24 x 24 RGBA refresh symbol, two curved arrows chasing each
other around a circle. Standard library only; run it again after changing the drawing."""
import math
import struct
import sys
import zlib

SIZE = 24
SAMPLES = 4  # per axis, for smooth edges
CENTRE = (SIZE - 1) / 2.0
RADIUS = 7.0
THICKNESS = 2.4
COLOUR = (40, 110, 190)


def in_arc(x, y, start, end):
    dx, dy = x - CENTRE, y - CENTRE
    distance = math.hypot(dx, dy)
    if abs(distance - RADIUS) > THICKNESS / 2:
        return False
    angle = math.degrees(math.atan2(-dy, dx)) % 360
    return start <= angle <= end


def in_triangle(x, y, a, b, c):
    def side(p, q, r):
        return (p[0] - r[0]) * (q[1] - r[1]) - (q[0] - r[0]) * (p[1] - r[1])
    d1, d2, d3 = side((x, y), a, b), side((x, y), b, c), side((x, y), c, a)
    negative = d1 < 0 or d2 < 0 or d3 < 0
    positive = d1 > 0 or d2 > 0 or d3 > 0
    return not (negative and positive)


def arrow_head(angle_deg):
    """A triangle at the end of an arc running counter-clockwise, pointing along it."""
    a = math.radians(angle_deg)
    px, py = CENTRE + RADIUS * math.cos(a), CENTRE - RADIUS * math.sin(a)
    # Tangent (counter-clockwise) and outward normal, in image coordinates.
    tx, ty = -math.sin(a), -math.cos(a)
    nx, ny = math.cos(a), -math.sin(a)
    half, length = 3.6, 4.2
    tip = (px + tx * length, py + ty * length)
    return (px + nx * half, py + ny * half), (px - nx * half, py - ny * half), tip


ARCS = [(30, 150), (210, 330)]
HEADS = [arrow_head(150), arrow_head(330)]


def coverage(px, py):
    hits = 0
    for sx in range(SAMPLES):
        for sy in range(SAMPLES):
            x = px + (sx + 0.5) / SAMPLES - 0.5
            y = py + (sy + 0.5) / SAMPLES - 0.5
            if any(in_arc(x, y, s, e) for s, e in ARCS) or any(
                    in_triangle(x, y, *h) for h in HEADS):
                hits += 1
    return hits / (SAMPLES * SAMPLES)


def png(pixels):
    raw = b"".join(b"\x00" + bytes(row) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    rows = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            alpha = round(255 * coverage(x, y))
            row += [*COLOUR, alpha] if alpha else [0, 0, 0, 0]
        rows.append(row)
    out = sys.argv[1] if len(sys.argv) > 1 else "app/Refresh-icon.png"
    with open(out, "wb") as f:
        f.write(png(rows))


if __name__ == "__main__":
    main()
