#!/usr/bin/python3
"""Writes the drawings of this folder that no real file covered, with ezdxf
(Debian python3-ezdxf). Run from this folder: python3 make_drawings.py"""
import ezdxf
from ezdxf.math import closed_uniform_bspline


def nested_mirrored_inserts():
    doc = ezdxf.new("R2000")
    a = doc.blocks.new("A", base_point=(1, 1))
    a.add_line((1, 1), (11, 1))
    a.add_arc((11, 6), 5, -90, 90)
    a.add_lwpolyline([(11, 11, 0.4), (1, 11, 0), (1, 1)], format="xyb")
    b = doc.blocks.new("B")
    b.add_blockref("A", (0, 0), dxfattribs={"xscale": -1, "rotation": 30})
    b.add_blockref("A", (30, 0), dxfattribs={"xscale": 0.5, "yscale": 0.5, "extrusion": (0, 0, -1)})
    b.add_circle((0, 0), 2)
    msp = doc.modelspace()
    msp.add_blockref("B", (100, 50), dxfattribs={"yscale": -2, "xscale": 2, "rotation": 45})
    msp.add_blockref("B", (-50, 0), dxfattribs={"rotation": 180})
    msp.add_arc((0, -40), 8, 200, 20, dxfattribs={"extrusion": (0, 0, -1)})
    doc.saveas("nested_mirrored_inserts.dxf")


def minsert():
    doc = ezdxf.new("R2000")
    blk = doc.blocks.new("HOLE")
    blk.add_circle((0, 0), 3)
    blk.add_lwpolyline([(-5, -5), (5, -5), (5, 5), (-5, 5)], close=True)
    msp = doc.modelspace()
    ins = msp.add_blockref("HOLE", (10, 20), dxfattribs={"rotation": 20})
    ins.grid(size=(2, 3), spacing=(15, 25))  # 2 rows, 3 columns
    msp.add_lwpolyline([(0, 0), (120, 0), (120, 90), (0, 90)], close=True)
    doc.saveas("minsert.dxf")


def splines():
    doc = ezdxf.new("R2000")
    msp = doc.modelspace()
    quadratic = msp.add_open_spline([(0, 0), (10, 20), (20, 0), (30, 20)], degree=2)
    quadratic.dxf.flags |= 8
    msp.add_open_spline([(0, 40), (10, 60), (20, 40), (30, 60), (40, 40)], degree=3)
    msp.add_rational_spline([(50, 0), (50, 20), (70, 20), (70, 40)], weights=[1, 3, 0.5, 1], degree=3)
    closed = closed_uniform_bspline([(100, 0), (120, 0), (120, 20), (100, 20)], order=4)
    msp.add_spline().apply_construction_tool(closed).closed = True
    closed = closed_uniform_bspline([(140, 0), (160, 0), (160, 20), (140, 20)], order=3, weights=[1, 2, 1, 2])
    msp.add_spline().apply_construction_tool(closed).closed = True
    doc.saveas("splines.dxf")


def ellipses():
    doc = ezdxf.new("R2000")
    msp = doc.modelspace()
    msp.add_ellipse((0, 0), major_axis=(30, 10), ratio=0.4)
    msp.add_ellipse((80, 0), major_axis=(0, 25), ratio=0.3, start_param=0.3, end_param=4.0)
    msp.add_ellipse((0, 80), major_axis=(20, 0), ratio=0.5, start_param=5.5, end_param=1.0)
    e = msp.add_ellipse((80, 80), major_axis=(15, 15), ratio=0.6, start_param=1.0, end_param=2.5)
    e.dxf.extrusion = (0, 0, -1)
    doc.saveas("ellipses.dxf")


def stretched_block():
    doc = ezdxf.new("R2000")
    blk = doc.blocks.new("ROUND")
    blk.add_circle((0, 0), 10)
    blk.add_arc((30, 0), 5, 0, 135)
    blk.add_lwpolyline([(40, 0, 1), (50, 0)], format="xyb")
    doc.modelspace().add_blockref("ROUND", (0, 0), dxfattribs={"xscale": 2, "yscale": 1, "rotation": 15})
    doc.saveas("stretched_block.dxf")


def r12_polylines():
    doc = ezdxf.new("R12")
    msp = doc.modelspace()
    pl = msp.add_polyline2d([(0, 0), (40, 0), (40, 20), (0, 20)], close=True)
    pl.vertices[1].dxf.bulge = 0.5
    pl.vertices[3].dxf.bulge = -1
    msp.add_polyline3d([(60, 0, 0), (80, 0, 5), (80, 20, 10)])
    face = msp.add_polyface()
    face.append_face([(0, 40, 0), (10, 40, 0), (10, 50, 0)])
    msp.add_line((0, -10), (40, -10))
    doc.saveas("r12_polylines.dxf")


def refused_drawings():
    doc = ezdxf.new("R2000")
    doc.modelspace().add_line((0, 0), (10, 0))
    doc.saveas("binary.dxf", fmt="bin")
    doc = ezdxf.new("R2000")
    doc.layout("Layout1").add_line((0, 0), (10, 0))
    doc.modelspace().add_text("only a title")
    doc.saveas("paper_space_only.dxf")
    # Not refused: a spline of fit points only is read as the cubic through them.
    doc = ezdxf.new("R2000")
    doc.modelspace().add_spline([(0, 0), (10, 10), (20, 0), (30, 10)])
    doc.saveas("fit_point_spline.dxf")


if __name__ == "__main__":
    nested_mirrored_inserts()
    minsert()
    splines()
    ellipses()
    stretched_block()
    r12_polylines()
    refused_drawings()
