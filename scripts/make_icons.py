#!/usr/bin/env python3
"""Renders data/icons/hicolor/scalable/apps/kardomel.svg's shapes into the PNG sizes of the hicolor
theme (data/icons/hicolor/NxN/apps/kardomel.png). Plain Python: the shapes
are rectangles, sampled 4 x 4 per pixel for smooth edges. Run it after
changing the icon; the PNGs are kept in the repository."""
import os, struct, zlib

BLUE, LIGHT, RED = (0x1f, 0x4e, 0x9a), (0x2b, 0x6d, 0xd7), (0xb0, 0x20, 0x20)
SIZES = [16, 22, 24, 32, 48, 64, 128, 256]

def colour_at(x, y):
    """Colour of the 16 x 16 design at (x, y), None where transparent."""
    if 7.25 <= x < 8.75 and 1 <= y < 15 and (y - 1) % 4.5 < 3:
        return RED
    if 3 <= y < 13:
        if 1 <= x < 7: return BLUE
        if 9 <= x < 15: return LIGHT
    return None

def render(size):
    rows, n = [], 4
    for py in range(size):
        row = bytearray([0])
        for px in range(size):
            acc, hits = [0, 0, 0], 0
            for sy in range(n):
                for sx in range(n):
                    c = colour_at((px + (sx + .5) / n) * 16 / size, (py + (sy + .5) / n) * 16 / size)
                    if c:
                        hits += 1
                        for i in range(3): acc[i] += c[i]
            if hits:
                row += bytes([acc[0] // hits, acc[1] // hits, acc[2] // hits, 255 * hits // (n * n)])
            else:
                row += bytes(4)
        rows.append(bytes(row))
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))

root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "icons", "hicolor")
for size in SIZES:
    folder = os.path.join(root, f"{size}x{size}", "apps")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "kardomel.png"), "wb") as out:
        out.write(render(size))
