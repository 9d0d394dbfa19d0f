#!/usr/bin/env python3
"""Writes the program icon (one 32 x 32 picture, 256 colours) from its text picture.

usage: make_icon.py icon.txt digestorium.ico
"""
import struct
import sys

SIZE = 32


def read_picture(path):
    colours = {}
    rows = []
    with open(path, encoding="ascii") as source:
        for line in source:
            line = line.rstrip("\n")
            if line.startswith("#") or not line:
                continue
            if len(line) == SIZE:
                rows.append(line)
            else:
                char, rgb = line.split()
                colours[char] = tuple(int(rgb[i:i + 2], 16) for i in (0, 2, 4))
    if len(rows) != SIZE:
        sys.exit(f"{path}: {len(rows)} rows, expected {SIZE}")
    return colours, rows


def icon_bytes(colours, rows):
    chars = sorted(colours)
    index = {char: number + 1 for number, char in enumerate(chars)}  # 0 is transparent
    palette = bytearray(256 * 4)
    for char, number in index.items():
        red, green, blue = colours[char]
        palette[number * 4:number * 4 + 4] = bytes((blue, green, red, 0))
    pixels = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # bottom-up
        bits = 0
        for x, char in enumerate(row):
            if char == ".":
                pixels.append(0)
                bits |= 1 << (SIZE - 1 - x)
            elif char in index:
                pixels.append(index[char])
            else:
                sys.exit(f"unknown colour {char!r}")
        mask += bits.to_bytes(SIZE // 8, "big")
    image_size = len(pixels) + len(mask)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 8, 0, image_size, 0, 0, 256, 0)
    image = header + palette + pixels + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(image), 6 + 16)
    return directory + entry + image


def main():
    colours, rows = read_picture(sys.argv[1])
    with open(sys.argv[2], "wb") as output:
        output.write(icon_bytes(colours, rows))


if __name__ == "__main__":
    main()
