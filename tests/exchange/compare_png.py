#!/usr/bin/python3
"""compare_png.py REFERENCE.png OTHER.png: prints the share of the reference's drawn pixels
(everything not white) that OTHER has in a like colour within one pixel."""
import struct
import sys
import zlib


def decode(path):
    data = open(path, "rb").read()
    pos, idat, width, height, kind = 8, b"", 0, 0, 0
    while pos < len(data):
        length, tag = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if tag == b"IHDR":
            width, height, depth, kind = struct.unpack(">IIBB", body[:10])
            assert depth == 8 and kind in (2, 6)
        elif tag == b"IDAT":
            idat += body
        pos += 12 + length
    step = 3 if kind == 2 else 4
    raw, stride, rows, prev = zlib.decompress(idat), width * step, [], bytearray(width * step)
    for y in range(height):
        f, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - step] if i >= step else 0
            b, c = prev[i], prev[i - step] if i >= step else 0
            if f == 1:
                line[i] = (line[i] + a) & 255
            elif f == 2:
                line[i] = (line[i] + b) & 255
            elif f == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append([tuple(line[x * step:x * step + 3]) for x in range(width)])
        prev = line
    return width, height, rows


def main():
    w, h, ref = decode(sys.argv[1])
    w2, h2, other = decode(sys.argv[2])
    assert (w, h) == (w2, h2), "sizes differ"
    drawn = matched = 0
    for y in range(h):
        for x in range(w):
            c = ref[y][x]
            if c == (255, 255, 255):
                continue
            drawn += 1
            near = any(sum(abs(p - q) for p, q in zip(c, other[yy][xx])) < 120
                       for yy in range(max(0, y - 1), min(h, y + 2)) for xx in range(max(0, x - 1), min(w, x + 2)))
            matched += near
    print("%.4f" % (matched / drawn if drawn else 0.0))


if __name__ == "__main__":
    main()
