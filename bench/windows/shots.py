#!/usr/bin/env python3
"""How far the Windows program's pictures are from the Linux program's: the automation
scenarios' screenshots (tests/scenarios, `shot`) taken by both, headless, and for each the
share of pixels whose colour differs by more than 8 levels in a channel. Antialiased edges
differ (GDI's glyph coverage against FreeType's, each backend's filtering of scaled images);
anything more is a fault to look at. Writes diff-NAME.png (differing pixels red) into the
current folder when asked to with --pictures.

usage: shots.py [--pictures] LINUX_PEMTRIX WINDOWS_PEMTRIX_EXE   (Wine in the WINEPREFIX given)"""
import os
import struct
import subprocess
import sys
import tempfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
RUNNER = os.path.join(HERE, "..", "..", "tests", "scenarios", "run_scenarios.py")


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else b if pb <= pc else c


def load(path):
    """The RGB rows of an 8-bit RGB or RGBA PNG without interlacing (what both programs write)."""
    data = open(path, "rb").read()
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            width, height, _, colour = struct.unpack(">IIBB", body[:10])
        elif kind == b"IDAT":
            idat += body
    bpp = {2: 3, 6: 4}[colour]
    raw, stride = zlib.decompress(idat), width * bpp
    rows, prev, i = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[i], bytearray(raw[i + 1:i + 1 + stride])
        i += 1 + stride
        for x in range(stride):
            a = line[x - bpp] if x >= bpp else 0
            c = prev[x - bpp] if x >= bpp else 0
            line[x] = (line[x] + (0, a, prev[x], (a + prev[x]) // 2, paeth(a, prev[x], c))[kind]) & 255
        rows.append([tuple(line[x * bpp:x * bpp + 3]) for x in range(width)])
        prev = line
    return width, height, rows


def save(path, width, height, rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
    raw = b"".join(b"\0" + bytes(v for pixel in row for v in pixel) for row in rows)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
                chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def main():
    args = sys.argv[1:]
    pictures = args[:1] == ["--pictures"]
    if pictures:
        args = args[1:]
    linux, exe = args
    with tempfile.TemporaryDirectory() as work:
        for name, command in (("linux", [linux]), ("windows", ["--windows", exe])):
            os.mkdir(os.path.join(work, name))
            subprocess.run([sys.executable, RUNNER, *command], env=dict(os.environ, PEMTRIX_SCENARIO_SHOTS=os.path.join(
                work, name)), stdout=subprocess.DEVNULL, check=False)
        for shot in sorted(os.listdir(os.path.join(work, "linux"))):
            w, h, a = load(os.path.join(work, "linux", shot))
            other = os.path.join(work, "windows", shot)
            if not os.path.exists(other):
                print("%-28s missing from the Windows program" % shot)
                continue
            w2, h2, b = load(other)
            if (w, h) != (w2, h2):
                print("%-28s %dx%d on Linux, %dx%d on Windows" % (shot, w, h, w2, h2))
                continue
            apart = [[max(abs(p - q) for p, q in zip(a[y][x], b[y][x])) > 8 for x in range(w)] for y in range(h)]
            share = sum(map(sum, apart)) / (w * h)
            print("%-28s %5.2f %% of pixels differ" % (shot, 100 * share))
            if pictures:
                save("diff-" + shot, w, h, [[(255, 0, 0) if apart[y][x] else tuple(v // 3 for v in a[y][x])
                                              for x in range(w)] for y in range(h)])


if __name__ == "__main__":
    main()
