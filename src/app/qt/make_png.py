#!/usr/bin/env python3
"""Writes the program icon as a PNG of the given size from its text picture, the same
picture as the Windows icon: scaled up, each pixel becomes a square; scaled down, each
block shows its darkest pixel, so that one-pixel lines stay. The bytes depend on nothing
but the input.

usage: make_png.py icon.txt SIZE output.png
"""
import os
import struct
import sys
import zlib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'win32'))
from make_icon import SIZE, read_picture  # noqa: E402


def chunk(kind, data):
    return (struct.pack('>I', len(data)) + kind + data +
            struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff))


def pixel(colours, rows, size, x, y):
    """The character that stands for the target pixel (x, y)."""
    block = [rows[y * SIZE // size + dy][x * SIZE // size + dx]
             for dy in range(max(1, SIZE // size)) for dx in range(max(1, SIZE // size))]
    opaque = [char for char in block if char != '.']
    return min(opaque, key=lambda char: sum(colours[char])) if opaque else '.'


def png_bytes(colours, rows, size):
    lines = bytearray()
    for y in range(size):
        lines.append(0)  # no filter
        for x in range(size):
            char = pixel(colours, rows, size, x, y)
            lines += bytes(colours[char]) + b'\xff' if char != '.' else b'\0\0\0\0'
    header = struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) +
            chunk(b'IDAT', zlib.compress(bytes(lines), 9)) + chunk(b'IEND', b''))


def main():
    colours, rows = read_picture(sys.argv[1])
    with open(sys.argv[3], 'wb') as output:
        output.write(png_bytes(colours, rows, int(sys.argv[2])))


if __name__ == '__main__':
    main()
