# Writes freecad_r12.dxf and freecad_r14.dxf with FreeCAD's own DXF writer: freecadcmd freecad_part.py
import FreeCAD, Part, Import
V = FreeCAD.Vector
shapes = []
shapes.append(Part.LineSegment(V(0, 0, 0), V(80, 0, 0)).toShape())
shapes.append(Part.Arc(V(80, 0, 0), V(87.0710678, 2.9289322, 0), V(90, 10, 0)).toShape())
shapes.append(Part.LineSegment(V(90, 10, 0), V(90, 50, 0)).toShape())
bs = Part.BSplineCurve()
bs.interpolate([V(90, 50, 0), V(70, 62, 0), V(45, 58, 0), V(20, 66, 0), V(0, 50, 0)])
shapes.append(bs.toShape())
shapes.append(Part.LineSegment(V(0, 50, 0), V(0, 0, 0)).toShape())
shapes.append(Part.Circle(V(20, 20, 0), V(0, 0, 1), 6).toShape())
e = Part.Ellipse(V(55, 25, 0), 12, 5)
shapes.append(e.toShape())
ea = Part.ArcOfEllipse(Part.Ellipse(V(55, 40, 0), 10, 4), 0.3, 2.5)
shapes.append(ea.toShape())
comp = Part.makeCompound(shapes)

for version in (12, 14):
    try:
        Import.writeDXFShape([comp], "freecad_r%d.dxf" % version, version)
        print("wrote", version)
    except Exception as ex:
        print("failed", version, ex)
