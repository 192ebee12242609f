#!/usr/bin/python3
"""Makes the drawing of the DXF import benchmark from a real drawing: its
annotation (TEXT, MTEXT, HATCH, DIMENSION, LEADER, ...) copied with ezdxf
until the file reaches the wanted size, its geometry kept once.

Usage: make_benchmark_drawing.py REAL.dxf OUT.dxf [MEGABYTES (default 2)]"""
import os
import sys

import ezdxf

ANNOTATION = {"TEXT", "MTEXT", "HATCH", "DIMENSION", "LEADER", "ATTDEF", "SOLID", "POINT"}


def main():
    source, out = sys.argv[1], sys.argv[2]
    megabytes = float(sys.argv[3]) if len(sys.argv) > 3 else 2.0
    doc = ezdxf.readfile(source)
    msp = doc.modelspace()
    originals = [e for e in msp if e.dxftype() in ANNOTATION]
    if not originals:
        raise SystemExit("no annotation to copy in " + source)
    rounds = 0
    while True:
        doc.saveas(out)
        if os.path.getsize(out) >= megabytes * 1e6 or rounds > 5000:
            break
        for k in range(10):
            rounds += 1
            for e in originals:
                try:
                    copy = e.copy()
                except ezdxf.DXFTypeError:
                    continue
                copy.translate(0, 500 * rounds, 0)
                msp.add_entity(copy)
    print(out, os.path.getsize(out), "bytes")


if __name__ == "__main__":
    main()
