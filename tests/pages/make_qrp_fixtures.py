#!/usr/bin/env python3
"""Writes saved report files for the page store's reader tests.

A second, independent writer of the file layout and of the splay-tree page
coder, so the C++ reader is checked against more than its own writer. Run it
from anywhere; it writes into tests/data/pages/ next to this folder:

    python3 tests/pages/make_qrp_fixtures.py

Each page is a small enhanced metafile whose EMR_EXTTEXTOUTW records carry
the texts listed in TEXTS below; the C++ test expects the same texts.
"""

import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "pages")

# A fixed date keeps the files stable: 2024-01-02 12:00 local time.
DATE = 45293.5


def page_texts(n, total):
    return ["Seite %d von %d" % (n, total), "Grüße aus Köln – Kurzmitteilung"]


# --- enhanced metafile -------------------------------------------------------

def ext_text_out_w(text, x, y):
    units = text.encode("utf-16-le")
    chars = len(units) // 2
    string = units + b"\0" * (-len(units) % 4)
    off_string = 76
    off_dx = off_string + len(string)
    size = off_dx + 4 * chars
    rec = struct.pack("<II4iIff", 84, size, x, y, x + 8 * chars, y + 16, 1, 0.0, 0.0)
    rec += struct.pack("<iiIIIiiiiI", x, y, chars, off_string, 0, 0, 0, 0, 0, off_dx)
    rec += string + struct.pack("<%dI" % chars, *([8] * chars))
    assert len(rec) == size
    return rec


def emf(texts):
    body = b"".join(ext_text_out_w(t, 40, 40 + 18 * i) for i, t in enumerate(texts))
    eof = struct.pack("<IIIII", 14, 20, 0, 16, 20)
    total = 108 + len(body) + len(eof)
    header = struct.pack("<II4i4iIIIIHHIII", 1, 108, 0, 0, 793, 1122, 0, 0, 20990, 29690,
                         0x464D4520, 0x10000, total, len(texts) + 2, 1, 0, 0, 0, 0)
    header += struct.pack("<iiiiIIIii", 794, 1123, 210, 297, 0, 0, 0, 210000, 297000)
    assert len(header) == 108
    return header + body + eof


# --- splay-tree coder ----------------------------------------------------------

class Packer:
    """Nodes 0..255 inner (0 the root), 256 + b the leaf of byte b."""

    def __init__(self):
        self.left = [2 * j + 1 for j in range(256)]
        self.right = [2 * j + 2 for j in range(256)]
        self.up = [0] + [(i - 1) // 2 for i in range(1, 513)]
        self.bits = []

    def splay(self, a):
        while True:
            c = self.up[a]
            if c == 0:
                a = c
            else:
                d = self.up[c]
                b = self.left[d]
                if c == b:
                    b = self.right[d]
                    self.right[d] = a
                else:
                    self.left[d] = a
                if self.left[c] == a:
                    self.left[c] = b
                else:
                    self.right[c] = b
                self.up[a] = d
                self.up[b] = c
                a = d
            if a == 0:
                return

    def put(self, byte):
        path = []
        node = 256 + byte
        while node != 0:
            parent = self.up[node]
            path.append(1 if self.right[parent] == node else 0)
            node = parent
        self.bits.extend(reversed(path))
        self.splay(256 + byte)

    def packed(self):
        out = bytearray()
        for i in range(0, len(self.bits), 8):
            value = 0
            for k, bit in enumerate(self.bits[i:i + 8]):
                value |= bit << k  # first bit in the least significant place
            out.append(value)
        return bytes(out)


def pack(data):
    p = Packer()
    for b in data:
        p.put(b)
    return p.packed()


# --- saved report file -----------------------------------------------------------

def header(count, packed, aligned):
    filler = b"H" * 100
    if aligned:
        h = struct.pack("<HHBxxxidBB", 3, 50, 0, count, DATE, 0, 1 if packed else 0) + filler + b"\0\0"
        assert len(h) == 124
    else:
        h = struct.pack("<HHBidBB", 3, 50, 0, count, DATE, 0, 1 if packed else 0) + filler + b"\0"
        assert len(h) == 120
    return h


def report(pages, packed, aligned):
    out = bytearray(header(len(pages), packed, aligned))
    for number, image in enumerate(pages, start=1):
        start = len(out)
        payload = struct.pack("<i", len(image)) + pack(image) if packed else image
        end = start + 12 + len(payload)
        out += struct.pack("<ii", number, end) + payload + struct.pack("<i", start)
    return bytes(out)


FILES = [
    ("one_page_120.qrp", 1, False, False),
    ("many_pages_120.qrp", 12, False, False),
    ("packed_one_page_120.qrp", 1, True, False),
    ("packed_many_pages_120.qrp", 12, True, False),
    ("one_page_124.qrp", 1, False, True),
    ("many_pages_124.qrp", 7, False, True),
    ("packed_many_pages_124.qrp", 5, True, True),
]


def main():
    os.makedirs(OUT, exist_ok=True)
    assert pack(b"abc") == bytes([0x46, 0x3D, 0x01])
    for name, count, packed, aligned in FILES:
        pages = [emf(page_texts(n, count)) for n in range(1, count + 1)]
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(report(pages, packed, aligned))
    # The coder's output alone, for the unpack test: 3000 bytes of page 1.
    sample = emf(page_texts(1, 1)) * 8
    with open(os.path.join(OUT, "packed_sample.bin"), "wb") as f:
        f.write(struct.pack("<i", len(sample)) + pack(sample))
    with open(os.path.join(OUT, "packed_sample.plain"), "wb") as f:
        f.write(sample)


if __name__ == "__main__":
    main()
