#!/usr/bin/python3
"""Draws the DXF sample drawings of the installation with ezdxf.

plate.dxf  a plate outline and a square hole: straight lines in scrambled
           order and direction, with a start marker (circle of radius 0.222)
           at the start of each sub-contour.
slot.dxf   a key-shaped slot: an LWPOLYLINE whose bulge makes a half circle,
           an ARC closing the other end, a start marker, and a round hole
           (CIRCLE) beside it with its own marker.

Run: python3 install/sample/dxf/make_samples.py   (needs python3-ezdxf)
"""
import os

import ezdxf

HERE = os.path.dirname(os.path.abspath(__file__))
MARKER = 0.222


def plate():
    doc = ezdxf.new("R2000")
    doc.units = ezdxf.units.MM
    msp = doc.modelspace()
    msp.add_line((60, 40), (60, 0))      # outline, scrambled
    msp.add_line((20, 12), (40, 12))     # hole
    msp.add_line((0, 0), (0, 40))
    msp.add_line((40, 28), (40, 12))
    # The follower of the marked first line comes before the line that ends
    # at the marker: chaining would otherwise turn a straight first line round.
    msp.add_line((0, 40), (60, 40))
    msp.add_line((20, 28), (20, 12))
    msp.add_line((60, 0), (0, 0))
    msp.add_line((40, 28), (20, 28))
    msp.add_circle((0, 0), MARKER)       # outline starts at the origin
    msp.add_circle((20, 12), MARKER)     # then the hole
    doc.saveas(os.path.join(HERE, "plate.dxf"))


def slot():
    doc = ezdxf.new("R2000")
    doc.units = ezdxf.units.MM
    msp = doc.modelspace()
    # (10,0) -> (50,0), half circle about (50,10) through (60,10), -> (10,20);
    # five vertices, open (a four-vertex polyline is always read closed)
    msp.add_lwpolyline([(10, 0, 0), (30, 0, 0), (50, 0, 1), (50, 20, 0), (10, 20, 0)], format="xyb")
    msp.add_arc((10, 10), 10, 90, 270)   # the left end, (10,20) round to (10,0)
    msp.add_circle((10, 0), MARKER)
    msp.add_circle((75, 10), 5)          # a round hole, starting at (80,10)
    msp.add_circle((80, 10), MARKER)
    doc.saveas(os.path.join(HERE, "slot.dxf"))


if __name__ == "__main__":
    plate()
    slot()
