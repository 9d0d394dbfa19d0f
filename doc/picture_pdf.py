#!/usr/bin/env python3
"""Wraps a raw 8-bit RGB picture in a one-page PDF at 96 pixels per inch, for the manual:
groff's PDF output places pictures only from PDF files. The same pixels give the same bytes.
usage: picture_pdf.py WIDTH HEIGHT RAW-RGB-FILE OUTPUT.pdf"""
import sys
import zlib

width, height = int(sys.argv[1]), int(sys.argv[2])
pixels = open(sys.argv[3], 'rb').read()
if len(pixels) != width * height * 3:
    sys.exit(f'{sys.argv[3]}: {len(pixels)} bytes are not a {width} x {height} RGB picture')
points_w, points_h = width * 0.75, height * 0.75
stream = zlib.compress(pixels, 9)
drawing = f'q {points_w:.2f} 0 0 {points_h:.2f} 0 0 cm /Picture Do Q'.encode()
objects = [
    b'<< /Type /Catalog /Pages 2 0 R >>',
    b'<< /Type /Pages /Kids [3 0 R] /Count 1 >>',
    f'<< /Type /Page /Parent 2 0 R /MediaBox [0 0 {points_w:.2f} {points_h:.2f}] '
    f'/Resources << /XObject << /Picture 5 0 R >> >> /Contents 4 0 R >>'.encode(),
    b'<< /Length %d >>\nstream\n' % len(drawing) + drawing + b'\nendstream',
    b'<< /Type /XObject /Subtype /Image /Width %d /Height %d /ColorSpace /DeviceRGB '
    b'/BitsPerComponent 8 /Filter /FlateDecode /Length %d >>\nstream\n'
    % (width, height, len(stream)) + stream + b'\nendstream',
]
out = bytearray(b'%PDF-1.4\n')
offsets = []
for number, body in enumerate(objects, 1):
    offsets.append(len(out))
    out += b'%d 0 obj\n' % number + body + b'\nendobj\n'
table = len(out)
out += b'xref\n0 %d\n0000000000 65535 f \n' % (len(objects) + 1)
out += b''.join(b'%010d 00000 n \n' % offset for offset in offsets)
out += b'trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n' % (len(objects) + 1, table)
open(sys.argv[4], 'wb').write(out)
