#!/usr/bin/env python3
"""Draws QovDesktop.ico (32x32 and 16x16, 32-bit with alpha plus AND mask).

The picture: a dark monitor frame around a 3 x 3 grid of screens whose middle
screen, the view, is lit.  Run it again after changing the drawing:
    python3 res/make_icon.py res/QovDesktop.ico
"""
import struct
import sys

FRAME = (40, 48, 64, 255)
CELL = (120, 150, 190, 255)
VIEW = (255, 210, 60, 255)
CLEAR = (0, 0, 0, 0)


def draw(size):
    px = [[CLEAR] * size for _ in range(size)]
    inset = 1 if size == 16 else 2
    lo, hi = inset, size - inset  # the frame, a square
    for y in range(lo, hi):
        for x in range(lo, hi):
            px[y][x] = FRAME
    inner = hi - lo - 2
    gap = 1
    cell = (inner - 2 * gap) // 3
    start = lo + 1 + (inner - (3 * cell + 2 * gap)) // 2
    for row in range(3):
        for col in range(3):
            colour = VIEW if (row, col) == (1, 1) else CELL
            y0 = start + row * (cell + gap)
            x0 = start + col * (cell + gap)
            for y in range(y0, y0 + cell):
                for x in range(x0, x0 + cell):
                    px[y][x] = colour
    return px


def dib(px):
    size = len(px)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b''.join(struct.pack('BBBB', b, g, r, a)
                      for row in reversed(px) for (r, g, b, a) in row)
    stride = ((size + 31) // 32) * 4
    mask = b''
    for row in reversed(px):
        bits = 0
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits |= 1 << (stride * 8 - 1 - x)
        mask += bits.to_bytes(stride, 'big')
    return header + colour + mask


def main(path):
    images = [dib(draw(s)) for s in (32, 16)]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, img in zip((32, 16), images):
        out += struct.pack('<BBBBHHII', s, s, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'QovDesktop.ico')
