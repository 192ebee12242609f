#!/usr/bin/python3
"""DXF import speed beside ezdxf.readfile on the same files (a benchmark, not a test).

Usage: dxf_benchmark.py BUILD_DIR DRAWING...
The benchmark drawing of the closing figures is made by
make_benchmark_drawing.py from a real drawing full of annotation."""
import re
import statistics
import subprocess
import sys
import time

import ezdxf


def main():
    build, drawings = sys.argv[1], sys.argv[2:]
    ours = subprocess.run([build + "/tests/exchange/dxf_import_benchmark", *drawings], capture_output=True, text=True,
                          check=True).stdout
    for drawing, line in zip(drawings, ours.splitlines()):
        vexline = float(re.search(r": ([0-9.]+) ms", line).group(1))
        runs = []
        for _ in range(3):
            start = time.perf_counter()
            ezdxf.readfile(drawing)
            runs.append((time.perf_counter() - start) * 1000)
        reference = statistics.median(runs)
        print("%s: vexline %.2f ms, ezdxf.readfile %.1f ms, %.0f times faster" % (drawing, vexline, reference,
                                                                               reference / vexline))


if __name__ == "__main__":
    main()
