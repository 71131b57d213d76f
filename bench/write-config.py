#!/usr/bin/env python3
"""Writes a Markwell configuration for the benchmark: the stamp at the bottom right
with a 20-pixel margin, JPEG quality 80, results in OUTDIR, existing results replaced.
Usage: write-config.py CONFIG STAMP OUTDIR"""
import struct
import sys

config, stamp, outdir = sys.argv[1:4]


def text(value):
    data = value.encode("utf-8")
    return struct.pack("<i", len(data)) + data


fields = [
    b"ORBISCNF",
    struct.pack("<i", 0),                 # picture stamp
    text(stamp), text(""), text("DejaVu Sans"),
    struct.pack("<iI", 20, 0), bytes([0, 0, 0, 0]),
    struct.pack("<i", 0),                 # absolute position
    text("20"), text("20"),
    struct.pack("<ii", 1, 1),             # from the right, from the bottom
    struct.pack("<ii", 9, 9),             # marker (unused)
    bytes([0, 1]), text(outdir),          # custom folder
    bytes([1, 0, 0]),                     # overwrite
    struct.pack("<iii", 0, 1, 80),        # page, JPEG, quality 80
    text(""),
]
with open(config, "wb") as out:
    out.write(b"".join(fields))
